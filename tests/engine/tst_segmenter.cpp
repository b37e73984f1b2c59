// Word segmentation of free-written lines: letters at various spacings.
#include "engine/segmenter.h"

#include <QtTest>

#include <deque>

namespace {

const float height = 40; // x-height of the drawn letters

using Spacing = QList<float>; // gaps before each letter after the first, in x-heights

} // namespace

class TestSegmenter : public QObject
{
    Q_OBJECT

private:
    std::deque<zk::InkEntry> m_entries;

    std::vector<zk::EntryRef> letters(const Spacing &gaps);
    std::vector<zk::EntryRef> strokes(const QList<QRectF> &boxes);

private slots:
    void wordsFollowGaps_data();
    void wordsFollowGaps();
    void dotsJoinTheirStroke_data();
    void dotsJoinTheirStroke();
};

// Upright zigzag letters, 0.7 x-height wide, placed after the given gaps.
std::vector<zk::EntryRef> TestSegmenter::letters(const Spacing &gaps)
{
    m_entries.clear();
    std::vector<zk::EntryRef> out;
    float left = 0;
    for (int i = 0; i <= gaps.size(); ++i) {
        if (i > 0)
            left += 0.7f * height + gaps[i - 1] * height;
        zk::InkEntry entry;
        entry.points = {{left, 0}, {left, height}, {left + 0.7f * height, 0},
                        {left + 0.7f * height, height}};
        entry.sourcePoints = 4;
        m_entries.push_back(entry);
        out.push_back({0, i, &m_entries.back(), zk::boundingBox(entry.points)});
    }
    return out;
}

// Strokes in writing order, each drawn along the diagonal of its box.
std::vector<zk::EntryRef> TestSegmenter::strokes(const QList<QRectF> &boxes)
{
    m_entries.clear();
    std::vector<zk::EntryRef> out;
    for (int i = 0; i < boxes.size(); ++i) {
        const QRectF &b = boxes[i];
        zk::InkEntry entry;
        entry.points = {{float(b.left()), float(b.top())}, {float(b.right()), float(b.bottom())}};
        entry.sourcePoints = 2;
        m_entries.push_back(entry);
        out.push_back({0, i, &m_entries.back(), zk::boundingBox(entry.points)});
    }
    return out;
}

void TestSegmenter::wordsFollowGaps_data()
{
    QTest::addColumn<Spacing>("gaps");
    QTest::addColumn<QList<int>>("lengths"); // letters of each word found

    auto line = [](const QList<int> &lengths, float letter, float word) {
        Spacing gaps;
        for (int w = 0; w < lengths.size(); ++w)
            for (int i = 0; i < lengths[w]; ++i)
                if (w + i > 0)
                    gaps << (i == 0 ? word : letter);
        return gaps;
    };
    QTest::newRow("font spacing") << line({4, 6, 4, 4, 4}, 0.45f, 1.5f)
                                  << QList<int>{4, 6, 4, 4, 4};
    QTest::newRow("wide letter gaps") << line({3, 5, 5, 3, 5}, 0.65f, 1.9f)
                                      << QList<int>{3, 5, 5, 3, 5};
    QTest::newRow("tight letters") << line({5, 5}, 0.1f, 0.9f) << QList<int>{5, 5};
    QTest::newRow("one word") << line({5}, 0.65f, 0) << QList<int>{5};
    QTest::newRow("one word, uneven") << Spacing{0.2f, 0.6f, 0.3f, 0.5f} << QList<int>{5};
    QTest::newRow("one word, some letters overlap") << Spacing{-0.1f, 0.55f, -0.1f, 0.6f}
                                                    << QList<int>{5};
    QTest::newRow("overlaps and word gaps") << Spacing{-0.1f, 0.3f, 1.4f, -0.1f, 0.3f}
                                            << QList<int>{3, 3};
    QTest::newRow("one-letter words") << line({1, 1, 1, 1}, 0, 1.2f) << QList<int>{1, 1, 1, 1};
    QTest::newRow("uneven letter gaps") << Spacing{0.2f, 0.5f, 0.3f, 1.6f, 0.5f, 0.2f, 0.4f}
                                        << QList<int>{4, 4};
    QTest::newRow("one wide gap") << Spacing{0.3f, 0.3f, 2.5f, 0.3f, 0.3f} << QList<int>{3, 3};
    QTest::newRow("two letters") << Spacing{0.5f} << QList<int>{2};
}

void TestSegmenter::wordsFollowGaps()
{
    QFETCH(Spacing, gaps);
    QFETCH(QList<int>, lengths);
    std::vector<zk::LineGroup> lines = zk::Segmenter(false).split(letters(gaps));
    QCOMPARE(lines.size(), size_t(1));
    QList<int> found;
    for (const zk::WordGroup &w : lines.front().words)
        found << int(w.size());
    QCOMPARE(found, lengths);
}

void TestSegmenter::dotsJoinTheirStroke_data()
{
    QTest::addColumn<QList<QRectF>>("boxes");
    QTest::addColumn<QList<int>>("characters"); // strokes of each character found, left to right
    const QRectF stem(0, 0, 6, 100);
    QTest::newRow("dot after the stem") << QList<QRectF>{stem, {0, -30, 8, 8}} << QList<int>{2};
    QTest::newRow("dot written first") << QList<QRectF>{{-8, -30, 8, 8}, stem} << QList<int>{2};
    QTest::newRow("dot written high") << QList<QRectF>{stem, {-4, -140, 10, 12}} << QList<int>{2};
    QTest::newRow("large dot written first, beside a slanted stroke")
        << QList<QRectF>{{-16, -50, 15, 22}, {0, 0, 60, 100}} << QList<int>{2};
    QTest::newRow("period a gap after the stem")
        << QList<QRectF>{stem, {30, 92, 8, 8}} << QList<int>{1, 1};
    QTest::newRow("stroke beside the stem")
        << QList<QRectF>{stem, {30, 0, 6, 100}} << QList<int>{1, 1};
}

void TestSegmenter::dotsJoinTheirStroke()
{
    QFETCH(QList<QRectF>, boxes);
    QFETCH(QList<int>, characters);
    std::vector<zk::LineGroup> lines = zk::Segmenter(false).split(strokes(boxes));
    QCOMPARE(lines.size(), size_t(1));
    QList<int> found;
    for (const zk::WordGroup &w : lines.front().words)
        for (const zk::CharacterGroup &c : w)
            found << int(c.size());
    QCOMPARE(found, characters);
}

QTEST_GUILESS_MAIN(TestSegmenter)
#include "tst_segmenter.moc"
