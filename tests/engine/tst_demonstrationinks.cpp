// The gesture demonstration inks shipped with the program are read as the gestures they show.
#include "enginedriver.h"
#include "inkfixtures.h"

#include <QtTest>

namespace {

const QString images = QString(SCRIVEL_SOURCE_DIR) + "/resources/images/";

// Strokes of a demonstration script: header lines, then "AddStroke" and "x y" lines.
Ink readScript(const QString &path)
{
    Ink ink;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return ink;
    while (!file.atEnd()) {
        const QStringList parts = QString::fromUtf8(file.readLine()).simplified().split(' ');
        if (parts.first() == "AddStroke")
            ink << Stroke();
        else if (!ink.isEmpty() && parts.size() == 2)
            ink.last() << QPointF(parts[0].toDouble(), parts[1].toDouble());
    }
    return ink;
}

} // namespace

class TestDemonstrationInks : public QObject
{
    Q_OBJECT

private:
    EngineDriver d;
    QStringList recognize(const QString &package, const QStringList &files, const Ink &ink);

private slots:
    void initTestCase() { QVERIFY(d.bind()); }
    void gestureInks_data();
    void gestureInks();
    void sampleInks_data();
    void sampleInks();
};

QStringList TestDemonstrationInks::recognize(const QString &package, const QStringList &files,
                                             const Ink &ink)
{
    d.start();
    zkId recognizer = d.api.createObject(d.engine, ZK_TYPE_RECOGNIZER);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    for (const QString &file : files)
        d.attach(recognizer, d.loadPackaged(package, file));
    d.startUnit(input, ZK_UNIT_FREE);
    for (const Stroke &s : ink)
        d.addStroke(input, s);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    d.run(recognizer);
    QStringList words = EngineDriver::words(d.result(recognizer));
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
    d.stop();
    return words;
}

void TestDemonstrationInks::gestureInks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("labels"); // any of these characters
    const QString space = QString::fromUcs4(U"\U000F0003");
    const QString backspace = QString::fromUcs4(U"\U000F0002");
    const QString newline = QString::fromUcs4(U"\U000F0004");
    QTest::newRow("space") << "spaceAnimationInk" << space;
    QTest::newRow("backspace") << "backspaceAnimationInk" << backspace;
    QTest::newRow("return") << "returnAnimationInk" << newline;
    for (int v = 0; v < 3; ++v) {
        QTest::addRow("delete %d", v) << QString("deleteAnimationInk%1").arg(v) << "-";
        QTest::addRow("erase %d", v) << QString("eraseAnimationInk%1").arg(v) << "mMnNZzWw8@";
        QTest::addRow("insert %d", v) << QString("insertAnimationInk%1").arg(v) << "()Il1|/\\";
    }
}

void TestDemonstrationInks::gestureInks()
{
    QFETCH(QString, file);
    QFETCH(QString, labels);
    Ink ink = readScript(images + file + ".itf");
    QCOMPARE(ink.size(), 1);
    QStringList words = recognize("1gestures.rcc", {"gestures/ak-cur.res"}, ink);
    QCOMPARE(words.size(), 1);
    QString label = words.first().section('\t', 0, 0);
    QVERIFY2(!label.isEmpty() && labels.contains(label), qPrintable(label));
}

void TestDemonstrationInks::sampleInks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("alphabet") << "AbcZiAnimationInk" << "Abc";
    QTest::newRow("calculator") << "calcModeAnimationInk" << "12+3=";
}

void TestDemonstrationInks::sampleInks()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    Ink ink = readScript(images + file + ".itf");
    QVERIFY(!ink.isEmpty());
    QStringList words = recognize("1en_US.rcc", {"en_US/en_US-ak-cur.res"}, ink);
    QVERIFY2(!words.isEmpty() && words.first().split('\t').contains(text), qPrintable(words.join(' ')));
}

QTEST_GUILESS_MAIN(TestDemonstrationInks)
#include "tst_demonstrationinks.moc"
