#include "app/aboutbox.h"
#include "panel/links.h"
#include "appmain.h"
#include "platform/desktop.h"
#include "platform/wintypes.h"
#include "windows/winutils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readLinks_data();
    void readLinks();
    void linkFromTheFileIsEscaped();
    void defaultLinkShowsTheShop_data();
    void defaultLinkShowsTheShop();

private:
    void writeLinksFile(const QByteArray &content);
    QTemporaryDir m_common;
};

void TestAboutBox::init()
{
    QVERIFY(m_common.isValid());
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA, m_common.path());
    QDir().mkpath(applicationPath(CommonDataFolder));
    QFile::remove(linksFilePath());
}

void TestAboutBox::writeLinksFile(const QByteArray &content)
{
    QFile file(linksFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestAboutBox::readLinks_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const QByteArray longLink = "https://updates.example/" + QByteArray(90, 'a');
    QTest::addRow("runs of blanks") << QByteArray("  \thttp://a.example   next \t \r\nsecond\n")
                                    << QStringLiteral("http://a.example next");
    QTest::addRow("long line kept whole") << longLink << QString::fromLatin1(longLink);
    QTest::addRow("non-Latin") << QStringLiteral("https://пример.example/обновления\n").toUtf8()
                               << QStringLiteral("https://пример.example/обновления");
    QTest::addRow("empty file") << QByteArray() << defaultLink();
    QTest::addRow("blank first line") << QByteArray(" \t\nhttp://second.example\n")
                                      << defaultLink();
}

void TestAboutBox::readLinks()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QCOMPARE(::readLinks(), defaultLink());
    writeLinksFile(content);
    QCOMPARE(::readLinks(), expected);
}

void TestAboutBox::linkFromTheFileIsEscaped()
{
    writeLinksFile("http://a.example/?a=1&b=2\"><img src=x onerror=alert(1)>\n");
    AboutBox box;
    const QString text = box.linksText();
    QVERIFY(!text.contains(QLatin1String("<img")));
    QVERIFY(text.contains(
        QLatin1String("<a href=\"http://a.example/?a=1&amp;b=2&quot;&gt;&lt;img src=x "
                      "onerror=alert(1)&gt;\">http://a.example/?a=1&amp;b=2&quot;&gt;")));
    QVERIFY(!box.testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(box.size(), QSize(420, 260));
}

void TestAboutBox::defaultLinkShowsTheShop_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<QByteArray>("content");
    QTest::addRow("no links file") << false << QByteArray();
    QTest::addRow("links file naming nothing") << true << QByteArray("   \n");
}

void TestAboutBox::defaultLinkShowsTheShop()
{
    QFETCH(bool, withFile);
    QFETCH(QByteArray, content);
    if (withFile)
        writeLinksFile(content);
    AboutBox box;
    const QString text = box.linksText();
    QVERIFY(text.contains(QStringLiteral("<a href=\"%1\">").arg(defaultLink())));
    QVERIFY(!text.contains(QStringLiteral(">%1</a>").arg(defaultLink())));
    QVERIFY(text.contains(QLatin1String("#55AAFF")));
}

SCRIVEL_APP_TEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
