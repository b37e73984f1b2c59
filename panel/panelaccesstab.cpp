#include "panel/panelaccesstab.h"

#include "panel/apppreferences.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

PanelAccessTab::PanelAccessTab(AppPreferences *prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
{
    const BehaviourSettings &behaviour = prefs->behaviour;
    auto *hidingBox = new QGroupBox(tr("Panel hiding behaviour"), this);
    m_hiding = new QButtonGroup(this);
    m_hide = new QRadioButton(tr("&Hide"), hidingBox);
    m_slideRight = new QRadioButton(tr("Slide to ri&ght side of the screen"), hidingBox);
    m_slideLeft = new QRadioButton(tr("Slide to l&eft side of the screen"), hidingBox);
    m_hiding->addButton(m_hide, HideButton);
    m_hiding->addButton(m_slideRight, SlideRightButton);
    m_hiding->addButton(m_slideLeft, SlideLeftButton);
    switch (behaviour.hidingMode) {
    case BehaviourSettings::SlideLeft:
        m_slideLeft->setChecked(true);
        break;
    case BehaviourSettings::SlideRight:
        m_slideRight->setChecked(true);
        break;
    default:
        m_hide->setChecked(true);
    }
    connect(m_hiding, &QButtonGroup::idClicked, this, &PanelAccessTab::updateBehaviourParams);
    auto *hidingLayout = new QVBoxLayout(hidingBox);
    for (QRadioButton *radio : {m_hide, m_slideRight, m_slideLeft})
        hidingLayout->addWidget(radio);

    m_quickAccess = new QCheckBox(tr("Display &quick access button"), this);
    m_quickAccess->setChecked(behaviour.quickAccessButton);
    connect(m_quickAccess, &QCheckBox::stateChanged, this,
            &PanelAccessTab::updateBehaviourParams);
    m_fadeOut = new QCheckBox(tr("&Fade panel when not in use"), this);
    if (behaviour.fadeOutAvailable) {
        m_fadeOut->setChecked(behaviour.fadeOut);
        connect(m_fadeOut, &QCheckBox::stateChanged, this,
                &PanelAccessTab::updateBehaviourParams);
    } else {
        m_fadeOut->setEnabled(false);
    }
    m_keypad = new QCheckBox(tr("Show &keypad when writing area is empty"), this);
    m_keypad->setChecked(behaviour.showKeypad);
    connect(m_keypad, &QCheckBox::stateChanged, this, &PanelAccessTab::updateBehaviourParams);

    auto *startupBox = new QGroupBox(tr("Startup parameter"), this);
    m_startWithSystem =
        new QCheckBox(tr("Launch %1 on system &startup").arg(tr("Inkora Scrivel")), startupBox);
    m_startWithSystem->setChecked(behaviour.startWithSystem);
    connect(m_startWithSystem, &QCheckBox::stateChanged, this,
            &PanelAccessTab::updateBehaviourParams);
    auto *startupLayout = new QVBoxLayout(startupBox);
    startupLayout->addWidget(m_startWithSystem);

    updateBehaviourParams();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(startupBox);
    layout->addWidget(hidingBox);
    layout->addWidget(m_quickAccess);
    layout->addWidget(m_fadeOut);
    layout->addWidget(m_keypad);
    layout->addStretch(10);
}

void PanelAccessTab::updateBehaviourParams()
{
    BehaviourSettings &behaviour = m_prefs->behaviour;
    switch (m_hiding->checkedId()) {
    case HideButton:
        behaviour.hidingMode = BehaviourSettings::Hide;
        break;
    case SlideRightButton:
        behaviour.hidingMode = BehaviourSettings::SlideRight;
        break;
    case SlideLeftButton:
        behaviour.hidingMode = BehaviourSettings::SlideLeft;
        break;
    default:
        break;
    }
    behaviour.quickAccessButton = m_quickAccess->isChecked();
    if (behaviour.fadeOutAvailable)
        behaviour.fadeOut = m_fadeOut->isChecked();
    behaviour.startWithSystem = m_startWithSystem->isChecked();
    behaviour.showKeypad = m_keypad->isChecked();
}
