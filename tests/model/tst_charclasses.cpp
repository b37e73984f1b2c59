#include "model/charclasses.h"
#include "model/resultnode.h"
#include "modelfixtures.h"

#include <QTest>

#include <climits>

namespace {

using namespace ModelFixtures;

struct ClassCase
{
    int cls;
    char16_t code;
    bool expected;
};

// Both sides of every range boundary, per class.
const ClassCase classCases[] = {
    {0, 0x10FF, false}, {0, 0x1100, true}, {0, 0x11FF, true}, {0, 0x1200, false},
    {0, 0x2FFF, false}, {0, 0x3000, true}, {0, 0x303F, true}, {0, 0x3040, true},
    {0, 0x30FF, true}, {0, 0x3100, true}, {0, 0x318F, true}, {0, 0x3190, false},
    {0, 0x319F, false}, {0, 0x31A0, true}, {0, 0x31BF, true}, {0, 0x31C0, false},
    {0, 0x31EF, false}, {0, 0x31F0, true}, {0, 0x31FF, true}, {0, 0x3200, false},
    {0, 0x33FF, false}, {0, 0x3400, true}, {0, 0x4DBF, true}, {0, 0x4DC0, false},
    {0, 0x4DFF, false}, {0, 0x4E00, true}, {0, 0x9FFF, true}, {0, 0xA000, false},
    {0, 0xABFF, false}, {0, 0xAC00, true}, {0, 0xD7AF, true}, {0, 0xD7B0, false},
    {0, 0xD7FF, false}, {0, 0xD800, true}, {0, 0xDBFF, true}, {0, 0xDC00, false},
    {0, 0xDFFF, false}, {0, 0xFEFF, false}, {0, 0xFF00, true}, {0, 0xFF60, true},
    {0, 0xFF61, false}, {0, u'a', false},

    {1, 0x2FFF, false}, {1, 0x3000, true}, {1, 0x3002, true}, {1, 0x303F, true},
    {1, 0x3040, false}, {1, 0xFF00, false}, {1, 0xFF01, true}, {1, 0xFF0F, true},
    {1, 0xFF10, false}, {1, 0xFF19, false}, {1, 0xFF1A, true}, {1, 0xFF20, true},
    {1, 0xFF21, false}, {1, 0xFF3A, false}, {1, 0xFF3B, true}, {1, 0xFF40, true},
    {1, 0xFF41, false}, {1, 0xFF5A, false}, {1, 0xFF5B, true}, {1, 0xFF65, true},
    {1, 0xFF66, false}, {1, u',', false},

    {2, 0x1100, false}, {2, 0x11FF, false}, {2, 0x3130, false}, {2, 0x318F, false},
    {2, 0xAC00, false}, {2, 0xD7AF, false}, {2, 0x3042, true}, {2, 0x4E00, true},
    {2, 0x3190, false}, {2, 0x3100, true}, {2, 0xD800, true}, {2, 0xDC00, false},
    {2, 0xFF21, true}, {2, 0x3000, true},

    {3, 0x05FF, false}, {3, 0x0600, true}, {3, 0x0627, true}, {3, 0x06FF, true},
    {3, 0x0700, false}, {3, 0x074F, false}, {3, 0x0750, true}, {3, 0x077F, true},
    {3, 0x0780, false}, {3, 0x05D0, false}, {3, 0xFB4F, false}, {3, 0xFB50, true},
    {3, 0xFDFF, true}, {3, 0xFE00, false}, {3, 0xFE6F, false}, {3, 0xFE70, true},
    {3, 0xFEFC, true}, {3, 0xFEFD, false},

    {4, 0x065F, false}, {4, 0x0660, true}, {4, 0x0669, true}, {4, 0x066A, false},
    {4, 0x06EF, false}, {4, 0x06F0, true}, {4, 0x06F9, true}, {4, 0x06FA, false},
    {4, u'0', false},

    {5, 0x0607, false}, {5, 0x0608, true}, {5, 0x060C, true}, {5, 0x060F, true},
    {5, 0x0610, false}, {5, 0x061A, false}, {5, 0x061B, true}, {5, 0x061C, false},
    {5, 0x061D, false}, {5, 0x061E, true}, {5, 0x061F, true}, {5, 0x0620, false},
    {5, 0x0669, false}, {5, 0x066A, true}, {5, 0x066D, true}, {5, 0x066E, false},
    {5, 0x06D3, false}, {5, 0x06D4, true}, {5, 0x06D5, false},

    {6, 0x20, false}, {6, 0x21, true}, {6, 0x2F, true}, {6, u'0', false},
    {6, u'9', false}, {6, 0x3A, true}, {6, 0x40, true}, {6, u'A', false},
    {6, u'Z', false}, {6, 0x5B, true}, {6, 0x60, true}, {6, u'a', false},
    {6, u'z', false}, {6, 0x7B, true}, {6, 0x7E, true}, {6, 0x7F, false},
    {6, 0xA0, false}, {6, 0xA1, true}, {6, 0xBF, true}, {6, 0xC0, false},
    {6, 0xD6, false}, {6, 0xD7, true}, {6, 0xD8, false}, {6, 0xF6, false},
    {6, 0xF7, true}, {6, 0xF8, false},

    {7, 0x20, false}, {7, 0x21, true}, {7, 0x2F, true}, {7, u'0', false},
    {7, 0x3A, true}, {7, 0x3F, true}, {7, 0x40, false}, {7, u'A', false},
    {7, 0x5B, true}, {7, 0x60, true}, {7, u'a', false}, {7, 0x7B, true},
    {7, 0x7E, true}, {7, 0x7F, false}, {7, 0xD7, false},

    {8, 0x20, false}, {8, 0x21, true}, {8, u'0', true}, {8, 0x3F, true},
    {8, 0x40, false}, {8, 0x41, true}, {8, 0x7E, true}, {8, 0x7F, false},
    {8, 0xFF21, false},

    {9, u'(', true}, {9, u')', true}, {9, u'{', true}, {9, u'}', true},
    {9, u'[', true}, {9, u']', true}, {9, u'<', true}, {9, u'>', true},
    {9, 0x00AB, false}, {9, 0xFF08, false}, {9, u'a', false}, {9, 0, false},

    {10, 0x2000, false}, {10, 0x2001, true}, {10, 0x2014, true}, {10, 0x22FE, true},
    {10, 0x22FF, false}, {10, 0xFF5A, false}, {10, 0xFF5B, true}, {10, 0xFF65, true},
    {10, 0xFF66, false},

    {11, u'a', false}, {11, 0x4E00, false}, {-1, u'(', false}, {-1, 0x0627, false},
    {100, u'!', false}, {INT_MIN, 0x3000, false}, {INT_MAX, 0xD800, false},
};

const QChar zwj(0x200D);

} // namespace

class TestCharClasses : public QObject
{
    Q_OBJECT

private slots:
    void classTable_data();
    void classTable();
    void namedClassHelpers();
    void surrogatePairIsTwoUnits();
    void joiningType_data();
    void joiningType();
    void mirroredBracket_data();
    void mirroredBracket();
    void toggleCharWidth_data();
    void toggleCharWidth();
    void widthToggleRoundTrip();
    void arabicJoinedText_data();
    void arabicJoinedText();
    void canJoin_data();
    void canJoin();
};

void TestCharClasses::classTable_data()
{
    QTest::addColumn<int>("cls");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("expected");
    for (const ClassCase &c : classCases) {
        QTest::addRow("class %d U+%04X", c.cls, unsigned(c.code))
            << c.cls << int(c.code) << c.expected;
    }
}

void TestCharClasses::classTable()
{
    QFETCH(int, cls);
    QFETCH(int, code);
    QFETCH(bool, expected);
    QCOMPARE(isCharOfClass(QChar(char16_t(code)), cls), expected);
}

void TestCharClasses::namedClassHelpers()
{
    for (int u = 0; u < 0x10000; ++u) {
        const QChar c{char16_t(u)};
        QCOMPARE(isAsciiGraphic(c), isCharOfClass(c, AsciiGraphicClass));
        QCOMPARE(isBracket(c), isCharOfClass(c, BracketClass));
    }
}

void TestCharClasses::surrogatePairIsTwoUnits()
{
    // U+20000 (a CJK extension B ideograph) and U+F0002 (a special key).
    for (const char32_t code : {char32_t(0x20000), char32_t(0xF0002)}) {
        const QString pair = QString::fromUcs4(&code, 1);
        QCOMPARE(pair.size(), 2);
        QVERIFY(isCharOfClass(pair[0], EastAsianClass));
        QVERIFY(isCharOfClass(pair[0], EastAsianNoHangulClass));
        for (int cls = 0; cls <= 10; ++cls)
            QVERIFY2(!isCharOfClass(pair[1], cls), qPrintable(QString::number(cls)));
    }
}

void TestCharClasses::joiningType_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("type");
    const QList<QPair<int, int>> rows = {
        {0x0621, 0}, {0x0622, 1}, {0x0625, 1}, {0x0626, 2}, {0x0627, 1}, {0x0628, 2},
        {0x0629, 0}, {0x062A, 2}, {0x062E, 2}, {0x062F, 1}, {0x0630, 1}, {0x0632, 1},
        {0x0633, 2}, {0x0647, 2}, {0x0648, 1}, {0x0649, 2}, {0x0660, 0}, {0x0669, 0},
        {0x06F5, 0}, {0x060C, 0}, {0x061B, 0}, {0x061F, 0}, {0x066A, 0}, {0x06D4, 0},
        {0x0670, 2}, {0x0671, 1}, {0x0677, 1}, {0x0678, 2}, {0x0687, 2}, {0x0688, 1},
        {0x0699, 1}, {0x069A, 2}, {0x06C3, 2}, {0x06C4, 1}, {0x06CB, 1}, {0x06CC, 2},
        {0x06CF, 1}, {0x06ED, 2}, {0x06EE, 1}, {0x06EF, 1}, {0x0651, 2}, {u'a', 2},
        {u' ', 2}, {0x4E00, 2}, {0x05D0, 2},
    };
    for (const auto &row : rows)
        QTest::addRow("U+%04X", row.first) << row.first << row.second;
}

void TestCharClasses::joiningType()
{
    QFETCH(int, code);
    QFETCH(int, type);
    const QChar c{char16_t(code)};
    for (int t = -1; t <= 3; ++t)
        QCOMPARE(hasArabicJoiningType(c, t), t == type);
}

void TestCharClasses::mirroredBracket_data()
{
    QTest::addColumn<QChar>("in");
    QTest::addColumn<QChar>("out");
    const QString pairs = QStringLiteral("()[]{}<>");
    for (int i = 0; i < pairs.size(); i += 2) {
        QTest::addRow("%c", pairs[i].toLatin1()) << pairs[i] << pairs[i + 1];
        QTest::addRow("%c", pairs[i + 1].toLatin1()) << pairs[i + 1] << pairs[i];
    }
    QTest::newRow("letter") << QChar(u'a') << QChar(u'a');
    QTest::newRow("full-width parenthesis") << QChar(0xFF08) << QChar(0xFF08);
    QTest::newRow("guillemet") << QChar(0x00AB) << QChar(0x00AB);
}

void TestCharClasses::mirroredBracket()
{
    QFETCH(QChar, in);
    QFETCH(QChar, out);
    QCOMPARE(::mirroredBracket(in), out);
}

void TestCharClasses::toggleCharWidth_data()
{
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("A") << 0x41 << 0xFF21;
    QTest::newRow("full-width A") << 0xFF21 << 0x41;
    QTest::newRow("!") << 0x21 << 0xFF01;
    QTest::newRow("full-width !") << 0xFF01 << 0x21;
    QTest::newRow("~") << 0x7E << 0xFF5E;
    QTest::newRow("full-width ~") << 0xFF5E << 0x7E;
    QTest::newRow("@ stays") << 0x40 << 0x40;
    QTest::newRow("full-width @ stays") << 0xFF20 << 0xFF20;
    QTest::newRow("space stays") << 0x20 << 0x20;
    QTest::newRow("DEL stays") << 0x7F << 0x7F;
    QTest::newRow("hiragana stays") << 0x3042 << 0x3042;
    QTest::newRow("U+FF00 stays") << 0xFF00 << 0xFF00;
    QTest::newRow("U+FF5F stays") << 0xFF5F << 0xFF5F;
    QTest::newRow("U+FEE0 stays") << 0xFEE0 << 0xFEE0;
    QTest::newRow("U+FFFF stays") << 0xFFFF << 0xFFFF;
    QTest::newRow("Arabic stays") << 0x0627 << 0x0627;
}

void TestCharClasses::toggleCharWidth()
{
    QFETCH(int, in);
    QFETCH(int, out);
    QCOMPARE(int(::toggleCharWidth(QChar(char16_t(in))).unicode()), out);
}

void TestCharClasses::widthToggleRoundTrip()
{
    for (int u = 0; u < 0x10000; ++u) {
        const QChar c{char16_t(u)};
        const QChar toggled = ::toggleCharWidth(c);
        if (toggled != c)
            QCOMPARE(::toggleCharWidth(toggled), c);
    }
}

void TestCharClasses::arabicJoinedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("expected");

    const QString word = QStringLiteral("كتب");
    const QChar rlo(0x202E);

    QTest::newRow("empty") << QString() << 2 << QStringLiteral("من") << QStringLiteral("بيت")
                           << QString();
    QTest::newRow("Latin between Arabic")
        << QStringLiteral("hello") << 2 << QStringLiteral("من") << QStringLiteral("بيت")
        << QStringLiteral("hello");
    QTest::newRow("Hebrew between Arabic")
        << QStringLiteral("שלום") << 2 << QStringLiteral("من") << QStringLiteral("بيت")
        << QStringLiteral("שלום");
    QTest::newRow("right-joining before, dual after")
        << word << 2 << QStringLiteral("ما") << QStringLiteral("بيت") << word + zwj;
    QTest::newRow("dual before, nothing after")
        << word << 2 << QStringLiteral("من") << QString() << zwj + word;
    QTest::newRow("dual on both sides")
        << word << 2 << QStringLiteral("بن") << QStringLiteral("بيت") << zwj + word + zwj;
    QTest::newRow("alone") << word << 2 << QString() << QString() << word;
    QTest::newRow("hamza after does not join")
        << word << 2 << QString() << QStringLiteral("ءا") << word;
    QTest::newRow("Arabic digit after does not join")
        << word << 2 << QString() << QStringLiteral("٣") << word;
    QTest::newRow("Arabic comma before does not join")
        << word << 2 << QStringLiteral("من،") << QString() << word;
    QTest::newRow("Latin neighbours")
        << word << 2 << QStringLiteral("abc") << QStringLiteral("def") << word;
    QTest::newRow("shadda ignored before")
        << word << 2 << QStringLiteral("اّ") << QString() << word;
    QTest::newRow("shadda ignored after")
        << word << 2 << QString() << QStringLiteral("ّء") << word;
    QTest::newRow("shadda-only neighbours")
        << word << 2 << QStringLiteral("ّ") << QStringLiteral("ّّ") << word;
    QTest::newRow("bracket right to left")
        << QStringLiteral("(كتب") << 2 << QStringLiteral("من") << QString()
        << rlo + QStringLiteral("(كتب");
    QTest::newRow("Hebrew bracket right to left")
        << QStringLiteral("[שלום") << 2 << QString() << QString()
        << rlo + QStringLiteral("[שלום");
    QTest::newRow("bracket left to right joins")
        << QStringLiteral("(كتب") << 1 << QStringLiteral("من") << QString()
        << zwj + QStringLiteral("(كتب");
    QTest::newRow("Latin bracket left to right")
        << QStringLiteral("(ab") << 1 << QString() << QString() << QStringLiteral("(ab");
    QTest::newRow("presentation form")
        << QString(QChar(0xFE8F)) << 2 << QStringLiteral("ب") << QStringLiteral("ب")
        << QString(zwj) + QChar(0xFE8F) + zwj;
}

void TestCharClasses::arabicJoinedText()
{
    QFETCH(QString, text);
    QFETCH(int, direction);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, expected);
    const QString beforeCopy = before;
    const QString afterCopy = after;
    QCOMPARE(::arabicJoinedText(text, direction, before, after), expected);
    QCOMPARE(before, beforeCopy);
    QCOMPARE(after, afterCopy);
}

void TestCharClasses::canJoin_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("leftFlag");
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("rightFlag");
    QTest::addColumn<bool>("expected");

    QTest::newRow("Latin letters") << "ab" << 0 << "cd" << 0 << true;
    QTest::newRow("comma after") << "ab" << 0 << "," << 0 << false;
    QTest::newRow("comma before") << "," << 0 << "a" << 0 << false;
    QTest::newRow("at sign") << "a@" << 0 << "b" << 0 << false;
    QTest::newRow("times sign") << "a" << 0 << QString(QChar(0xD7)) << 0 << false;
    QTest::newRow("accented letter") << "a" << 0 << QString(QChar(0xE9)) << 0 << true;
    QTest::newRow("space left") << " " << 0 << "a" << 0 << false;
    QTest::newRow("space right") << "a" << 0 << " " << 0 << false;
    QTest::newRow("ideographic space") << "a" << 0 << QString(QChar(0x3000)) << 0 << false;
    QTest::newRow("new line") << "a" << 0 << "\n" << 0 << false;
    QTest::newRow("word flag left") << "a" << 1 << "b" << 0 << false;
    QTest::newRow("word flag right") << "a" << 0 << "b" << 3 << false;
    QTest::newRow("other flag bits") << "a" << 2 << "b" << 4 << true;
    QTest::newRow("empty left") << "" << 0 << "," << 0 << true;
    QTest::newRow("empty right") << "ab" << 0 << "" << 0 << true;
    QTest::newRow("CJK and Latin") << "中" << 0 << "a" << 0 << false;
    QTest::newRow("Latin and Kana") << "a" << 0 << "あ" << 0 << false;
    QTest::newRow("CJK pair") << "中" << 0 << "文" << 0 << true;
    QTest::newRow("CJK full stop") << "中" << 0 << "。" << 0 << false;
    QTest::newRow("full-width comma") << "中" << 0 << "，" << 0 << false;
    QTest::newRow("Arabic pair") << "سل" << 0 << "ام" << 0 << true;
    QTest::newRow("Arabic and Latin") << "سلام" << 0 << "a" << 0 << false;
    QTest::newRow("Latin digit and Arabic") << "3" << 0 << "ب" << 0 << false;
    QTest::newRow("Arabic digit and letter") << "٣" << 0 << "ب" << 0 << true;
    QTest::newRow("Arabic comma") << "سلام" << 0 << "،" << 0 << false;
    QTest::newRow("Arabic question mark") << "سلام" << 0 << "؟" << 0 << false;
    QTest::newRow("Hebrew pair") << "של" << 0 << "ום" << 0 << true;
    QTest::newRow("Hebrew and Arabic") << "של" << 0 << "ب" << 0 << false;
    QTest::newRow("em dash") << "a" << 0 << QString(QChar(0x2014)) << 0 << false;
}

void TestCharClasses::canJoin()
{
    QFETCH(QString, left);
    QFETCH(int, leftFlag);
    QFETCH(QString, right);
    QFETCH(int, rightFlag);
    QFETCH(bool, expected);
    QCOMPARE(::canJoin(node(left, ResultNode::NotComputed, leftFlag),
                       node(right, ResultNode::NotComputed, rightFlag)), expected);
}

QTEST_GUILESS_MAIN(TestCharClasses)
#include "tst_charclasses.moc"
