#include "pad/referencefont.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>
#include <QTextLayout>

class TestReferenceFont : public QObject
{
    Q_OBJECT
private slots:
    void resolvesToTheNamedFamily();
    void scriptsFallBackToInstalledFaces_data();
    void scriptsFallBackToInstalledFaces();
    void charHeights();
};

void TestReferenceFont::resolvesToTheNamedFamily()
{
    QGuiApplication::setFont(QFont(QStringLiteral("Serif"), 7));
    const QFont font = referenceFont();
    QCOMPARE(font.pixelSize(), 100);
    QCOMPARE(QFontInfo(font).family(), referenceFontFamilies().first());
    QVERIFY(referenceLineSpacing() > 100);
}

// Each script is drawn from a face that has its letters; a missing package shows up as the
// text falling back to a face outside the named families, or to no glyphs at all.
void TestReferenceFont::scriptsFallBackToInstalledFaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::newRow("latin") << QStringLiteral("hello") << QStringLiteral("DejaVu Sans");
    QTest::newRow("arabic") << QStringLiteral("\u0633\u0644\u0627\u0645") << QStringLiteral("DejaVu Sans");
    QTest::newRow("japanese") << QStringLiteral("\u65e5\u672c\u8a9e") << QStringLiteral("WenQuanYi Micro Hei");
}

void TestReferenceFont::scriptsFallBackToInstalledFaces()
{
    QFETCH(QString, text);
    QFETCH(QString, family);
    QTextLayout layout(text, referenceFont());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().rawFont().familyName(), family);
    for (quint32 index : runs.first().glyphIndexes())
        QVERIFY(index != 0);
}

void TestReferenceFont::charHeights()
{
    const qreal x = referenceCharHeight(ReferenceChar::LatinX);
    const qreal dal = referenceCharHeight(ReferenceChar::ArabicDal);
    QVERIFY2(x > 45 && x < 65, qPrintable(QString::number(x)));
    QVERIFY2(dal > 30 && dal < 80, qPrintable(QString::number(dal)));
    QVERIFY(!qFuzzyCompare(x, dal));
}

QTEST_MAIN(TestReferenceFont)
#include "tst_referencefont.moc"
