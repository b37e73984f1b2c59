#include "panel/calculatortab.h"

#include "panel/apppreferences.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

CalculatorTab::CalculatorTab(AppPreferences *prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
{
    const BehaviourSettings &behaviour = prefs->behaviour;
    m_formulaOnly = new QCheckBox(tr("Do not calculate and send &formula only as text"), this);
    m_formulaOnly->setChecked(!behaviour.solveAuto);
    connect(m_formulaOnly, &QCheckBox::stateChanged, this,
            &CalculatorTab::updateCalculatorParams);

    m_displayBox = new QGroupBox(tr("Display options"), this);
    m_decimals = new QSpinBox(m_displayBox);
    m_decimals->setRange(1, 9);
    m_decimals->setValue(behaviour.nbOfDecimals);
    connect(m_decimals, qOverload<int>(&QSpinBox::valueChanged), this,
            &CalculatorTab::updateCalculatorParams);
    auto *displayForm = new QFormLayout(m_displayBox);
    displayForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    displayForm->addRow(tr("&Number of decimal places:"), m_decimals);

    m_sendBox = new QGroupBox(tr("Send options"), this);
    m_send = new QButtonGroup(this);
    m_resultOnly = new QRadioButton(tr("Result &only"), m_sendBox);
    m_spreadsheet = new QRadioButton(tr("Calculation as spreadsheet &formula"), m_sendBox);
    m_html = new QRadioButton(tr("Calculation as &HTML"), m_sendBox);
    m_text = new QRadioButton(tr("Calculation as &text"), m_sendBox);
    m_send->addButton(m_resultOnly, ResultButton);
    m_send->addButton(m_spreadsheet, SpreadsheetButton);
    m_send->addButton(m_html, HtmlButton);
    m_send->addButton(m_text, TextButton);
    switch (behaviour.calcSendMode) {
    case CalcOutputMode::Spreadsheet:
        m_spreadsheet->setChecked(true);
        break;
    case CalcOutputMode::Html:
        m_html->setChecked(true);
        break;
    case CalcOutputMode::Text:
        m_text->setChecked(true);
        break;
    default:
        m_resultOnly->setChecked(true);
    }
    connect(m_send, &QButtonGroup::idClicked, this, &CalculatorTab::updateCalculatorParams);
    auto *sendLayout = new QVBoxLayout(m_sendBox);
    for (QRadioButton *radio : {m_resultOnly, m_spreadsheet, m_html, m_text})
        sendLayout->addWidget(radio);

    m_sampleInk = new QCheckBox(tr("Show sample &ink"), this);
    m_sampleInk->setChecked(behaviour.displayCalculatorSampleInk);
    connect(m_sampleInk, &QCheckBox::stateChanged, this,
            &CalculatorTab::updateCalculatorParams);

    updateCalculatorParams();

    auto *layout = new QVBoxLayout(this);
    layout->addSpacing(10);
    layout->addWidget(m_formulaOnly);
    layout->addSpacing(20);
    layout->addWidget(m_displayBox);
    layout->addWidget(m_sendBox);
    layout->addSpacing(40);
    layout->addWidget(m_sampleInk);
    layout->addStretch(10);
    layout->addSpacing(15);
}

void CalculatorTab::updateCalculatorParams()
{
    BehaviourSettings &behaviour = m_prefs->behaviour;
    behaviour.solveAuto = !m_formulaOnly->isChecked();
    m_displayBox->setEnabled(behaviour.solveAuto);
    m_sendBox->setEnabled(behaviour.solveAuto);
    behaviour.nbOfDecimals = m_decimals->value();
    switch (m_send->checkedId()) {
    case ResultButton:
        behaviour.calcSendMode = CalcOutputMode::ResultOnly;
        break;
    case SpreadsheetButton:
        behaviour.calcSendMode = CalcOutputMode::Spreadsheet;
        break;
    case HtmlButton:
        behaviour.calcSendMode = CalcOutputMode::Html;
        break;
    case TextButton:
        behaviour.calcSendMode = CalcOutputMode::Text;
        break;
    default:
        break;
    }
    behaviour.displayCalculatorSampleInk = m_sampleInk->isChecked();
}
