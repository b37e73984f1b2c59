#include "appmain.h"
#include "pad/minikeyboard.h"
#include "pad/writepad.h"
#include "panel/floatingmenu.h"
#include "panel/mainframe.h"
#include "recognition/enginebinding.h"
#include "recognition/inputmode.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"

#include <QAction>
#include <QLayout>
#include <QSignalSpy>
#include <QTemporaryDir>

// The floating menu bar as the application assembles it from the shipped skin.
class TestFloatingMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void stripFitsBelowTheButtonRow_data();
    void stripFitsBelowTheButtonRow();
    void pointerModeHoldsAFullScreenQuickAccessIcon();
    void quickAccessCheckFollowsItsCaller_data();
    void quickAccessCheckFollowsItsCaller();
    void keysReachTheCurrentPad_data();
    void keysReachTheCurrentPad();
    void frameCornersInBothDirections_data();
    void frameCornersInBothDirections();

private:
    FloatingMenu *menu() const { return ScrivelApp::instance()->floatingMenu(); }
    MainFrame *panel() const
    {
        return qobject_cast<MainFrame *>(ScrivelApp::instance()->panelWindow());
    }
    void settle();
    void assemble(Qt::LayoutDirection direction);

    QTemporaryDir m_folder;
};

void TestFloatingMenuBar::initTestCase()
{
    QVERIFY(m_folder.isValid());
    useProgramFolders(m_folder);
    QVERIFY(startEngine());
    assemble(Qt::LeftToRight);
}

// A new panel and bar under the interface direction.
void TestFloatingMenuBar::assemble(Qt::LayoutDirection direction)
{
    ScrivelApp *app = ScrivelApp::instance();
    delete app->stateMachine();
    delete app->panelWindow();
    QVERIFY(!menu());
    QGuiApplication::setLayoutDirection(direction);
    app->setStateMachine(app->buildStateMachine({}));
    QVERIFY(menu());
    menu()->show();
}

void TestFloatingMenuBar::cleanupTestCase()
{
    ScrivelApp *app = ScrivelApp::instance();
    delete app->stateMachine();
    delete app->panelWindow();
    stopEngine();
}

void TestFloatingMenuBar::settle()
{
    QCoreApplication::processEvents();
    menu()->layout()->activate();
    QCoreApplication::processEvents();
}

void TestFloatingMenuBar::stripFitsBelowTheButtonRow_data()
{
    QTest::addColumn<bool>("pointer");
    QTest::newRow("pen mode") << false;
    QTest::newRow("pointer mode") << true;
}

void TestFloatingMenuBar::stripFitsBelowTheButtonRow()
{
    QFETCH(bool, pointer);
    (pointer ? menu()->selectButton() : menu()->writeButton())->setChecked(true);
    settle();
    const QRect bar = menu()->rect();
    QWidget *row = panel()->skin().widget(QStringLiteral("floatingMenu"));
    QVERIFY(row);
    const int rowBottom = row->mapTo(menu(), QPoint(0, row->height())).y();
    QVERIFY(menu()->clearButton()->height() <= row->height());

    QWidget *strip = pointer ? menu()->keyboardArea() : menu()->writeButtonArea();
    QWidget *other = pointer ? menu()->writeButtonArea() : menu()->keyboardArea();
    QVERIFY(!strip->isHidden());
    QVERIFY(other->isHidden());
    const QRect stripRect(strip->mapTo(menu(), QPoint()), strip->size());
    QVERIFY2(bar.contains(stripRect), qPrintable(QStringLiteral("strip %1,%2 %3x%4 in %5x%6")
                                                     .arg(stripRect.x()).arg(stripRect.y())
                                                     .arg(stripRect.width())
                                                     .arg(stripRect.height())
                                                     .arg(bar.width()).arg(bar.height())));
    QVERIFY(stripRect.top() >= rowBottom);
    QCOMPARE(stripRect.height(), pointer ? 57 : menu()->fullScreenButton()->height());
    QCOMPARE(bar.height(), menu()->topMargin() + stripRect.height() + menu()->bottomMargin());

    const QList<QWidget *> inStrip =
        pointer ? QList<QWidget *>{ScrivelApp::instance()->floatingMiniKeyboard()}
                : QList<QWidget *>{menu()->languageButton(), menu()->closeButton(),
                                   menu()->fullScreenButton()};
    for (QWidget *widget : inStrip) {
        const QRect rect(widget->mapTo(strip, QPoint()), widget->size());
        QVERIFY2(strip->rect().contains(rect), widget->metaObject()->className());
    }
}

void TestFloatingMenuBar::pointerModeHoldsAFullScreenQuickAccessIcon()
{
    ScrivelApp *app = ScrivelApp::instance();
    menu()->writeButton()->setChecked(true);
    QVERIFY(!app->holdsFullScreenQuickAccess());
    menu()->selectButton()->setChecked(true);
    QVERIFY(app->holdsFullScreenQuickAccess());
    QCOMPARE(app->quickAccessSyncState(), 0);
    menu()->writeButton()->setChecked(true);
    QVERIFY(!app->holdsFullScreenQuickAccess());
}

void TestFloatingMenuBar::quickAccessCheckFollowsItsCaller_data()
{
    QTest::addColumn<bool>("fromWriteButton");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("held");
    QTest::newRow("start") << false << true << true;
    QTest::newRow("stop") << false << false << false;
    QTest::newRow("write button: start inverted") << true << true << false;
    QTest::newRow("write button: stop inverted") << true << false << true;
}

void TestFloatingMenuBar::quickAccessCheckFollowsItsCaller()
{
    QFETCH(bool, fromWriteButton);
    QFETCH(bool, start);
    QFETCH(bool, held);
    FullScreenWriting *writing = ScrivelApp::instance()->fullScreenWriting();
    writing->checkInputForQuickAccessBehaviourFullScreen(!held, 2);
    QObject other;
    QObject *caller = fromWriteButton ? static_cast<QObject *>(menu()->writeButton()) : &other;
    const QMetaObject::Connection call =
        connect(caller, &QObject::objectNameChanged, writing, [writing, start] {
            writing->checkInputForQuickAccessBehaviourFullScreen(start, 5);
        });
    caller->setObjectName(QString::fromLatin1(QTest::currentDataTag()));
    disconnect(call);
    QCOMPARE(writing->holdsFullScreenQuickAccess(), held);
    if (held)
        QCOMPARE(writing->quickAccessSyncState(), 5);
    writing->checkInputForQuickAccessBehaviourFullScreen(true, 2);
    QCOMPARE(writing->quickAccessSyncState(), held ? 5 : 2);
    writing->checkInputForQuickAccessBehaviourFullScreen(false);
}

void TestFloatingMenuBar::keysReachTheCurrentPad_data()
{
    QTest::addColumn<QList<int>>("modes");
    QTest::newRow("as assembled") << QList<int>();
    QTest::newRow("after the boxed pad") << QList<int>{IsolatedMode, CursiveMode};
    QTest::newRow("after the on-screen keyboard") << QList<int>{KeyboardMode, CursiveMode};
}

// The panel makes a new input widget at each change of mode.
void TestFloatingMenuBar::keysReachTheCurrentPad()
{
    QFETCH(QList<int>, modes);
    for (int mode : modes) {
        QAction action;
        action.setData(mode);
        panel()->changeMainInputMode(&action);
        QCOMPARE(panel()->inputWidget()->inputMode(), mode);
        QCoreApplication::processEvents();
    }
    auto *pad = qobject_cast<Writepad *>(panel()->inputWidget());
    QVERIFY(pad);
    QSignalSpy exported(pad, &InputWidget::exportModel);
    ScrivelApp::instance()->floatingMiniKeyboard()->sendKey(MiniKeyboard::Space);
    QTRY_VERIFY(!exported.isEmpty());
    panel()->undoEvent(Clear);
}

void TestFloatingMenuBar::frameCornersInBothDirections_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("left to right") << Qt::LeftToRight;
    QTest::newRow("right to left") << Qt::RightToLeft;
}

// The skin mirrors its grids for right to left: the corner pieces must follow, or the bar's
// rounded corners land inside it and its straight edges at its corners.
void TestFloatingMenuBar::frameCornersInBothDirections()
{
    QFETCH(Qt::LayoutDirection, direction);
    assemble(direction);
    for (bool pointer : {false, true}) {
        (pointer ? menu()->selectButton() : menu()->writeButton())->setChecked(true);
        settle();
        const QImage shot = menu()->grab().toImage();
        const int right = shot.width() - 1;
        const int bottom = shot.height() - 1;
        for (const QPoint &corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom),
                                     QPoint(right, bottom)})
            QVERIFY2(qAlpha(shot.pixel(corner)) == 0,
                     qPrintable(QStringLiteral("corner %1,%2").arg(corner.x()).arg(corner.y())));
        for (const QPoint &edge : {QPoint(right / 2, 0), QPoint(0, bottom / 2),
                                   QPoint(right, bottom / 2), QPoint(right / 2, bottom)})
            QVERIFY2(qAlpha(shot.pixel(edge)) > 0,
                     qPrintable(QStringLiteral("edge %1,%2").arg(edge.x()).arg(edge.y())));
    }
    QCOMPARE(menu()->writeButton()->mapTo(menu(), QPoint()).x()
                 < menu()->selectButton()->mapTo(menu(), QPoint()).x(),
             true);
}

SCRIVEL_APP_TEST_MAIN(TestFloatingMenuBar)
#include "tst_floatingmenubar.moc"
