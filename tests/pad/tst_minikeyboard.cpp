#include "model/specialkeys.h"
#include "pad/minikeyboard.h"
#include "pad/minikeyboardbutton.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

QString key(SpecialKey k)
{
    return specialKeyText(k);
}

} // namespace

class TestMiniKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void keysSendTheirCharacters_data();
    void keysSendTheirCharacters();
    void buttonsInKeyOrderWithTheirLabels();
    void compactWidthsFollowTheInterfaceLanguage_data();
    void compactWidthsFollowTheInterfaceLanguage();
    void fontFollowsTheHeight_data();
    void fontFollowsTheHeight();
    void hiddenKeyboardIgnoresDisabling();
    void copyPasteKeysFollowEnableCopyPaste();
    void releasedKeyFlashesFor200ms();
    void faceColourByState();
};

void TestMiniKeyboard::initTestCase()
{
    // No settings or interface language file of a real installation is read.
    QCoreApplication::setOrganizationName(QStringLiteral("ScrivelMiniKeyboardTest"));
}

void TestMiniKeyboard::cleanup()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestMiniKeyboard::keysSendTheirCharacters_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("left") << 0 << key(SpecialKey::Left);
    QTest::newRow("right") << 1 << key(SpecialKey::Right);
    QTest::newRow("enter") << 2 << key(SpecialKey::Return);
    QTest::newRow("tab") << 3 << key(SpecialKey::Tab);
    QTest::newRow("space is a plain space") << 4 << QStringLiteral(" ");
    QTest::newRow("delete") << 5 << key(SpecialKey::Delete);
    QTest::newRow("backspace") << 6 << key(SpecialKey::Backspace);
    QTest::newRow("copy") << 7 << key(SpecialKey::Copy);
    QTest::newRow("paste") << 8 << key(SpecialKey::Paste);
}

void TestMiniKeyboard::keysSendTheirCharacters()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    MiniKeyboard keyboard(BehaviourSettings(), ItemStyle(), false);
    keyboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
    QSignalSpy sent(&keyboard, &InputWidget::exportModel);

    QTest::mouseClick(keyboard.buttons().at(id), Qt::LeftButton);

    QCOMPARE(sent.size(), 1);
    const auto result = sent.at(0).at(0).value<RecognitionResult>();
    QCOMPARE(result.root().selectedCandidate().label(), text);
    QCOMPARE(result.layout().flags, int(ResultLayout::MiniKeyboardKey));
    QCOMPARE(keyboard.inputMode(), UnknownMode);
    QCOMPARE(keyboard.modelObject(), &keyboard);
}

void TestMiniKeyboard::buttonsInKeyOrderWithTheirLabels()
{
    const MiniKeyboard keyboard(BehaviourSettings(), ItemStyle(), false);
    const QStringList labels{"Left", "Right", "Enter", "Tab", "Space", "Del", "BkSp",
                             "CopyIcon", "PasteIcon"};
    QCOMPARE(keyboard.buttons().size(), labels.size());
    for (int id = 0; id < labels.size(); ++id) {
        const MiniKeyboardButton *button = keyboard.buttons().at(id);
        QCOMPARE(button->text(), labels.at(id));
        QVERIFY(button->autoRepeat());
        QCOMPARE(button->autoRepeatDelay(), 700);
        QCOMPARE(button->width() == 80, id >= MiniKeyboard::Enter);
        QVERIFY(button->maximumHeight() <= 50);
    }
    QCOMPARE(keyboard.buttons().at(MiniKeyboard::Copy)->toolTip(), QStringLiteral("Copy"));
    QCOMPARE(keyboard.buttons().at(MiniKeyboard::Paste)->toolTip(), QStringLiteral("Paste"));
    QVERIFY(!keyboard.buttons().at(MiniKeyboard::Copy)->icon().isNull());
    QCOMPARE(keyboard.separatorAlignment(), Qt::AlignLeft);
}

void TestMiniKeyboard::compactWidthsFollowTheInterfaceLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("Spanish") << "es_ES" << QList<int>{50, 50, 50, 75, 76, 50, 50, 50, 50};
    QTest::newRow("Italian") << "it_IT" << QList<int>{50, 50, 50, 75, 51, 50, 75, 50, 50};
    QTest::newRow("English") << "en_US" << QList<int>{50, 50, 50, 50, 76, 50, 75, 50, 50};
    QTest::newRow("Mexican Spanish") << "es_MX" << QList<int>{50, 50, 50, 75, 76, 50, 50, 50, 50};
}

void TestMiniKeyboard::compactWidthsFollowTheInterfaceLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QList<int>, widths);
    QLocale::setDefault(QLocale(locale));
    MiniKeyboard keyboard(BehaviourSettings(), ItemStyle(), true);
    keyboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
    const QList<MiniKeyboardButton *> buttons = keyboard.buttons();
    for (int id = 0; id < widths.size(); ++id) {
        QCOMPARE(buttons.at(id)->width(), widths.at(id));
        QCOMPARE(buttons.at(id)->height(), 27);
    }
    // Two rows, each left to right in key order.
    const auto x = [&](int id) { return buttons.at(id)->mapTo(&keyboard, QPoint()).x(); };
    const auto y = [&](int id) { return buttons.at(id)->mapTo(&keyboard, QPoint()).y(); };
    for (int id : {MiniKeyboard::Right, MiniKeyboard::Enter, MiniKeyboard::Copy,
                   MiniKeyboard::Paste})
        QCOMPARE(y(id), y(MiniKeyboard::Left));
    QVERIFY(x(MiniKeyboard::Left) < x(MiniKeyboard::Right));
    QVERIFY(x(MiniKeyboard::Enter) < x(MiniKeyboard::Copy));
    QVERIFY(x(MiniKeyboard::Copy) < x(MiniKeyboard::Paste));
    for (int id : {MiniKeyboard::Space, MiniKeyboard::Delete, MiniKeyboard::Backspace})
        QCOMPARE(y(id), y(MiniKeyboard::Tab));
    QVERIFY(y(MiniKeyboard::Tab) > y(MiniKeyboard::Left));
    QVERIFY(x(MiniKeyboard::Tab) < x(MiniKeyboard::Space));
    QVERIFY(x(MiniKeyboard::Space) < x(MiniKeyboard::Delete));
    QVERIFY(x(MiniKeyboard::Delete) < x(MiniKeyboard::Backspace));
}

void TestMiniKeyboard::fontFollowsTheHeight_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("150") << 150 << 14;
    QTest::newRow("179") << 179 << 14;
    QTest::newRow("180") << 180 << 14;
    QTest::newRow("210") << 210 << 16;
    QTest::newRow("224") << 224 << 16;
    QTest::newRow("225") << 225 << 17;
    QTest::newRow("400") << 400 << 17;
}

void TestMiniKeyboard::fontFollowsTheHeight()
{
    QFETCH(int, height);
    QFETCH(int, pixelSize);
    QCOMPARE(MiniKeyboard::fontPixelSize(height), pixelSize);
    MiniKeyboard keyboard(BehaviourSettings(), ItemStyle(), false);
    keyboard.resize(300, height);
    keyboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
    QCOMPARE(keyboard.height(), height);
    for (const MiniKeyboardButton *button : keyboard.buttons())
        QCOMPARE(button->font().pixelSize(), pixelSize);
}

void TestMiniKeyboard::hiddenKeyboardIgnoresDisabling()
{
    MiniKeyboard keyboard(BehaviourSettings(), ItemStyle(), false);
    keyboard.enableMiniKeyboardButtonsEvent(false);
    for (const MiniKeyboardButton *button : keyboard.buttons())
        QVERIFY(button->isEnabled());

    keyboard.show();
    keyboard.enableMiniKeyboardButtonsEvent(false);
    for (const MiniKeyboardButton *button : keyboard.buttons())
        QVERIFY(!button->isEnabled());

    keyboard.hide();
    keyboard.enableMiniKeyboardButtonsEvent(true);
    for (const MiniKeyboardButton *button : keyboard.buttons())
        QVERIFY(button->isEnabled());
}

void TestMiniKeyboard::copyPasteKeysFollowEnableCopyPaste()
{
    MiniKeyboard keyboard(BehaviourSettings(), ItemStyle(), true);
    keyboard.enableCopyPasteEvent(false);
    for (int id = 0; id < MiniKeyboard::KeyCount; ++id) {
        const bool copyPaste = id == MiniKeyboard::Copy || id == MiniKeyboard::Paste;
        QCOMPARE(keyboard.buttons().at(id)->isEnabled(), !copyPaste);
    }
    keyboard.enableCopyPasteEvent(true);
    QVERIFY(keyboard.buttons().at(MiniKeyboard::Copy)->isEnabled());
    QVERIFY(keyboard.buttons().at(MiniKeyboard::Paste)->isEnabled());
}

void TestMiniKeyboard::releasedKeyFlashesFor200ms()
{
    MiniKeyboard keyboard(BehaviourSettings(), ItemStyle(), false);
    keyboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
    MiniKeyboardButton *button = keyboard.buttons().at(MiniKeyboard::Tab);
    const QColor pressed = ItemStyle().color(ItemStyle::SecondKeyColor);

    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(button->faceColor(), pressed);
    QTest::mouseRelease(button, Qt::LeftButton);
    QVERIFY(button->isFlashing());
    QCOMPARE(button->faceColor(), pressed);
    QTRY_VERIFY_WITH_TIMEOUT(!button->isFlashing(), 1000);
    QVERIFY(button->faceColor() != pressed);
}

void TestMiniKeyboard::faceColourByState()
{
    const ItemStyle style;
    const QColor face = style.color(ItemStyle::SpecialKeyColor);
    MiniKeyboardButton button(face, style.color(ItemStyle::SecondKeyColor),
                              style.color(ItemStyle::KeyColor), false);
    QCOMPARE(button.faceColor(), face);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&button, &enter);
    QVERIFY(button.isHovered());
    QCOMPARE(button.faceColor(), face.lighter(112));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    QCOMPARE(button.faceColor(), face);
    button.setEnabled(false);
    QCOMPARE(button.faceColor(), style.color(ItemStyle::KeyColor));
}

QTEST_MAIN(TestMiniKeyboard)
#include "tst_minikeyboard.moc"
