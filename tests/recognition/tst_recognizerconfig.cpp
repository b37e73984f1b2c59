#include "recognition/recognizerconfig.h"

#include <QActionGroup>
#include <QtTest>

class TestRecognizerConfig : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void resourceName_data();
    void resourceName();
    void flags();
    void presets();
    void languageEntryCopiesAreIndependent();
    void configJoinsItsGroup();
    void ensureChecked_data();
    void ensureChecked();
};

static QByteArray code(const RecognizerConfig &c)
{
    return QByteArray(c.languageCode, 4);
}

void TestRecognizerConfig::defaults()
{
    const RecognizerConfig c;
    QCOMPARE(QList<qint32>({c.speedQualityCompromise, c.parameter1, c.parameter2, c.parameter3,
                            c.parameter4, qint32(c.flags)}),
             QList<qint32>({0, 2, 1, 5, 5, 0}));
    QCOMPARE(code(c), QByteArray("?\0\0\0", 4));
    QVERIFY(!c.userTrainingFile);
    QVERIFY(c.resources.isEmpty());
}

void TestRecognizerConfig::resourceName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("gestures") << "gestures" << QByteArray("gst\0", 4);
    QTest::newRow("locale") << "en_US" << QByteArray("en\0\0", 4);
    QTest::newRow("contains gest") << "mygesture" << QByteArray("gst\0", 4);
    QTest::newRow("capital Gest") << "Gestures" << QByteArray("Ge\0\0", 4);
    QTest::newRow("one letter") << "x" << QByteArray("x\0\0\0", 4);
    QTest::newRow("empty") << "" << QByteArray("\0\0\0\0", 4);
}

void TestRecognizerConfig::resourceName()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, expected);
    RecognizerConfig c;
    c.setResourceName(name);
    QCOMPARE(c.resourceName, name);
    QCOMPARE(code(c), expected);
}

void TestRecognizerConfig::flags()
{
    RecognizerConfig c;
    c.setFlag(RecognizerConfig::CjkWords | RecognizerConfig::RightToLeft, true);
    QCOMPARE(c.flags, 5u);
    c.setFlag(RecognizerConfig::CjkWords, false);
    QCOMPARE(c.flags, 4u);
    c.setFlag(RecognizerConfig::LeftToRight, false);
    QCOMPARE(c.flags, 4u);
}

void TestRecognizerConfig::presets()
{
    RecognizerConfig g;
    g.setGestures();
    QCOMPARE(g.speedQualityCompromise, 127);
    QCOMPARE(QList<qint32>({g.parameter1, g.parameter2, g.parameter3, g.parameter4}),
             QList<qint32>({2, 1, 1, 1}));
    QCOMPARE(g.resources, QStringList{":/data/languages/gestures/ak-cur.res"});
    QCOMPARE(g.languageName, QString("gestures"));
    QCOMPARE(code(g), QByteArray("gst\0", 4));

    RecognizerConfig c;
    c.setCalculator();
    QCOMPARE(c.speedQualityCompromise, 0);
    QCOMPARE(QList<qint32>({c.parameter1, c.parameter2, c.parameter3, c.parameter4}),
             QList<qint32>({2, 1, 1, 5}));
    QCOMPARE(c.resources, QStringList({":/data/languages/shared/Calculator-ak-hpr.res",
                                       ":/data/languages/shared/Calculator-sk-im_calc.res"}));
    QCOMPARE(c.languageName, QString("calculator"));
    QCOMPARE(code(c), QByteArray("ca\0\0", 4));
}

void TestRecognizerConfig::languageEntryCopiesAreIndependent()
{
    LanguageEntry a;
    a.setName("en_US");
    a.setLexicons({"words.lex"});
    LanguageEntry b = a;
    b.setName("_Me-Customized en_US");
    b.setLocale(QLocale(QLocale::French));
    QCOMPARE(a.name(), QString("en_US"));
    QCOMPARE(a.locale(), QLocale());
    QCOMPARE(b.lexicons(), QStringList{"words.lex"});
}

void TestRecognizerConfig::configJoinsItsGroup()
{
    QActionGroup group(nullptr);
    auto *config = new Config(&group);
    QVERIFY(config->isCheckable());
    QCOMPARE(group.actions(), QList<QAction *>{config});
    QCOMPARE(config->mode, 0);
    QCOMPARE(config->defaultBoxSize, 0);
    QVERIFY(!config->canChangeBoxSize && !config->noWordSpacing);
}

void TestRecognizerConfig::ensureChecked_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("checked");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty group") << 0 << -1 << -1;
    QTest::newRow("none checked") << 3 << -1 << 0;
    QTest::newRow("second checked") << 3 << 1 << 1;
}

void TestRecognizerConfig::ensureChecked()
{
    QFETCH(int, count);
    QFETCH(int, checked);
    QFETCH(int, expected);
    QActionGroup group(nullptr);
    for (int i = 0; i < count; ++i) {
        auto *config = new Config(&group);
        config->setVisible(false);
        config->setChecked(i == checked);
    }
    ::ensureChecked(&group);
    const QList<QAction *> actions = group.actions();
    for (int i = 0; i < count; ++i) {
        QCOMPARE(actions[i]->isChecked(), i == expected);
        QCOMPARE(actions[i]->isVisible(), i == expected && checked < 0);
    }
}

QTEST_MAIN(TestRecognizerConfig)
#include "tst_recognizerconfig.moc"
