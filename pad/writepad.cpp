#include "pad/writepad.h"

#include "pad/minikeyboard.h"
#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/strokeitem.h"
#include "pad/updater.h"
#include "recognition/configrepository.h"
#include "recognition/instantrecognizer.h"
#include "recognition/threadedrecoeventhandler.h"
#include "skin/layeredlayout.h"
#include "skin/svguibutton.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QSettings>
#include <QTimerEvent>
#include <QXmlStreamReader>

#include <cmath>

namespace {

const char *const LastConfigKey = "lastConfig";
constexpr int ScrollStepMs = 20;
constexpr float FirstScrollSpeed = 15;
constexpr float MaxScrollSpeed = 60;
constexpr float ScrollAcceleration = 2;

bool isRightToLeftLocale(const QLocale &locale)
{
    return locale.language() == QLocale::Arabic || locale.language() == QLocale::Hebrew;
}

} // namespace

Writepad::Writepad(InputMode mode, const BehaviourSettings &behaviour, const ItemStyle &style,
                   WritingDirection direction, QAction *miniKeyboardAction, QWidget *parent)
    : InputWidget(mode, behaviour, style, parent),
      m_configs(this),
      m_direction(direction),
      m_scene(new ScrivelScene(style, this)),
      m_view(new ScrivelView(int(mode), m_scene, int(direction), this)),
      m_miniKeyboardAction(miniKeyboardAction)
{
    m_configs.setExclusive(true);
}

Writepad::~Writepad()
{
    delete m_updater;
    m_updater = nullptr;
    delete m_recognizer;
    m_recognizer = nullptr;
    m_scrollTimer.stop();
    delete m_view;
    delete m_scene;
}

void Writepad::initialize()
{
    initializeSpecificConnections();
    initializeConnections();
    setLayout(buildButtonBar());
    m_scene->setTransparentRect();
}

void Writepad::initializeConnections()
{
    connect(this, &Writepad::exportModelToUpdater, m_updater,
            qOverload<const RecognitionResult &>(&Updater::importModelEvent));
    connect(m_updater, &Updater::exportModel, this, &Writepad::importModelFromUpdaterEvent);
    connect(m_scene, &ScrivelScene::penUp, m_updater, &Updater::penUpEvent);
    connect(m_scene, &ScrivelScene::penDown, m_updater, &Updater::penDownEvent);
    connect(&m_configs, &QActionGroup::triggered, this, &Writepad::setConfig);
    PadServices::instance()->setupInk(false, m_view);
}

void Writepad::screenChanged()
{
    PadServices::instance()->setupInk(false, m_view);
}

QObject *Writepad::modelObject()
{
    return m_updater;
}

void Writepad::setLanguage(const LanguageEntry &language)
{
    if (!m_configs.actions().isEmpty()) {
        if (QAction *checked = m_configs.checkedAction())
            m_lastConfig = checked->text();
        const QList<QAction *> actions = m_configs.actions();
        for (QAction *action : actions) {
            m_configs.removeAction(action);
            delete action;
        }
    }
    InputWidget::setLanguage(language);
    m_rightToLeft = isRightToLeftLocale(language.locale())
                    && m_direction == WritingDirection::RightToLeft;
    if (m_arrowLayout)
        m_arrowLayout->setDirection(m_rightToLeft ? QBoxLayout::RightToLeft
                                                  : QBoxLayout::LeftToRight);
    // The keypad stands at the interface's end side, the other side in a right-to-left pad.
    const bool keypadLeft = m_rightToLeft != QGuiApplication::isRightToLeft();
    if (m_miniKeyboardLayout)
        m_miniKeyboardLayout->setDirection(keypadLeft ? QBoxLayout::LeftToRight
                                                      : QBoxLayout::RightToLeft);
    QXmlStreamReader reader;
    loadConfigs(reader, language, inputMode(), m_lastConfig, &m_configs);
    if (m_configs.actions().isEmpty())
        emit configStatus(2);
    else
        setConfig();
}

void Writepad::setConfig()
{
    auto *config = qobject_cast<Config *>(m_configs.checkedAction());
    if (!config)
        return;
    emit configStatus(0);
    m_scene->setBlocked(true);
    m_view->setUpdatesEnabled(false);
    InputWidget::setLanguage(config->language);
    if (m_updater)
        m_updater->resetState();
    // The old recognizer stops its running recognition before it is joined,
    // and what it still answers is dropped by its generation.
    ++m_recognizerGeneration;
    delete m_recognizer;
    m_recognizerBound = false;
    m_recognizer = new InstantRecognizer(config->recognizerConfig, this);
    connect(m_recognizer, &ThreadedRecognizer::configured, this, &Writepad::bindRecognizer);
    m_recognizer->start(QThread::LowPriority);
    if (m_updater)
        m_updater->setRecognitionConfig(*config);
    m_view->setUpdatesEnabled(true);
    m_view->viewport()->update();
}

// Only the announcement of the current recognizer binds it.
void Writepad::bindRecognizer(bool ok)
{
    if (sender() && sender() != m_recognizer)
        return;
    if (!ok) {
        emit configStatus(2);
        return;
    }
    ThreadedRecoEventHandler *handler = m_recognizer ? m_recognizer->handler() : nullptr;
    if (!handler || m_recognizerBound || !m_updater)
        return;
    connect(m_updater, &Updater::updateRecognitionResult, handler,
            qOverload<RecognitionResult, QRectF, bool>(
                &ThreadedRecoEventHandler::updateRecognitionResultEvent));
    const int generation = m_recognizerGeneration;
    Updater *updater = m_updater;
    connect(handler, &ThreadedRecoEventHandler::result, updater,
            [this, updater, generation](const RecognitionResult &result) {
                if (generation == m_recognizerGeneration)
                    updater->recoResultEvent(result);
            });
    connect(m_updater, &Updater::updaterClearContextEvent, this, &Writepad::stopRecognitionEvent);
    m_recognizerBound = true;
    m_scene->setBlocked(false);
    emit configStatus(1);
}

void Writepad::stopRecognitionEvent()
{
    if (m_recognizer && m_recognizer->handler())
        m_recognizer->handler()->abortRecognition();
}

void Writepad::importModelEvent(const RecognitionResult &model)
{
    updateMiniKeyboardVisibility(model.root().ink().isEmpty());
    emit exportModelToUpdater(model);
}

void Writepad::importModelFromUpdaterEvent(const RecognitionResult &model)
{
    updateMiniKeyboardVisibility(model.root().ink().isEmpty());
    emit exportModel(model);
}

void Writepad::updateMiniKeyboardVisibility(bool empty)
{
    if (!m_miniKeyboard)
        return;
    m_miniKeyboard->setVisible(m_miniKeyboardAction && m_miniKeyboardAction->isChecked() && empty);
}

void Writepad::toggleMiniKeyboard(bool show)
{
    if (m_miniKeyboard)
        m_miniKeyboard->setVisible(show);
}

void Writepad::hideMiniKeyboardEvent()
{
    if (m_miniKeyboard && m_miniKeyboard->isVisible())
        m_miniKeyboard->hide();
}

void Writepad::attachMiniKeyboard(InputWidget *keyboard)
{
    if (keyboard && m_updater)
        connect(qobject_cast<InputWidget *>(keyboard->modelObject()), &InputWidget::exportModel,
                m_updater, &Updater::importMiniKeyboardEvent);
}

void Writepad::setStyle(const ItemStyle &style)
{
    InputWidget::setStyle(style);
    m_scene->setStyle(style);
    m_view->resetCachedContent();
    if (m_miniKeyboard)
        m_miniKeyboard->setStyle(style);
}

void Writepad::setBehaviour(const BehaviourSettings &behaviour)
{
    InputWidget::setBehaviour(behaviour);
    if (m_updater)
        m_updater->setBehaviour(behaviour);
}

void Writepad::saveSettings(QSettings &settings)
{
    if (QAction *checked = m_configs.checkedAction())
        settings.setValue(LastConfigKey, checked->text());
}

void Writepad::loadSettings(QSettings &settings)
{
    if (m_configs.actions().isEmpty())
        m_lastConfig = settings.value(LastConfigKey).toString();
}

RecognizerConfig Writepad::currentConfig() const
{
    const auto *config = qobject_cast<const Config *>(m_configs.checkedAction());
    return config ? config->recognizerConfig : RecognizerConfig();
}

void Writepad::defaultLastConfig(QVariantMap &map)
{
    map.insert(LastConfigKey, QStringLiteral("free"));
}

void Writepad::readLastConfig(QSettings &settings, QVariantMap &map)
{
    if (settings.contains(LastConfigKey))
        map.insert(LastConfigKey, settings.value(LastConfigKey).toString());
}

void Writepad::saveLastConfig(QSettings &settings, const QVariantMap &map)
{
    if (map.contains(LastConfigKey))
        settings.setValue(LastConfigKey, map.value(LastConfigKey));
}

// Button bar and box scrolling

SvgUIButton *Writepad::makePadButton(const QString &element, QAction *action, QLayout *bar)
{
    auto *button = new SvgUIButton(bar->parentWidget());
    button->resolveStateElement(QStringLiteral("buttons"), element, QString());
    if (action)
        button->setDefaultAction(action);
    button->setCursor(Qt::ArrowCursor);
    button->setLayoutDirection(Qt::LeftToRight);
    bar->addWidget(button);
    return button;
}

SvgUIButton *Writepad::makeArrow(const QString &element)
{
    auto *arrow = new SvgUIButton(this);
    arrow->setToolTip(tr("Get more boxes"));
    arrow->setAutoRepeat(true);
    arrow->setAutoRepeatInterval(ScrollStepMs);
    arrow->setMaskKeptOnScreen(true);
    arrow->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    arrow->resolveStateElement(element, QString(), QString());
    return arrow;
}

QLayout *Writepad::buildButtonBar()
{
    auto *layers = new LayeredLayout;
    delete m_prevButton;
    delete m_nextButton;
    delete m_miniKeyboard;
    m_prevButton = m_nextButton = nullptr;
    m_miniKeyboard = nullptr;
    m_arrowLayout = m_miniKeyboardLayout = nullptr;
    delete layout();
    if (!m_showArrows) {
        layers->addWidgetLayer(m_view);
        addMiniKeyboard(layers);
        return layers;
    }
    const bool leftToRight = m_direction == WritingDirection::LeftToRight;
    m_prevButton = makeArrow(leftToRight ? "arrow_left" : "arrow_right");
    m_nextButton = makeArrow(leftToRight ? "arrow_right" : "arrow_left");
    connect(m_prevButton, &QAbstractButton::pressed, this, &Writepad::getPrevBoxes);
    connect(m_prevButton, &QAbstractButton::released, this, &Writepad::getPrevBoxes);
    connect(m_nextButton, &QAbstractButton::pressed, this, &Writepad::getNextBoxes);
    connect(m_nextButton, &QAbstractButton::released, this, &Writepad::getNextBoxes);
    m_arrowLayout = new QHBoxLayout;
    m_arrowLayout->setContentsMargins(0, 0, 0, 0);
    m_arrowLayout->addWidget(m_prevButton);
    m_arrowLayout->addWidget(m_view);
    m_arrowLayout->addWidget(m_nextButton);
    layers->addLayoutLayer(m_arrowLayout);
    addMiniKeyboard(layers);
    return layers;
}

void Writepad::addMiniKeyboard(LayeredLayout *layers)
{
    if (!m_miniKeyboardAction || !m_updater)
        return;
    m_miniKeyboard = new MiniKeyboard(behaviour(), itemStyle(), false, this);
    m_miniKeyboard->setContentsMargins(0, 0, 0, 0);
    connect(m_miniKeyboardAction, &QAction::toggled, this, &Writepad::toggleMiniKeyboard);
    connect(m_updater, &Updater::hideMiniKeyboard, this, &Writepad::hideMiniKeyboardEvent);
    attachMiniKeyboard(m_miniKeyboard);
    m_miniKeyboardLayout = new QHBoxLayout;
    m_miniKeyboardLayout->setContentsMargins(0, 0, 0, 0);
    m_miniKeyboardLayout->addWidget(m_miniKeyboard);
    m_miniKeyboardLayout->addStretch(1);
    m_miniKeyboardLayout->setDirection(QBoxLayout::RightToLeft);
    layers->addLayoutLayer(m_miniKeyboardLayout);
    m_miniKeyboard->hide();
}

double Writepad::originX() const
{
    return m_view->origin().x();
}

void Writepad::setOriginX(double x)
{
    m_view->setOrigin(x, 0);
}

void Writepad::getPrevBoxes()
{
    scrollBoxes(true, m_prevButton);
}

void Writepad::getNextBoxes()
{
    scrollBoxes(false, m_nextButton);
}

// One press, auto-repeat step or release of an arrow: previous scrolls
// towards smaller x with negative speeds, next the other way.
void Writepad::scrollBoxes(bool previous, SvgUIButton *arrow)
{
    const float sign = previous ? -1 : 1;
    const bool held = arrow && arrow->isDown();
    if (m_scrollSpeed == 0) {
        m_scene->setBlocked(true);
        m_scrollSpeed = sign * FirstScrollSpeed;
        m_tapScroll = true;
    } else {
        m_scrollSpeed = previous ? qMax(m_scrollSpeed - ScrollAcceleration, -MaxScrollSpeed)
                                 : qMin(m_scrollSpeed + ScrollAcceleration, MaxScrollSpeed);
        if (held)
            m_tapScroll = false;
    }
    setOriginX(originX() + m_scrollSpeed);
    updateButtonsVisibility();
    if (held || !m_updater)
        return;
    const QRectF box = m_updater->boxRectAt(originX(), previous);
    if (box.width() <= 0) {
        m_scene->setBlocked(false);
        return;
    }
    const int n = m_tapScroll ? 7 : 30;
    m_scrollTarget = int(std::lround(m_direction == WritingDirection::LeftToRight ? box.left()
                                                                                  : -box.right()));
    m_scrollDeceleration = float(2.0 * (m_scrollTarget - originX()) / (n * n));
    m_scrollSpeed = m_scrollDeceleration * n;
    m_scrollTimer.start(ScrollStepMs, this);
}

void Writepad::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_scrollTimer.timerId()) {
        InputWidget::timerEvent(event);
        return;
    }
    setOriginX(originX() + m_scrollSpeed);
    updateButtonsVisibility();
    const bool ahead = m_scrollSpeed > 0 ? m_scrollTarget > originX() && !m_atEnd
                                         : m_scrollTarget < originX() && !m_atStart;
    if (ahead) {
        m_scrollSpeed -= m_scrollDeceleration;
        return;
    }
    setOriginX(m_scrollTarget);
    updateButtonsVisibility();
    m_scrollSpeed = 0;
    m_scene->setBlocked(false);
    m_scrollTimer.stop();
}

void Writepad::updateButtonsVisibility()
{
    if (!m_showArrows || !m_prevButton || !m_nextButton || m_view->height() <= 0)
        return;
    const int visibleWidth = (m_view->width() * 1000) / m_view->height();
    const QRectF items = m_scene->itemsBoundingRect();
    if (visibleWidth >= items.width()) {
        m_prevButton->hide();
        m_nextButton->hide();
        m_view->setOrigin(0, 0);
        return;
    }
    m_prevButton->show();
    m_nextButton->show();
    const bool leftToRight = m_direction == WritingDirection::LeftToRight;
    const double extent = leftToRight ? items.right() : -items.left();
    const double largest = extent - visibleWidth;
    const double x = originX();
    if (x <= 0 || x < m_scrollSpeed) {
        m_atStart = true;
        m_atEnd = false;
        m_nextButton->setEnabled(true);
        setOriginX(0);
    } else if (x < largest) {
        m_prevButton->setEnabled(true);
        m_nextButton->setEnabled(true);
        m_atStart = m_atEnd = false;
    } else {
        m_prevButton->setEnabled(true);
        m_atStart = false;
        m_atEnd = true;
        setOriginX(largest);
    }
    if (m_atEnd && !m_nextButton->isDown())
        m_nextButton->setEnabled(false);
    if (m_atStart && !m_prevButton->isDown())
        m_prevButton->setEnabled(false);
}

void Writepad::resizeEvent(QResizeEvent *event)
{
    InputWidget::resizeEvent(event);
    if (m_showArrows && m_prevButton && m_nextButton)
        updateButtonsVisibility();
}
