#include "model/respacing.h"
#include "model/resultbuilding.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

const RespaceOptions everyOption = RespaceOptions::fromInt(0x3FF);

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
    QTest::addColumn<RespaceOptions>("options");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");

    const QString nl = QStringLiteral("\n");
    auto row = [](const char *name, RespaceOptions options, const QStringList &in,
                  const QStringList &out) { QTest::newRow(name) << options << in << out; };

    row("0x30 ends", DropTrailing | DropLeading, {"~ ", " ", "hello", nl}, {"hello"});
    row("0x30 ink-less ends", DropTrailing | DropLeading, {"~abc", "x", "~def"}, {"x"});
    row("0x20 leading only", DropLeading, {"~ab", " ", "x", " "}, {"x", " "});
    row("0x10 trailing only", DropTrailing, {" ", "x", " ", nl}, {" ", "x"});

    row("0x40 two spaces", CollapseSeparators, {"a", " ", " ", "b"}, {"a", " ", "b"});
    row("0x40 three spaces", CollapseSeparators, {"a", " ", " ", " ", "b"}, {"a", " ", "b"});
    row("0x40 space then new line", CollapseSeparators, {"a", " ", nl, "b"}, {"a", nl, "b"});
    row("0x40 new line then space", CollapseSeparators, {"a", nl, " ", "b"}, {"a", nl, "b"});
    row("0x40 two new lines", CollapseSeparators, {"a", nl, nl, "b"}, {"a", nl, "b"});
    row("0x40 leading run", CollapseSeparators, {" ", " ", "a"}, {" ", "a"});
    row("0x40 ideographic spaces", CollapseSeparators, {"中", "\u3000", "\u3000", "文"},
        {"中", "\u3000", "文"});

    row("0x84 Latin new line", TypeSeparatorInk | NewLinesToSpaces, {"ab", nl, "cd"},
        {"ab", " ^", "cd"});
    row("0x84 Chinese new line", TypeSeparatorInk | NewLinesToSpaces, {"中", nl, "文"},
        {"中", "文"});
    row("0x84 Japanese new line", TypeSeparatorInk | NewLinesToSpaces, {"かな", nl, "字"},
        {"かな", "字"});
    row("0x84 Korean new line", TypeSeparatorInk | NewLinesToSpaces, {"한", nl, "국"},
        {"한", " ^", "국"});
    row("0x84 ink-less space", TypeSeparatorInk | NewLinesToSpaces, {"ab", "~ "}, {"ab", " ^"});
    row("0x82 Latin new line", StripSeparatorInk | NewLinesToSpaces, {"ab", nl, "cd"},
        {"ab", " ~", "cd"});
    row("0x82 inked space", StripSeparatorInk | NewLinesToSpaces, {"ab", " ", "cd"},
        {"ab", " ~", "cd"});
    row("0x80 alone", NewLinesToSpaces, {"ab", nl, "cd"}, {"ab", nl, "cd"});

    row("0x4 ink-less separators", TypeSeparatorInk, {"~ab", "~ ", "~cd", "~\n"},
        {"ab~", " ^", "cd~", "\n^"});
    row("0x4 inked space", TypeSeparatorInk, {"ab", " "}, {"ab", " "});
    row("0x2 inked separators", StripSeparatorInk, {"ab", " ", "cd", nl},
        {"ab", " ~", "cd", "\n~"});
    row("0xA trailing space", StripSeparatorInk | EnsureTrailingSpace, {"ab", " ", "cd"},
        {"ab", " ~", "cd", " ~"});
    row("0xC trailing typed space", TypeSeparatorInk | EnsureTrailingSpace, {"~ab"}, {"ab~", " ^"});

    row("0x200 brackets", MirrorBrackets, {"(", "ab", ")", "<", "]"}, {")", "ab", "(", ">", "["});
    row("0x200 Arabic", MirrorBrackets, {"(", "سلام", ")", "٣"}, {")", "سلام", "(", "٣"});
    row("0x200 Hebrew", MirrorBrackets, {"[", "שלום", "]"}, {"]", "שלום", "["});
    row("0x300 Arabic", WidenPunctuation | MirrorBrackets, {"سلام", "<", ","}, {"سلام", ">", ","});
    row("0x200 two-character word", MirrorBrackets, {"a", "()", "{"}, {"a", "()", "}"});

    row("0x100 comma after Chinese", WidenPunctuation, {"中", ","}, {"中", "\uFF0C"});
    row("0x100 comma after Latin", WidenPunctuation, {"ab", ","}, {"ab", ","});
    row("0x100 leading comma", WidenPunctuation, {",", "ab"}, {"\uFF0C", "ab"});
    row("0x100 punctuation run", WidenPunctuation, {"中", ",", "."}, {"中", "\uFF0C", "\uFF0E"});
    row("0x100 after Korean", WidenPunctuation, {"한", "?"}, {"한", "\uFF1F"});
    row("0x100 at sign", WidenPunctuation, {"中", "@"}, {"中", "@"});
    row("0x100 Latin between", WidenPunctuation, {"中", "ab", ","}, {"中", "ab", ","});
    row("0x300 bracket after Chinese", WidenPunctuation | MirrorBrackets, {"中", "("},
        {"中", "\uFF09"});

    row("0x1 flagged character", SplitStandAloneCharacters, {"中*文字", "ab"},
        {"中", "文", "字", "ab"});
    row("0x1 empty label", SplitStandAloneCharacters, {"", "ab"}, {"ab"});
    row("0x41 split then collapse", SplitStandAloneCharacters | CollapseSeparators,
        {"中*文", " ", " ", "x"}, {"中", "文", " ", "x"});
    row("0x41 collapse after split", SplitStandAloneCharacters | CollapseSeparators,
        {"*中文", "\n", " ", nl, "x"}, {"中", "文", "\n", "x"});
    row("0x62 cursive erase", StripSeparatorInk | DropLeading | CollapseSeparators,
        {"~ ", "ab", " ", " ", "cd", " "}, {"ab", " ~", "cd", " ~"});
    row("0xC4 new lines after Chinese", TypeSeparatorInk | CollapseSeparators | NewLinesToSpaces,
        {"中", nl, nl, "文"}, {"中", " ^", "文"});
    row("0xC4 ideographic space and new line",
        TypeSeparatorInk | CollapseSeparators | NewLinesToSpaces, {"中", "\u3000", nl, "文"},
        {"中", "文"});
    row("0xC2 collapse and new lines", StripSeparatorInk | CollapseSeparators | NewLinesToSpaces,
        {"ab", " ", nl, "cd"}, {"ab", " ~", "cd"});
}

void TestRespacing::options()
{
    QFETCH(RespaceOptions, options);
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    const RecognitionResult respaced = respaceResult(textOf(input), options);
    QCOMPARE(describe(respaced), expected);
    QCOMPARE(respaced.root().selectedCandidate().type(), int(ResultNode::Text));
}

void TestRespacing::unchangedInputComesBack_data()
{
    QTest::addColumn<RespaceOptions>("options");
    QTest::addColumn<QStringList>("input");
    const QString nl = QStringLiteral("\n");
    QTest::newRow("no option") << RespaceOptions() << QStringList{" ", "a", " ", " ", nl, "~b"};
    QTest::newRow("no run") << RespaceOptions(CollapseSeparators)
                            << QStringList{"a", " ", "b", nl, "c"};
    QTest::newRow("no bracket") << RespaceOptions(MirrorBrackets) << QStringList{"a(", "b"};
    QTest::newRow("no flag") << RespaceOptions(SplitStandAloneCharacters)
                             << QStringList{"中文", "ab"};
    QTest::newRow("ends clean") << RespaceOptions(DropTrailing | DropLeading)
                                << QStringList{"a", " ", "b"};
    QTest::newRow("trailing space there")
        << RespaceOptions(StripSeparatorInk | EnsureTrailingSpace) << QStringList{"ab", "~ "};
    QTest::newRow("trailing space alone")
        << RespaceOptions(EnsureTrailingSpace) << QStringList{"ab"};
    QTest::newRow("empty result") << everyOption << QStringList{};
}

void TestRespacing::unchangedInputComesBack()
{
    QFETCH(RespaceOptions, options);
    QFETCH(QStringList, input);
    RecognitionResult r = textOf(input);
    r.setTransform(QTransform::fromTranslate(4, 2));
    r.layout().linePositions = {1, 2, 3, 4};
    QCOMPARE(dump(respaceResult(r, options)), dump(r));
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
    const RespaceOptions tried[] = {everyOption,
                                    SplitStandAloneCharacters | CollapseSeparators,
                                    NewLinesToSpaces | TypeSeparatorInk,
                                    NewLinesToSpaces | StripSeparatorInk,
                                    CollapseSeparators | DropLeading | StripSeparatorInk,
                                    EnsureTrailingSpace | StripSeparatorInk,
                                    MirrorBrackets | WidenPunctuation};
    for (RespaceOptions options : tried)
        respaceResult(r, options);
    QCOMPARE(dump(r), before);
}

QTEST_GUILESS_MAIN(TestRespacing)
#include "tst_respacing.moc"
