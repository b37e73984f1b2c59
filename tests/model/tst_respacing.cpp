#include "model/respacing.h"
#include "model/resultbuilding.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

Stroke pen(double x)
{
    return penThrough({{x, 0}, {x + 1, 0}, {x + 2, 1}});
}

// A word token: one character per unit, each on a pen stroke of its own.
// A leading '~' makes the word ink-less, a '*' gives the next character
// the stand-alone word flag, an empty token is a word with an empty label.
Segment tokenWord(const QString &token, double &x)
{
    const bool inkless = token.startsWith(QLatin1Char('~'));
    const QString body = inkless ? token.mid(1) : token;
    QList<Segment> characters;
    if (body.isEmpty())
        characters << leaf(QString(), InkRange::fromStroke(pen(x)));
    int flag = 0;
    for (const QChar c : body) {
        if (c == QLatin1Char('*')) {
            flag = 1;
            continue;
        }
        characters << leaf(c, inkless ? InkRange() : InkRange::fromStroke(pen(x)), flag);
        flag = 0;
        x += 10;
    }
    return branch(characters);
}

RecognitionResult textOf(const QStringList &tokens)
{
    double x = 0;
    QList<Segment> words;
    for (const QString &token : tokens)
        words << tokenWord(token, x);
    return resultOfWords(words);
}

// A word's label followed by '~' when it has no ink, '^' when its ink is
// typed.
QStringList describe(const RecognitionResult &r)
{
    QStringList words;
    for (const Segment &w : r.root().selectedCandidate().children()) {
        QString d = w.selectedCandidate().label();
        if (w.ink().isEmpty())
            d += QLatin1Char('~');
        else if (w.ink().isAllOfKind(Stroke::PointRow))
            d += QLatin1Char('^');
        words << d;
    }
    return words;
}

} // namespace

class TestRespacing : public QObject
{
    Q_OBJECT

private slots:
    void options_data();
    void options();
    void unchangedInputComesBack_data();
    void unchangedInputComesBack();
    void typedInkIsOnePoint();
    void keptInkIsTheWordsOwn();
    void rootHoldsTheWordsOfEveryLine();
    void perTypeInkAndLinesAreTrimmed();
    void everythingDropped();
    void argumentUnchanged();
};

void TestRespacing::options_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");

    const QString nl = QStringLiteral("\n");
    auto row = [](const char *name, int options, const QStringList &in, const QStringList &out) {
        QTest::newRow(name) << options << in << out;
    };

    row("0x30 ends", 0x30, {"~ ", " ", "hello", nl}, {"hello"});
    row("0x30 ink-less ends", 0x30, {"~abc", "x", "~def"}, {"x"});
    row("0x20 leading only", 0x20, {"~ab", " ", "x", " "}, {"x", " "});
    row("0x10 trailing only", 0x10, {" ", "x", " ", nl}, {" ", "x"});

    row("0x40 two spaces", 0x40, {"a", " ", " ", "b"}, {"a", " ", "b"});
    row("0x40 three spaces", 0x40, {"a", " ", " ", " ", "b"}, {"a", " ", "b"});
    row("0x40 space then new line", 0x40, {"a", " ", nl, "b"}, {"a", nl, "b"});
    row("0x40 new line then space", 0x40, {"a", nl, " ", "b"}, {"a", nl, "b"});
    row("0x40 two new lines", 0x40, {"a", nl, nl, "b"}, {"a", nl, "b"});
    row("0x40 leading run", 0x40, {" ", " ", "a"}, {" ", "a"});
    row("0x40 ideographic spaces", 0x40, {"中", "\u3000", "\u3000", "文"},
        {"中", "\u3000", "文"});

    row("0x84 Latin new line", 0x84, {"ab", nl, "cd"}, {"ab", " ^", "cd"});
    row("0x84 Chinese new line", 0x84, {"中", nl, "文"}, {"中", "文"});
    row("0x84 Japanese new line", 0x84, {"かな", nl, "字"}, {"かな", "字"});
    row("0x84 Korean new line", 0x84, {"한", nl, "국"}, {"한", " ^", "국"});
    row("0x84 ink-less space", 0x84, {"ab", "~ "}, {"ab", " ^"});
    row("0x82 Latin new line", 0x82, {"ab", nl, "cd"}, {"ab", " ~", "cd"});
    row("0x82 inked space", 0x82, {"ab", " ", "cd"}, {"ab", " ~", "cd"});
    row("0x80 alone", 0x80, {"ab", nl, "cd"}, {"ab", nl, "cd"});

    row("0x4 ink-less separators", 0x4, {"~ab", "~ ", "~cd", "~\n"},
        {"ab~", " ^", "cd~", "\n^"});
    row("0x4 inked space", 0x4, {"ab", " "}, {"ab", " "});
    row("0x2 inked separators", 0x2, {"ab", " ", "cd", nl}, {"ab", " ~", "cd", "\n~"});
    row("0xA trailing space", 0xA, {"ab", " ", "cd"}, {"ab", " ~", "cd", " ~"});
    row("0xC trailing typed space", 0xC, {"~ab"}, {"ab~", " ^"});

    row("0x200 brackets", 0x200, {"(", "ab", ")", "<", "]"}, {")", "ab", "(", ">", "["});
    row("0x200 Arabic", 0x200, {"(", "سلام", ")", "٣"}, {")", "سلام", "(", "٣"});
    row("0x200 Hebrew", 0x200, {"[", "שלום", "]"}, {"]", "שלום", "["});
    row("0x300 Arabic", 0x300, {"سلام", "<", ","}, {"سلام", ">", ","});
    row("0x200 two-character word", 0x200, {"a", "()", "{"}, {"a", "()", "}"});

    row("0x100 comma after Chinese", 0x100, {"中", ","}, {"中", "\uFF0C"});
    row("0x100 comma after Latin", 0x100, {"ab", ","}, {"ab", ","});
    row("0x100 leading comma", 0x100, {",", "ab"}, {"\uFF0C", "ab"});
    row("0x100 punctuation run", 0x100, {"中", ",", "."}, {"中", "\uFF0C", "\uFF0E"});
    row("0x100 after Korean", 0x100, {"한", "?"}, {"한", "\uFF1F"});
    row("0x100 at sign", 0x100, {"中", "@"}, {"中", "@"});
    row("0x100 Latin between", 0x100, {"中", "ab", ","}, {"中", "ab", ","});
    row("0x300 bracket after Chinese", 0x300, {"中", "("}, {"中", "\uFF09"});

    row("0x1 flagged character", 0x1, {"中*文字", "ab"}, {"中", "文", "字", "ab"});
    row("0x1 empty label", 0x1, {"", "ab"}, {"ab"});
    row("0x41 split then collapse", 0x41, {"中*文", " ", " ", "x"}, {"中", "文", " ", "x"});
    row("0x41 collapse after split", 0x41, {"*中文", "\n", " ", nl, "x"},
        {"中", "文", "\n", "x"});
    row("0x62 cursive erase", 0x62, {"~ ", "ab", " ", " ", "cd", " "},
        {"ab", " ~", "cd", " ~"});
    row("0xC4 new lines after Chinese", 0xC4, {"中", nl, nl, "文"}, {"中", " ^", "文"});
    row("0xC4 ideographic space and new line", 0xC4, {"中", "\u3000", nl, "文"}, {"中", "文"});
    row("0xC2 collapse and new lines", 0xC2, {"ab", " ", nl, "cd"}, {"ab", " ~", "cd"});
}

void TestRespacing::options()
{
    QFETCH(int, options);
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    const RecognitionResult respaced =
        respaceResult(textOf(input), RespaceOptions::fromInt(options));
    QCOMPARE(describe(respaced), expected);
    QCOMPARE(respaced.root().selectedCandidate().type(), int(ResultNode::Text));
}

void TestRespacing::unchangedInputComesBack_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<QStringList>("input");
    const QString nl = QStringLiteral("\n");
    QTest::newRow("no option") << 0 << QStringList{" ", "a", " ", " ", nl, "~b"};
    QTest::newRow("no run") << 0x40 << QStringList{"a", " ", "b", nl, "c"};
    QTest::newRow("no bracket") << 0x200 << QStringList{"a(", "b"};
    QTest::newRow("no flag") << 0x1 << QStringList{"中文", "ab"};
    QTest::newRow("ends clean") << 0x30 << QStringList{"a", " ", "b"};
    QTest::newRow("trailing space there") << 0xA << QStringList{"ab", "~ "};
    QTest::newRow("trailing space alone") << 0x8 << QStringList{"ab"};
    QTest::newRow("empty result") << 0x3FF << QStringList{};
}

void TestRespacing::unchangedInputComesBack()
{
    QFETCH(int, options);
    QFETCH(QStringList, input);
    RecognitionResult r = textOf(input);
    r.setTransform(QTransform::fromTranslate(4, 2));
    r.layout().linePositions = {1, 2, 3, 4};
    QCOMPARE(dump(respaceResult(r, RespaceOptions::fromInt(options))), dump(r));
}

void TestRespacing::typedInkIsOnePoint()
{
    const RecognitionResult respaced = respaceResult(textOf({"~ab", "~ "}), TypeSeparatorInk);
    const InkRange ink = respaced.root().selectedCandidate().children()[1].ink();
    QCOMPARE(ink.pieces().size(), 1);
    QCOMPARE(ink.pieces()[0].stroke().kind(), int(Stroke::PointRow));
    QCOMPARE(ink.pointCount(), 1);
}

void TestRespacing::keptInkIsTheWordsOwn()
{
    const RecognitionResult r = textOf({"中", "(", ","});
    const QList<Segment> before = r.root().selectedCandidate().children();
    const QList<Segment> after =
        respaceResult(r, WidenPunctuation | MirrorBrackets).root().selectedCandidate().children();
    QCOMPARE(after.size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY(after[i].ink() == before[i].ink());
}

void TestRespacing::rootHoldsTheWordsOfEveryLine()
{
    double x = 0;
    const Segment line1 = branch({tokenWord("ab", x), tokenWord(" ", x), tokenWord(" ", x)});
    const Segment line2 = branch({tokenWord("cd", x)});
    const RecognitionResult r = resultFromSegment(branch({line1, line2}));
    QCOMPARE(describe(respaceResult(r, CollapseSeparators)), (QStringList{"ab", " ", "cd"}));
}

void TestRespacing::perTypeInkAndLinesAreTrimmed()
{
    RecognitionResult r = textOf({"ab", "\n", "cd", "\n"});
    const QList<Segment> words = r.root().selectedCandidate().children();
    r.storeInkOfType(1, r.root().ink());
    r.storeInkOfType(2, words[2].ink());
    r.storeInkOfType(3, words[1].ink());
    r.layout() = {7, {1, 2, 3}, 1, 8};
    r.setTransform(QTransform::fromScale(2, 2));

    const RecognitionResult respaced = respaceResult(r, NewLinesToSpaces | TypeSeparatorInk);
    QCOMPARE(describe(respaced), (QStringList{"ab", " ^", "cd", " ^"}));
    QVERIFY(respaced.cachedInk(2) == words[2].ink());
    QVERIFY(respaced.cachedInk(3).isEmpty());
    QVERIFY(respaced.cachedInk(1) == words[0].ink().united(words[2].ink()));
    QCOMPARE(respaced.inkTypes().size(), 2);
    const ResultLayout expected{7, {1}, 1, 8};
    QVERIFY(respaced.layout() == expected);
    QCOMPARE(respaced.transform(), r.transform());

    const ResultLayout twoLines{7, {1, 2}, 1, 8};
    QVERIFY(respaceResult(r, DropTrailing).layout() == twoLines);
}

void TestRespacing::everythingDropped()
{
    RecognitionResult r = textOf({" ", "\n", "~ "});
    r.layout().linePositions = {4};
    const RecognitionResult respaced = respaceResult(r, DropLeading | DropTrailing);
    QVERIFY(respaced.root().candidates().isEmpty());
    QVERIFY(respaced.layout().linePositions.isEmpty());
}

void TestRespacing::argumentUnchanged()
{
    RecognitionResult r = textOf({" ", "中*文", "(", "\n", "~ ", " ", ",", "", "ab", "\n"});
    r.storeInkOfType(1, r.root().ink());
    r.layout().linePositions = {1, 2};
    const QString before = dump(r);
    for (int options : {0x3FF, 0x41, 0x84, 0x82, 0x62, 0xA, 0x300})
        respaceResult(r, RespaceOptions::fromInt(options));
    QCOMPARE(dump(r), before);
}

QTEST_GUILESS_MAIN(TestRespacing)
#include "tst_respacing.moc"
