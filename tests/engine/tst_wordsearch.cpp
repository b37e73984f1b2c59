// Word search: lexicon words win over letter-by-letter reads, also where a letter was read
// as its look-alike (l as I or 1, o as 0); mostly digits read as a number.
#include "engine/wordsearch.h"

#include <QtTest>

using zk::Guesses;
using zk::WordSearch;

Q_DECLARE_METATYPE(zk::Guesses)
Q_DECLARE_METATYPE(std::vector<zk::Guesses>)

class TestWordSearch : public QObject
{
    Q_OBJECT

private slots:
    void lexiconWordsWin_data();
    void lexiconWordsWin();
    void oneLetterWords_data();
    void oneLetterWords();
};

void TestWordSearch::lexiconWordsWin_data()
{
    QTest::addColumn<std::vector<Guesses>>("characters");
    QTest::addColumn<QString>("first");
    const Guesses c{{"c", 0.9f}}, a{{"a", 0.8f}, {"o", 0.1f}}, n{{"n", 0.9f}}, w{{"w", 0.9f}};
    QTest::newRow("capital I for l") << std::vector<Guesses>{c, a, {{"I", 0.9f}, {"l", 0.001f}}, {{"I", 0.9f}}}
                                     << "call";
    QTest::newRow("one for l") << std::vector<Guesses>{c, a, {{"1", 0.9f}}, {{"l", 0.2f}, {"1", 0.7f}}}
                               << "call";
    QTest::newRow("zero for o") << std::vector<Guesses>{n, {{"0", 0.9f}, {"8", 0.05f}}, w} << "now";
    QTest::newRow("outside the lexicon, as read") << std::vector<Guesses>{n, {{"0", 0.9f}}, {{"x", 0.9f}}}
                                                  << "n0x";
    QTest::newRow("the writer's case kept") << std::vector<Guesses>{{{"C", 0.9f}}, a, {{"l", 0.9f}}, {{"1", 0.9f}}}
                                            << "Call";
    QTest::newRow("each letter third") << std::vector<Guesses>{{{"e", 0.5f}, {"o", 0.3f}, {"c", 0.2f}},
                                                               {{"u", 0.5f}, {"o", 0.3f}, {"a", 0.2f}},
                                                               {{"t", 0.5f}, {"f", 0.3f}, {"l", 0.2f}},
                                                               {{"t", 0.5f}, {"i", 0.3f}, {"l", 0.2f}}}
                                       << "call";
    // Mostly digits: a number, its letters read as the digits they look like.
    QTest::newRow("a number") << std::vector<Guesses>{{{"2", 0.6f}}, {{"0", 0.5f}, {"o", 0.45f}},
                                                      {{"z", 0.6f}, {"2", 0.3f}}, {{"6", 0.5f}, {"b", 0.4f}}}
                              << "2026";
    QTest::newRow("a number, a letter read as its digit")
        << std::vector<Guesses>{{{"1", 0.6f}}, {{"9", 0.5f}}, {{"s", 0.6f}, {"a", 0.3f}}}
        << "195";
    QTest::newRow("a known word over digit look-alikes")
        << std::vector<Guesses>{{{"t", 0.8f}, {"7", 0.1f}}, {{"0", 0.6f}, {"o", 0.5f}},
                                {{"0", 0.6f}, {"o", 0.5f}}}
        << "too";
    QTest::newRow("half digits: as read") << std::vector<Guesses>{{{"A", 0.8f}, {"4", 0.3f}}, {{"4", 0.9f}}}
                                          << "A4";
}

void TestWordSearch::lexiconWordsWin()
{
    QFETCH(std::vector<Guesses>, characters);
    QFETCH(QString, first);
    const std::set<std::string> lexicon{"call", "now", "cell", "too"};
    std::vector<zk::WordGuess> words = WordSearch(lexicon).search(characters, 5);
    QVERIFY(!words.empty());
    QString got;
    for (const std::string &l : words.front().letters)
        got += QString::fromStdString(l);
    QCOMPARE(got, first);
}

void TestWordSearch::oneLetterWords_data()
{
    QTest::addColumn<Guesses>("character");
    QTest::addColumn<bool>("ideographic");
    QTest::addColumn<QString>("first");
    QTest::newRow("a clearly better letter") << Guesses{{"d", 0.6f}, {"a", 0.3f}} << false << "d";
    QTest::newRow("a clearly better capital") << Guesses{{"N", 0.5f}, {"i", 0.25f}} << false << "N";
    QTest::newRow("a near tie") << Guesses{{"l", 0.5f}, {"i", 0.45f}} << false << "i";
    QTest::newRow("the word as read") << Guesses{{"a", 0.4f}, {"o", 0.35f}} << false << "a";
    QTest::newRow("ideographic: a listed character never outvotes a better one")
        << Guesses{{"d", 0.6f}, {"a", 0.3f}} << true << "d";
    QTest::newRow("ideographic: the characters' ranking stands, even in a near tie")
        << Guesses{{"d", 0.5f}, {"a", 0.49f}} << true << "d";
}

// A lone letter may be any letter: the one-letter words of the lexicon only break near ties.
void TestWordSearch::oneLetterWords()
{
    QFETCH(Guesses, character);
    QFETCH(bool, ideographic);
    QFETCH(QString, first);
    const std::set<std::string> lexicon{"a", "i", "an"};
    WordSearch search(lexicon, ideographic ? WordSearch::Ideographic : WordSearch::Alphabetic);
    std::vector<zk::WordGuess> words = search.search({character}, 5);
    QVERIFY(!words.empty());
    QCOMPARE(QString::fromStdString(words.front().letters.front()), first);
}

QTEST_GUILESS_MAIN(TestWordSearch)
#include "tst_wordsearch.moc"
