#include "appmain.h"
#include "panel/mainframe.h"
#include "recognition/enginebinding.h"

#include <QActionGroup>
#include <QStateMachine>
#include <QSystemTrayIcon>
#include <QTemporaryDir>

// The tray icon as the application builds it with the real panel.
class TestTrayIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void hiddenUntilTheFirstState();
    void toolTipFollowsTheWritingLanguage();
    void openDialogsTakeTheMenu();
    void reactivationShowsTheIcon();

private:
    static ScrivelApp *app() { return ScrivelApp::instance(); }
    static MainFrame *panel() { return qobject_cast<MainFrame *>(app()->panelWindow()); }
    static QSystemTrayIcon *tray() { return app()->trayIcon(); }
    static void selectLanguage(const QString &locale);

    QTemporaryDir m_folder;
};

void TestTrayIcon::initTestCase()
{
    QVERIFY(m_folder.isValid());
    useProgramFolders(m_folder);
    QVERIFY(startEngine());
}

void TestTrayIcon::cleanupTestCase()
{
    delete app()->panelWindow();
    stopEngine();
}

// Without options the machine starts in Hidden, where the tray icon is the way back.
void TestTrayIcon::init()
{
    app()->setStateMachine(app()->buildStateMachine({}));
    QVERIFY(tray());
}

void TestTrayIcon::cleanup()
{
    delete app()->stateMachine();
}

void TestTrayIcon::selectLanguage(const QString &locale)
{
    const QList<QAction *> actions = panel()->getLanguageGroup()->actions();
    for (QAction *action : actions) {
        if (action->data().toString().endsWith(QLatin1Char(' ') + locale)) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no language action for %1").arg(locale)));
}

void TestTrayIcon::hiddenUntilTheFirstState()
{
    QVERIFY(!tray()->isVisible());
    QVERIFY(!tray()->icon().isNull());
    QVERIFY(!panel()->windowIcon().isNull());
    QCOMPARE(tray()->parent(), panel());

    app()->stateMachine()->start();
    QTRY_COMPARE(app()->currentState(), int(ScrivelApp::HiddenState));
    QVERIFY(tray()->isVisible());
    QCOMPARE(tray()->contextMenu(), panel()->contextMenu());
}

void TestTrayIcon::toolTipFollowsTheWritingLanguage()
{
    selectLanguage(QStringLiteral("en_US"));
    QCOMPARE(tray()->toolTip(), QStringLiteral("Inkora Scrivel 3.2.60.140 zk English"));
    selectLanguage(QStringLiteral("ja_JP"));
    QCOMPARE(tray()->toolTip(), QStringLiteral("Inkora Scrivel 3.2.60.140 zk Japanese"));
    selectLanguage(QStringLiteral("en_US"));
}

// A message box over a dialog announces itself too; the menu comes back with the last.
void TestTrayIcon::openDialogsTakeTheMenu()
{
    app()->stateMachine()->start();
    QTRY_COMPARE(app()->currentState(), int(ScrivelApp::HiddenState));
    emit app()->generalDialogEvent(true);
    QVERIFY(!tray()->contextMenu());
    emit app()->generalDialogEvent(true);
    emit app()->generalDialogEvent(false);
    QVERIFY(!tray()->contextMenu());
    emit app()->generalDialogEvent(false);
    QCOMPARE(tray()->contextMenu(), panel()->contextMenu());
    emit app()->generalDialogEvent(false);
    QCOMPARE(tray()->contextMenu(), panel()->contextMenu());
}

void TestTrayIcon::reactivationShowsTheIcon()
{
    tray()->show();
    app()->reactivateTrayIcon();
    QVERIFY(tray()->isVisible());
}

SCRIVEL_APP_TEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
