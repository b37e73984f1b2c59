#include "panel/panelservices.h"

#include <QProcess>
#include <QTest>

class TestPanelServices : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void installingServesThePadsToo();
    void clearingKeepsSeparatePadServices();
    void clearingRemovesItselfFromThePads();
    void askingWithoutServicesEndsTheProgram();

private:
    static constexpr char askWithoutServices[] = "SCRIVEL_ASK_WITHOUT_SERVICES";
};

void TestPanelServices::cleanup()
{
    PanelServices::setInstance(nullptr);
    PadServices::setInstance(nullptr);
}

void TestPanelServices::installingServesThePadsToo()
{
    PanelServices services;
    PanelServices::setInstance(&services);
    QCOMPARE(PanelServices::instance(), &services);
    QCOMPARE(PadServices::instance(), &services);
}

void TestPanelServices::clearingKeepsSeparatePadServices()
{
    PanelServices panel;
    PadServices pads;
    PanelServices::setInstance(&panel);
    PadServices::setInstance(&pads);
    PanelServices::setInstance(nullptr);
    QVERIFY(!PanelServices::isInstalled());
    QCOMPARE(PadServices::instance(), &pads);

    PanelServices::setInstance(nullptr);
    QCOMPARE(PadServices::instance(), &pads);
}

void TestPanelServices::clearingRemovesItselfFromThePads()
{
    PadServices *fallback = PadServices::instance();
    PanelServices services;
    PanelServices::setInstance(&services);
    PanelServices::setInstance(nullptr);
    QCOMPARE(PadServices::instance(), fallback);
    QVERIFY(!PanelServices::isInstalled());
}

// Asked for while none is installed, the services end the program with a message that says
// what is missing, instead of answering from an object that keeps nothing.
void TestPanelServices::askingWithoutServicesEndsTheProgram()
{
    if (qEnvironmentVariableIsSet(askWithoutServices)) {
        PanelServices::instance()->saveSettings();
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(askWithoutServices), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("askingWithoutServicesEndsTheProgram")});
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QByteArray output = child.readAll();
    QVERIFY2(output.contains("no services are installed"), output.constData());
}

QTEST_MAIN(TestPanelServices)
#include "tst_panelservices.moc"
