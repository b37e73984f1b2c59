// Candidate order: a common-character list breaks only near ties; the user's confident
// guesses come first, the rest merge by score and an unsure user model adds only a few.
#include "engine/candidateranking.h"

#include <QtTest>

using zk::CandidateRanking;
using zk::Guess;
using zk::Guesses;

Q_DECLARE_METATYPE(zk::Guesses)

namespace {

QString labels(const Guesses &guesses)
{
    QStringList out;
    for (const Guess &g : guesses)
        out << QString::fromStdString(g.label);
    return out.join(' ');
}

} // namespace

class TestCandidateRanking : public QObject
{
    Q_OBJECT

private slots:
    void listedBreaksOnlyNearTies_data();
    void listedBreaksOnlyNearTies();
    void userMergedWithBase_data();
    void userMergedWithBase();
};

void TestCandidateRanking::listedBreaksOnlyNearTies_data()
{
    QTest::addColumn<Guesses>("guesses"); // label, score, margin
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("order");
    // 日 and 木 are listed, 曰 and 朩 are not.
    QTest::newRow("clearly better unlisted shape stays first")
        << Guesses{{"曰", 0.9f, 0.8f}, {"日", 0.1f, 0.1f}} << 0 << "曰 日";
    QTest::newRow("near tie goes to the listed")
        << Guesses{{"曰", 0.5f, 0.40f}, {"日", 0.4f, 0.30f}} << 0 << "日 曰";
    QTest::newRow("listed never passes a clearly better one further up")
        << Guesses{{"朩", 0.6f, 0.9f}, {"曰", 0.3f, 0.35f}, {"木", 0.1f, 0.2f}} << 0 << "朩 木 曰";
    QTest::newRow("the first places are kept")
        << Guesses{{"曰", 0.5f, -0.2f}, {"朩", 0.4f, 0.4f}, {"日", 0.3f, 0.35f}} << 1 << "曰 日 朩";
    QTest::newRow("unsure leader: a wider window for the listed")
        << Guesses{{"曰", 0.5f, -0.1f}, {"日", 0.4f, -0.45f}} << 0 << "日 曰";
    QTest::newRow("confident leader: the same gap keeps the unlisted first")
        << Guesses{{"曰", 0.5f, 0.45f}, {"日", 0.4f, 0.1f}} << 0 << "曰 日";
    QTest::newRow("from past the end changes nothing")
        << Guesses{{"曰", 0.5f, 0.40f}, {"日", 0.4f, 0.30f}} << 2 << "曰 日";
    QTest::newRow("listed among themselves by shape")
        << Guesses{{"木", 0.5f, 0.3f}, {"日", 0.6f, 0.5f}} << 0 << "日 木";
}

void TestCandidateRanking::listedBreaksOnlyNearTies()
{
    QFETCH(Guesses, guesses);
    QFETCH(int, from);
    QFETCH(QString, order);
    CandidateRanking::preferListed(guesses, {"日", "木"}, size_t(from));
    QCOMPARE(labels(guesses), order);
}

void TestCandidateRanking::userMergedWithBase_data()
{
    QTest::addColumn<Guesses>("user");
    QTest::addColumn<Guesses>("base");
    QTest::addColumn<QString>("order");
    QTest::newRow("confident user guess first, even against a better base score")
        << Guesses{{"q", 0.6f, 0.2f}, {"g", 0.1f, -0.6f}} << Guesses{{"a", 0.9f, 1.1f}, {"d", 0.2f, 0.1f}}
        << "q a d g";
    QTest::newRow("doubtful user guesses merged by score, not after all base ones")
        << Guesses{{"q", 0.45f, -0.1f}, {"g", 0.2f, -0.4f}}
        << Guesses{{"a", 0.5f, 0.3f}, {"d", 0.3f, 0.1f}, {"o", 0.1f, -0.2f}, {"e", 0.05f, -0.5f}}
        << "a q d g o e";
    QTest::newRow("unsure user model adds at most two guesses")
        << Guesses{{"q", 0.6f, -0.1f}, {"g", 0.5f, -0.2f}, {"y", 0.4f, -0.3f}}
        << Guesses{{"a", 0.3f, 0.2f}, {"d", 0.2f, 0.1f}, {"o", 0.1f, -0.1f}} << "q g a d o";
    QTest::newRow("after a confident guess, two unsure ones")
        << Guesses{{"q", 0.6f, 0.2f}, {"g", 0.5f, -0.5f}, {"y", 0.45f, -0.6f}, {"j", 0.44f, -0.7f}}
        << Guesses{{"a", 0.4f, 0.2f}, {"d", 0.1f, -0.3f}} << "q g y a d";
    QTest::newRow("each label once, where it ranks best")
        << Guesses{{"a", 0.7f, 0.3f}} << Guesses{{"o", 0.8f, 0.6f}, {"a", 0.1f, -0.3f}} << "a o";
    QTest::newRow("no user model") << Guesses{} << Guesses{{"o", 0.8f, 0.6f}, {"c", 0.1f, -0.3f}}
                                   << "o c";
}

void TestCandidateRanking::userMergedWithBase()
{
    QFETCH(Guesses, user);
    QFETCH(Guesses, base);
    QFETCH(QString, order);
    QCOMPARE(labels(CandidateRanking::merged(user, base)), order);
}

QTEST_GUILESS_MAIN(TestCandidateRanking)
#include "tst_candidateranking.moc"
