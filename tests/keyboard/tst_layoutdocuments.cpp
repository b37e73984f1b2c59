#include "keyboard/key.h"
#include "keyboard/keyactions.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/keyvariant.h"
#include "keyboard/list.h"
#include "resources/resourcepaths.h"
#include "windows/winutils.h"

#include "keyboardrecorder.h"

#include <QtTest>

namespace {

// The layout document of "<language>.xml" from the language's package.
QByteArray readDocument(const QString &name)
{
    const QString language = QFileInfo(name).completeBaseName();
    const QString package = applicationPath(ResourcesFolder) + "/1" + language + ".rcc";
    if (!QResource::registerResource(package, resourcepaths::packageRoot()))
        return QByteArray();
    QFile file(resourcepaths::languages() + language + "/keyboard.xml");
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QResource::unregisterResource(package, resourcepaths::packageRoot());
    return text;
}

// Runs steps on a loaded keyboard: "@id" selects a layout, any other step
// clicks the key of that id in the current layout.
bool run(LoadedKeyboard &loaded, const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1Char('@'))) {
            if (!keyboardSelectLayout(loaded.keyboard, step.mid(1).toUtf8().constData()))
                return false;
            continue;
        }
        const QString layout = QString::fromUtf8(keyboardLayoutId(keyboardCurrentLayout(loaded.keyboard)));
        Key *key = loaded.keys.value(layout + QLatin1Char('/') + step);
        if (!key)
            return false;
        click(key);
    }
    return true;
}

// Texts that switch to another layout after a dead key.
QStringList deadTexts(const Keyboard *keyboard)
{
    QStringList texts;
    for (ListNode *layout = keyboard->layouts->head; layout; layout = layout->next) {
        const List *keys = keyboardLayoutKeys(static_cast<KeyboardLayout *>(layout->value));
        for (ListNode *node = keys->head; node; node = node->next) {
            auto *key = static_cast<Key *>(node->value);
            for (int i = 0; i < keyVariantCount(key); ++i) {
                const KeyVariant *variant = keyVariantAt(key, i);
                auto *text = static_cast<const KeyTextArgument *>(keyVariantArgument(variant));
                if (variant->action == textAction && text && QByteArray(text->text).startsWith("dead_"))
                    texts << QString::fromUtf8(text->text);
            }
        }
    }
    return texts;
}

} // namespace

class TestLayoutDocuments : public QObject
{
    Q_OBJECT

private slots:
    void documentsReadCleanly_data();
    void documentsReadCleanly();
    void keyPresses_data();
    void keyPresses();
    void labelsFollowModifiers_data();
    void labelsFollowModifiers();
};

void TestLayoutDocuments::documentsReadCleanly_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("layouts");
    QTest::addColumn<QStringList>("deadKeys");
    QTest::newRow("English (US)") << "en_US.xml" << QStringList{"default", "math"} << QStringList();
    QTest::newRow("French") << "fr_FR.xml"
                            << QStringList{"default", "dead_circumflex", "dead_diaeresis", "math"}
                            << QStringList{"dead_circumflex", "dead_diaeresis"};
    QTest::newRow("Korean") << "ko_KR.xml" << QStringList{"default", "math"} << QStringList();
}

void TestLayoutDocuments::documentsReadCleanly()
{
    QFETCH(QString, document);
    QFETCH(QStringList, layouts);
    QFETCH(QStringList, deadKeys);
    StderrCapture capture;
    LoadedKeyboard loaded(readDocument(document));
    QCOMPARE(capture.text(), QByteArray());
    QVERIFY(loaded.parsed);
    QCOMPARE(layoutIds(loaded.keyboard), layouts);
    QCOMPARE(deadTexts(loaded.keyboard), deadKeys);
    // Every key shows a label with no modifier active.
    for (const QString &layout : layouts) {
        QVERIFY(keyboardSelectLayout(loaded.keyboard, layout.toUtf8().constData()));
        const List *keys = keyboardLayoutKeys(keyboardCurrentLayout(loaded.keyboard));
        QVERIFY(listCount(keys) > 0);
        for (ListNode *node = keys->head; node; node = node->next)
            QVERIFY2(!currentLabel(static_cast<Key *>(node->value)).isEmpty(), qPrintable(layout));
    }
}

void TestLayoutDocuments::keyPresses_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("output");
    const QString en = QStringLiteral("en_US.xml");
    QTest::newRow("en letters") << en << QStringList{"q", "w"} << QStringList{"q", "w"};
    QTest::newRow("en shift latches one key") << en << QStringList{"lshift", "q", "q"} << QStringList{"Q@1", "q"};
    QTest::newRow("en shift twice cancels") << en << QStringList{"lshift", "rshift", "q"} << QStringList{"q"};
    QTest::newRow("en caps lock letters only") << en << QStringList{"caps", "q", "1", "caps", "q"}
                                               << QStringList{"Q@2", "1@2", "q"};
    QTest::newRow("en shift under caps lock") << en << QStringList{"caps", "lshift", "q", "lshift", "1"}
                                              << QStringList{"q@3", "!@3"};
    QTest::newRow("en shifted symbols") << en << QStringList{"lshift", "7", "lshift", "'", "lshift", "\\"}
                                        << QStringList{"&@1", "\"@1", "|@1"};
    QTest::newRow("en ctrl alt win") << en << QStringList{"ctrl", "c", "alt", "win", "x", "c"}
                                     << QStringList{"c@4", "x@80", "c"};
    QTest::newRow("en ctrl with keysym") << en << QStringList{"ctrl", "left", "left"}
                                         << QStringList{"keysym:ff51/0@4", "keysym:ff51/0"};
    QTest::newRow("en special keys") << en << QStringList{"space", "bs", "enter", "tab", "esc", "del", "up", "menu"}
                                     << QStringList{" ", "keysym:ff08/0", "keysym:ff0d/0", "keysym:ff09/0",
                                                    "keysym:ff1b/0", "keysym:ffff/0", "keysym:ff52/0", "menu"};
    QTest::newRow("en math") << en << QStringList{"@math", "7", "÷", "π", "√", "(", ")", "bs", "@default", "a"}
                             << QStringList{"7", "÷", "π", "√", "(", ")", "keysym:ff08/0", "a"};
    QTest::newRow("en layout change clears modifiers") << en << QStringList{"caps", "@math", "@default", "q"}
                                                       << QStringList{"q"};
    const QString fr = QStringLiteral("fr_FR.xml");
    QTest::newRow("fr azerty") << fr << QStringList{"a", "z", "&", "lshift", "&", "é"}
                               << QStringList{"a", "z", "&", "1@1", "é"};
    QTest::newRow("fr dead circumflex") << fr << QStringList{"dead", "@dead_circumflex", "e"}
                                        << QStringList{"dead_circumflex", "ê"};
    QTest::newRow("fr dead diaeresis capital") << fr << QStringList{"lshift", "dead", "@dead_diaeresis", "lshift", "y"}
                                               << QStringList{"dead_diaeresis@1", "Ÿ@1"};
    QTest::newRow("fr dead key then space") << fr << QStringList{"dead", "@dead_circumflex", "space"}
                                            << QStringList{"dead_circumflex", "^"};
    const QString ko = QStringLiteral("ko_KR.xml");
    QTest::newRow("ko jamo") << ko << QStringList{"r", "k", "d"} << QStringList{"ㄱ", "ㅏ", "ㅇ"};
    QTest::newRow("ko shifted jamo") << ko << QStringList{"lshift", "r", "lshift", "o", "lshift", "k"}
                                     << QStringList{"ㄲ@1", "ㅒ@1", "ㅏ@1"};
    QTest::newRow("ko caps lock keeps jamo") << ko << QStringList{"caps", "r"} << QStringList{"ㄱ@2"};
    QTest::newRow("ko to English") << ko << QStringList{"haneng", "r", "lshift", "r", "caps", "r", "lshift", "r"}
                                   << QStringList{"r@32", "R@33", "R@34", "r@35"};
    QTest::newRow("ko back to Hangul") << ko << QStringList{"haneng", "haneng", "r"} << QStringList{"ㄱ"};
    QTest::newRow("ko layout selection returns to Hangul") << ko << QStringList{"haneng", "@default", "r"}
                                                           << QStringList{"ㄱ"};
}

void TestLayoutDocuments::keyPresses()
{
    QFETCH(QString, document);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, output);
    LoadedKeyboard loaded(readDocument(document));
    QVERIFY(loaded.parsed);
    KeyboardRecorder recorder;
    recorder.attach(loaded.keyboard);
    QVERIFY(keyboardSelectLayout(loaded.keyboard, "default"));
    QVERIFY(run(loaded, steps));
    QCOMPARE(recorder.output, output);
}

void TestLayoutDocuments::labelsFollowModifiers_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("state");
    QTest::newRow("en letter") << "en_US.xml" << QStringList() << "default/q" << "q" << 0;
    QTest::newRow("en letter under shift") << "en_US.xml" << QStringList{"lshift"} << "default/q" << "Q" << 0;
    QTest::newRow("en shift keys down together") << "en_US.xml" << QStringList{"lshift"} << "default/rshift"
                                                 << "Shift" << 1;
    QTest::newRow("en shift released by a letter") << "en_US.xml" << QStringList{"lshift", "q"} << "default/lshift"
                                                   << "Shift" << 0;
    QTest::newRow("en caps stays on") << "en_US.xml" << QStringList{"caps", "q", "w"} << "default/caps"
                                      << "Caps" << 1;
    QTest::newRow("ko Han/Eng off") << "ko_KR.xml" << QStringList() << "default/haneng" << "Han" << 0;
    QTest::newRow("ko Han/Eng on") << "ko_KR.xml" << QStringList{"haneng", "r"} << "default/haneng" << "Eng" << 1;
    QTest::newRow("ko key in English") << "ko_KR.xml" << QStringList{"haneng", "lshift"} << "default/r" << "R" << 0;
    QTest::newRow("fr dead key under shift") << "fr_FR.xml" << QStringList{"lshift"} << "default/dead" << "¨" << 0;
}

void TestLayoutDocuments::labelsFollowModifiers()
{
    QFETCH(QString, document);
    QFETCH(QStringList, steps);
    QFETCH(QString, key);
    QFETCH(QString, label);
    QFETCH(int, state);
    LoadedKeyboard loaded(readDocument(document));
    QVERIFY(keyboardSelectLayout(loaded.keyboard, "default"));
    QVERIFY(run(loaded, steps));
    QVERIFY(loaded.keys.contains(key));
    QCOMPARE(currentLabel(loaded.keys.value(key)), label);
    QCOMPARE(keyState(loaded.keys.value(key)), state);
}

QTEST_GUILESS_MAIN(TestLayoutDocuments)
#include "tst_layoutdocuments.moc"
