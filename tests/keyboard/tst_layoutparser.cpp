#include "keyboard/key.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/keyboardlayoutparser.h"
#include "keyboard/keyvariant.h"
#include "keyboard/list.h"

#include "keyboardrecorder.h"

#include <QtTest>

namespace {

QByteArray oneKey(const QByteArray &variants, const QByteArray &keyAttributes = {})
{
    return "<keyboard><layout id=\"default\"><key id=\"k\"" + keyAttributes + ">" + variants
        + "</key></layout></keyboard>";
}

// Logs the parser's listener calls as "event id class".
struct EventLog {
    QStringList events;

    static void add(void *self, const char *event, const char *id, const char *className)
    {
        static_cast<EventLog *>(self)->events
            << QStringLiteral("%1 %2 %3").arg(event, id ? id : "-", className ? className : "-");
    }
    static bool layoutBegin(KeyboardLayoutParser *, const char *id, const char *className, void *self)
    {
        add(self, "layout", id, className);
        return false;
    }
    static bool layoutEnd(KeyboardLayoutParser *, const char *id, const char *className,
                          KeyboardLayout *layout, void *self)
    {
        add(self, keyboardLayoutKeyboard(layout) ? "/layout" : "/detached", id, className);
        return false;
    }
    static bool rowBegin(KeyboardLayoutParser *, const char *id, const char *className, void *self)
    {
        add(self, "row", id, className);
        return true; // consumes: later row-begin listeners are skipped
    }
    static bool rowEnd(KeyboardLayoutParser *, const char *id, const char *className, void *self)
    {
        add(self, "/row", id, className);
        return true; // ignored: every row-end listener is called
    }
    static bool keyBegin(KeyboardLayoutParser *, const char *id, const char *className, void *self)
    {
        add(self, "key", id, className);
        return false;
    }
    static bool keyAdded(KeyboardLayoutParser *, const char *id, const char *className, Key *key,
                         void *self)
    {
        add(self, keyLayout(key) ? "/key" : "/loose", id, className);
        return false;
    }
};

} // namespace

class TestLayoutParser : public QObject
{
    Q_OBJECT

private slots:
    void modifiersSelectVariants_data();
    void modifiersSelectVariants();
    void actionsFromText_data();
    void actionsFromText();
    void toggleKeysFollowTheirModifier();
    void templatesShareBehaviors();
    void malformedDocuments_data();
    void malformedDocuments();
    void namesIgnoreCase();
    void listenersFollowTheDocument();
    void ignoredElementsDoNotCloseOuterOnes();
    void parserReadsAgainAfterAnError();
    void largeDocuments();
};

void TestLayoutParser::modifiersSelectVariants_data()
{
    QTest::addColumn<QByteArray>("modifiers");
    QTest::addColumn<uint32_t>("mask");
    QTest::addColumn<QString>("label");
    const QByteArray shiftOrLock = R"x(<variant label="a"/><variant label="A" modifiers=" shift|lock "/>)x";
    QTest::newRow("shift|lock none") << shiftOrLock << 0u << "a";
    QTest::newRow("shift|lock shift") << shiftOrLock << 1u << "A";
    QTest::newRow("shift|lock lock") << shiftOrLock << 2u << "A";
    QTest::newRow("shift|lock both") << shiftOrLock << 3u << "a";
    QTest::newRow("shift|lock control ignored") << shiftOrLock << 5u << "A";
    const QByteArray anyThenShift = R"x(<variant label="x" modifiers="ANY"/><variant label="X" modifiers="shift"/>)x";
    QTest::newRow("any then shift: shift") << anyThenShift << 1u << "X";
    QTest::newRow("any then shift: lock") << anyThenShift << 2u << "x";
    QTest::newRow("any then shift: shift+lock") << anyThenShift << 3u << "x";
    const QByteArray combined = R"x(<variant label="p"/><variant label="q" modifiers="shift+ctrl|mod5"/>)x"
                                R"x(<variant label="r" modifiers="Control+mod1+"/>)x";
    QTest::newRow("combination") << combined << 5u << "q";
    QTest::newRow("one name of a combination") << combined << 1u << "p";
    QTest::newRow("alternative") << combined << 128u << "q";
    QTest::newRow("empty name counts 0") << combined << 12u << "r";
}

void TestLayoutParser::modifiersSelectVariants()
{
    QFETCH(QByteArray, modifiers);
    QFETCH(uint32_t, mask);
    QFETCH(QString, label);
    LoadedKeyboard loaded(oneKey(modifiers));
    QVERIFY(loaded.parsed);
    QVERIFY(keyboardSelectLayout(loaded.keyboard, "default"));
    loaded.keyboard->lockedMask = mask;
    QCOMPARE(currentLabel(loaded.keys.value("default/k")), label);
}

void TestLayoutParser::actionsFromText_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QByteArray>("messages");
    const QByteArray unhandled = "KeyboardLayoutParser warning at line 1: unhandled action\n\n";
    QTest::newRow("keysym with modifier") << "keysym(ctrl+home)" << QStringList{"keysym:ff50/4"} << QByteArray();
    QTest::newRow("keysym trimmed, any case") << "  KeySym(F12)\t" << QStringList{"keysym:ffc9/0"} << QByteArray();
    QTest::newRow("names after the keysym ignored") << "keysym(shift+mod2+PageUp+nonsense)"
                                                    << QStringList{"keysym:ff55/17"} << QByteArray();
    QTest::newRow("space keysym") << "keysym(space)" << QStringList{"keysym:20/0"} << QByteArray();
    QTest::newRow("modifiers only: no action") << "keysym(ctrl)" << QStringList() << QByteArray();
    QTest::newRow("glyph emits label") << "glyph" << QStringList{"L"} << QByteArray();
    QTest::newRow("glyph text") << "glyph(dead_acute)" << QStringList{"dead_acute"} << QByteArray();
    QTest::newRow("glyph keeps inner blanks") << "glyph( ) " << QStringList{" "} << QByteArray();
    QTest::newRow("glyph of parenthesis") << "glyph())" << QStringList{")"} << QByteArray();
    QTest::newRow("empty glyph emits nothing") << "glyph()" << QStringList() << QByteArray();
    QTest::newRow("other text: no action") << "launchRockets" << QStringList() << QByteArray();
    QTest::newRow("unclosed keysym") << "keysym(home" << QStringList() << unhandled;
    QTest::newRow("unknown keysym") << "keysym(ctrl+f13)" << QStringList() << unhandled;
    QTest::newRow("empty keysym") << "keysym()" << QStringList() << unhandled;
    QTest::newRow("unclosed glyph") << "glyph(x" << QStringList() << unhandled;
    QTest::newRow("modifier name not trimmed") << "lockModifier( shift)" << QStringList() << unhandled;
    QTest::newRow("unknown modifier") << "setModifier(hyper)" << QStringList() << unhandled;
}

void TestLayoutParser::actionsFromText()
{
    QFETCH(QString, action);
    QFETCH(QStringList, output);
    QFETCH(QByteArray, messages);
    StderrCapture capture;
    LoadedKeyboard loaded(oneKey("<variant label=\"L\" action=\"" + action.toHtmlEscaped().toUtf8() + "\"/>"));
    QCOMPARE(capture.text(), messages);
    QVERIFY(loaded.parsed);
    KeyboardRecorder recorder;
    recorder.attach(loaded.keyboard);
    keyboardSelectLayout(loaded.keyboard, "default");
    Key *key = loaded.keys.value("default/k");
    QCOMPARE(keyVariantCount(key), uint8_t(1));
    click(key);
    QCOMPARE(recorder.output, output);
}

void TestLayoutParser::toggleKeysFollowTheirModifier()
{
    LoadedKeyboard loaded(R"x(<keyboard><layout id="default">
        <key id="left" type="toggle"><variant label="Shift" action="latchModifier(shift)"/></key>
        <key id="right" type="toggle"><variant label="Shift" action="latchModifier(shift)"/></key>
        <key id="plain"><variant label="Shift" action="latchModifier(shift)"/></key>
        <key id="a"><variant label="a" action="glyph"/><variant label="A" modifiers="shift" action="glyph"/></key>
        </layout></keyboard>)x");
    QVERIFY(loaded.parsed);
    keyboardSelectLayout(loaded.keyboard, "default");
    Key *left = loaded.keys.value("default/left");
    Key *right = loaded.keys.value("default/right");
    QCOMPARE(listCount(left->listeners), 1u);
    QCOMPARE(listCount(loaded.keys.value("default/plain")->listeners), 0u);

    click(left);
    QCOMPARE(keyState(right), int(KeyStateDown));
    QCOMPARE(currentLabel(loaded.keys.value("default/a")), QStringLiteral("A"));
    click(loaded.keys.value("default/a"));
    QCOMPARE(keyState(left), int(KeyStateUp));
    QCOMPARE(keyState(right), int(KeyStateUp));
    QCOMPARE(keyboardModifierState(loaded.keyboard), 0u);
}

void TestLayoutParser::templatesShareBehaviors()
{
    StderrCapture capture;
    LoadedKeyboard loaded(R"x(<keyboard><layout id="default">
<templates><key id="t"><variant modifiers="none"/><variant modifiers="shift"/></key></templates>
<key id="a" ref="t"><variant label="a"/><variant label="A"/></key>
<key id="b" ref="t"><variant label="b"/><variant label="B" modifiers="lock"/></key>
<key id="c" ref="T"><variant label="c"/><variant label="C"/></key>
<key id="d" ref="t"><variant label="d"/><variant label="D"/></key>
</layout></keyboard>)x");
    QCOMPARE(capture.text(), QByteArray("KeyboardLayoutParser warning at line 5: unknown template reference\n\n"));
    QVERIFY(loaded.parsed);
    keyboardSelectLayout(loaded.keyboard, "default");
    Key *a = loaded.keys.value("default/a");
    Key *b = loaded.keys.value("default/b");
    Key *d = loaded.keys.value("default/d");
    QCOMPARE(keyBehaviorIndex(a), keyBehaviorIndex(d));
    QVERIFY(keyBehaviorIndex(b) != keyBehaviorIndex(a));
    QCOMPARE(keyBehaviorIndex(loaded.keys.value("default/c")), keyboardAddBehavior(loaded.keyboard, [] {
        static KeyBehavior empty;
        keyBehaviorClear(&empty);
        return &empty;
    }()));
    QCOMPARE(loaded.keyboard->behaviorCount, 3u);

    const QList<QPair<uint32_t, QString>> cases = {{0, "abcd"}, {1, "ABcD"}, {2, "aBcd"}};
    for (const auto &[mask, labels] : cases) {
        loaded.keyboard->lockedMask = mask;
        QString shown;
        for (const char *id : {"a", "b", "c", "d"})
            shown += currentLabel(loaded.keys.value(QStringLiteral("default/") + id));
        QCOMPARE(shown, labels);
    }
    QCOMPARE(loaded.keys.size(), 4); // the template key is not one of the layout's keys
}

void TestLayoutParser::malformedDocuments_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QByteArray>("messages");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<QStringList>("layouts");
    const QByteArray prefix = "KeyboardLayoutParser ";
    QTest::newRow("layout without id") << QByteArray("<keyboard>\n<layout id=\"first\"/>\n<layout class=\"x\">\n"
                                                     "<key id=\"k\"/></layout>\n<layout id=\"third\"/></keyboard>")
                                       << prefix + "error at line 3: missing id attribute\n\n" << false
                                       << QStringList{"first"};
    QTest::newRow("template key without id")
        << QByteArray("<keyboard><layout id=\"a\">\n<templates>\n<key/></templates></layout></keyboard>")
        << prefix + "error at line 3: missing id attribute\n\n" << false << QStringList();
    QTest::newRow("bad key type") << oneKey("<variant/>", " type=\"sticky\"")
                                  << prefix + "warning at line 1: invalid type attribute, defaulting to \"normal\"\n\n"
                                  << true << QStringList{"default"};
    QTest::newRow("unknown modifier") << QByteArray("<keyboard><layout id=\"a\"><key>\n<variant modifiers=\"shift+hyper\"/>"
                                                    "</key></layout></keyboard>")
                                      << prefix + "error at line 2: unable to parse modifiers\n\n" << false << QStringList();
    QTest::newRow("blank inside modifiers") << oneKey("\n\n<variant modifiers=\"shift | lock\"/>")
                                            << prefix + "error at line 3: unable to parse modifiers\n\n" << false
                                            << QStringList();
    QTest::newRow("variant outside key") << QByteArray("<keyboard><layout id=\"a\">\n<variant label=\"v\" modifiers=\"shift\">\n"
                                                       "</variant></layout></keyboard>")
                                         << prefix + "warning at line 3: no key to add variant\n\n" << true
                                         << QStringList{"a"};
    QTest::newRow("unknown action") << oneKey("\n<variant action=\"keysym(hyper)\"/>\n<variant action=\"glyph(\"/>")
                                    << prefix + "warning at line 2: unhandled action\n\n" + prefix
                                           + "warning at line 3: unhandled action\n\n"
                                    << true << QStringList{"default"};
    QTest::newRow("unclosed element") << QByteArray("<keyboard>\n<layout id=\"a\">\n<key id=\"k\">\n</layout>\n</keyboard>")
                                      << prefix + "error at line 4: mismatched tag\n\n" << false << QStringList();
    QTest::newRow("unclosed document") << QByteArray("<keyboard>\n<layout id=\"a\"></layout>\n<layout id=\"b\">")
                                       << prefix + "error at line 3: no element found\n\n" << false
                                       << QStringList{"a"};
    QTest::newRow("bad character number") << oneKey("\n<variant label=\"&#xFFFFFFFF;\"/>")
                                          << prefix + "error at line 2: reference to invalid character number\n\n"
                                          << false << QStringList();
    QTest::newRow("not XML") << QByteArray("keyboard")
                             << prefix + "error at line 1: syntax error\n\n" << false << QStringList();
    QTest::newRow("entity expansion bomb")
        << QByteArray("<!DOCTYPE keyboard [<!ENTITY a \"aaaaaaaaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
                      "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
                      "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>\n"
                      "<keyboard><layout id=\"a\"><key><variant label=\"&f;&f;&f;&f;&f;&f;&f;&f;\"/>"
                      "</key></layout></keyboard>")
        << prefix + "error at line 2: limit on input amplification factor (from DTD and entities) breached\n\n"
        << false << QStringList();
    QTest::newRow("empty document") << QByteArray() << prefix + "error: empty document\n\n" << false << QStringList();
    QByteArray tooMany;
    for (int i = 0; i < 256; ++i)
        tooMany += "<variant/>";
    QTest::newRow("256 variants") << oneKey(tooMany) << prefix + "error at line 1: unable to add variant to key\n\n"
                                  << false << QStringList();
    QTest::newRow("nothing counts outside a keyboard")
        << QByteArray("<doc><layout/><layout id=\"x\"><key><variant/></key></layout></doc>") << QByteArray() << true
        << QStringList();
}

void TestLayoutParser::malformedDocuments()
{
    QFETCH(QByteArray, document);
    QFETCH(QByteArray, messages);
    QFETCH(bool, parsed);
    QFETCH(QStringList, layouts);
    StderrCapture capture;
    LoadedKeyboard loaded(document);
    QCOMPARE(capture.text(), messages);
    QCOMPARE(loaded.parsed, parsed);
    QCOMPARE(layoutIds(loaded.keyboard), layouts);
}

void TestLayoutParser::namesIgnoreCase()
{
    LoadedKeyboard loaded(R"x(<KEYBOARD><Layout ID="Default"><ROW><KEY Id="k" TYPE="Toggle">)x"
                          R"x(<Variant LABEL="x" Action="Glyph"/></KEY></ROW></Layout></KEYBOARD>)x");
    QVERIFY(loaded.parsed);
    QVERIFY(!keyboardSelectLayout(loaded.keyboard, "default"));
    QVERIFY(keyboardSelectLayout(loaded.keyboard, "Default"));
    Key *key = loaded.keys.value("Default/k");
    QCOMPARE(keyType(key), int(KeyTypeToggle));
    KeyboardRecorder recorder;
    recorder.attach(loaded.keyboard);
    click(key);
    QCOMPARE(recorder.output, QStringList{"x"});
}

void TestLayoutParser::listenersFollowTheDocument()
{
    EventLog log;
    EventLog second;
    KeyboardLayoutParser *parser = keyboardLayoutParserCreate();
    parserAddLayoutBeginListener(parser, EventLog::layoutBegin, &log);
    parserAddLayoutEndListener(parser, EventLog::layoutEnd, &log);
    parserAddRowBeginListener(parser, EventLog::rowBegin, &log);
    parserAddRowBeginListener(parser, EventLog::rowBegin, &second);
    parserAddRowEndListener(parser, EventLog::rowEnd, &log);
    parserAddRowEndListener(parser, EventLog::rowEnd, &second);
    parserAddKeyBeginListener(parser, EventLog::keyBegin, &log);
    addListener(parser, EventLog::keyAdded, &log);
    const QByteArray document = R"x(<keyboard><layout id="l" class="latin">
        <templates><key id="t"/><row id="ignored"/></templates>
        <defaults><key id="d"/><row id="ignored"/></defaults>
        <row id="r1" class="top"><key id="a" class="2,2"/><key/></row>
        <row><key id="b"/></row></layout></keyboard>)x";
    Keyboard *keyboard = keyboardCreate();
    QVERIFY(keyboardLayoutParserParse(parser, keyboard, document.constData(), size_t(document.size())));
    keyboardLayoutParserFree(parser);
    QCOMPARE(log.events, QStringList({"layout l latin", "row r1 top", "key a 2,2", "/key a 2,2", "key - -",
                                      "/key - -", "/row r1 top", "row - -", "key b -", "/key b -", "/row - -",
                                      "/layout l latin"}));
    QCOMPARE(second.events, QStringList({"/row r1 top", "/row - -"}));
    QCOMPARE(listCount(keyboardLayoutKeys(keyboardFindById(keyboard, "l"))), 3u);
    keyboardFree(keyboard);
}

void TestLayoutParser::ignoredElementsDoNotCloseOuterOnes()
{
    StderrCapture capture;
    LoadedKeyboard loaded(R"x(<keyboard><keyboard/><layout id="a"><layout id="b"/>
        <templates><templates/><key id="t"><variant/><key id="x"/><variant modifiers="shift"/></key></templates>
        <key id="k" ref="t"><key id="inner"/><variant label="v"><variant label="w"/></variant><variant label="V"/></key>
        </layout></keyboard>)x");
    QCOMPARE(capture.text(), QByteArray());
    QVERIFY(loaded.parsed);
    QCOMPARE(layoutIds(loaded.keyboard), QStringList{"a"});
    QCOMPARE(loaded.keys.keys(), QStringList{"a/k"});
    Key *key = loaded.keys.value("a/k");
    QCOMPARE(keyVariantCount(key), uint8_t(2));
    keyboardSelectLayout(loaded.keyboard, "a");
    QCOMPARE(currentLabel(key), QStringLiteral("v"));
    loaded.keyboard->lockedMask = 1;
    QCOMPARE(currentLabel(key), QStringLiteral("V")); // the template's second variant counted
}

void TestLayoutParser::parserReadsAgainAfterAnError()
{
    KeyboardLayoutParser *parser = keyboardLayoutParserCreate();
    const QByteArray withTemplate = R"x(<keyboard><layout id="a"><templates><key id="t">)x"
                                    R"x(<variant/><variant modifiers="shift"/></key></templates>)x"
                                    R"x(<key id="half"><variant label="h"/></key>)x";
    const QByteArray usesTemplate = R"x(<keyboard><layout id="b"><key id="k" ref="t"><variant label="k"/>)x"
                                    R"x(<variant label="K"/></key></layout></keyboard>)x";
    QVERIFY(!keyboardLayoutParserParse(parser, nullptr, usesTemplate.constData(), size_t(usesTemplate.size())));
    Keyboard *first = keyboardCreate();
    Keyboard *second = keyboardCreate();
    {
        StderrCapture capture;
        QVERIFY(!keyboardLayoutParserParse(parser, first, withTemplate.constData(), size_t(withTemplate.size())));
        QVERIFY(keyboardLayoutParserParse(parser, second, usesTemplate.constData(), size_t(usesTemplate.size())));
        QCOMPARE(capture.text(), QByteArray("KeyboardLayoutParser error at line 1: no element found\n\n"
                                            "KeyboardLayoutParser warning at line 1: unknown template reference\n\n"));
    }
    QCOMPARE(layoutIds(first), QStringList());
    QCOMPARE(first->behaviorCount, 2u);
    QVERIFY(keyboardSelectLayout(second, "b"));
    second->lockedMask = 1;
    Key *key = static_cast<Key *>(keyboardFindById(second, "b")->keys->head->value);
    QCOMPARE(second->behaviorCount, 1u); // the first document's templates are gone
    QCOMPARE(currentLabel(key), QStringLiteral("k"));
    keyboardLayoutParserFree(parser);
    keyboardFree(first);
    keyboardFree(second);
}

void TestLayoutParser::largeDocuments()
{
    QByteArray document = "<keyboard>\n<layout id=\"big\">\n";
    const QByteArray key = "<key id=\"k\" class=\"2,2\"><variant label=\"a\" action=\"glyph\"/>"
                           "<variant label=\"A\" modifiers=\"shift|lock\" action=\"glyph\"/></key>\n";
    int lines = 2;
    while (document.size() < 5 * 1024 * 1024) {
        document += key;
        ++lines;
    }
    {
        LoadedKeyboard loaded(document + "</layout>\n</keyboard>\n");
        QVERIFY(loaded.parsed);
        QCOMPARE(listCount(keyboardLayoutKeys(keyboardFindById(loaded.keyboard, "big"))), uint32_t(lines - 2));
        QCOMPARE(loaded.keyboard->behaviorCount, 1u);
    }
    StderrCapture capture;
    LoadedKeyboard truncated(document + "<key>");
    QCOMPARE(capture.text(), "KeyboardLayoutParser error at line " + QByteArray::number(lines + 1)
                                 + ": no element found\n\n");
    QVERIFY(!truncated.parsed);
    QCOMPARE(layoutIds(truncated.keyboard), QStringList());
}

QTEST_GUILESS_MAIN(TestLayoutParser)
#include "tst_layoutparser.moc"
