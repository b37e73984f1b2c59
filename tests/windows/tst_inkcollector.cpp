#include "platform/desktop.h"
#include "platform/winapi.h"
#include "windows/inkcollectorwrapper.h"

#include <QGraphicsView>
#include <QtTest>

#include <memory>

namespace {

// A writing view that records the pen events it receives.
class PenView : public QGraphicsView
{
public:
    QStringList events;

protected:
    bool event(QEvent *event) override
    {
        static const char *const names[] = {"press", "move", "release"};
        for (int kind = RTScrivelEvent::Press; kind <= RTScrivelEvent::Release; ++kind) {
            if (event->type() == RTScrivelEvent::eventType(RTScrivelEvent::Kind(kind))) {
                const QPointF p = static_cast<RTScrivelEvent *>(event)->point();
                events << QStringLiteral("%1(%2,%3)").arg(names[kind]).arg(p.x()).arg(p.y());
                return true;
            }
        }
        if (event->type() == QEvent::Type(QEvent::User + 77))
            events << QStringLiteral("made");
        return QGraphicsView::event(event);
    }
};

// A packet event's arguments over an array that the caller shapes.
struct PacketArguments
{
    VARIANT args[2] = {};
    DISPPARAMS params{args, nullptr, 2, 0};
    SAFEARRAY *array = nullptr;

    PacketArguments(SAFEARRAY *values, VARTYPE vt, int count) : array(values)
    {
        args[0].vt = vt;
        args[0].parray = values;
        args[1].vt = VT_I4;
        args[1].lVal = count;
    }
    ~PacketArguments() { SafeArrayDestroy(array); }
};

SAFEARRAY *intArray(const QList<int> &values, LONG lowerBound = 0)
{
    SAFEARRAY *array = SafeArrayCreateVector(VT_I4, lowerBound, ULONG(values.size()));
    for (LONG i = 0; i < LONG(values.size()); ++i) {
        LONG index = lowerBound + i;
        LONG value = values.at(i);
        SafeArrayPutElement(array, &index, &value);
    }
    return array;
}

} // namespace

class TestInkCollector : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void bindsViewportWindow_data();
    void bindsViewportWindow();
    void failedCreation();
    void penEvents_data();
    void penEvents();
    void packetPoints_data();
    void packetPoints();
    void malformedPacketsKeepState();
    void disabledCollectorPostsNothing();
    void refusedRelease();
    void deletedViewGetsNothing();
    void installedFactoryMakesEvents();

private:
    HWND viewportWindow() { return widgetWindow(m_view->viewport()); }
    QStringList receivedEvents();

    std::unique_ptr<PenView> m_view;
    std::unique_ptr<InkCollectorWrapper> m_ink;
};

void TestInkCollector::init()
{
    Desktop::instance()->reset();
    m_view = std::make_unique<PenView>();
    m_ink = std::make_unique<InkCollectorWrapper>();
}

void TestInkCollector::cleanup()
{
    m_ink.reset();
    m_view.reset();
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 0);
}

QStringList TestInkCollector::receivedEvents()
{
    QCoreApplication::sendPostedEvents();
    return m_view ? m_view->events : QStringList();
}

void TestInkCollector::bindsViewportWindow_data()
{
    QTest::addColumn<bool>("comReady");
    QTest::newRow("COM initialised by the program") << true;
    QTest::newRow("COM initialised by the collector") << false;
}

void TestInkCollector::bindsViewportWindow()
{
    QFETCH(bool, comReady);
    if (comReady)
        CoInitialize(nullptr);
    QVERIFY(m_ink->bind(m_view.get()));
    QCOMPARE(m_ink->status(), S_OK);

    const QList<Desktop::InkCollectorInfo> collectors = Desktop::instance()->inkCollectors();
    QCOMPARE(collectors.size(), 1);
    const Desktop::InkCollectorInfo info = collectors.at(0);
    QCOMPARE(info.window, viewportWindow());
    QVERIFY(info.enabled);
    QVERIFY(!info.autoRedraw);
    QVERIFY(!info.dynamicRendering);
    QCOMPARE(info.sinks, 1);
    const std::uint64_t on = 1u << ICEI_Stroke | 1u << ICEI_NewPackets
                             | 1u << ICEI_CursorButtonDown | 1u << ICEI_CursorButtonUp;
    const std::uint64_t off = 1u << ICEI_CursorInRange | 1u << ICEI_CursorOutOfRange;
    QCOMPARE(info.interests & (on | off), on);
    QCOMPARE(Desktop::instance()->comInitCount(), 1);

    m_ink.reset();
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 0);
    QCOMPARE(Desktop::instance()->comInitCount(), comReady ? 1 : 0);
    if (comReady)
        CoUninitialize();
}

void TestInkCollector::failedCreation()
{
    Desktop::instance()->failInkCollectorCreation(REGDB_E_CLASSNOTREG);
    QVERIFY(!m_ink->bind(m_view.get()));
    QCOMPARE(m_ink->status(), REGDB_E_CLASSNOTREG);
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 0);
    QVERIFY(!m_ink->setEnabled(true));
    QCOMPARE(Desktop::instance()->inkPackets(viewportWindow(), {1, 2}, 1), 0);
}

void TestInkCollector::penEvents_data()
{
    QTest::addColumn<QString>("script"); // B button down, U button up, S stroke, P<n>:values
    QTest::addColumn<QStringList>("events");
    QTest::newRow("stroke") << "B P2:100,200,300,400 U"
                            << QStringList{"press(100,200)", "move(300,400)",
                                           "release(300,400)"};
    QTest::newRow("packets without button down")
        << "P1:5,6 U" << QStringList{"move(5,6)", "release(5,6)"};
    QTest::newRow("stroke then button up: one release")
        << "B P1:1,2 S U" << QStringList{"press(1,2)", "release(1,2)"};
    QTest::newRow("button without packets") << "B U" << QStringList();
    QTest::newRow("packets over two events")
        << "B P1:1,2 P2:3,4,5,6 S"
        << QStringList{"press(1,2)", "move(3,4)", "move(5,6)", "release(5,6)"};
    QTest::newRow("three values per packet")
        << "B P2:1,2,9,3,4,9 U" << QStringList{"press(1,2)", "move(3,4)", "release(3,4)"};
    QTest::newRow("second stroke presses again")
        << "B P1:1,2 U B P1:7,8 U"
        << QStringList{"press(1,2)", "release(1,2)", "press(7,8)", "release(7,8)"};
}

void TestInkCollector::penEvents()
{
    QFETCH(QString, script);
    QVERIFY(m_ink->bind(m_view.get()));
    HWND window = viewportWindow();
    for (const QString &step : script.split(' ')) {
        if (step == "B")
            Desktop::instance()->inkCursorButtonDown(window);
        else if (step == "U")
            Desktop::instance()->inkCursorButtonUp(window);
        else if (step == "S")
            Desktop::instance()->inkStroke(window);
        else {
            QList<int> values;
            for (const QString &value : step.section(':', 1).split(','))
                values << value.toInt();
            QCOMPARE(Desktop::instance()->inkPackets(window, values, step.mid(1, 1).toInt()), 1);
        }
    }
    QTEST(receivedEvents(), "events");
    QCOMPARE(m_ink->strokeState(), InkEventsCOMWrapper::Idle);
}

void TestInkCollector::packetPoints_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::newRow("two packets") << "i4" << 2 << QList<QPointF>{{1, 2}, {3, 4}};
    QTest::newRow("lower bound 5") << "i4 from 5" << 2 << QList<QPointF>{{1, 2}, {3, 4}};
    QTest::newRow("packet count 0") << "i4" << 0 << QList<QPointF>();
    QTest::newRow("negative packet count") << "i4" << -2 << QList<QPointF>();
    QTest::newRow("one value per packet") << "i4" << 4 << QList<QPointF>();
    QTest::newRow("more packets than values") << "i4" << 9 << QList<QPointF>();
    QTest::newRow("empty array") << "empty" << 1 << QList<QPointF>();
    QTest::newRow("VT_R8 values") << "r8" << 2 << QList<QPointF>();
    QTest::newRow("two dimensions") << "2d" << 2 << QList<QPointF>();
    QTest::newRow("by reference") << "byref" << 2 << QList<QPointF>();
    QTest::newRow("no array") << "null" << 2 << QList<QPointF>();
    QTest::newRow("not an array") << "scalar" << 2 << QList<QPointF>();
    QTest::newRow("missing count") << "one argument" << 2 << QList<QPointF>();
}

void TestInkCollector::packetPoints()
{
    QFETCH(QString, shape);
    QFETCH(int, count);
    SAFEARRAY *array = nullptr;
    VARTYPE vt = VT_ARRAY | VT_I4;
    if (shape == "i4" || shape == "byref" || shape == "scalar" || shape == "one argument")
        array = intArray({1, 2, 3, 4});
    else if (shape == "i4 from 5")
        array = intArray({1, 2, 3, 4}, 5);
    else if (shape == "empty")
        array = SafeArrayCreateVector(VT_I4, 0, 0);
    else if (shape == "r8")
        array = SafeArrayCreateVector(VT_R8, 0, 4);
    else if (shape == "2d") {
        SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
        array = SafeArrayCreate(VT_I4, 2, bounds);
    }
    if (shape == "r8")
        vt = VT_ARRAY | VT_R8;
    else if (shape == "byref")
        vt = VT_ARRAY | VT_BYREF | VT_I4;
    else if (shape == "scalar")
        vt = VT_I4;
    PacketArguments packet(array, vt, count);
    if (shape == "one argument")
        packet.params.cArgs = 1;
    QTEST(InkEventsCOMWrapper::packetPoints(&packet.params), "points");
}

void TestInkCollector::malformedPacketsKeepState()
{
    QVERIFY(m_ink->bind(m_view.get()));
    HWND window = viewportWindow();
    Desktop::instance()->inkCursorButtonDown(window);
    PacketArguments packet(SafeArrayCreateVector(VT_R8, 0, 4), VT_ARRAY | VT_R8, 2);
    QCOMPARE(Desktop::instance()->fireInkEvent(window, DISPID_ICENewPackets, &packet.params), 1);
    QCOMPARE(Desktop::instance()->fireInkEvent(window, DISPID_ICENewPackets, nullptr), 1);
    QCOMPARE(m_ink->strokeState(), InkEventsCOMWrapper::ButtonDown);
    Desktop::instance()->inkCursorButtonUp(window);
    QCOMPARE(receivedEvents(), QStringList());
}

void TestInkCollector::disabledCollectorPostsNothing()
{
    QVERIFY(m_ink->bind(m_view.get()));
    QVERIFY(m_ink->setEnabled(false));
    QCOMPARE(Desktop::instance()->inkPackets(viewportWindow(), {1, 2}, 1), 0);
    QVERIFY(m_ink->setEnabled(true));
    QCOMPARE(Desktop::instance()->inkPackets(viewportWindow(), {1, 2}, 1), 1);
    QCOMPARE(receivedEvents(), QStringList{"move(1,2)"});
}

void TestInkCollector::refusedRelease()
{
    QVERIFY(m_ink->bind(m_view.get()));
    Desktop::instance()->failInkDisable(1);
    QVERIFY(!m_ink->release());
    QCOMPARE(m_ink->status(), E_FAIL);
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 1);
    QVERIFY(m_ink->release());
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 0);
}

void TestInkCollector::deletedViewGetsNothing()
{
    QVERIFY(m_ink->bind(m_view.get()));
    HWND window = viewportWindow();
    m_view.reset();
    Desktop::instance()->inkCursorButtonDown(window);
    Desktop::instance()->inkPackets(window, {1, 2}, 1);
    Desktop::instance()->inkCursorButtonUp(window);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(m_ink->strokeState(), InkEventsCOMWrapper::Idle);
}

void TestInkCollector::installedFactoryMakesEvents()
{
    RTScrivelEvent::setFactory([](RTScrivelEvent::Kind, const QPointF &) {
        return new QEvent(QEvent::Type(QEvent::User + 77));
    });
    QVERIFY(m_ink->bind(m_view.get()));
    Desktop::instance()->inkPackets(viewportWindow(), {1, 2}, 1);
    RTScrivelEvent::setFactory(nullptr);
    QCOMPARE(receivedEvents(), QStringList{"made"});
}

QTEST_MAIN(TestInkCollector)
#include "tst_inkcollector.moc"
