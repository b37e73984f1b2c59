#include "modes/cursivewritepad.h"

#include "modes/cursiveupdater.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "skin/svguibutton.h"

#include <QAction>
#include <QBoxLayout>
#include <QGraphicsRectItem>

namespace {

// Automatic sending is held with this bit while the magic mode runs.
constexpr int MagicHold = 2;
constexpr int NoInk = 2;

} // namespace

CursiveWritepad::CursiveWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                                 WritingDirection direction, QAction *miniKeyboardAction,
                                 QAction *magicAction, QAction *clearAction, QWidget *parent)
    : Writepad(CursiveMode, behaviour, style, direction, miniKeyboardAction, parent),
      m_magicAction(magicAction),
      m_clearAction(clearAction)
{
    view()->viewport()->setAutoFillBackground(false);
}

CursiveWritepad::~CursiveWritepad()
{
    deletePadButtons();
}

void CursiveWritepad::deletePadButtons()
{
    delete m_clearButton.data();
    delete m_magicButton.data();
}

CursiveUpdater *CursiveWritepad::cursiveUpdater() const
{
    return static_cast<CursiveUpdater *>(updater());
}

void CursiveWritepad::initializeSpecificConnections()
{
    auto *controller =
        new CursiveUpdater(behaviour(), scene(), Updater::alignmentFor(direction()));
    setUpdater(controller);
    connect(controller, &Updater::enableMagicAction, this,
            &CursiveWritepad::enableMagicActionEvent);
    connect(controller, &Updater::animationStrokeDone, this,
            &CursiveWritepad::animationDoneEvent);
    if (m_magicAction) {
        connect(m_magicAction, &QAction::toggled, this, &CursiveWritepad::magicButtonEvent);
        connect(m_magicAction, &QAction::toggled, controller, &Updater::magicButtonEvent);
    }
    if (m_clearAction)
        connect(m_clearAction, &QAction::triggered, this, &CursiveWritepad::clearButtonEvent);
}

void CursiveWritepad::createPadButtons(QLayout *bar, QWidget *panel)
{
    if (!bar)
        return;
    deletePadButtons();
    m_clearButton = makePadButton(QStringLiteral("clear"), m_clearAction, bar);
    m_magicButton = makePadButton(QStringLiteral("magic"), m_magicAction, bar);
    // The panel, not the button row, must leave room for the buttons.
    if (QWidget *parent = panel ? panel : parentWidget())
        parent->setMinimumWidth(baseMinimumWidth() + bar->spacing()
                                + m_clearButton->sizeHint().width()
                                + m_magicButton->sizeHint().width());
}

void CursiveWritepad::magicButtonEvent(bool on)
{
    if (on) {
        updater()->holdSendTimer(MagicHold);
        scene()->setNoInkMode(NoInk);
        return;
    }
    if (m_clearButton)
        m_clearButton->show();
    if (m_magicButton)
        m_magicButton->show();
    scene()->setNoInkMode(0);
    updater()->releaseSendTimer(MagicHold);
}

void CursiveWritepad::enableMagicActionEvent(bool on)
{
    if (!m_magicAction)
        return;
    if (!on)
        m_magicAction->setChecked(false);
    m_magicAction->setEnabled(on);
}

void CursiveWritepad::enableUndoButtonsEvent(UndoType type, bool enabled)
{
    if (type != Clear)
        return;
    if (m_clearButton)
        m_clearButton->setEnabled(enabled);
    if (!enabled && m_magicAction) {
        m_magicAction->setEnabled(false);
        m_magicAction->setChecked(false);
    }
}

void CursiveWritepad::clearButtonEvent()
{
    emit undo(Clear);
}

void CursiveWritepad::animationDoneEvent()
{
    if (m_magicAction)
        m_magicAction->setChecked(false);
    scene()->transparentRectItem()->setCursor(scene()->style().cursor(ItemStyle::IdleCursor));
    scene()->setNoInkMode(0);
}
