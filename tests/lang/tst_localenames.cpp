#include "lang/localenames.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

namespace {

// Marks every text with the context it was translated in; the name pattern is reversed so
// that the order of its arguments shows.
class MarkingTranslator final : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override
    {
        const QString source = QString::fromUtf8(sourceText);
        if (qstrcmp(context, "FullLanguageCountryName") == 0)
            return source == QLatin1String("%1 (%2)") ? QStringLiteral("%2: %1") : QString();
        return QStringLiteral("%1<%2>").arg(QString::fromLatin1(context), source);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestLocaleNames : public QObject
{
    Q_OBJECT

private slots:
    void normalizedLocaleName_data();
    void normalizedLocaleName();
    void fullNames_data();
    void fullNames();
    void namesAreTranslatedInTheirContexts();
    void writingDirection_data();
    void writingDirection();
};

void TestLocaleNames::normalizedLocaleName_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("name");
    QTest::newRow("nb_NO") << "nb_NO" << "no_NO";
    QTest::newRow("bare nb") << "nb" << "no_NO";
    QTest::newRow("no") << "no" << "no_NO";
    QTest::newRow("nynorsk stays") << "nn_NO" << "nn_NO";
    QTest::newRow("en_US") << "en_US" << "en_US";
    QTest::newRow("three-letter language") << "fil_PH" << "fil_PH";
    QTest::newRow("bare ar") << "ar" << "ar_EG";
    QTest::newRow("C") << "C" << "C";
}

void TestLocaleNames::normalizedLocaleName()
{
    QFETCH(QString, locale);
    QTEST(::normalizedLocaleName(QLocale(locale)), "name");
}

void TestLocaleNames::fullNames_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("fromName");
    QTest::newRow("en_US") << "en_US" << "English (United States)" << "English (US)";
    QTest::newRow("ja_JP") << "ja_JP" << "Japanese (Japan)" << "Japanese (JP)";
    QTest::newRow("three-letter language") << "fil_PH" << "Filipino (Philippines)"
                                           << "Filipino (PH)";
    QTest::newRow("numeric region") << "es_419" << "Spanish (Latin America)" << "Spanish (419)";
    QTest::newRow("normalized name") << "nb_NO" << "Norwegian Bokmal (Norway)"
                                     << "Norwegian Bokmal (NO)";
    QTest::newRow("C") << "C" << "C (Default)" << "C ()";
}

void TestLocaleNames::fullNames()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    QTEST(fullLanguageName(l), "full");
    QTEST(fullLanguageNameFromLocaleName(l), "fromName");
}

void TestLocaleNames::namesAreTranslatedInTheirContexts()
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(languageName(QLocale::Japanese), QStringLiteral("Languages<Japanese>"));
    QCOMPARE(countryName(QLocale::Japan), QStringLiteral("Countries<Japan>"));
    QCOMPARE(fullLanguageName(QLocale("ja_JP")),
             QStringLiteral("Countries<Japan>: Languages<Japanese>"));
    QCOMPARE(fullLanguageNameFromLocaleName(QLocale("nb_NO")),
             QStringLiteral("NO: Languages<Norwegian Bokmal>"));
    QCoreApplication::removeTranslator(&translator);
}

void TestLocaleNames::writingDirection_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("direction");
    QTest::newRow("Arabic") << "ar_SA" << int(WritingDirection::RightToLeft);
    QTest::newRow("bare Arabic") << "ar" << int(WritingDirection::RightToLeft);
    QTest::newRow("Hebrew") << "he_IL" << int(WritingDirection::RightToLeft);
    QTest::newRow("Persian") << "fa_IR" << int(WritingDirection::LeftToRight);
    QTest::newRow("English") << "en_US" << int(WritingDirection::LeftToRight);
    QTest::newRow("Japanese") << "ja_JP" << int(WritingDirection::LeftToRight);
}

void TestLocaleNames::writingDirection()
{
    QFETCH(QString, locale);
    QTEST(int(::writingDirection(QLocale(locale))), "direction");
}

QTEST_GUILESS_MAIN(TestLocaleNames)
#include "tst_localenames.moc"
