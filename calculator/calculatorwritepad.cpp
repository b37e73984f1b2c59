#include "calculator/calculatorwritepad.h"

#include "calculator/calcrecoeventhandler.h"
#include "calculator/calcrecognizer.h"
#include "calculator/calculatorupdater.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "recognition/recognizerconfig.h"
#include "skin/svguibutton.h"

#include <QBoxLayout>

CalculatorWritepad::CalculatorWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                                       QAction *miniKeyboardAction, QWidget *parent)
    : Writepad(CalculatorMode, behaviour, style, WritingDirection::LeftToRight,
               miniKeyboardAction, parent)
{
    setBaseMinimumWidth(BaseMinimumWidth);
    view()->viewport()->setAutoFillBackground(false);
}

// The thread goes first: nothing it still answers reaches the controller.
CalculatorWritepad::~CalculatorWritepad()
{
    delete m_calcRecognizer;
    m_calcRecognizer = nullptr;
    delete m_clearButton.data();
}

CalculatorUpdater *CalculatorWritepad::calculatorUpdater() const
{
    return static_cast<CalculatorUpdater *>(updater());
}

void CalculatorWritepad::initializeSpecificConnections()
{
    auto *controller = new CalculatorUpdater(behaviour(), scene(), Qt::AlignLeft);
    setUpdater(controller);
    connect(scene(), &ScrivelScene::prepareExpandScrivelX, controller,
            &CalculatorUpdater::prepareExpandScrivelEvent);
}

void CalculatorWritepad::createPadButtons(QLayout *bar, QWidget *panel)
{
    if (!bar)
        return;
    delete m_clearButton.data();
    m_clearButton = makePadButton(QStringLiteral("clear"), nullptr, bar);
    m_clearButton->setToolTip(tr("Clear"));
    m_clearButton->setEnabled(false);
    connect(m_clearButton, &SvgUIButton::clicked, this, &CalculatorWritepad::clearButtonEvent);
    if (QWidget *parent = bar->parentWidget() ? bar->parentWidget() : panel)
        parent->setMinimumWidth(baseMinimumWidth() + bar->spacing() + m_clearButton->width());
}

void CalculatorWritepad::setConfig()
{
    auto *config = qobject_cast<Config *>(configs()->checkedAction());
    if (!config)
        return;
    emit configStatus(0);
    scene()->setBlocked(true);
    view()->setUpdatesEnabled(false);
    InputWidget::setLanguage(config->language);
    updater()->resetState();
    ++m_generation;
    delete m_calcRecognizer;
    m_bound = false;
    m_calcRecognizer = new CalcRecognizer(config->recognizerConfig, this);
    connect(m_calcRecognizer, &CalcRecognizer::configured, this,
            &CalculatorWritepad::bindRecognizer);
    m_calcRecognizer->start(QThread::LowPriority);
    updater()->setRecognitionConfig(*config);
    emit decimalSeparatorChanged(config->recognizerConfig.decimalSeparator);
    view()->setUpdatesEnabled(true);
    view()->viewport()->update();
}

// Only the announcement of the current recognizer binds it.
void CalculatorWritepad::bindRecognizer(bool ok)
{
    if (sender() && sender() != m_calcRecognizer)
        return;
    if (!ok) {
        emit configStatus(2);
        return;
    }
    CalcRecoEventHandler *handler = m_calcRecognizer ? m_calcRecognizer->handler() : nullptr;
    Updater *controller = updater();
    if (!handler || m_bound || !controller)
        return;
    connect(controller, &Updater::updateRecognitionResult, handler,
            &CalcRecoEventHandler::updateRecognitionResultEvent);
    const int generation = m_generation;
    connect(handler, &CalcRecoEventHandler::result, controller,
            [this, controller, generation](const RecognitionResult &result) {
                if (generation == m_generation)
                    controller->recoResultEvent(result);
            });
    connect(controller, &Updater::updaterClearContextEvent, handler,
            &CalcRecoEventHandler::stopRecognition);
    m_bound = true;
    scene()->setBlocked(false);
    emit configStatus(1);
}

void CalculatorWritepad::stopRecognitionEvent()
{
    if (m_calcRecognizer && m_calcRecognizer->handler())
        m_calcRecognizer->handler()->abortRecognition();
}

void CalculatorWritepad::enableUndoButtonsEvent(UndoType type, bool enabled)
{
    if (type == Clear && m_clearButton)
        m_clearButton->setEnabled(enabled);
}

void CalculatorWritepad::clearButtonEvent()
{
    emit undo(Clear);
    calculatorUpdater()->stopLayout();
}

void CalculatorWritepad::showEvent(QShowEvent *event)
{
    Writepad::showEvent(event);
    updater()->showCalculatorSampleInk();
}

void CalculatorWritepad::hideEvent(QHideEvent *event)
{
    updater()->endSampleInk();
    Writepad::hideEvent(event);
}
