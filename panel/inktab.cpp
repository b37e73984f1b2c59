#include "panel/inktab.h"

#include "panel/apppreferences.h"
#include "panel/colorbutton.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

InkTab::InkTab(AppPreferences *prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
{
    auto *delayBox = new QGroupBox(tr("Delay before clearing the ink"), this);
    auto *grid = new QGridLayout(delayBox);
    m_autoSend = new QCheckBox(tr("Send input &automatically"), delayBox);
    m_autoSend->setChecked(prefs->behaviour.autoSend);
    grid->addWidget(m_autoSend, 0, 0, 1, 2);
    m_speed = new QSlider(Qt::Horizontal, delayBox);
    m_speed->setRange(500, 4500);
    m_speed->setPageStep(1000);
    m_speed->setSingleStep(500);
    m_speed->setInvertedAppearance(true);
    m_speed->setTickInterval(1000);
    m_speed->setTickPosition(QSlider::TicksBelow);
    m_speed->setValue(prefs->behaviour.autoSendSpeed);
    grid->addWidget(m_speed, 1, 0, 1, 2);
    m_slow = new QLabel(tr("Slow"), delayBox);
    m_slow->setBuddy(m_speed);
    grid->addWidget(m_slow, 2, 0, Qt::AlignLeft);
    m_fast = new QLabel(tr("Fast"), delayBox);
    m_fast->setBuddy(m_speed);
    grid->addWidget(m_fast, 2, 1, Qt::AlignRight);

    auto *inkBox = new QGroupBox(tr("Ink and color properties"), this);
    auto *form = new QFormLayout(inkBox);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_thickness = new QSpinBox(inkBox);
    m_thickness->setRange(1, 10);
    m_thickness->setValue(prefs->style.inkWidth());
    form->addRow(tr("Ink &thickness:"), m_thickness);
    m_inkColor = new ColorButton(prefs->style, true, inkBox);
    form->addRow(tr("Ink color:"), m_inkColor);
    m_backgroundColor = new ColorButton(prefs->style, false, inkBox);
    form->addRow(tr("Background color:"), m_backgroundColor);

    auto *animationBox = new QGroupBox(tr("Animations"), this);
    auto *animationForm = new QFormLayout(animationBox);
    m_animationInk = new QCheckBox(tr("Show sample ink for &gestures"), animationBox);
    m_animationInk->setChecked(prefs->behaviour.displayAnimationInk);
    animationForm->addRow(m_animationInk);

    for (QCheckBox *box : {m_autoSend, m_animationInk})
        connect(box, &QCheckBox::stateChanged, this, &InkTab::updateInkParams);
    connect(m_speed, &QSlider::valueChanged, this, &InkTab::updateInkParams);
    connect(m_thickness, qOverload<int>(&QSpinBox::valueChanged), this,
            &InkTab::updateInkParams);
    for (ColorButton *swatch : {m_inkColor, m_backgroundColor})
        connect(swatch, &ColorButton::colorChanged, this, &InkTab::updateInkParams);
    updateInkParams();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(delayBox);
    layout->addWidget(inkBox);
    layout->addWidget(animationBox);
    layout->addStretch(10);
}

void InkTab::updateInkParams()
{
    BehaviourSettings &behaviour = m_prefs->behaviour;
    behaviour.autoSend = m_autoSend->isChecked();
    behaviour.autoSendSpeed = m_speed->value();
    for (QWidget *w : {static_cast<QWidget *>(m_slow), static_cast<QWidget *>(m_fast),
                       static_cast<QWidget *>(m_speed)})
        w->setEnabled(behaviour.autoSend);
    behaviour.displayAnimationInk = m_animationInk->isChecked();
    ItemStyle &style = m_prefs->style;
    style.setColor(ItemStyle::InkColor, m_inkColor->style().color(ItemStyle::InkColor));
    for (ItemStyle::Color c : {ItemStyle::LeftColor, ItemStyle::RightColor})
        style.setColor(c, m_backgroundColor->style().color(c));
    style.setInkWidth(m_thickness->value());
}
