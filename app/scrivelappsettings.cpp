// ScrivelApp: the preferences in the native store and in settings files, and the word lists.

#include "app/scrivelapp.h"

#include "app/preferencesstore.h"
#include "app/scrivelmsgbox.h"
#include "app/settingsdocument.h"
#include "app/settingsfile.h"
#include "app/settingssubset.h"
#include "panel/mainframe.h"
#include "recognition/configrepository.h"
#include "recognition/inputmode.h"
#include "windows/userdictionaries.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QLoggingCategory>
#include <QScreen>
#include <QSettings>
#include <QTimer>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "scrivel.app.settings")

const char productName[] = "Inkora Scrivel";

QRect availableDesktop()
{
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop = desktop.united(screen->availableGeometry());
    return desktop;
}

QString commonDictionaryPath()
{
    return applicationPath(CommonDataFolder) + QStringLiteral("/CommonDictionary.txt");
}

} // namespace

// The mode of the panel's input widget; a mode whose button hosts no widget yet (the
// calculator) is taken from the checked mode action, so that it is kept as chosen.
int ScrivelApp::currentInputMode() const
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    if (!panel)
        return UnknownMode;
    if (panel->inputWidget())
        return panel->inputWidget()->inputMode();
    const QAction *checked = panel->modeGroup() ? panel->modeGroup()->checkedAction() : nullptr;
    return checked ? checked->data().toInt() : int(UnknownMode);
}

void ScrivelApp::saveSettings()
{
    QSettings store(organizationName(), applicationName());
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    writePreferences(store, m_preferences,
                     collectLocalePrefs(panel ? panel->getLanguageGroup() : nullptr),
                     m_loginMode ? m_startInputMode : currentInputMode());
    if (!syncStore(store) && !m_saveFailureReported) {
        m_saveFailureReported = true;
        reportSettingsProblem(tr("Caution: your settings cannot be saved in \"%2\". What you "
                                 "change now will be lost when %1 ends.")
                                  .arg(QString::fromLatin1(productName), store.fileName()));
    }
    if (m_preferences.behaviour.startWithSystem != m_autostartStored
        && setStartWithWindows(m_preferences.behaviour.startWithSystem))
        m_autostartStored = m_preferences.behaviour.startWithSystem;
}

bool ScrivelApp::exportSettings(const QString &fileName, QString *error)
{
    SettingsDocument document;
    saveSettingsSubset(&document);
    return saveSettingsFile(fileName, document, error);
}

bool ScrivelApp::importSettings(const QString &fileName, QString *error)
{
    SettingsDocument document;
    if (!readSettingsDocument(fileName, &document, error))
        return false;
    if (!applySettingsSubset(document)) {
        if (error)
            *error = QStringLiteral("%1 holds the settings of version %2, not %3")
                         .arg(fileName, document.version(), settingsGroupName());
        return false;
    }
    return true;
}

void ScrivelApp::carryOutSettingsOptions(const ParsedArguments &arguments)
{
    QString error;
    if (hasOption(arguments.options, LoadSettingsOption)
        && !importSettings(arguments.loadSettingsFile, &error))
        qCWarning(lcSettings).noquote() << error;
    if (hasOption(arguments.options, SetValuesOption))
        applySettingsSubset(subsetFromValues(arguments.setValues));
    if (hasOption(arguments.options, SaveSettingsOption)
        && !exportSettings(arguments.saveSettingsFile, &error))
        qCWarning(lcSettings).noquote() << error;
}

void ScrivelApp::saveSettingsSubset(SettingsDocument *document)
{
    QSettings store(organizationName(), applicationName());
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    fillSettingsSubset(store, m_preferences,
                       collectLocalePrefs(panel ? panel->getLanguageGroup() : nullptr),
                       m_loginMode ? m_startInputMode : currentInputMode(), document);
}

bool ScrivelApp::applySettingsSubset(const SettingsDocument &document)
{
    if (document.version() != settingsGroupName())
        return false;
    QSettings store(organizationName(), applicationName());
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    LocalePrefs locale = collectLocalePrefs(panel ? panel->getLanguageGroup() : nullptr);
    const bool docked = m_preferences.behaviour.dockingMode;
    const SubsetRequests requests = applySettingsValues(store, document, &m_preferences, &locale);
    if (requests.showKeypad)
        emit toggleMiniKeyboard(*requests.showKeypad);
    if (panel && m_preferences.behaviour.dockingMode != docked)
        panel->setDockingMode(m_preferences.behaviour.dockingMode);
    if (panel) {
        panel->updateLanguageMenu(locale, false);
        panel->updateRecoLocale();
        if (requests.inputMode != UnknownMode)
            panel->updateMainInputMode(InputMode(requests.inputMode));
    }
    saveSettings();
    return true;
}

void ScrivelApp::reportSettingsProblem(const QString &text)
{
    qCWarning(lcSettings).noquote() << text;
    // Shown from the event loop, so that a save on the way out never waits for the user.
    QTimer::singleShot(0, this, [text] {
        ScrivelMsgBox::warning(nullptr, QString::fromLatin1(productName), text);
    });
}

void ScrivelApp::setAsideUnreadableSettings()
{
    QString keptAs;
    if (!setAsideUnreadableStore(organizationName(), applicationName(), &keptAs))
        return;
    const QString product = QString::fromLatin1(productName);
    reportSettingsProblem(
        keptAs.isEmpty()
            ? tr("Caution: your settings file cannot be read; %1 starts with its default "
                 "settings.")
                  .arg(product)
            : tr("Caution: your settings file cannot be read. It has been kept as \"%2\", and %1 "
                 "starts with its default settings.")
                  .arg(product, keptAs));
}

void ScrivelApp::loadSettings(LocalePrefs *locale, int *inputMode)
{
    setAsideUnreadableSettings();
    QSettings store(organizationName(), applicationName());
    const QScreen *primary = primaryScreen();
    const PreferencesRead read = readPreferences(
        store, &m_preferences, primary ? primary->availableGeometry() : QRect(),
        availableDesktop());
    m_autostartStored = checkStartWithWindows();
    m_preferences.behaviour.startWithSystem = m_autostartStored;
    m_saveInk = read.saveInk;
    if (locale)
        *locale = read.locale;
    // A stored name that is no mode starts the panel in cursive writing, not without a pad.
    m_startInputMode = read.inputMode == UnknownMode ? int(CursiveMode) : read.inputMode;
    if (inputMode)
        *inputMode = m_startInputMode;
    m_preferencesRead = true;
    loadDictionaries();
}

void ScrivelApp::loadPanelSettings(LocalePrefs *locale, int *inputMode)
{
    if (!m_preferencesRead) {
        loadSettings(locale, inputMode);
        return;
    }
    QSettings store(organizationName(), applicationName());
    AppPreferences stored;
    const PreferencesRead read = readPreferences(store, &stored, QRect(), QRect());
    if (locale)
        *locale = read.locale;
    m_startInputMode = read.inputMode;
    if (inputMode)
        *inputMode = m_startInputMode;
}

void ScrivelApp::loadInputWidgetSettings(InputWidget *widget)
{
    QSettings store(organizationName(), applicationName());
    if (widget)
        readInputWidgetSettings(store, *widget);
}

void ScrivelApp::saveInputWidgetSettings(InputWidget *widget)
{
    QSettings store(organizationName(), applicationName());
    if (widget)
        writeInputWidgetSettings(store, *widget);
}

void ScrivelApp::loadDictionaries()
{
    const QStringList personal = readPersonalDictionary();
    const QStringList common = readDictionaryFile(commonDictionaryPath());
    m_preferences.dictionaries = {personal, common};
    m_preferences.allWords = personal + common;
}
