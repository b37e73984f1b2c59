#include "pad/glyphmetrics.h"
#include "pad/referencefont.h"
#include "pad/scrivelscene.h"
#include "pad/typesetitem.h"

#include <QFontMetricsF>
#include <QGraphicsRectItem>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <memory>

namespace {

const QString Arabic = QStringLiteral("\u0643\u062a\u0628");   // kaf teh beh, all joining
const QString Japanese = QStringLiteral("\u65e5\u672c\u8a9e");

Segment labelled(const QString &label, const InkRange &ink = {})
{
    ResultNode node;
    node.setLabel(label);
    Segment segment;
    segment.appendCandidate(node);
    segment.setSelectedCandidate(0);
    segment.setInk(ink);
    return segment;
}

qreal advance(const QString &text)
{
    return QFontMetricsF(referenceFont()).horizontalAdvance(text);
}

} // namespace

class TestTypeSetItem : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void outlineBoxesInDisplayOrder_data();
    void outlineBoxesInDisplayOrder();
    void arabicLettersMeasuredInTheirJoinedShape();
    void punctuationSitsOnItsInk();
    void measureTextJoinsWords_data();
    void measureTextJoinsWords();
    void emptyTextIsNotCached();
    void cachedOutlineIsNotMeasuredAgain();
    void cachesDropTheLeastRecentText();
    void boxesAndCellsFollowTheTransform();
    void interpolateTransform_data();
    void interpolateTransform();
    void matchesSegment();
    void paintsInsideItsBounds_data();
    void paintsInsideItsBounds();
    void destructorClosesTheModalItem();
};

void TestTypeSetItem::init()
{
    QGuiApplication::setFont(QFont());
    clearGlyphCaches();
}

// One box per character; each box ends where the text drawn so far ends, so the boxes
// climb from left to right and the last one ends at the word's advance.
void TestTypeSetItem::outlineBoxesInDisplayOrder_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("latin") << QStringLiteral("hello");
    QTest::newRow("arabic") << Arabic;
    QTest::newRow("japanese") << Japanese;
}

void TestTypeSetItem::outlineBoxesInDisplayOrder()
{
    QFETCH(QString, text);
    const QList<QRectF> boxes = glyphOutline(text);
    QCOMPARE(boxes.size(), text.size());
    for (int i = 0; i < boxes.size(); ++i) {
        QVERIFY2(boxes.at(i).width() > 5 && boxes.at(i).height() > 5, qPrintable(QString::number(i)));
        QVERIFY(boxes.at(i).top() < 0);
        if (i > 0)
            QVERIFY(boxes.at(i).right() > boxes.at(i - 1).right());
    }
    QVERIFY(qAbs(boxes.last().right() - advance(text)) < 2);
    QVERIFY(boxes.first().left() >= 0);
}

// The right-hand box of a right-to-left word is its first letter, in its initial shape:
// narrower than the same letter alone, and the word's last letter is on the left.
void TestTypeSetItem::arabicLettersMeasuredInTheirJoinedShape()
{
    const QList<QRectF> boxes = glyphOutline(Arabic);
    const QFontMetricsF metrics(referenceFont());
    const QRectF kafAlone = metrics.tightBoundingRect(Arabic.left(1));
    QVERIFY(boxes.last().width() < kafAlone.width() - 10);
    const qreal behFinal = advance(Arabic.right(1).prepend(QChar(0x200D)));
    QVERIFY(boxes.first().right() < behFinal + 2);
    QVERIFY(boxes.first().left() < boxes.at(1).left());
}

// A comma's box is its own ink, set at the tight end of the text before it and not at
// the advance (which holds the comma's right bearing).
void TestTypeSetItem::punctuationSitsOnItsInk()
{
    const QString text = QStringLiteral("a,b");
    const QList<QRectF> boxes = glyphOutline(text);
    const QFontMetricsF metrics(referenceFont());
    QCOMPARE(boxes.at(1).right(), metrics.tightBoundingRect(text.left(2)).right());
    QVERIFY(boxes.at(1).bottom() > 0);
    QCOMPARE(boxes.at(2).right(), advance(text));
}

void TestTypeSetItem::measureTextJoinsWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("separators");
    QTest::newRow("one word") << QStringLiteral("hello") << QStringList{"hello"} << 0;
    QTest::newRow("space") << QStringLiteral("hello world") << QStringList{"hello", "world"} << 1;
    QTest::newRow("two spaces kept") << QStringLiteral("ab  cd") << QStringList{"ab", "cd"} << 2;
    QTest::newRow("ideographic space")
        << QStringLiteral("\u65e5\u672c\u3000\u8a9e") << QStringList{"\u65e5\u672c", "\u8a9e"} << 1;
    QTest::newRow("trailing space") << QStringLiteral("hello ") << QStringList{"hello"} << 1;
}

void TestTypeSetItem::measureTextJoinsWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(int, separators);
    // Each word's united boxes, moved right by the right edge of the words before it.
    QRectF laidOut;
    for (const QString &word : words) {
        QRectF united;
        for (const QRectF &box : glyphOutline(word))
            united = united.united(box);
        laidOut = laidOut.united(united.translated(laidOut.right(), 0));
    }
    laidOut.setWidth(laidOut.width() + separators * 1.95 * advance(" "));
    const QRectF rect = measureText(text);
    QCOMPARE(rect, laidOut);
    QVERIFY(rect.left() > 0 && rect.top() < 0);
    QVERIFY(isTextRectCached(text));
}

void TestTypeSetItem::emptyTextIsNotCached()
{
    measureText(QStringLiteral("hello"));
    const int before = textRectCacheCount();
    QCOMPARE(measureText(QString()), QRectF());
    QVERIFY(measureText(QString()).isNull());
    QCOMPARE(textRectCacheCount(), before);
    QVERIFY(!isTextRectCached(QString()));
}

// A bold application font widens the glyphs: boxes measured before it stay in the caches
// until they are cleared.
void TestTypeSetItem::cachedOutlineIsNotMeasuredAgain()
{
    const QList<QRectF> regular = glyphOutline(QStringLiteral("hello"));
    const QRectF regularRect = measureText(QStringLiteral("hello"));
    QVERIFY(isGlyphOutlineCached(QStringLiteral("hello")));
    QVERIFY(isTextRectCached(QStringLiteral("hello")));
    QCOMPARE(glyphOutlineCacheCount(), 1);

    QFont bold;
    bold.setBold(true);
    QGuiApplication::setFont(bold);
    QCOMPARE(glyphOutline(QStringLiteral("hello")), regular);
    QCOMPARE(measureText(QStringLiteral("hello")), regularRect);
    QCOMPARE(glyphOutlineCacheCount(), 1);

    clearGlyphCaches();
    QCOMPARE(glyphOutlineCacheCount(), 0);
    QCOMPARE(textRectCacheCount(), 0);
    QVERIFY(measureText(QStringLiteral("hello")).width() > regularRect.width() + 5);
}

void TestTypeSetItem::cachesDropTheLeastRecentText()
{
    for (int i = 0; i < 100; ++i)
        measureText(QString::number(i));
    QCOMPARE(textRectCacheCount(), 100);
    measureText(QStringLiteral("0"));
    measureText(QStringLiteral("new"));
    QCOMPARE(textRectCacheCount(), 100);
    QVERIFY(isTextRectCached(QStringLiteral("0")));
    QVERIFY(!isTextRectCached(QStringLiteral("1")));
    QCOMPARE(glyphOutlineCacheCount(), 100);
}

void TestTypeSetItem::boxesAndCellsFollowTheTransform()
{
    const Segment segment = labelled(QStringLiteral("hello"));
    const QTransform t = QTransform::fromTranslate(10, 20).scale(0.5, 0.25);
    const QList<QRectF> plain = glyphOutline(QStringLiteral("hello"));
    const QList<QRectF> boxes = glyphBoxes(segment, t);
    QCOMPARE(boxes.size(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(boxes.at(i), t.mapRect(plain.at(i)));

    const QList<qreal> cells = glyphCells(segment, QTransform());
    const QList<qreal> scaled = glyphCells(segment, t);
    QCOMPARE(cells.size(), 5);
    // A cell is the bearing: where the word's first glyph begins after the pen position.
    QCOMPARE(cells.at(0), plain.at(0).left());
    QCOMPARE(cells.at(4), glyphOutline(QStringLiteral("o")).at(0).left());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(scaled.at(i), cells.at(i) * 0.5);
    QCOMPARE(glyphCells(labelled(Arabic), QTransform()).size(), 3);
    QVERIFY(glyphBoxes(labelled(QString()), t).isEmpty());
}

void TestTypeSetItem::interpolateTransform_data()
{
    QTest::addColumn<double>("t");
    QTest::addColumn<QTransform>("expected");
    QTest::newRow("start") << 0.0 << QTransform(2, 0, 0, 4, 10, -20);
    QTest::newRow("middle") << 0.5 << QTransform(1.5, 0, 0, 2.5, 30, 0);
    QTest::newRow("end") << 1.0 << QTransform(1, 0, 0, 1, 50, 20);
}

void TestTypeSetItem::interpolateTransform()
{
    QFETCH(double, t);
    QFETCH(QTransform, expected);
    TypeSetItem item(labelled(QStringLiteral("x")), ItemStyle(), Qt::AlignLeft);
    QCOMPARE(item.transform(), QTransform());
    item.setStartTransform(QTransform(2, 0.3, 0.1, 4, 10, -20));
    item.setEndTransform(QTransform::fromTranslate(50, 20));
    item.interpolateTransform(t);
    QCOMPARE(item.transform(), expected);
}

void TestTypeSetItem::matchesSegment()
{
    const InkRange ink; // no strokes: equal inks
    const Segment shown = labelled(QStringLiteral("word"));
    TypeSetItem item(shown, ItemStyle(), Qt::AlignLeft);
    QVERIFY(item.matchesSegment(shown));
    QVERIFY(!item.matchesSegment(labelled(QStringLiteral("ward"))));

    Segment twoCandidates = labelled(QStringLiteral("word"));
    ResultNode other;
    other.setLabel(QStringLiteral("wood"));
    twoCandidates.appendCandidate(other);
    QVERIFY(twoCandidates != shown);
    QVERIFY(item.matchesSegment(twoCandidates));
    twoCandidates.setSelectedCandidate(1);
    QVERIFY(!item.matchesSegment(twoCandidates));
}

void TestTypeSetItem::paintsInsideItsBounds_data()
{
    outlineBoxesInDisplayOrder_data();
}

// The painted ink fills the bounding rectangle from top to bottom; across, the boxes stand
// where each character's advance ends, at most a right bearing away from the ink.
void TestTypeSetItem::paintsInsideItsBounds()
{
    QFETCH(QString, text);
    TypeSetItem item(labelled(text), ItemStyle(), Qt::AlignLeft);
    const QRectF bounds = item.boundingRect();
    QCOMPARE(bounds, measureText(text));
    QImage image(400, 200, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(20, 150);
    item.paint(&painter, nullptr, nullptr);
    painter.end();

    QRect inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                inked |= QRect(x, y, 1, 1);
    const QRectF expected = bounds.translated(20, 150);
    const QString where = QStringLiteral("ink %1 %2 %3 %4").arg(inked.x()).arg(inked.y())
                              .arg(inked.width()).arg(inked.height());
    QVERIFY2(qAbs(inked.top() - expected.top()) < 3, qPrintable(where));
    QVERIFY2(qAbs(inked.bottom() + 1 - expected.bottom()) < 3, qPrintable(where));
    QVERIFY2(expected.adjusted(-20, 0, 2, 0).contains(QRectF(inked).adjusted(0, 2, 0, -2)),
             qPrintable(where));
}

namespace {

class WatchedItem final : public QGraphicsRectItem
{
public:
    explicit WatchedItem(bool *destroyed) : QGraphicsRectItem(0, 0, 5, 5), m_destroyed(destroyed) {}
    ~WatchedItem() override { *m_destroyed = true; }

private:
    bool *m_destroyed;
};

} // namespace

// Deleting a typeset item leaves a modal item it did not open; a scene torn down with a
// modal item and typeset items left deletes each of them once.
void TestTypeSetItem::destructorClosesTheModalItem()
{
    bool modalGone = false;
    auto scene = std::make_unique<ScrivelScene>(ItemStyle());
    auto *item = new TypeSetItem(labelled(QStringLiteral("a")), ItemStyle(), Qt::AlignLeft);
    scene->addItem(item);
    auto *modal = new WatchedItem(&modalGone);
    scene->addItem(modal);
    scene->setModalItem(modal);
    delete item;
    QVERIFY(!modalGone);
    QCOMPARE(scene->modalItem(), modal);

    bool lastGone = false;
    scene->addItem(new TypeSetItem(labelled(QStringLiteral("b")), ItemStyle(), Qt::AlignLeft));
    scene->addItem(new TypeSetItem(labelled(QStringLiteral("c")), ItemStyle(), Qt::AlignLeft));
    auto *last = new WatchedItem(&lastGone);
    scene->addItem(last);
    scene->setModalItem(last);
    scene.reset();
    QVERIFY(lastGone);
}

QTEST_MAIN(TestTypeSetItem)
#include "tst_typesetitem.moc"
