#include "panel/mainframe.h"

#include "panel/inkdump.h"
#include "panel/panelservices.h"
#include "pad/inputwidget.h"
#include "pad/writepad.h"
#include "recognition/configrepository.h"
#include "skin/svguibutton.h"
#include "skin/svguiwidget.h"
#include "windows/imfintegratorbase.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QLayout>
#include <QLocale>

namespace {

bool hasInk(const RecognitionResult &result)
{
    return !result.root().ink().isEmpty();
}

bool hasMethod(const QObject *object, const char *signature)
{
    return object->metaObject()->indexOfMethod(signature) >= 0;
}

} // namespace

MainFrame::MainFrame(QWidget *parent)
    : QWidget(parent)
    , m_integrator(PanelServices::instance()->integrator())
{
    qRegisterMetaType<UndoType>("UndoType");
    m_sendAction = new QAction(tr("Insert"), this);
    m_sendAction->setStatusTip(tr("Insert your input in the target application"));
    connect(m_sendAction, &QAction::triggered, this, &MainFrame::requestSend);
    m_keypadAction = new QAction(tr("Keypad"), this);
    m_keypadAction->setCheckable(true);
    m_keypadAction->setToolTip(tr("Keypad On/Off"));
    m_keypadAction->setChecked(PanelServices::instance()->showKeypad());
    connect(m_keypadAction, &QAction::triggered, this, &MainFrame::toggleMiniKeyboardActEvent);
    pushUndo(RecognitionResult(), true);
}

MainFrame::~MainFrame() = default;

WritingDirection MainFrame::writingDirection() const
{
    const QAction *checked = m_languageGroup ? m_languageGroup->checkedAction() : nullptr;
    if (!checked)
        return WritingDirection::LeftToRight;
    const QLocale locale(labelTail(checked->data().toString()));
    return locale.language() == QLocale::Arabic || locale.language() == QLocale::Hebrew
               ? WritingDirection::RightToLeft
               : WritingDirection::LeftToRight;
}

void MainFrame::setInputWidget(InputWidget *widget)
{
    delete m_inputWidget.data();
    m_inputWidget = widget;
    if (!widget)
        return;
    connect(widget, &InputWidget::undo, this, &MainFrame::undoEvent);
    connect(widget, &InputWidget::exportModel, this, &MainFrame::importModelEvent);
    connect(this, &MainFrame::exportModel, widget, &InputWidget::importModelEvent);
    if (hasMethod(widget, "enableUndoButtonsEvent(UndoType,bool)"))
        connect(this, SIGNAL(enableUndoButtons(UndoType,bool)), widget,
                SLOT(enableUndoButtonsEvent(UndoType,bool)));
    QObject *model = widget->modelObject();
    if (model && hasMethod(model, "timeout()"))
        connect(model, SIGNAL(timeout()), this, SLOT(sendInput()));
    updateUndoButtons();
    publishCurrent();
}

void MainFrame::requestSend()
{
    QObject *model = m_inputWidget ? m_inputWidget->modelObject() : nullptr;
    if (model && hasMethod(model, "sendActionEvent()"))
        QMetaObject::invokeMethod(model, "sendActionEvent");
    else
        sendInput(true);
}

void MainFrame::pushUndo(const RecognitionResult &result, bool clearRedo)
{
    if (clearRedo)
        m_redo.clear();
    m_undo.append(result);
    if (m_undo.size() > StackCapacity)
        m_undo.removeFirst();
}

void MainFrame::pushRedo(const RecognitionResult &result)
{
    m_redo.append(result);
    if (m_redo.size() > StackCapacity)
        m_redo.removeFirst();
}

void MainFrame::updateUndoButtons()
{
    emit enableUndoButtons(Undo, m_undo.size() > 1);
    emit enableUndoButtons(Redo, !m_redo.isEmpty());
    emit enableUndoButtons(Clear, hasInk(m_undo.last()));
    manageSendButtonVisibility();
}

void MainFrame::publishCurrent()
{
    const RecognitionResult current = m_undo.last();
    if (m_integrator)
        m_integrator->update(current);
    emit exportModel(current);
    if (hasInk(current) || PanelServices::instance()->dockingMode() || !m_baseSize.isValid())
        return;
    const bool rightToLeft = writingDirection() == WritingDirection::RightToLeft;
    const QPoint anchor(x() + width() - m_baseSize.width(), y());
    resize(m_baseSize);
    if (rightToLeft) {
        repaint();
        move(anchor);
    }
}

void MainFrame::importModelEvent(const RecognitionResult &result)
{
    if (m_inputWidget && m_inputWidget->inputMode() == IsoTrainerMode)
        return;
    pushUndo(result, true);
    updateUndoButtons();
    if (m_integrator)
        m_integrator->update(result);
    if (!hasInk(result) && !PanelServices::instance()->dockingMode() && m_baseSize.isValid())
        resize(m_baseSize);
    m_lastExpandedSize = QSize(-1, -1);
}

void MainFrame::undoEvent(UndoType type)
{
    switch (type) {
    case Undo:
        if (m_undo.size() > 1)
            pushRedo(m_undo.takeLast());
        break;
    case Redo:
        if (!m_redo.isEmpty())
            pushUndo(m_redo.takeLast(), false);
        break;
    case Clear:
        m_undo.clear();
        m_undo.append(RecognitionResult());
        break;
    }
    updateUndoButtons();
    publishCurrent();
}

void MainFrame::sendInput()
{
    sendInput(true);
}

void MainFrame::sendInput(bool sentToIntegrator)
{
    if (sentToIntegrator && m_integrator) {
        if (PanelServices::instance()->saveInk())
            dumpInk(m_undo.last());
        if (!m_integrator->sendInput())
            return;
    }
    resetText();
}

void MainFrame::resetText()
{
    m_undo.clear();
    m_undo.append(RecognitionResult());
    updateUndoButtons();
    publishCurrent();
    if (m_inputWidget && m_inputWidget->inputMode() == IsolatedMode
        && hasMethod(m_inputWidget, "setOriginAt(int)"))
        QMetaObject::invokeMethod(m_inputWidget, "setOriginAt", Q_ARG(int, 0));
}

bool MainFrame::dumpInk(const RecognitionResult &result)
{
    m_lastDumpPath.clear();
    m_lastDumpError.clear();
    auto *pad = qobject_cast<Writepad *>(m_inputWidget.data());
    if (!pad)
        return true;
    const InkDump dump(result, pad->currentConfig().resources);
    const QString folder = PanelServices::instance()->applicationFolder()
                           + QStringLiteral("/inkFiles");
    m_lastDumpPath = dump.write(folder, QDateTime::currentDateTime(), &m_lastDumpError);
    if (m_lastDumpPath.isEmpty())
        qWarning("Ink samples not saved: %s", qPrintable(m_lastDumpError));
    return !m_lastDumpPath.isEmpty();
}

void MainFrame::manageSendButtonVisibility()
{
    if (!m_inputWidget)
        return;
    bool visible = true;
    bool enabled = true;
    const int mode = m_inputWidget->inputMode();
    if (mode == KeyboardMode || mode == IsoTrainerMode)
        visible = false;
    else if (m_keypadAction->isChecked())
        visible = hasInk(m_undo.last());
    else
        enabled = hasInk(m_undo.last());
    if (m_sendButton) {
        m_sendButton->setVisible(visible);
        m_sendButton->setEnabled(enabled);
    }
    if (m_leftSend)
        m_leftSend->setVisible(visible);
    if (m_rightSend)
        m_rightSend->setVisible(visible);
    if (layout())
        layout()->activate();
}

void MainFrame::toggleMiniKeyboardActEvent(bool checked)
{
    PanelServices::instance()->setShowKeypad(checked);
    manageSendButtonVisibility();
}
