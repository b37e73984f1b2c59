#include "app/apppanelservices.h"
#include "app/placement.h"
#include "panel/scriveldialog.h"
#include "app/scrivelmenu.h"
#include "app/scrivelmsgbox.h"
#include "appmain.h"
#include "platform/prompt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void placement_data();
    void placement();
    void dialogAnnouncesBeforePlacingAndAfterHiding();
    void messageBoxAnnouncesAfterPlacing();
    void messageBoxAnswersThroughThePrompt_data();
    void messageBoxAnswersThroughThePrompt();
    void menuIgnoresPressesRightAfterShowing_data();
    void menuIgnoresPressesRightAfterShowing();
    void menuLocksHidingOnlyWithAPanel();
};

void TestDialogs::cleanup()
{
    Prompt::setHandler({});
    Prompt::clearRequests();
    ScrivelApp::instance()->setPanelWindow(nullptr);
}

void TestDialogs::placement_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("panel");
    QTest::addColumn<QPoint>("expected");
    const QRect area(0, 0, 1000, 800); // right 999, bottom 799
    QTest::addRow("centred on the panel") << QSize(200, 100) << QRect(100, 100, 400, 300)
                                          << QPoint(200, 200);
    QTest::addRow("odd difference rounds down") << QSize(201, 101) << QRect(0, 0, 400, 300)
                                                << QPoint(99, 99);
    QTest::addRow("panel at the right edge") << QSize(600, 100) << QRect(800, 100, 200, 300)
                                             << QPoint(399, 200);
    QTest::addRow("panel at the bottom edge") << QSize(100, 400) << QRect(0, 700, 200, 100)
                                              << QPoint(50, 399);
    QTest::addRow("larger than the area") << QSize(1200, 900) << QRect(100, 100, 400, 300)
                                          << area.topLeft();
    QTest::addRow("off the top left") << QSize(300, 300) << QRect(-100, -100, 200, 200)
                                      << area.topLeft();
    QTest::addRow("area with an offset") << QSize(400, 100)
                                         << QRect(1000, 50, 100, 100) << QPoint(599, 50);
}

void TestDialogs::placement()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, panel);
    QFETCH(QPoint, expected);
    const QRect area = QTest::currentDataTag() == QByteArray("area with an offset")
                           ? QRect(0, 50, 1000, 800)
                           : QRect(0, 0, 1000, 800);
    QCOMPARE(centredInside(frame, panel, area), expected);
}

void TestDialogs::dialogAnnouncesBeforePlacingAndAfterHiding()
{
    QWidget panel;
    panel.setGeometry(300, 200, 400, 300);
    ScrivelApp::instance()->setPanelWindow(&panel);
    AppPanelServices::install(ScrivelApp::instance());

    ScrivelDialog dialog;
    dialog.resize(200, 100);
    QList<bool> relayed;
    bool visibleAtHide = true;
    connect(ScrivelApp::instance(), &ScrivelApp::generalDialogEvent, &dialog,
            [&](bool shown) {
                relayed << shown;
                if (!shown)
                    visibleAtHide = dialog.isVisible();
            });
    dialog.show();
    QCOMPARE(relayed, QList<bool>{true});
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(dialog.frameGeometry().topLeft(),
             centredInside(dialog.frameGeometry().size(), panel.frameGeometry(), available));
    dialog.hide();
    QCOMPARE(relayed, (QList<bool>{true, false}));
    QVERIFY(!visibleAtHide);
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
}

void TestDialogs::messageBoxAnnouncesAfterPlacing()
{
    QWidget panel;
    panel.setGeometry(100, 100, 500, 400);
    ScrivelApp::instance()->setPanelWindow(&panel);

    ScrivelMsgBox box(QMessageBox::Information, QStringLiteral("Inkora Scrivel"),
                      QStringLiteral("Text"), QMessageBox::Ok);
    QPoint atAnnouncement;
    connect(&box, &ScrivelMsgBox::dialogEvent, this, [&](bool shown) {
        if (shown)
            atAnnouncement = box.frameGeometry().topLeft();
    });
    QSignalSpy relayed(ScrivelApp::instance(), &ScrivelApp::generalDialogEvent);
    box.show();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(atAnnouncement,
             centredInside(box.frameGeometry().size(), panel.frameGeometry(), available));
    QCOMPARE(relayed.count(), 1);
    QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
    box.hide();
    QCOMPARE(relayed.count(), 2);
    QCOMPARE(relayed.at(1).at(0).toBool(), false);
}

void TestDialogs::messageBoxAnswersThroughThePrompt_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<int>("expected");
    QTest::addRow("critical, default") << int(QMessageBox::Critical) << QVariant()
                                       << int(QMessageBox::Ok);
    QTest::addRow("question, no") << int(QMessageBox::Question)
                                  << QVariant(int(QMessageBox::No)) << int(QMessageBox::No);
    QTest::addRow("warning, cancel") << int(QMessageBox::Warning)
                                     << QVariant(int(QMessageBox::Cancel))
                                     << int(QMessageBox::Cancel);
    QTest::addRow("information, ok") << int(QMessageBox::Information)
                                     << QVariant(int(QMessageBox::Ok)) << int(QMessageBox::Ok);
}

void TestDialogs::messageBoxAnswersThroughThePrompt()
{
    QFETCH(int, icon);
    QFETCH(QVariant, answer);
    QFETCH(int, expected);
    Prompt::setHandler([answer](const Prompt::Request &) { return answer; });
    QSignalSpy relayed(ScrivelApp::instance(), &ScrivelApp::generalDialogEvent);
    const QString title = QStringLiteral("Inkora Scrivel");
    const QString text = QStringLiteral("Message");
    QMessageBox::StandardButton result = QMessageBox::NoButton;
    switch (QMessageBox::Icon(icon)) {
    case QMessageBox::Critical:
        result = ScrivelMsgBox::critical(nullptr, title, text, QMessageBox::Ok, QMessageBox::Ok);
        break;
    case QMessageBox::Question:
        result = ScrivelMsgBox::question(nullptr, title, text);
        break;
    case QMessageBox::Warning:
        result = ScrivelMsgBox::warning(nullptr, title, text,
                                        QMessageBox::Ok | QMessageBox::Cancel);
        break;
    default:
        result = ScrivelMsgBox::information(nullptr, title, text);
        break;
    }
    QCOMPARE(int(result), expected);
    const QList<Prompt::Request> requests = Prompt::requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().icon, icon);
    QCOMPARE(requests.first().title, title);
    QCOMPARE(requests.first().text, text);
    QCOMPARE(relayed.count(), 2);
    QCOMPARE(relayed.at(0).at(0).toBool(), true);
    QCOMPARE(relayed.at(1).at(0).toBool(), false);
}

void TestDialogs::menuIgnoresPressesRightAfterShowing_data()
{
    QTest::addColumn<bool>("guardOver");
    QTest::addColumn<bool>("triggered");
    QTest::addRow("while guarded") << false << false;
    QTest::addRow("guard over") << true << true;
}

void TestDialogs::menuIgnoresPressesRightAfterShowing()
{
    QFETCH(bool, guardOver);
    QFETCH(bool, triggered);
    ScrivelMenu menu;
    QAction *entry = menu.addAction(QStringLiteral("Entry"));
    QSignalSpy shown(&menu, &ScrivelMenu::menuShown);
    QSignalSpy spy(entry, &QAction::triggered);
    menu.popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(shown.count(), 1);
    // Decided by the guard itself, not by a wait that a loaded machine may stretch.
    if (guardOver)
        QTRY_VERIFY_WITH_TIMEOUT(!menu.isGuarded(), 5000);
    else if (!menu.isGuarded())
        QSKIP("the menu took longer to show than its guard lasts");
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(entry).center());
    QCOMPARE(spy.count() == 1, triggered);
    menu.hide();
}

void TestDialogs::menuLocksHidingOnlyWithAPanel()
{
    ScrivelApp *app = ScrivelApp::instance();
    ScrivelMenu menu(QStringLiteral("Menu"));
    menu.addAction(QStringLiteral("Entry"));
    menu.popup(QPoint(10, 10));
    QVERIFY(!app->isHidingLocked());
    menu.hide();

    QWidget panel;
    app->setPanelWindow(&panel);
    QSignalSpy hidden(&menu, &ScrivelMenu::menuHidden);
    menu.popup(QPoint(10, 10));
    QVERIFY(app->isHidingLocked());
    QVERIFY(menu.isGuarded());
    menu.hide();
    QVERIFY(!app->isHidingLocked());
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(hidden.at(0).at(0).value<QWidget *>(), &menu);
}

SCRIVEL_APP_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
