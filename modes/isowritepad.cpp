#include "modes/isowritepad.h"

#include "modes/isoupdater.h"
#include "pad/scrivelview.h"
#include "recognition/recognizerconfig.h"
#include "skin/svguibutton.h"

#include <QAction>
#include <QBoxLayout>

namespace {

constexpr int BigBoxes = 2;

} // namespace

IsoWritepad::IsoWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                         WritingDirection direction, QAction *miniKeyboardAction,
                         QWidget *parent)
    : Writepad(IsolatedMode, behaviour, style, direction, miniKeyboardAction, parent)
{
    setBaseMinimumWidth(BaseMinimumWidth);
    setShowArrows(true);
    view()->viewport()->setAutoFillBackground(false);
}

IsoWritepad::~IsoWritepad()
{
    deletePadButtons();
}

void IsoWritepad::deletePadButtons()
{
    for (const QPointer<SvgUIButton> &button : std::as_const(m_configButtons))
        delete button.data();
    m_configButtons.clear();
    delete m_moonButton.data();
}

IsoUpdater *IsoWritepad::isoUpdater() const
{
    return static_cast<IsoUpdater *>(updater());
}

void IsoWritepad::initializeSpecificConnections()
{
    setUpdater(new IsoUpdater(behaviour(), scene(), Updater::alignmentFor(direction())));
}

bool IsoWritepad::checkedCanChangeBoxSize() const
{
    auto *config = qobject_cast<Config *>(const_cast<IsoWritepad *>(this)->configs()->checkedAction());
    return config && config->canChangeBoxSize;
}

void IsoWritepad::createPadButtons(QLayout *bar, QWidget *panel)
{
    if (!bar)
        return;
    deletePadButtons();
    int width = baseMinimumWidth();
    for (QAction *action : configs()->actions()) {
        SvgUIButton *button = makePadButton(action->text(), action, bar);
        button->setToolTip(QString());
        m_configGroup.addButton(button);
        m_configButtons << button;
        width += bar->spacing() + button->sizeHint().width();
    }
    if (m_boxSizeSwitchable) {
        if (!m_boxSizeAction) {
            m_boxSizeAction = new QAction(this);
            m_boxSizeAction->setCheckable(true);
            m_boxSizeAction->setToolTip(QStringLiteral("Big/Small Size Box"));
            connect(m_boxSizeAction, &QAction::toggled, isoUpdater(),
                    &IsoUpdater::changeBoxesSize);
        }
        for (QAction *action : configs()->actions()) {
            auto *config = qobject_cast<Config *>(action);
            if (!config || !config->canChangeBoxSize)
                continue;
            m_moonButton = makePadButton(QStringLiteral("moon"), m_boxSizeAction, bar);
            m_moonButton->setFixedSize(m_moonButton->sizeHint());
            width += bar->spacing() + m_moonButton->sizeHint().width();
            break;
        }
    }
    // The panel, not the button row, must leave room for the buttons.
    if (QWidget *parent = panel ? panel : parentWidget())
        parent->setMinimumWidth(width);
    showBoxSize(checkedCanChangeBoxSize());
}

void IsoWritepad::setConfig()
{
    Writepad::setConfig();
    auto *checked = qobject_cast<Config *>(configs()->checkedAction());
    m_boxSizeSwitchable = false;
    for (QAction *action : configs()->actions()) {
        auto *config = qobject_cast<Config *>(action);
        if (config && (config->canChangeBoxSize || config->defaultBoxSize == BigBoxes)) {
            m_boxSizeSwitchable = true;
            break;
        }
    }
    m_boxSize = checked ? checked->defaultBoxSize : 1;
    m_configLabel = checked ? checked->text() : QString();
    showBoxSize(checkedCanChangeBoxSize());
}

void IsoWritepad::showBoxSize(bool canChange)
{
    if (m_boxSizeSwitchable && m_boxSizeAction) {
        // The controller hears of the size through the action's toggle, or directly when
        // the action already shows it.
        const bool big = m_boxSize == BigBoxes;
        const bool shown = m_boxSizeAction->isChecked() == big;
        m_boxSizeAction->setChecked(big);
        if (shown)
            isoUpdater()->changeBoxesSize(big);
        if (m_moonButton) {
            m_moonButton->setEnabled(canChange);
            m_moonButton->setChecked(m_boxSize == BigBoxes);
        }
        return;
    }
    if (IsoUpdater *controller = isoUpdater())
        controller->changeBoxesSize(false);
}

void IsoWritepad::setOriginAt(int pos)
{
    view()->setOrigin(isoUpdater()->boxPosition(pos) - IsoUpdater::FirstBoxX, 0);
    updateButtonsVisibility();
}

void IsoWritepad::updateButtonsVisibility()
{
    Writepad::updateButtonsVisibility();
    if (updater() && behaviour().autoSend)
        updater()->restartSendTimer();
}
