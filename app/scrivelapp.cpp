#include "app/scrivelapp.h"

#include "app/preferencesstore.h"
#include "panel/mainframe.h"
#include "windows/userdictionaries.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

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

ScrivelApp::ScrivelApp(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false);
}

ScrivelApp::~ScrivelApp() = default;

ScrivelApp *ScrivelApp::instance()
{
    return qobject_cast<ScrivelApp *>(QCoreApplication::instance());
}

void ScrivelApp::setPanelWindow(QWidget *panel)
{
    m_panel = panel;
}

void ScrivelApp::setLockHiding(bool lock)
{
    m_lockHiding = lock;
}

int ScrivelApp::currentInputMode() const
{
    auto *panel = qobject_cast<MainFrame *>(m_panel.data());
    if (!panel || !panel->inputWidget())
        return UnknownMode;
    return panel->inputWidget()->inputMode();
}

void ScrivelApp::saveSettings()
{
    QSettings store(organizationName(), applicationName());
    QActionGroup *languages = m_panel ? m_panel->findChild<QActionGroup *>(
                                            QStringLiteral("writingLanguages"))
                                      : nullptr;
    writePreferences(store, m_preferences, collectLocalePrefs(languages), currentInputMode());
    if (m_preferences.behaviour.startWithSystem != m_autostartStored
        && setStartWithWindows(m_preferences.behaviour.startWithSystem))
        m_autostartStored = m_preferences.behaviour.startWithSystem;
}

void ScrivelApp::loadSettings(LocalePrefs *locale, int *inputMode)
{
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
    if (inputMode)
        *inputMode = read.inputMode;
    loadDictionaries();
}

void ScrivelApp::loadDictionaries()
{
    const QStringList personal = readPersonalDictionary();
    const QStringList common = readDictionaryFile(commonDictionaryPath());
    m_preferences.dictionaries = {personal, common};
    m_preferences.allWords = personal + common;
}
