#pragma once

#include "panel/apppreferences.h"
#include "panel/scriveldialog.h"

class DicoTab;
class LanguageTab;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

// The tabs of the preferences dialog, one bit each, in page order.
enum PrefTab : int {
    DictionaryTab = 1,
    LanguagesTab = 2,
    InkPrefTab = 4,
    PanelAccessPrefTab = 8,
    CalculatorPrefTab = 16,
    AllPrefTabs = 31
};

// The modal "Settings" dialog: its pages edit a copy of the application's preferences; OK
// writes the personal dictionary, applies the working languages and hands the copy back,
// Cancel drops it. The Languages page cannot be left while no language is checked.
class PrefDialog : public ScrivelDialog
{
    Q_OBJECT

public:
    // mask: the tabs to show; current: the tab shown first (the first shown when absent).
    PrefDialog(const AppPreferences &prefs, int mask, int current, QWidget *parent);
    ~PrefDialog() override;

    const AppPreferences &preferences() const { return m_prefs; }
    QTabWidget *tabs() const { return m_tabs; }
    DicoTab *dicoTab() const { return m_dicoTab; }
    LanguageTab *languageTab() const { return m_languageTab; }
    QPushButton *helpButton() const { return m_helpButton; }
    QDialogButtonBox *buttons() const { return m_buttons; }

public slots:
    void accept() override;
    bool validate(int index);

private:
    AppPreferences m_prefs;
    int m_lastIndex = 0;
    bool m_dictionaryReadable = true;
    QTabWidget *m_tabs;
    QDialogButtonBox *m_buttons;
    QPushButton *m_helpButton;
    DicoTab *m_dicoTab;
    LanguageTab *m_languageTab;
};
