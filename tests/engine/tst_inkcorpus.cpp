// Real ink files: UNIPEN text and JSON read into labelled characters, y growing downwards.
#include "engine/tools/inkcorpus.h"

#include <QTemporaryDir>
#include <QtTest>

using zk::InkCorpus;

class TestInkCorpus : public QObject
{
    Q_OBJECT

private slots:
    void readsSmallFiles_data();
    void readsSmallFiles();
    void readsTheShippedInk_data();
    void readsTheShippedInk();
};

void TestInkCorpus::readsSmallFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("yUp");
    QTest::addColumn<QString>("labels");  // one character per sample
    QTest::addColumn<QString>("strokes"); // strokes of each sample
    QTest::addColumn<float>("lastY");     // y of the last point read
    QTest::newRow("unipen") << "w.txt"
                            << QByteArray(".LEXICON \"a\"\n.SEGMENT CHARACTER 0 ? \"a\"\n.PEN_DOWN\n"
                                          " 1 2\n 3 4\n.PEN_UP\n.DT 100\n.PEN_DOWN\n 5 6\n.PEN_UP\n"
                                          ".SEGMENT CHARACTER 1-2 ? \"7\"\n.COMMENT x\n.PEN_DOWN\n"
                                          " 7  8\n.PEN_UP\n")
                            << false << "a7" << "21" << 8.0f;
    QTest::newRow("unipen, y up") << "d.tra"
                                  << QByteArray(".SEGMENT DIGIT 0 ? \"8\"\n.PEN_DOWN\n 267 333\n"
                                                " 260 300\n.PEN_UP\n")
                                  << true << "8" << "1" << -300.0f;
    QTest::newRow("points outside a segment") << "x.txt"
                                              << QByteArray(".PEN_DOWN\n 1 2\n.PEN_UP\n")
                                              << false << "" << "" << 0.0f;
    QTest::newRow("json") << "d.json"
                          << QByteArray("{\"rawData\": {\"1\": [[[[1, 2], [3, 4]]], [[[5, 6]], [[7, 8]]]],"
                                        " \"2\": [[[[9, 10]]]]}}")
                          << false << "112" << "121" << 10.0f;
    QTest::newRow("json cut short") << "c.json" << QByteArray("{\"rawData\": {\"1\": [[[[1, 2], [3")
                                    << false << "" << "" << 0.0f;
    QTest::newRow("json of another shape") << "o.json" << QByteArray("{\"other\": {}}") << false
                                           << "" << "" << 0.0f;
}

void TestInkCorpus::readsSmallFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, text);
    QFETCH(bool, yUp);
    QFETCH(QString, labels);
    QFETCH(QString, strokes);
    QFETCH(float, lastY);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    InkCorpus corpus;
    const bool read = corpus.read(QFile::encodeName(file.fileName()).toStdString(), yUp);
    if (labels.isEmpty()) {
        QVERIFY(!read);
        return;
    }
    QVERIFY(read);
    QString gotLabels, gotStrokes;
    for (const InkCorpus::Sample &s : corpus.samples()) {
        gotLabels += QString::fromStdString(s.label);
        gotStrokes += QString::number(s.ink.size());
    }
    QCOMPARE(gotLabels, labels);
    QCOMPARE(gotStrokes, strokes);
    QCOMPARE(corpus.samples().back().ink.back().back().y, lastY);
}

void TestInkCorpus::readsTheShippedInk_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("samples");
    QTest::newRow("UJI writer") << "uji-v1/UJIpenchars-w10.txt" << 124;
    QTest::newRow("pen digits") << "pendigits/pendigits-orig.tes" << 3498;
    QTest::newRow("UJI version 2 digits") << "uji-v2-digits/ujipenchars2-digits.json" << 1200;
}

void TestInkCorpus::readsTheShippedInk()
{
    QFETCH(QString, file);
    QFETCH(int, samples);
    InkCorpus corpus;
    QVERIFY(corpus.read(QString(SCRIVEL_SOURCE_DIR "/resources/ink/" + file).toStdString()));
    QCOMPARE(int(corpus.samples().size()), samples);
    for (const InkCorpus::Sample &s : corpus.samples()) {
        QCOMPARE(s.label.size(), size_t(1));
        QVERIFY(!s.ink.empty() && !s.ink.front().empty());
    }
}

QTEST_GUILESS_MAIN(TestInkCorpus)
#include "tst_inkcorpus.moc"
