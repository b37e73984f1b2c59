// The word lattice: a joined-up stroke cut where its letters meet, read back whole with the
// lexicon.
#include "engine/wordlattice.h"

#include <QtTest>

#include <cmath>

namespace {

const float cup = 100; // width and height of each joined letter

// Three cups written in one stroke, as a hand joins "uuu": down, up, down, up, down, up.
zk::InkEntry joinedCups(int cups)
{
    zk::InkEntry entry;
    for (int c = 0; c < cups; ++c)
        for (int i = c ? 1 : 0; i <= 20; ++i) {
            const float t = float(i) / 20;
            entry.points.push_back({c * cup + t * cup, cup * std::sin(t * float(M_PI))});
        }
    entry.sourcePoints = int(entry.points.size());
    return entry;
}

// Reads a run by the cup it covers: each cup's letter only third among its guesses.
zk::Guesses readCups(const zk::InkStrokes &ink)
{
    const zk::InkBox box = zk::boundingBox(ink);
    if (std::fabs(box.width() - cup) > 0.2f * cup)
        return {{"x", 0.01f}};
    const char *letters[][3] = {{"a", "d", "y"}, {"c", "e", "o"}, {"n", "v", "u"}};
    const int at = std::clamp(int(std::lround(box.left / cup)), 0, 2);
    return {{letters[at][0], 0.5f}, {letters[at][1], 0.3f}, {letters[at][2], 0.2f}};
}

} // namespace

class TestWordLattice : public QObject
{
    Q_OBJECT

private slots:
    void joinedWordComesOutWhole();
};

void TestWordLattice::joinedWordComesOutWhole()
{
    const zk::InkEntry entry = joinedCups(3);
    const zk::WordGroup word{{zk::EntryRef{0, 4, &entry, zk::boundingBox(entry.points)}}};
    zk::WordLattice lattice(word, cup);
    QVERIFY(lattice.usable());
    QVERIFY(lattice.pieceCount() >= 3);
    std::vector<zk::WordLattice::Path> paths = lattice.search(readCups, {"you", "yes"}, 5);
    QVERIFY(!paths.empty());
    auto known = std::find_if(paths.begin(), paths.end(), [](const auto &p) { return p.known; });
    QVERIFY(known != paths.end());
    QCOMPARE(known->letters, (std::vector<std::string>{"y", "o", "u"}));
    // The letters as read, one a cup, are the best path without the lexicon.
    auto read = std::find_if(paths.begin(), paths.end(), [](const auto &p) { return !p.known; });
    QVERIFY(read != paths.end());
    QCOMPARE(read->letters, (std::vector<std::string>{"a", "c", "n"}));
    QVERIFY(read->score > known->score);
    // Each letter's ink is its own cup, cut inside the one stroke.
    int next = 0;
    for (const auto &run : known->runs) {
        const std::vector<zkInkRecord> records = lattice.records(run.first, run.second);
        QVERIFY(!records.empty());
        QCOMPARE(records.front().firstComponent, int16_t(4));
        QCOMPARE(int(records.front().firstPoint), next);
        next = records.back().lastPoint;
        QCOMPARE(next % 20, 0);
    }
    QCOMPARE(next, int(entry.points.size()) - 1);
}

QTEST_GUILESS_MAIN(TestWordLattice)
#include "tst_wordlattice.moc"
