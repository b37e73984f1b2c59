#include "skin/svguibutton.h"
#include "platform/desktop.h"

#include "skin/skinpaths.h"
#include "skinfixtures.h"

#include <QActionGroup>
#include <QMenu>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabletEvent>
#include <QTest>

namespace {

struct StateKey
{
    QIcon::Mode mode;
    QIcon::State state;
};

// The (mode, state) of each state slot, in slot order.
const StateKey stateKeys[6] = {
    {QIcon::Normal, QIcon::Off},   {QIcon::Normal, QIcon::On},   {QIcon::Active, QIcon::Off},
    {QIcon::Active, QIcon::On},    {QIcon::Disabled, QIcon::Off}, {QIcon::Disabled, QIcon::On},
};

QStringList storedStates(const SvgUIButton &button)
{
    QStringList states;
    for (const StateKey &key : stateKeys)
        states.append(button.stateElement(key.mode, key.state));
    return states;
}

} // namespace

class TestSvgUIButton : public QObject
{
    Q_OBJECT
private slots:
    void stateFallback_data();
    void stateFallback();
    void resolveFromElements_data();
    void resolveFromElements();
    void resolveReplacesEarlierStates();
    void resolveFromFiles();
    void drawnElementFollowsState_data();
    void drawnElementFollowsState();
    void buttonModes();
    void handOverToParent_data();
    void handOverToParent();
    void penActsAsMouse_data();
    void penActsAsMouse();
    void defaultActionDrivesTheButton();
    void exclusiveActionStaysChecked();
    void enablingSignals();
    void dropDownMenuOpensOnLeftPress();
    void maskKeptOnScreen_data();
    void maskKeptOnScreen();
};

void TestSvgUIButton::stateFallback_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("drawn");
    const QStringList send = {"", "send_on", "", "send", "send_disabled_off", ""};
    QTest::newRow("none") << QStringList(6) << 0 << QString();
    QTest::newRow("own element") << QStringList{"a", "b", "c", "d", "e", "f"} << 4 << "e";
    // Normal off reaches normal on before hovered on.
    QTest::newRow("send normal") << send << 0 << "send_on";
    QTest::newRow("send checked") << send << 1 << "send_on";
    QTest::newRow("send hovered") << send << 2 << "send";
    QTest::newRow("send hovered on") << send << 3 << "send";
    QTest::newRow("send disabled") << send << 4 << "send_disabled_off";
    QTest::newRow("send disabled on") << send << 5 << "send_on";
    QTest::newRow("only disabled on") << QStringList{"", "", "", "", "", "x"} << 0 << "x";
    QTest::newRow("hover off to normal") << QStringList{"n", "c", "", "", "", ""} << 2 << "n";
    QTest::newRow("hover on to checked") << QStringList{"n", "c", "", "", "", ""} << 3 << "c";
    QTest::newRow("disabled on to own off")
        << QStringList{"n", "", "", "", "d", ""} << 5 << "d";
    QTest::newRow("disabled off to hover")
        << QStringList{"", "", "h", "", "", ""} << 4 << "h";
}

void TestSvgUIButton::stateFallback()
{
    QFETCH(QStringList, stored);
    QFETCH(int, slot);
    QFETCH(QString, drawn);
    SvgUIButton button;
    for (int i = 0; i < 6; ++i)
        button.setStateElement(stored[i], stateKeys[i].mode, stateKeys[i].state);
    QCOMPARE(storedStates(button), stored);
    QCOMPARE(button.effectiveStateElement(stateKeys[slot].mode, stateKeys[slot].state), drawn);
}

void TestSvgUIButton::resolveFromElements_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QStringList>("states");
    QTest::newRow("send") << "send"
                          << QStringList{"", "send_on", "", "send", "send_disabled_off", ""};
    // Both spellings of hovered on exist; the one tried later wins.
    QTest::newRow("mode") << "mode" << QStringList{"", "", "", "mode_on_active", "", ""};
    QTest::newRow("no variants") << "plain" << QStringList{"", "", "", "plain", "", ""};
    QTest::newRow("missing") << "absent" << QStringList(6);
}

void TestSvgUIButton::resolveFromElements()
{
    QFETCH(QString, element);
    QFETCH(QStringList, states);
    SvgUIButton button;
    button.resolveStateElement("fixture", element, QString());
    QCOMPARE(button.file(), fixtureFile());
    QCOMPARE(button.element(), element);
    QCOMPARE(storedStates(button), states);
}

void TestSvgUIButton::resolveReplacesEarlierStates()
{
    SvgUIButton button;
    button.resolveStateElement("fixture", "send", QString());
    button.resolveStateElement("fixture", "plain", QString());
    QCOMPARE(storedStates(button), (QStringList{"", "", "", "plain", "", ""}));
    button.updateStateElement();
    QCOMPARE(button.element(), QStringLiteral("plain"));
}

void TestSvgUIButton::resolveFromFiles()
{
    SvgUIButton button;
    button.setMaskSource("fixpen", "auto");
    button.resolveStateElement("fixpen", QString(), QString());
    QCOMPARE(storedStates(button),
             (QStringList{skinImagePath("fixpen_off"), skinImagePath("fixpen"), "", "", "",
                          skinImagePath("fixpen_disabled_on")}));
    QVERIFY(button.maskElement().isEmpty());
    QVERIFY(button.maskFile().startsWith(skinImagePath("fixpen").chopped(4)));
    button.updateStateElement();
    QCOMPARE(button.file(), skinImagePath("fixpen_off"));
    QVERIFY(button.element().isEmpty());
    button.setEnabled(false);
    button.setCheckable(true);
    button.setChecked(true);
    button.updateStateElement();
    QCOMPARE(button.file(), skinImagePath("fixpen_disabled_on"));
    QCOMPARE(button.sizeHint(), QSize(16, 16));
}

void TestSvgUIButton::drawnElementFollowsState_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hovered");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("normal") << true << false << false << false << "send_on";
    QTest::newRow("checked") << true << false << true << false << "send_on";
    QTest::newRow("down") << true << false << false << true << "send_on";
    QTest::newRow("hovered") << true << true << false << false << "send";
    QTest::newRow("hovered down") << true << true << false << true << "send";
    QTest::newRow("disabled") << false << false << false << false << "send_disabled_off";
    QTest::newRow("disabled hovered") << false << true << false << false << "send_disabled_off";
    QTest::newRow("disabled checked") << false << false << true << false << "send_on";
}

void TestSvgUIButton::drawnElementFollowsState()
{
    QFETCH(bool, enabled);
    QFETCH(bool, hovered);
    QFETCH(bool, checked);
    QFETCH(bool, down);
    QFETCH(QString, drawn);
    SvgUIButton button;
    button.resolveStateElement("fixture", "send", QString());
    button.setCheckable(true);
    button.setChecked(checked);
    button.setDown(down);
    button.setEnabled(enabled);
    if (hovered) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&button, &enter);
    }
    button.resize(20, 10);
    QSignalSpy painted(&button, &SvgUIButton::paintDone);
    button.grab();
    QCOMPARE(painted.count(), 1);
    QCOMPARE(button.element(), drawn);
}

void TestSvgUIButton::buttonModes()
{
    SvgUIButton button;
    QCOMPARE(button.buttonMode(), SvgUIButton::Plain);
    QVERIFY(!button.setButtonMode(SvgUIButton::DropDown));
    QVERIFY(!button.setButtonMode(SvgUIButton::Combo));
    QCOMPARE(button.buttonMode(), SvgUIButton::Plain);
    QVERIFY(button.setButtonMode(SvgUIButton::HandOver));
    QCOMPARE(button.buttonMode(), SvgUIButton::HandOver);
    QMenu menu;
    button.setMenu(&menu);
    QCOMPARE(button.buttonMode(), SvgUIButton::DropDown);
    QVERIFY(button.setButtonMode(SvgUIButton::Plain));
    QVERIFY(button.setButtonMode(SvgUIButton::DropDown));
}

void TestSvgUIButton::handOverToParent_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("hand-over, dragged off") << int(SvgUIButton::HandOver) << QPoint(60, 5) << 0
                                            << true;
    QTest::newRow("hand-over, stays on") << int(SvgUIButton::HandOver) << QPoint(8, 6) << 1
                                         << false;
    QTest::newRow("plain, dragged off") << int(SvgUIButton::Plain) << QPoint(60, 5) << 0
                                        << false;
}

void TestSvgUIButton::handOverToParent()
{
    QFETCH(int, mode);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    QFETCH(bool, handedOver);
    MouseRecorder parent;
    parent.resize(200, 100);
    auto *button = new SvgUIButton(&parent);
    button->resolveStateElement("fixture", "plain", QString());
    button->setGeometry(50, 20, 40, 20);
    QVERIFY(button->setButtonMode(SvgUIButton::Mode(mode)));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy clicked(button, &QAbstractButton::clicked);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(button, releaseAt);
    QTest::mouseMove(button, releaseAt + QPoint(3, 0));
    QTest::mouseRelease(button, Qt::LeftButton, {}, releaseAt + QPoint(3, 0));

    QCOMPARE(clicked.count(), clicks);
    if (!handedOver) {
        for (const MouseRecorder::Entry &entry : std::as_const(parent.entries))
            QVERIFY(entry.type != QEvent::MouseButtonPress);
        return;
    }
    QVERIFY(parent.entries.size() >= 3);
    QCOMPARE(parent.entries.first().type, QEvent::MouseButtonPress);
    QCOMPARE(parent.entries.first().pos, QPoint(55, 25));
    QCOMPARE(parent.entries.last().type, QEvent::MouseButtonRelease);
    QCOMPARE(parent.entries.last().pos, QPoint(50, 20) + releaseAt + QPoint(3, 0));
    QCOMPARE(parent.entries.at(parent.entries.size() - 2).type, QEvent::MouseMove);
}

void TestSvgUIButton::penActsAsMouse_data()
{
    QTest::addColumn<bool>("penAsMouse");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("pen as mouse") << true << true << 1;
    QTest::newRow("pen ignored") << false << true << 0;
    QTest::newRow("disabled") << true << false << 0;
}

void TestSvgUIButton::penActsAsMouse()
{
    QFETCH(bool, penAsMouse);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    SvgUIButton button;
    button.resize(40, 20);
    button.setPenAsMouse(penAsMouse);
    button.setEnabled(enabled);
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    const QPointF at(10, 10);
    for (QEvent::Type type : {QEvent::TabletPress, QEvent::TabletRelease}) {
        QTabletEvent pen(type, QPointingDevice::primaryPointingDevice(), at, at, 0.5, 0, 0, 0, 0,
                         0, Qt::NoModifier, Qt::LeftButton,
                         type == QEvent::TabletPress ? Qt::LeftButton : Qt::NoButton);
        QCoreApplication::sendEvent(&button, &pen);
        if (enabled)
            QCOMPARE(pen.isAccepted(), penAsMouse);
    }
    QCOMPARE(clicked.count(), clicks);
}

void TestSvgUIButton::defaultActionDrivesTheButton()
{
    QAction action("Send");
    action.setToolTip("Send the text");
    SvgUIButton button;
    button.setDefaultAction(&action);
    QCOMPARE(button.text(), QStringLiteral("Send"));
    QCOMPARE(button.toolTip(), QStringLiteral("Send the text"));
    QVERIFY(!button.isCheckable());
    QSignalSpy triggered(&action, &QAction::triggered);
    button.click();
    QCOMPARE(triggered.count(), 1);

    QAction toggle("Mode");
    toggle.setCheckable(true);
    toggle.setChecked(true);
    button.setDefaultAction(&toggle);
    QVERIFY(button.isCheckable());
    QVERIFY(button.isChecked());
    button.click();
    QCOMPARE(triggered.count(), 1);
    QVERIFY(!toggle.isChecked());
    QVERIFY(!button.isChecked());
    toggle.setChecked(true);
    QVERIFY(button.isChecked());
    toggle.setEnabled(false);
    QVERIFY(!button.isEnabled());
}

void TestSvgUIButton::exclusiveActionStaysChecked()
{
    QActionGroup group(nullptr);
    QAction *first = group.addAction("Cursive");
    QAction *second = group.addAction("Boxed");
    first->setCheckable(true);
    second->setCheckable(true);
    first->setChecked(true);
    SvgUIButton firstButton;
    SvgUIButton secondButton;
    firstButton.setDefaultAction(first);
    secondButton.setDefaultAction(second);
    // Clicking the checked mode again unchecks the button, but the group keeps its action.
    firstButton.click();
    QVERIFY(first->isChecked());
    QVERIFY(firstButton.isChecked());
    secondButton.click();
    QVERIFY(second->isChecked());
    QVERIFY(secondButton.isChecked());
    QVERIFY(!firstButton.isChecked());
}

void TestSvgUIButton::enablingSignals()
{
    SvgUIButton button;
    QSignalSpy enabled(&button, &SvgUIButton::enabled);
    QSignalSpy disabled(&button, &SvgUIButton::disabled);
    button.setEnabled(false);
    QVERIFY(!button.isEnabled());
    QCOMPARE(enabled.takeFirst().at(0).toBool(), false);
    QCOMPARE(disabled.takeFirst().at(0).toBool(), true);
    button.setEnabled(true);
    QCOMPARE(enabled.takeFirst().at(0).toBool(), true);
    QCOMPARE(disabled.takeFirst().at(0).toBool(), false);
}

void TestSvgUIButton::dropDownMenuOpensOnLeftPress()
{
    QWidget host;
    host.resize(200, 100);
    auto *button = new SvgUIButton(&host);
    button->setGeometry(10, 10, 40, 20);
    QMenu menu;
    menu.addAction("English");
    button->setMenu(&menu);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(!menu.isVisible());
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.pos().y(), button->mapToGlobal(QPoint(0, 20)).y());
    menu.hide();
    QVERIFY(!button->isDown());
}

void TestSvgUIButton::maskKeptOnScreen_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QRect>("bounds");
    // The modelled desktop's screens, not Qt's.
    const QRect screen(0, 0, 1280, 1024);
    const QRect second(1280, 0, 1024, 768);
    QTest::newRow("inside") << QPoint(100, 100) << true << QRect(0, 0, 40, 20);
    QTest::newRow("past the right")
        << QPoint(screen.right() - 19, 100) << true << QRect(0, 0, 20, 20);
    QTest::newRow("past the bottom")
        << QPoint(100, screen.bottom() - 9) << true << QRect(0, 0, 40, 10);
    QTest::newRow("past both")
        << QPoint(screen.right() - 9, screen.bottom() - 4) << true << QRect(0, 0, 10, 5);
    QTest::newRow("not kept")
        << QPoint(screen.right() - 19, 100) << false << QRect(0, 0, 40, 20);
    QTest::newRow("past the second screen's right")
        << QPoint(second.right() - 19, 100) << true << QRect(0, 0, 20, 20);
    QTest::newRow("past the second screen's bottom")
        << QPoint(second.left() + 10, second.bottom() - 9) << true << QRect(0, 0, 40, 10);
}

void TestSvgUIButton::maskKeptOnScreen()
{
    QFETCH(QPoint, pos);
    QFETCH(bool, kept);
    QFETCH(QRect, bounds);
    Desktop::instance()->setScreens({QRect(0, 0, 1280, 1024), QRect(1280, 0, 1024, 768)},
                                    {QRect(0, 0, 1280, 994), QRect(1280, 0, 1024, 768)});
    const auto restore = qScopeGuard([] { Desktop::instance()->reset(); });
    // Events are sent by hand: the button is never shown, so no platform window is masked.
    SvgUIButton button;
    button.resolveStateElement("fixture", "plain", QString());
    button.setMaskEnabled(true);
    button.setMaskKeptOnScreen(kept);
    button.resize(40, 20);
    QResizeEvent resize(QSize(40, 20), QSize());
    QCoreApplication::sendEvent(&button, &resize);
    button.move(pos);
    QMoveEvent move(pos, QPoint());
    QCoreApplication::sendEvent(&button, &move);
    QCOMPARE(button.mask().boundingRect(), bounds);
}

QTEST_MAIN(TestSvgUIButton)
#include "tst_svguibutton.moc"
