#include "panel/prefdialog.h"

#include "panel/calculatortab.h"
#include "panel/dicotab.h"
#include "panel/inktab.h"
#include "panel/languagetab.h"
#include "panel/mainframe.h"
#include "panel/panelaccesstab.h"
#include "panel/panelservices.h"
#include "platform/prompt.h"
#include "windows/userdictionaries.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

PrefDialog::PrefDialog(const AppPreferences &prefs, int mask, int current, QWidget *parent)
    : ScrivelDialog(parent)
    , m_prefs(prefs)
{
    if (m_prefs.dictionaries.isEmpty())
        m_prefs.dictionaries.append(QStringList());
    // A dictionary that exists but cannot be read is never written over.
    m_dictionaryReadable = readPersonalDictionary(&m_prefs.dictionaries.first());

    m_helpButton = new QPushButton(tr("Help..."), this);
    auto *panel = qobject_cast<MainFrame *>(parent);
    if (panel)
        connect(m_helpButton, &QPushButton::clicked, panel, &MainFrame::showHelp);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                     Qt::Horizontal, this);
    m_tabs = new QTabWidget(this);

    m_dicoTab = new DicoTab(&m_prefs, m_buttons->button(QDialogButtonBox::Ok), this);
    m_languageTab = new LanguageTab(&m_prefs, this);
    connect(m_languageTab->trainButton(), &QPushButton::clicked, m_languageTab,
            &LanguageTab::prepareTrainingMode);
    connect(m_languageTab->trainButton(), &QPushButton::clicked, this, &QWidget::hide);
    if (panel)
        connect(m_languageTab, &LanguageTab::startTrainingMode, panel,
                qOverload<QAction *>(&MainFrame::changeTrainingMode));
    const struct
    {
        int flag;
        QWidget *page;
        QString text;
    } pages[] = {
        {DictionaryTab, m_dicoTab, tr("&Dictionary")},
        {LanguagesTab, m_languageTab, tr("&Languages")},
        {InkPrefTab, new InkTab(&m_prefs, this), tr("&Ink")},
        {PanelAccessPrefTab, new PanelAccessTab(&m_prefs, this), tr("&Panel Access")},
        {CalculatorPrefTab, new CalculatorTab(&m_prefs, this), tr("&Calculator")},
    };
    for (const auto &page : pages) {
        if (mask & page.flag)
            m_tabs->addTab(page.page, page.text);
        else
            page.page->hide();
    }
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabEnabled(i, true);
    for (const auto &page : pages) {
        if (page.flag == current && m_tabs->indexOf(page.page) >= 0)
            m_tabs->setCurrentWidget(page.page);
    }
    connect(m_buttons, &QDialogButtonBox::accepted, this, &PrefDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &PrefDialog::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &PrefDialog::validate);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_helpButton);
    bottom->addSpacing(1);
    bottom->addWidget(m_buttons);
    layout->addLayout(bottom);
    m_lastIndex = m_tabs->currentIndex();
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(tr("Settings"));
}

PrefDialog::~PrefDialog() = default;

bool PrefDialog::validate(int index)
{
    const int languages = m_tabs->indexOf(m_languageTab);
    if (languages >= 0 && m_lastIndex == languages && !m_languageTab->hasCheckedLanguage()) {
        m_lastIndex = index;
        m_tabs->setCurrentIndex(languages);
        m_languageTab->warnNoLanguage();
        return false;
    }
    if (index >= 0 && index == m_tabs->indexOf(m_dicoTab))
        m_dicoTab->restore();
    m_lastIndex = index;
    return true;
}

void PrefDialog::accept()
{
    if (!validate(m_lastIndex))
        return;
    const bool dictionaryShown = m_tabs->indexOf(m_dicoTab) >= 0;
    if (dictionaryShown && !m_dictionaryReadable) {
        Prompt::message(QMessageBox::Warning, this, tr("Inkora Scrivel"),
                        tr("Your personal dictionary could not be read, so it was left as it is."),
                        QMessageBox::Ok, QMessageBox::Ok);
    } else if (dictionaryShown && !m_dicoTab->storeWords() && !m_dicoTab->words().isEmpty()) {
        // The words stay in the open dialog, where they can still be exported.
        Prompt::message(QMessageBox::Warning, this, tr("Inkora Scrivel"),
                        tr("Your personal dictionary could not be saved."), QMessageBox::Ok,
                        QMessageBox::Ok);
        return;
    }
    if (m_tabs->indexOf(m_languageTab) >= 0)
        m_languageTab->applyLanguages();
    AppPreferences handed = m_prefs;
    handed.allWords.clear();
    for (const QStringList &words : handed.dictionaries)
        handed.allWords += words;
    // The menu's actions are rebuilt after the dialog; the record keeps no pointer to them.
    handed.languageActions.clear();
    handed.activeLanguage = nullptr;
    PanelServices::instance()->setPreferences(handed);
    QDialog::accept();
}
