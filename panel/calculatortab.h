#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;
class QSpinBox;
struct AppPreferences;

// The "Calculator" page of the preferences: whether formulas are solved, the decimal places
// of results, the form a calculation is sent in and the calculator's sample ink.
class CalculatorTab : public QWidget
{
    Q_OBJECT

public:
    // Button ids of the send choices; the ids are not the output modes they stand for.
    enum SendButton { ResultButton = 0, SpreadsheetButton = 1, HtmlButton = 2, TextButton = 3 };

    explicit CalculatorTab(AppPreferences *prefs, QWidget *parent = nullptr);

public slots:
    void updateCalculatorParams();

private:
    AppPreferences *m_prefs;
    QButtonGroup *m_send;
    QRadioButton *m_resultOnly;
    QRadioButton *m_spreadsheet;
    QRadioButton *m_html;
    QRadioButton *m_text;
    QSpinBox *m_decimals;
    QCheckBox *m_sampleInk;
    QCheckBox *m_formulaOnly;
    QGroupBox *m_displayBox;
    QGroupBox *m_sendBox;
};
