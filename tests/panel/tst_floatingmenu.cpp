#include "panelfixture.h"

#include "panel/floatingmenu.h"
#include "panel/mainframe.h"
#include "skin/svguitextbutton.h"

#include <QButtonGroup>
#include <QMouseEvent>
#include <QTest>

class TestFloatingMenu : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyTextShowsWriteAndAllowsPointerMode();
    void buttonsFollowTheLastEnabling_data();
    void buttonsFollowTheLastEnabling();
    void modeSetsHeightAndArea_data();
    void modeSetsHeightAndArea();
    void withoutAreasTheSizeIsKept();
    void layoutEndReturnsToPenMode();
    void dragMovesAndStoresThePosition_data();
    void dragMovesAndStoresThePosition();
    void resetStoresTheOrigin();

private:
    void mouse(QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons);

    FixtureServices services;
    MainFrame *frame = nullptr;
    FloatingMenu *menu = nullptr;
};

void TestFloatingMenu::init()
{
    PanelServices::setInstance(&services);
    frame = new MainFrame;
    menu = new FloatingMenu(frame, frame->magicAction(), frame->clearAction());
}

void TestFloatingMenu::cleanup()
{
    delete menu;
    delete frame;
    PanelServices::setInstance(nullptr);
}

void TestFloatingMenu::mouse(QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons)
{
    const QPointF local = menu->mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &event);
}

void TestFloatingMenu::emptyTextShowsWriteAndAllowsPointerMode()
{
    QVERIFY(menu->isHidden());
    QVERIFY(!menu->sendButton()->isEnabled());
    QVERIFY(menu->sendButton()->isHidden());
    QVERIFY(!menu->writeButton()->isHidden());
    QVERIFY(menu->selectButton()->isEnabled());
    QVERIFY(!menu->clearButton()->isEnabled());
    QCOMPARE(menu->sendButton()->defaultAction(), frame->sendAction());
    QCOMPARE(menu->languageButton()->menu(), frame->languageMenu());
}

void TestFloatingMenu::buttonsFollowTheLastEnabling_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("undo on") << int(Undo) << true;
    QTest::newRow("redo on") << int(Redo) << true;
    QTest::newRow("clear on") << int(Clear) << true;
    QTest::newRow("clear off") << int(Clear) << false;
}

void TestFloatingMenu::buttonsFollowTheLastEnabling()
{
    QFETCH(int, type);
    QFETCH(bool, enabled);
    menu->enableButtons(UndoType::Clear, !enabled);
    menu->enableButtons(UndoType(type), enabled);
    for (SvgUIButton *button : {menu->sendButton(), menu->clearButton(), menu->magicButton()})
        QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(menu->sendButton()->isHidden(), !enabled);
    QCOMPARE(menu->writeButton()->isHidden(), enabled);
    QCOMPARE(menu->selectButton()->isEnabled(), !enabled);
}

void TestFloatingMenu::modeSetsHeightAndArea_data()
{
    QTest::addColumn<bool>("pointer");
    QTest::newRow("pointer mode") << true;
    QTest::newRow("pen mode") << false;
}

void TestFloatingMenu::modeSetsHeightAndArea()
{
    QFETCH(bool, pointer);
    auto *keyboard = new QWidget(menu);
    keyboard->setFixedSize(256, 57);
    auto *writeArea = new QWidget(menu);
    menu->setKeyboardArea(keyboard);
    menu->setWriteButtonArea(writeArea);
    menu->setBottomMargin(2);
    menu->clearButton()->resize(30, 24);
    menu->selectButton()->setCheckable(true);
    menu->selectButton()->setChecked(pointer);
    menu->updateSize();
    QCOMPARE(menu->maximumHeight(), (pointer ? 57 : 24) + 2);
    QCOMPARE(menu->minimumHeight(), menu->maximumHeight());
    QCOMPARE(keyboard->isHidden(), !pointer);
    QCOMPARE(writeArea->isHidden(), pointer);
}

void TestFloatingMenu::withoutAreasTheSizeIsKept()
{
    menu->setKeyboardArea(new QWidget(menu));
    menu->selectButton()->setCheckable(true);
    menu->selectButton()->setChecked(true);
    menu->updateSize();
    QCOMPARE(menu->maximumHeight(), QWIDGETSIZE_MAX);
    QVERIFY(!menu->keyboardArea()->isHidden());
}

void TestFloatingMenu::layoutEndReturnsToPenMode()
{
    QButtonGroup modes;
    for (SvgUIButton *button : {menu->writeButton(), menu->selectButton()}) {
        button->setCheckable(true);
        modes.addButton(button);
    }
    menu->manageWriteButton();
    QVERIFY(!menu->writeButton()->isChecked());
    menu->selectButton()->setChecked(true);
    menu->manageWriteButton();
    QVERIFY(menu->writeButton()->isChecked());
    QVERIFY(!menu->selectButton()->isChecked());
}

void TestFloatingMenu::dragMovesAndStoresThePosition_data()
{
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<bool>("moves");
    QTest::newRow("on screen") << QPoint(20, 30) << true;
    QTest::newRow("off screen refused") << QPoint(-5000, 0) << false;
}

void TestFloatingMenu::dragMovesAndStoresThePosition()
{
    QFETCH(QPoint, delta);
    QFETCH(bool, moves);
    menu->setGeometry(100, 100, 200, 60);
    menu->show();
    const QPoint expected = menu->pos() + (moves ? delta : QPoint());
    const QPoint start = menu->mapToGlobal(QPoint(5, 5));
    mouse(QEvent::MouseButtonPress, start, Qt::LeftButton);
    mouse(QEvent::MouseMove, start + delta, Qt::LeftButton);
    QCOMPARE(menu->pos(), expected);
    QCOMPARE(services.floatingMenuPosition(), expected);
    QCOMPARE(menu->cursor().shape(), Qt::ClosedHandCursor);
    mouse(QEvent::MouseButtonRelease, start + delta, Qt::NoButton);
    QCOMPARE(menu->pos(), expected);
    QCOMPARE(menu->cursor().shape(), Qt::ArrowCursor);
}

void TestFloatingMenu::resetStoresTheOrigin()
{
    services.setFloatingMenuPosition(QPoint(40, 50));
    menu->resetFloatingMenuPos();
    QCOMPARE(services.floatingMenuPosition(), QPoint(0, 0));
}

QTEST_MAIN(TestFloatingMenu)
#include "tst_floatingmenu.moc"
