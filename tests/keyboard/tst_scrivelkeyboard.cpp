#include "keyboard/scrivelkeyboard.h"
#include "keyboard/scrivelkeyboardbutton.h"
#include "model/specialkeys.h"
#include "platform/desktop.h"
#include "platform/winapi.h"
#include "recognition/recognizerconfig.h"

#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Special key characters as "<name>", so that outputs read in a table.
QString readable(const QString &text)
{
    static const QHash<char32_t, QString> names = {
        {char32_t(SpecialKey::Win), "win"},        {char32_t(SpecialKey::Escape), "esc"},
        {char32_t(SpecialKey::Tab), "tab"},        {char32_t(SpecialKey::Shift), "shift"},
        {char32_t(SpecialKey::Return), "return"},  {char32_t(SpecialKey::Ctrl), "ctrl"},
        {char32_t(SpecialKey::Menu), "menu"},      {char32_t(SpecialKey::Alt), "alt"},
        {char32_t(SpecialKey::Backspace), "BS"},   {char32_t(SpecialKey::Delete), "del"},
        {char32_t(SpecialKey::Left), "left"},      {char32_t(SpecialKey::Right), "right"},
        {char32_t(SpecialKey::Up), "up"},          {char32_t(SpecialKey::Down), "down"},
        {char32_t(SpecialKey::F1) + 4, "f5"}};
    QString out;
    for (const char32_t c : text.toUcs4())
        out += names.contains(c) ? QLatin1Char('<') + names.value(c) + QLatin1Char('>')
                                 : QString::fromUcs4(&c, 1);
    return out;
}

LanguageEntry language(const QString &locale)
{
    LanguageEntry entry;
    entry.setLocale(QLocale(locale));
    entry.setName(locale);
    return entry;
}

// A keyboard inside a stand-in panel that holds the two mode widgets the
// Korean composition shows and hides; its key results as readable texts.
struct Panel {
    QWidget window;
    QWidget *koreanMode = new QWidget(&window);
    QWidget *standardMode = new QWidget(&window);
    QWidget *bar = new QWidget(&window);
    ScrivelKeyboard *keyboard = new ScrivelKeyboard(BehaviourSettings(), ItemStyle(), &window);
    QStringList output;
    int timeouts = 0;
    bool allFlagged = true;

    explicit Panel(const QString &locale)
    {
        koreanMode->setObjectName("keyboardKoModeButton");
        standardMode->setObjectName("keyboardModeButton");
        koreanMode->hide();
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(koreanMode);
        layout->addWidget(standardMode);
        layout->addWidget(keyboard, 1);
        layout->addWidget(bar);
        QObject::connect(keyboard, &ScrivelKeyboard::exportModel,
                         [this](const RecognitionResult &result) {
                             output << readable(result.root().selectedCandidate().label());
                             allFlagged = allFlagged
                                 && (result.layout().flags & ResultLayout::MiniKeyboardKey);
                         });
        QObject::connect(keyboard, &ScrivelKeyboard::timeout, [this] {
            ++timeouts;
            output << QStringLiteral("~");
        });
        if (!locale.isEmpty())
            keyboard->setLanguage(language(locale));
        keyboard->createPadButtons(new QHBoxLayout(bar), &window);
        window.resize(800, 300);
        window.show();
    }

    // The button of the current layout first labelled so.
    ScrivelKeyboardButton *button(const QString &label) const
    {
        for (ScrivelKeyboardButton *candidate : keyboard->buttons(keyboard->currentLayoutId())) {
            if (candidate->accessibleName() == label)
                return candidate;
        }
        return nullptr;
    }

    bool click(const QStringList &labels)
    {
        for (const QString &label : labels) {
            ScrivelKeyboardButton *target = button(label);
            if (!target)
                return false;
            QTest::mouseClick(target, Qt::LeftButton);
        }
        return true;
    }
};

const char fixture[] = R"xml(<keyboard>
  <layout id="default">
    <templates><key id="two"><variant modifiers="none"/><variant modifiers="shift"/></key></templates>
    <row>
      <key class="2,1"><variant label="" action="glyph(e)"/></key>
      <key ref="two" class="2,1"><variant label="k" action="glyph"/></key>
      <key class="2,1"><variant label="Home" action="keysym(home)"/></key>
      <key class="2,1"><variant label="End" action="keysym(end)"/></key>
      <key class="2,1"><variant label="Space" action="keysym(space)"/></key>
      <key class="2,1"><variant label="F5" action="keysym(f5)"/></key>
      <key type="toggle"><variant label="Shift" action="latchModifier(shift)"/></key>
    </row>
    <row>
      <key class="2"><variant label="wide" action="glyph"/></key>
      <key><variant label="x" action="glyph"/></key>
    </row>
  </layout>
</keyboard>)xml";

} // namespace

class TestScrivelKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void deadKeyLayouts();
    void toggleButtonsFollowTheirKeys();
    void mathLayout();
    void keysFillTheirRows_data();
    void keyColoursByLabel_data();
    void keyColoursByLabel();
    void keysFillTheirRows();
    void korean_data();
    void korean();
    void koreanModeWidgets();
    void releaseOutsideThePanel();
    void emptyLabelsAndSilentKeysyms();
    void fontSizeFollowsTheWidget_data();
    void fontSizeFollowsTheWidget();
    void languageWithoutKeyboard_data();
    void languageWithoutKeyboard();
    void layoutsComeFromThePackage();
    void customisedLanguageTakesItsBaseKeyboard();
    void brokenDocumentLeavesItEmpty();
};

void TestScrivelKeyboard::typing_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("output");

    QTest::newRow("letters") << "en_US" << QStringList{"q", "w", "1"} << QStringList{"q", "w", "1"};
    QTest::newRow("shift applies to one key")
        << "en_US" << QStringList{"Shift", "a", "b", "2"} << QStringList{"A", "b", "2"};
    QTest::newRow("shifted symbol") << "en_US" << QStringList{"Shift", "2"} << QStringList{"@"};
    QTest::newRow("caps lock until unlocked")
        << "en_US" << QStringList{"Caps", "a", "1", "Caps", "b"} << QStringList{"A", "1", "b"};
    QTest::newRow("ctrl") << "en_US" << QStringList{"Ctrl", "c", "c"}
                          << QStringList{"<ctrl>c", "c"};
    QTest::newRow("text modifiers in order")
        << "en_US" << QStringList{"Win", "Alt", "Ctrl", "x"} << QStringList{"<ctrl><alt><win>x"};
    QTest::newRow("keysym modifiers in order")
        << "en_US" << QStringList{"Shift", "Alt", "Ctrl", "Right"}
        << QStringList{"<ctrl><alt><shift><right>"};
    QTest::newRow("win is no keysym modifier")
        << "en_US" << QStringList{"Win", "Left"} << QStringList{"<left>"};
    QTest::newRow("special keys")
        << "en_US" << QStringList{"Backspace", "Enter", "Esc", "Del", "Tab", "Up", "Down"}
        << QStringList{"<BS>", "<return>", "<esc>", "<del>", "<tab>", "<up>", "<down>"};
    QTest::newRow("space is a text") << "en_US" << QStringList{" "} << QStringList{" "};
    QTest::newRow("lone alt") << "en_US" << QStringList{"Alt", "Alt"} << QStringList{"<alt>"};
    QTest::newRow("lone win") << "en_US" << QStringList{"Win", "Win"} << QStringList{"<win>"};
    QTest::newRow("alt with a key is no lone alt")
        << "en_US" << QStringList{"Alt", "a", "b"} << QStringList{"<alt>a", "b"};
    QTest::newRow("menu key alone")
        << "en_US" << QStringList{"Ctrl", "Menu", "a"} << QStringList{"<menu>", "a"};
    QTest::newRow("french letters") << "fr_FR" << QStringList{"a", "z", "é"}
                                    << QStringList{"a", "z", "é"};
    QTest::newRow("circumflex") << "fr_FR" << QStringList{"^", "ê", "e"}
                                << QStringList{"ê", "e"};
    QTest::newRow("diaeresis is the shifted dead key")
        << "fr_FR" << QStringList{"Shift", "^", "ï"} << QStringList{"ï"};
    QTest::newRow("dead key then its own accent")
        << "fr_FR" << QStringList{"^", "^", "a"} << QStringList{"^", "a"};
    QTest::newRow("modifier on a dead-key layout stays there")
        << "fr_FR" << QStringList{"^", "Shift", "ô"} << QStringList{"Ô"};
}

void TestScrivelKeyboard::typing()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, output);

    Panel panel(locale);
    QVERIFY(panel.click(clicks));
    QCOMPARE(panel.output, output);
    QVERIFY(panel.allFlagged);
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("default"));
}

void TestScrivelKeyboard::deadKeyLayouts()
{
    Panel panel("fr_FR");
    ScrivelKeyboardButton *dead = panel.button("^");
    QVERIFY(!dead->autoRepeat());
    QVERIFY(panel.button("a")->autoRepeat());
    QCOMPARE(dead->autoRepeatDelay(), 700);

    // The switch waits for the release of the dead key, and so does the return.
    QTest::mousePress(dead, Qt::LeftButton);
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("default"));
    QTest::mouseRelease(dead, Qt::LeftButton);
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("dead_circumflex"));
    ScrivelKeyboardButton *accented = panel.button("û");
    QTest::mousePress(accented, Qt::LeftButton);
    QCOMPARE(panel.output, QStringList{"û"});
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("dead_circumflex"));
    QTest::mouseRelease(accented, Qt::LeftButton);
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("default"));
}

void TestScrivelKeyboard::toggleButtonsFollowTheirKeys()
{
    Panel panel("en_US");
    ScrivelKeyboardButton *shift = panel.button("Shift");
    QVERIFY(shift->isCheckable());
    QVERIFY(panel.click({"Shift"}));
    QVERIFY(shift->isChecked());
    QCOMPARE(panel.button("a")->text(), QStringLiteral("A"));
    QVERIFY(panel.click({"a"}));
    QVERIFY(!shift->isChecked());
    QCOMPARE(panel.button("a")->text(), QStringLiteral("a"));

    ScrivelKeyboardButton *caps = panel.button("Caps");
    QVERIFY(panel.click({"Caps", "b"}));
    QVERIFY(caps->isChecked());
    QCOMPARE(panel.button("b")->text(), QStringLiteral("B"));
}

void TestScrivelKeyboard::mathLayout()
{
    Panel panel("en_US");
    QAbstractButton *standard = panel.keyboard->standardLayoutButton();
    QAbstractButton *math = panel.keyboard->mathLayoutButton();
    QVERIFY(standard && math);
    QVERIFY(standard->isChecked());
    QCOMPARE(math->toolTip(), QStringLiteral("Select math layout"));
    QCOMPARE(standard->toolTip(), QStringLiteral("Select standard layout"));
    // Skinned buttons keep the size of their artwork in the bar.
    QVERIFY(QTest::qWaitForWindowExposed(&panel.window));
    QVERIFY(!math->sizeHint().isEmpty());
    QCOMPARE(math->size(), math->sizeHint());

    // Leaving the math layout without having entered it does nothing.
    panel.keyboard->switchFromMathKb();
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("default"));

    QVERIFY(panel.click({"Shift"}));
    math->click();
    QVERIFY(math->isChecked());
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("math"));
    QVERIFY(panel.click({"π", "√", "7"}));
    QCOMPARE(panel.output, (QStringList{"π", "√", "7"}));
    QCOMPARE(panel.button("π")->font().family(), QStringLiteral("DejaVu Sans"));

    // Entering again keeps the layout to return to.
    panel.keyboard->switchToMathKb();
    standard->click();
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("default"));
    QVERIFY(panel.click({"a"}));
    QCOMPARE(panel.output.last(), QStringLiteral("a"));

    panel.keyboard->hideLayoutButtons();
    QVERIFY(standard->isHidden() && math->isHidden());

    Panel empty{QString()};
    QVERIFY(!empty.keyboard->mathLayoutButton());
}

void TestScrivelKeyboard::keysFillTheirRows_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("layout");
    QTest::newRow("english") << "en_US" << "default";
    QTest::newRow("math") << "en_US" << "math";
    QTest::newRow("dead key") << "fr_FR" << "dead_circumflex";
    QTest::newRow("korean") << "ko_KR" << "default";
}

// Neighbouring keys of a row stand one spacing apart, the first at the left
// margin: the grid spreads its width over the keys, not between them.
void TestScrivelKeyboard::keysFillTheirRows()
{
    QFETCH(QString, locale);
    QFETCH(QString, layout);

    Panel panel(locale);
    if (layout == QLatin1String("math"))
        panel.keyboard->switchToMathKb();
    else if (layout != QLatin1String("default"))
        QVERIFY(panel.click({"^"}));
    QCOMPARE(panel.keyboard->currentLayoutId(), layout);
    QVERIFY(QTest::qWaitForWindowExposed(&panel.window));
    QMap<int, QList<QRect>> rows;
    for (const ScrivelKeyboardButton *button : panel.keyboard->buttons(layout))
        rows[button->y()] << button->geometry();
    for (QList<QRect> &keys : rows) {
        std::sort(keys.begin(), keys.end(),
                  [](const QRect &a, const QRect &b) { return a.x() < b.x(); });
        QCOMPARE(keys.first().x(), 5);
        for (int i = 1; i < keys.size(); ++i)
            QVERIFY2(keys[i].x() - keys[i - 1].right() <= 3,
                     qPrintable(QStringLiteral("gap before key %1 of the row at %2")
                                    .arg(i)
                                    .arg(keys[i].y())));
    }
}

void TestScrivelKeyboard::keyColoursByLabel_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("colour");
    const int key = ItemStyle::KeyColor;
    const int special = ItemStyle::SpecialKeyColor;
    const int arrow = ItemStyle::ArrowKeyColor;
    QTest::newRow("letter") << "en_US" << "q" << key;
    QTest::newRow("space bar") << "en_US" << " " << key;
    for (const char *name : {"Esc", "Backspace", "Caps", "Ctrl", "Win", "Alt", "Menu", "Tab",
                             "Enter", "Shift", "Del"})
        QTest::newRow(name) << "en_US" << name << special;
    QTest::newRow("Han") << "ko_KR" << "Han" << special;
    for (const char *name : {"Up", "Down", "Left", "Right"})
        QTest::newRow(name) << "en_US" << name << arrow;
    QTest::newRow("jamo") << "ko_KR" << "ㅎ" << key;
}

// Each key takes its face from the style by its label; all share the second colour.
void TestScrivelKeyboard::keyColoursByLabel()
{
    QFETCH(QString, locale);
    QFETCH(QString, label);
    QFETCH(int, colour);

    ItemStyle style;
    style.setColor(ItemStyle::KeyColor, QColor("#101010"));
    style.setColor(ItemStyle::SpecialKeyColor, QColor("#202020"));
    style.setColor(ItemStyle::ArrowKeyColor, QColor("#303030"));
    style.setColor(ItemStyle::SecondKeyColor, QColor("#404040"));
    ScrivelKeyboard keyboard{BehaviourSettings(), style};
    keyboard.setLanguage(language(locale));
    const QList<ScrivelKeyboardButton *> buttons = keyboard.buttons("default");
    const auto found = std::find_if(buttons.cbegin(), buttons.cend(), [&](auto *button) {
        return button->accessibleName() == label;
    });
    QVERIFY(found != buttons.cend());
    QCOMPARE((*found)->keyColor(), style.color(ItemStyle::Color(colour)));
    QCOMPARE((*found)->secondColor(), style.color(ItemStyle::SecondKeyColor));
}

void TestScrivelKeyboard::korean_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QString>("label");

    QTest::newRow("first jamo") << QStringList{"ㄱ"} << QStringList{"ㄱ"} << "ㄱ";
    QTest::newRow("syllable replaces the jamo")
        << QStringList{"ㄱ", "ㅏ"} << QStringList{"ㄱ", "<BS>", "~", "가"} << "가";
    QTest::newRow("final moves on")
        << QStringList{"ㄱ", "ㅏ", "ㅇ", "ㅏ"}
        << QStringList{"ㄱ", "<BS>", "~", "가", "<BS>", "~", "강", "<BS>", "~", "가아"} << "아";
    QTest::newRow("backspace takes back the compound final")
        << QStringList{"ㄷ", "ㅏ", "ㄹ", "ㄱ", "Backspace"}
        << QStringList{"ㄷ", "<BS>", "~", "다", "<BS>", "~", "달", "<BS>", "~", "닭", "<BS>", "~", "달"}
        << "달";
    QTest::newRow("backspaces down to the lone jamo and on")
        << QStringList{"ㄱ", "ㅗ", "ㅏ", "Backspace", "Backspace", "Backspace"}
        << QStringList{"ㄱ", "<BS>", "~", "고", "<BS>", "~", "과", "<BS>", "~", "고", "<BS>", "~",
                       "ㄱ", "<BS>"}
        << "";
    QTest::newRow("shifted jamo") << QStringList{"Shift", "ㄱ", "ㅏ"}
                                  << QStringList{"ㄲ", "<BS>", "~", "까"} << "까";
    QTest::newRow("digit ends it") << QStringList{"ㄱ", "ㅏ", "1", "ㅏ"}
                                   << QStringList{"ㄱ", "<BS>", "~", "가", "1", "ㅏ"} << "ㅏ";
    QTest::newRow("vowel after a lone vowel")
        << QStringList{"ㅗ", "ㅏ"} << QStringList{"ㅗ", "ㅏ"} << "ㅏ";
    QTest::newRow("consonant after a lone consonant")
        << QStringList{"ㄱ", "ㅅ"} << QStringList{"ㄱ", "ㅅ"} << "ㅅ";
    QTest::newRow("alt jamo is sent as it is")
        << QStringList{"ㄱ", "ㅏ", "Alt", "ㅇ"} << QStringList{"ㄱ", "<BS>", "~", "가", "<alt>ㅇ"}
        << "";
    QTest::newRow("ctrl jamo is sent as it is")
        << QStringList{"ㄱ", "Ctrl", "ㅏ"} << QStringList{"ㄱ", "<ctrl>ㅏ"} << "";
    QTest::newRow("arrow ends it") << QStringList{"ㄱ", "ㅏ", "Left", "ㅏ"}
                                   << QStringList{"ㄱ", "<BS>", "~", "가", "<left>", "ㅏ"} << "ㅏ";
    QTest::newRow("latin letters after the switch")
        << QStringList{"ㄱ", "Han", "ㄱ", "ㅏ"} << QStringList{"ㄱ", "r", "k"} << "";
}

void TestScrivelKeyboard::korean()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, output);
    QFETCH(QString, label);

    Panel panel("ko_KR");
    QVERIFY(panel.keyboard->isKoreanMode());
    QVERIFY(panel.click(clicks));
    QCOMPARE(panel.output, output);
    QCOMPARE(panel.timeouts, int(output.count("~")));
    QVERIFY(panel.keyboard->compositionLabel());
    QCOMPARE(panel.keyboard->compositionLabel()->text(), label);
}

void TestScrivelKeyboard::koreanModeWidgets()
{
    Panel panel("ko_KR");
    panel.koreanMode->setFixedHeight(24);
    QVERIFY(!panel.keyboard->compositionLabel());
    QVERIFY(panel.click({"ㅎ"}));
    QLabel *label = panel.keyboard->compositionLabel();
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), panel.koreanMode);
    QCOMPARE(label->width(), 23);
    QCOMPARE(label->font().pixelSize(), 16);
    // At the top right-hand corner of the mode widget, uncut.
    panel.koreanMode->layout()->activate();
    QCOMPARE(label->geometry().topRight(), QPoint(panel.koreanMode->width() - 1, 0));
    QVERIFY(label->height() >= QFontMetrics(label->font()).height());
    QVERIFY(panel.koreanMode->isVisible());
    QVERIFY(!panel.standardMode->isVisible());

    QVERIFY(panel.click({"Enter"}));
    QVERIFY(!panel.koreanMode->isVisible());
    QVERIFY(panel.standardMode->isVisible());
    QCOMPARE(label->text(), QString());

    // A new language ends the composition and drops the label.
    QVERIFY(panel.click({"ㅎ"}));
    panel.keyboard->setLanguage(language("ko_KR"));
    QVERIFY(!panel.keyboard->compositionLabel());
    QVERIFY(!panel.koreanMode->isVisible());
    QVERIFY(panel.standardMode->isVisible());
}

void TestScrivelKeyboard::releaseOutsideThePanel()
{
    Panel panel("ko_KR");
    QVERIFY(panel.click({"ㄱ", "ㅏ"}));
    const QRect frame = panel.window.frameGeometry();
    panel.keyboard->globalMouseUp(frame.bottomRight());
    QCOMPARE(panel.keyboard->compositionLabel()->text(), QStringLiteral("가"));
    panel.keyboard->globalMouseUp(frame.bottomRight() + QPoint(1, 1));
    QCOMPARE(panel.keyboard->compositionLabel()->text(), QString());

    // The next jamo starts anew; with the flag cleared no backspace precedes
    // its syllable until a release inside the panel.
    panel.output.clear();
    QTest::mousePress(panel.button("ㄴ"), Qt::LeftButton);
    QTest::mousePress(panel.button("ㅏ"), Qt::LeftButton);
    QCOMPARE(panel.output, (QStringList{"ㄴ", "나"}));
    QTest::mouseRelease(panel.button("ㅏ"), Qt::LeftButton);
    QVERIFY(panel.click({"ㅇ"}));
    QCOMPARE(panel.output, (QStringList{"ㄴ", "나", "<BS>", "~", "낭"}));
}

void TestScrivelKeyboard::emptyLabelsAndSilentKeysyms()
{
    Panel panel{QString()};
    QVERIFY(panel.keyboard->loadDocument(fixture));
    QCOMPARE(panel.keyboard->currentLayoutId(), QStringLiteral("default"));
    const QList<ScrivelKeyboardButton *> buttons = panel.keyboard->buttons("default");
    QCOMPARE(buttons.size(), 9);
    QCOMPARE(buttons[0]->text(), QStringLiteral(" "));
    QVERIFY(panel.click({"Home", "End", "Space", "F5", ""}));
    QCOMPARE(panel.output, (QStringList{"<f5>", "e"}));

    // Under shift the second key has no variant: no text at all.
    QVERIFY(panel.click({"Shift"}));
    QCOMPARE(buttons[1]->text(), QString());
    QCOMPARE(buttons[0]->text(), QStringLiteral(" "));

    // One grid row per row; a class without a row span takes one cell.
    auto *grid = qobject_cast<QGridLayout *>(buttons[0]->parentWidget()->layout());
    QVERIFY(grid);
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(buttons[7]), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({1, 0, 1, 1}));
    grid->getItemPosition(grid->indexOf(buttons[8]), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({1, 1, 1, 1}));
    grid->getItemPosition(grid->indexOf(buttons[6]), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({0, 12, 1, 1}));
}

void TestScrivelKeyboard::fontSizeFollowsTheWidget_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("pixels");
    QTest::newRow("narrow") << QSize(599, 300) << 11;
    QTest::newRow("600 wide") << QSize(600, 300) << 12;
    QTest::newRow("fraction dropped") << QSize(999, 300) << 19;
    QTest::newRow("wide") << QSize(1400, 300) << 20;
    QTest::newRow("wide and low") << QSize(1400, 199) << 15;
    QTest::newRow("low keeps a smaller size") << QSize(700, 150) << 14;
    QTest::newRow("200 high is not low") << QSize(1000, 200) << 20;
}

void TestScrivelKeyboard::fontSizeFollowsTheWidget()
{
    QFETCH(QSize, size);
    QFETCH(int, pixels);

    ScrivelKeyboard keyboard{BehaviourSettings(), ItemStyle()};
    keyboard.setLanguage(language("en_US"));
    keyboard.resize(size);
    keyboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
    for (const QString &layout : {QStringLiteral("default"), QStringLiteral("math")}) {
        for (ScrivelKeyboardButton *button : keyboard.buttons(layout))
            QCOMPARE(button->font().pixelSize(), pixels);
    }
    QCOMPARE(keyboard.buttons("math").first()->font().family(), QStringLiteral("DejaVu Sans"));
}

// Languages of the installation beside the test without a keyboard of their
// own: one without a keyboard configuration reports an error and types on the
// English keyboard; one whose layout cannot be loaded leaves the widget empty.
void TestScrivelKeyboard::languageWithoutKeyboard_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("english");
    QTest::newRow("not installed") << "sv_SE" << 1 << true;
    QTest::newRow("no keyboard configuration") << "pt_PT" << 1 << true;
    QTest::newRow("layout package missing") << "de_DE" << 0 << false;
    QTest::newRow("layout does not parse") << "it_IT" << 0 << false;
}

void TestScrivelKeyboard::languageWithoutKeyboard()
{
    QFETCH(QString, locale);
    QFETCH(int, errors);
    QFETCH(bool, english);

    Panel panel("ko_KR");
    QVERIFY(panel.keyboard->isKoreanMode());
    QSignalSpy spy(panel.keyboard, &ScrivelKeyboard::error);
    panel.keyboard->setLanguage(language(locale));
    QCOMPARE(spy.count(), errors);
    QVERIFY(!QDir(":/data/languages").exists());
    if (!english) {
        QCOMPARE(panel.keyboard->currentLayoutId(), QString());
        QVERIFY(panel.keyboard->buttons("default").isEmpty());
        QVERIFY(panel.keyboard->buttons("math").isEmpty());
        return;
    }
    QCOMPARE(panel.keyboard->currentLayoutId(), QString("default"));
    QVERIFY(!panel.keyboard->isKoreanMode());
    QVERIFY(panel.click({"q", "w"}));
    QCOMPARE(panel.output, QStringList({"q", "w"}));
}

// The layout named by the language's keyboard configuration is read from its
// "1" package, which is unmapped again once it is read.
void TestScrivelKeyboard::layoutsComeFromThePackage()
{
    ScrivelKeyboard keyboard{BehaviourSettings(), ItemStyle()};
    QSignalSpy errors(&keyboard, &ScrivelKeyboard::error);
    keyboard.setLanguage(language("fr_FR"));
    QCOMPARE(keyboard.currentLayoutId(), QString("default"));
    QVERIFY(!keyboard.buttons("dead_circumflex").isEmpty());
    QVERIFY(!QDir(":/data/languages").exists());
    QVERIFY(!QDir(":/data/xml").exists());

    keyboard.setLanguage(language("ko_KR"));
    QVERIFY(keyboard.isKoreanMode());
    QCOMPARE(keyboard.currentLayoutId(), QString("default"));
    QVERIFY(keyboard.buttons("dead_circumflex").isEmpty());
    QVERIFY(!keyboard.buttons("math").isEmpty());
    QCOMPARE(errors.count(), 0);
}

// A language trained by the user has no keyboard of its own: its document
// names the language whose packages it was trained from.
void TestScrivelKeyboard::customisedLanguageTakesItsBaseKeyboard()
{
    QTemporaryDir folders;
    QVERIFY(folders.isValid());
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, folders.filePath("user"));
    QVERIFY(QDir().mkpath(trainingFolder()));
    QFile document(trainingFolder() + "/fr_FRbob.xml");
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.write("<scrivelconfig version=\"0.4\" lang=\"fr_FR\" resourcesBaseName=\"fr_FR\">"
                   "<config label=\"Isolated\" type=\"isolated\"><resource>bob.res</resource>"
                   "</config></scrivelconfig>\n");
    document.close();

    ScrivelKeyboard keyboard{BehaviourSettings(), ItemStyle()};
    LanguageEntry customised;
    customised.setLocale(QLocale("fr_FR"));
    customised.setName("_bob");
    keyboard.setLanguage(customised);
    QCOMPARE(keyboard.currentLayoutId(), QString("default"));
    QVERIFY(!keyboard.buttons("dead_circumflex").isEmpty());
    Desktop::instance()->reset();
}

void TestScrivelKeyboard::brokenDocumentLeavesItEmpty()
{
    Panel panel("en_US");
    const bool loaded = panel.keyboard->loadDocument(
        "<keyboard><layout id=\"default\"><row><key><variant label=\"a\" action=\"glyph\"/>"
        "</key></layout></keyboard>");
    QVERIFY(!loaded);
    QCOMPARE(panel.keyboard->currentLayoutId(), QString());
    QVERIFY(panel.keyboard->buttons("default").isEmpty());

    // A document without a "default" layout loads nothing either.
    QVERIFY(!panel.keyboard->loadDocument(
        "<keyboard><layout id=\"other\"><row><key><variant label=\"a\" action=\"glyph\"/></key>"
        "</row></layout></keyboard>"));
    QVERIFY(panel.keyboard->buttons("other").isEmpty());
}

QTEST_MAIN(TestScrivelKeyboard)
#include "tst_scrivelkeyboard.moc"
