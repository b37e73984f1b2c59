#include "calculator/exptreebuilder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

namespace {

// Every character as written by the user, with a stroke position of its own.
InputCharacters writtenCharacters(const QString &text)
{
    InputCharacters characters;
    for (int i = 0; i < text.size(); ++i)
        characters.append({text[i], {i}});
    return characters;
}

QString written(const QString &input, bool marked)
{
    InputCharacters characters = writtenCharacters(input);
    const std::unique_ptr<ExpTree::Node> tree = buildExpTree(characters);
    if (!tree)
        return QStringLiteral("<none>");
    QString text;
    tree->writeExpression(text, marked);
    return text;
}

} // namespace

class TestSolverCases : public QObject
{
    Q_OBJECT

private slots:
    void caseFile_data();
    void caseFile();
    void hostileInput_data();
    void hostileInput();
};

void TestSolverCases::caseFile_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("expectedMarked");
    QFile file(SCRIVEL_SOURCE_DIR "/tests/calculator/solvercases.txt");
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), "case file missing");
    int lineNumber = 0;
    int cases = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = line.split('|');
        QVERIFY2(fields.size() == 2 || fields.size() == 3,
                 qPrintable(QString("bad case line %1").arg(lineNumber)));
        const QString input = fields[0].trimmed();
        QTest::addRow("line %d: %s", lineNumber, qPrintable(input))
            << input << fields[1].trimmed() << fields.value(2).trimmed();
        ++cases;
    }
    QVERIFY(cases > 50);
}

void TestSolverCases::caseFile()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(QString, expectedMarked);
    QCOMPARE(written(input, false), expected);
    if (!expectedMarked.isEmpty())
        QCOMPARE(written(input, true), expectedMarked);
}

// Input no hand writes: an answer from the solver's messages, quickly, and
// neither a crash nor an exhausted stack.
void TestSolverCases::hostileInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("10 000 open brackets") << QString(10000, '(') << "Invalid input";
    QTest::newRow("10 000 closing brackets") << QString(10000, ')') + "1" << "Invalid input";
    QTest::newRow("closing brackets between operands")
        << "1" + QString(")1").repeated(5000) << "Invalid input";
    QTest::newRow("negations in brackets") << QString("-(").repeated(5000) + "1"
                                           << "Invalid input";
    QString alternating("1");
    for (int i = 0; i < 5000; ++i)
        alternating += i % 2 ? "+2" : "-2";
    QTest::newRow("5 000 alternating operators") << alternating << "Invalid input";
    const QString huge = "1" + QString(400, '0');
    QTest::newRow("400 digits") << huge << "Failure to obtain a valid result";
    QTest::newRow("400 digits in a sum") << huge + "+1=" << "Failure to obtain a valid result+1=?";
    QTest::newRow("400 decimals") << "0." + QString(399, '0') + "1+1=" << "0+1=1";
    QTest::newRow("only operators") << QString("+-×÷^=").repeated(500) << QString();
    QTest::newRow("unknowns everywhere") << QString("?").repeated(3000) + "=" << QString();
    const QString nested = QString(100, '(') + "?" + QString("+1)").repeated(100);
    QTest::newRow("targets pushed through 100 brackets")
        << nested + "=1000" << QString(nested).replace("?", "900") + "=1000";
    QTest::newRow("error handed through 100 brackets")
        << nested + "+1/0=" << nested + "+1÷(0+?)=?";
    QTest::newRow("equality signs, then an operator") << QString(5000, '=') + "+" << QString();
    QTest::newRow("root signs") << QString(3000, QChar(0x221A)) + "9=" << QString();
}

void TestSolverCases::hostileInput()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QElapsedTimer timer;
    timer.start();
    const QString text = written(input, false);
    QVERIFY2(timer.elapsed() < 5000, "solving took too long");
    if (!expected.isEmpty())
        QCOMPARE(text, expected);
    else
        QVERIFY(!text.isEmpty());
}

QTEST_GUILESS_MAIN(TestSolverCases)
#include "tst_solvercases.moc"
