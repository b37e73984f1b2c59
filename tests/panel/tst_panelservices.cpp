#include "panel/panelservices.h"

#include <QTest>

class TestPanelServices : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void installingServesThePadsToo();
    void clearingKeepsSeparatePadServices();
    void clearingRemovesItselfFromThePads();
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
    QVERIFY(PanelServices::instance() != &panel);
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
    QVERIFY(PanelServices::instance() != &services);
}

QTEST_MAIN(TestPanelServices)
#include "tst_panelservices.moc"
