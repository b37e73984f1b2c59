#include "keyboard/hangulcomposer.h"
#include "model/specialkeys.h"

#include <QtTest>

namespace {

// Feeds steps to a composer and writes down what reaches the target. A step
// is a key text, or one of "<BS>" and "<UP>" (a keysym while composing),
// "<IN>" and "<OUT>" (a mouse release inside or outside the panel). In the
// output a backspace reads "BS", a timeout "~", and a keysym that the
// composer leaves to its caller "pass:<step>".
struct ComposerRun {
    HangulComposer composer;
    QStringList output;
    bool active = false;

    ComposerRun()
    {
        QObject::connect(&composer, &HangulComposer::output, [this](const QString &text) {
            output << (text == specialKeyText(SpecialKey::Backspace) ? QStringLiteral("BS") : text);
        });
        QObject::connect(&composer, &HangulComposer::timeout,
                         [this] { output << QStringLiteral("~"); });
        QObject::connect(&composer, &HangulComposer::activeChanged,
                         [this](bool on) { active = on; });
    }

    void run(const QStringList &steps)
    {
        for (const QString &step : steps) {
            if (step == QLatin1String("<IN>") || step == QLatin1String("<OUT>"))
                composer.mouseReleased(step == QLatin1String("<IN>"));
            else if (step == QLatin1String("<BS>"))
                keysym(step, SpecialKey::Backspace);
            else if (step == QLatin1String("<UP>"))
                keysym(step, SpecialKey::Up);
            else
                composer.composeText(step);
        }
    }

    void keysym(const QString &step, SpecialKey key)
    {
        if (!composer.composeKeysym(specialKeyText(key)))
            output << QStringLiteral("pass:") + step;
    }
};

QString ctrl(const QString &text)
{
    return specialKeyText(SpecialKey::Ctrl) + text;
}

} // namespace

class TestHangulComposer : public QObject
{
    Q_OBJECT

private slots:
    void composition_data();
    void composition();
    void labelFollowsEveryStep();
};

void TestHangulComposer::composition_data()
{
    QTest::addColumn<bool>("panelRelease");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("state");

    QTest::newRow("initial then medial")
        << true << QStringList{"ㄱ", "ㅏ"} << QStringList{"ㄱ", "BS", "~", "가"} << "가" << 2;
    QTest::newRow("lone initial") << true << QStringList{"ㄱ"} << QStringList{"ㄱ"} << "ㄱ" << 1;
    QTest::newRow("final moves on to the next syllable")
        << true << QStringList{"ㄱ", "ㅏ", "ㅇ", "ㅏ"}
        << QStringList{"ㄱ", "BS", "~", "가", "BS", "~", "강", "BS", "~", "가아"} << "아" << 2;
    QTest::newRow("compound final and its backspace")
        << true << QStringList{"ㄷ", "ㅏ", "ㄹ", "ㄱ", "<BS>"}
        << QStringList{"ㄷ", "BS", "~", "다", "BS", "~", "달", "BS", "~", "닭", "BS", "~", "달"}
        << "달" << 3;
    QTest::newRow("compound medial, backspaces to the end")
        << true << QStringList{"ㄱ", "ㅗ", "ㅏ", "<BS>", "<BS>", "<BS>"}
        << QStringList{"ㄱ", "BS", "~", "고", "BS", "~", "과", "BS", "~", "고", "BS", "~", "ㄱ",
                       "pass:<BS>"}
        << "" << 0;
    QTest::newRow("backspace drops a single final")
        << true << QStringList{"ㄱ", "ㅏ", "ㅁ", "<BS>"}
        << QStringList{"ㄱ", "BS", "~", "가", "BS", "~", "감", "BS", "~", "가"} << "가" << 2;
    QTest::newRow("medial compound ㅡㅣ")
        << true << QStringList{"ㅎ", "ㅡ", "ㅣ"}
        << QStringList{"ㅎ", "BS", "~", "흐", "BS", "~", "희"} << "희" << 2;
    QTest::newRow("compound final before a vowel keeps its first part")
        << true << QStringList{"ㄷ", "ㅏ", "ㄹ", "ㄱ", "ㅏ"}
        << QStringList{"ㄷ", "BS", "~", "다", "BS", "~", "달", "BS", "~", "닭", "BS", "~", "달가"}
        << "가" << 2;
    QTest::newRow("vowel after a lone vowel")
        << true << QStringList{"ㅏ", "ㅗ"} << QStringList{"ㅏ", "ㅗ"} << "ㅗ" << 1;
    QTest::newRow("consonant after a lone consonant")
        << true << QStringList{"ㄱ", "ㅅ"} << QStringList{"ㄱ", "ㅅ"} << "ㅅ" << 1;
    QTest::newRow("consonant that is no final")
        << true << QStringList{"ㄱ", "ㅏ", "ㄸ"} << QStringList{"ㄱ", "BS", "~", "가", "ㄸ"}
        << "ㄸ" << 1;
    QTest::newRow("second compound final is refused")
        << true << QStringList{"ㄷ", "ㅏ", "ㄹ", "ㄱ", "ㅅ"}
        << QStringList{"ㄷ", "BS", "~", "다", "BS", "~", "달", "BS", "~", "닭", "ㅅ"} << "ㅅ" << 1;
    QTest::newRow("digit ends the composition")
        << true << QStringList{"ㄱ", "ㅏ", "1"} << QStringList{"ㄱ", "BS", "~", "가", "1"} << ""
        << 0;
    QTest::newRow("Latin letter ends the composition")
        << true << QStringList{"ㄱ", "a"} << QStringList{"ㄱ", "a"} << "" << 0;
    QTest::newRow("jamo with a modifier is sent as it is")
        << true << QStringList{"ㄱ", ctrl("ㅏ")} << QStringList{"ㄱ", ctrl("ㅏ")} << "" << 0;
    QTest::newRow("keysym ends the composition")
        << true << QStringList{"ㄱ", "ㅏ", "<UP>"}
        << QStringList{"ㄱ", "BS", "~", "가", "pass:<UP>"} << "" << 0;
    QTest::newRow("backspace on a lone jamo is passed on")
        << true << QStringList{"ㄱ", "<BS>"} << QStringList{"ㄱ", "pass:<BS>"} << "" << 0;
    QTest::newRow("release outside ends the composition")
        << true << QStringList{"ㄱ", "ㅏ", "<OUT>", "ㄴ", "ㅏ"}
        << QStringList{"ㄱ", "BS", "~", "가", "ㄴ", "나"} << "나" << 2;
    QTest::newRow("without a panel release no backspace is sent")
        << false << QStringList{"ㄱ", "ㅏ", "ㅇ"} << QStringList{"ㄱ", "가", "강"} << "강" << 3;
    QTest::newRow("without a panel release keysyms pass and the composition stays")
        << false << QStringList{"ㄱ", "ㅏ", "<BS>"} << QStringList{"ㄱ", "가", "pass:<BS>"}
        << "가" << 2;
    QTest::newRow("release inside sets the flag")
        << false << QStringList{"ㄱ", "<IN>", "ㅏ"} << QStringList{"ㄱ", "BS", "~", "가"} << "가"
        << 2;
    QTest::newRow("keysym outside a composition")
        << true << QStringList{"<BS>"} << QStringList{"pass:<BS>"} << "" << 0;
    QTest::newRow("empty text does nothing")
        << true << QStringList{"ㄱ", ""} << QStringList{"ㄱ"} << "ㄱ" << 1;
}

void TestHangulComposer::composition()
{
    QFETCH(bool, panelRelease);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, output);
    QFETCH(QString, shown);
    QFETCH(int, state);

    ComposerRun run;
    run.composer.setPanelRelease(panelRelease);
    run.run(steps);
    QCOMPARE(run.output, output);
    QCOMPARE(run.composer.shown(), shown);
    QCOMPARE(int(run.composer.state()), state);
    QCOMPARE(run.active, state != 0);
}

// The label is told of every form, and emptied when the composition ends.
void TestHangulComposer::labelFollowsEveryStep()
{
    ComposerRun run;
    QStringList labels;
    connect(&run.composer, &HangulComposer::shownChanged,
            [&labels](const QString &shown) { labels << shown; });
    run.composer.setPanelRelease(true);
    run.run({"ㄱ", "ㅏ", "ㅇ", "<BS>", "<UP>"});
    QCOMPARE(labels, (QStringList{"ㄱ", "가", "강", "가", ""}));
    QVERIFY(!run.active);
}

QTEST_GUILESS_MAIN(TestHangulComposer)
#include "tst_hangulcomposer.moc"
