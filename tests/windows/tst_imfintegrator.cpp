#include "calculator/calcresultwriters.h"
#include "calculator/calcsegmenttypes.h"
#include "calculator/solveexpression.h"
#include "hook/hookprotocol.h"
#include "model/resultbuilding.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"
#include "windows/calcservices.h"
#include "windows/imfintegrator.h"
#include "windows/rtscrivelevent.h"
#include "windows/winutils.h"

#include <QAction>
#include <QGraphicsView>
#include <QSettings>
#include <QSignalSpy>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

constexpr DWORD editorThread = 0x500;
constexpr DWORD mailThread = 0x600;

QString special(int offset)
{
    return QString::fromUcs4(std::u32string{char32_t(0xF0000 + offset)}.c_str());
}

QStringList trace(const QString &words)
{
    return words.split(' ', Qt::SkipEmptyParts);
}

// A writing view that records the pen events it receives.
class PenView : public QGraphicsView
{
public:
    QStringList events;

protected:
    bool event(QEvent *event) override
    {
        for (int kind = RTScrivelEvent::Press; kind <= RTScrivelEvent::Release; ++kind) {
            if (event->type() == RTScrivelEvent::eventType(RTScrivelEvent::Kind(kind))) {
                const QPointF p = static_cast<RTScrivelEvent *>(event)->point();
                events << QStringLiteral("%1(%2,%3)").arg(kind).arg(p.x()).arg(p.y());
                return true;
            }
        }
        return QGraphicsView::event(event);
    }
};

} // namespace

class TestIMFIntegrator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void typesText_data();
    void typesText();
    void typesLongText();
    void failedSendKeepsText_data();
    void failedSendKeepsText();
    void closedTargetFallsBackToPrevious();
    void watchIgnoresTaskbarAndPanel();
    void activationGivesFocusBack();
    void threadInputFollowsTarget();
    void appActivationIsForwarded();
    void filtersMessages_data();
    void filtersMessages();
    void hookReportsAndSwallowsClicks();
    void watchdogReinstallsDroppedHook_data();
    void watchdogReinstallsDroppedHook();
    void underDialogClearsActiveWindow();
    void workAreaChangeIsRelayed();
    void calculatorResults_data();
    void calculatorResults();
    void calculatorResultIsSolved_data();
    void calculatorResultIsSolved();
    void penEventsReachView();
    void inkSetUpRetriesRefusedRelease();
    void inkNeedsVista();

private:
    void send(const QString &text);
    HWND panelWindow() { return widgetWindow(m_panel.get()); }

    std::unique_ptr<QWidget> m_panel;
    std::unique_ptr<IMFIntegrator> m_integrator;
    HWND m_editor = nullptr;
};

void TestIMFIntegrator::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("IntegratorTest"));
    CalcServices::setSolver(&solveExpression);
    CalcServices::setWriter(&formatCalcResult);
}

void TestIMFIntegrator::init()
{
    Desktop::instance()->reset();
    Prompt::clearRequests();
    m_panel = std::make_unique<QWidget>();
    m_integrator = std::make_unique<IMFIntegrator>();
    m_integrator->setPanelWidget(m_panel.get());
    IMFIntegrator *integrator = m_integrator.get();
    Desktop::instance()->setMessageFilter(
        [integrator](MSG *msg, LRESULT *result) {
            return integrator->filterWindowsMessage(msg, result);
        });
    Desktop::instance()->setWindowHandler(panelWindow(), [integrator](MSG *msg, LRESULT *result) {
        return integrator->handleActivationMessage(msg, result);
    });
    m_editor = Desktop::instance()->createWindow("Editor", editorThread);
    Desktop::instance()->activate(m_editor);
    QTRY_COMPARE(m_integrator->targetWindow(), m_editor);
}

void TestIMFIntegrator::cleanup()
{
    m_integrator.reset();
    m_panel.reset();
    QSettings(QCoreApplication::organizationName(), nativeSettingsApplicationName()).clear();
}

void TestIMFIntegrator::send(const QString &text)
{
    m_integrator->update(resultFromText(text, 0));
    QCOMPARE(m_integrator->pendingText(), text);
    QVERIFY(m_integrator->sendInput());
    QCOMPARE(m_integrator->pendingText(), QString());
}

void TestIMFIntegrator::typesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("ab") << "ab" << trace("a+ a- b+ b-");
    QTest::newRow("accent") << QString::fromUtf8("h\u00e9llo")
                            << trace("h+ h- u00e9+ u00e9- l+ l- l+ l- o+ o-");
    QTest::newRow("outside the BMP") << QString::fromUtf8("\U0001F600")
                                     << trace("ud83d+ ud83d- ude00+ ude00-");
    QTest::newRow("return alone") << special(4) << trace("13+ 13-");
    QTest::newRow("keys after return") << special(4) + "ab" << trace("13+ 13- a+ a- b+ b-");
    QTest::newRow("two backspaces") << special(2) + special(2) << trace("8+ 8- 8+ 8-");
    QTest::newRow("tab and arrows")
        << special(7) + special(0x1D) + special(0x1E) + special(0x22) + special(0x23)
        << trace("9+ 9- 37x+ 37x- 39x+ 39x- 38x+ 38x- 40x+ 40x-");
    QTest::newRow("function keys") << special(0x0F) + special(0x1A) << trace("112+ 112- 123+ 123-");
    QTest::newRow("delete, insert, windows") << special(0x1C) + special(0x21) + special(5)
                                             << trace("46x+ 46x- 45x+ 45x- 91x+ 91x-");
    QTest::newRow("copy") << special(0x1F) << trace("17+ 45x+ 45x- 17-");
    QTest::newRow("paste then text") << special(0x20) + "x" << trace("16+ 45x+ 45x- 16- x+ x-");
    QTest::newRow("control with letter") << special(0x0B) + "c" << trace("17+ 67+ 67- 17-");
    QTest::newRow("shift with digit") << special(9) + "1z" << trace("16+ 49+ 49- 16- z+ z-");
    QTest::newRow("shift with punctuation") << special(9) + "." << trace("16+ 16- .+ .-");
    QTest::newRow("alt held to the end") << "a" + special(0x0E) << trace("a+ a- 164+ 164-");
    QTest::newRow("special space") << "a" + special(3) + "b" << trace("a+ a- u0020+ u0020- b+ b-");
}

void TestIMFIntegrator::typesText()
{
    QFETCH(QString, text);
    send(text);
    QTEST(Desktop::instance()->keyTrace(), "keys");
    for (const Desktop::InputRecord &record : Desktop::instance()->inputLog())
        QCOMPARE(record.foreground, m_editor);
}

void TestIMFIntegrator::typesLongText()
{
    QString text(100000, QChar('k'));
    text[50000] = special(4).at(0);
    text[50001] = special(4).at(1);
    send(text);
    QCOMPARE(Desktop::instance()->inputLog().size(), 2 * 99998 + 2);
    QCOMPARE(Desktop::instance()->typedText(m_editor), QString(99998, QChar('k')));
}

void TestIMFIntegrator::failedSendKeepsText_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("foreground refused") << "foreground";
    QTest::newRow("input refused") << "input";
    QTest::newRow("target and previous hidden") << "hidden";
    QTest::newRow("target closed, no previous") << "closed";
}

void TestIMFIntegrator::failedSendKeepsText()
{
    QFETCH(QString, failure);
    Desktop::instance()->activate(Desktop::instance()->taskbarWindow());
    if (failure == "foreground")
        Desktop::instance()->setFailure(Desktop::RefuseForeground);
    else if (failure == "input")
        Desktop::instance()->setFailure(Desktop::SendInputFails);
    else if (failure == "hidden")
        Desktop::instance()->setWindowVisible(m_editor, false);
    else
        Desktop::instance()->destroyWindow(m_editor);

    m_integrator->update(resultFromText("hi", 0));
    QVERIFY(!m_integrator->sendInput());
    QCOMPARE(m_integrator->pendingText(), QStringLiteral("hi"));
    QCOMPARE(Desktop::instance()->typedText(m_editor), QString());

    Desktop::instance()->reset();
    Desktop::instance()->activate(m_editor = Desktop::instance()->createWindow("Editor", 1));
    QTRY_COMPARE(m_integrator->targetWindow(), m_editor);
    QVERIFY(m_integrator->sendInput());
    QCOMPARE(Desktop::instance()->typedText(m_editor), QStringLiteral("hi"));
}

void TestIMFIntegrator::closedTargetFallsBackToPrevious()
{
    HWND mail = Desktop::instance()->createWindow("Mail", mailThread);
    Desktop::instance()->activate(mail);
    QTRY_COMPARE(m_integrator->targetWindow(), mail);
    Desktop::instance()->destroyWindow(mail);
    send("ok");
    QCOMPARE(m_integrator->targetWindow(), m_editor);
    QCOMPARE(GetForegroundWindow(), m_editor);
    QCOMPARE(Desktop::instance()->typedText(m_editor), QStringLiteral("ok"));
}

void TestIMFIntegrator::watchIgnoresTaskbarAndPanel()
{
    Desktop::instance()->activate(Desktop::instance()->taskbarWindow());
    Desktop::instance()->sendMessage(panelWindow(), WM_ACTIVATE, 0, 0);
    QTest::qWait(120);
    Desktop::instance()->activate(panelWindow());
    QTest::qWait(120);
    QCOMPARE(m_integrator->targetWindow(), m_editor);
}

void TestIMFIntegrator::activationGivesFocusBack()
{
    Desktop::instance()->activate(panelWindow());
    Desktop::instance()->sendMessage(panelWindow(), WM_ACTIVATE, 1, 0);
    QCOMPARE(GetForegroundWindow(), m_editor);
}

void TestIMFIntegrator::threadInputFollowsTarget()
{
    const DWORD gui = GetCurrentThreadId();
    Desktop::instance()->sendMessage(panelWindow(), WM_SHOWWINDOW, 1, 0);
    QVERIFY(Desktop::instance()->isAttached(gui, editorThread));
    HWND mail = Desktop::instance()->createWindow("Mail", mailThread);
    Desktop::instance()->activate(mail);
    QTRY_COMPARE(m_integrator->targetWindow(), mail);
    Desktop::instance()->sendMessage(panelWindow(), WM_SHOWWINDOW, 1, 0);
    QVERIFY(!Desktop::instance()->isAttached(gui, editorThread));
    QVERIFY(Desktop::instance()->isAttached(gui, mailThread));
    m_integrator.reset();
    QCOMPARE(Desktop::instance()->attachmentCount(), 0);
}

void TestIMFIntegrator::appActivationIsForwarded()
{
    Desktop::instance()->sendMessage(panelWindow(), WM_ACTIVATEAPP, 1, 77);
    const QList<MSG> toPanel = Desktop::instance()->postedMessages(panelWindow());
    QCOMPARE(toPanel.size(), 1);
    QCOMPARE(toPanel.at(0).message, WM_MOUSELEAVE);
    const QList<MSG> toTarget = Desktop::instance()->postedMessages(m_editor);
    QCOMPARE(toTarget.size(), 1);
    QCOMPARE(toTarget.at(0).message, WM_ACTIVATEAPP);
    QCOMPARE(toTarget.at(0).wParam, WPARAM(1));
    QCOMPARE(toTarget.at(0).lParam, LPARAM(77));
}

void TestIMFIntegrator::filtersMessages_data()
{
    QTest::addColumn<uint>("message");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<qint64>("result");
    QTest::addColumn<QString>("signal");
    QTest::newRow("gesture status") << uint(WM_TABLET_QUERYSYSTEMGESTURESTATUS) << true
                                    << qint64(0x10019) << QString();
    QTest::newRow("mouse activate") << uint(WM_MOUSEACTIVATE) << true << qint64(3) << QString();
    QTest::newRow("hook down") << uint(1054) << false << qint64(-1) << "down";
    QTest::newRow("hook move") << uint(1055) << false << qint64(-1) << "move";
    QTest::newRow("hook up") << uint(1056) << false << qint64(-1) << "up";
    QTest::newRow("other") << uint(WM_ACTIVATE) << false << qint64(-1) << QString();
}

void TestIMFIntegrator::filtersMessages()
{
    QFETCH(uint, message);
    QFETCH(QString, signal);
    QSignalSpy down(m_integrator.get(), &IMFIntegratorBase::mouseDown);
    QSignalSpy move(m_integrator.get(), &IMFIntegratorBase::mouseMove);
    QSignalSpy up(m_integrator.get(), &IMFIntegratorBase::mouseUp);
    MSG msg{panelWindow(), message, WPARAM(-20), 300, 0, {0, 0}};
    LRESULT result = -1;
    QTEST(m_integrator->filterWindowsMessage(&msg, &result), "handled");
    QTEST(qint64(result), "result");
    QCOMPARE(down.size(), signal == "down" ? 1 : 0);
    QCOMPARE(move.size(), signal == "move" ? 1 : 0);
    QCOMPARE(up.size(), signal == "up" ? 1 : 0);
    for (QSignalSpy *spy : {&down, &move, &up}) {
        if (!spy->isEmpty())
            QCOMPARE(spy->at(0).at(0).toPoint(), QPoint(-20, 300));
    }
    QVERIFY(!m_integrator->filterWindowsMessage(nullptr, &result));
}

void TestIMFIntegrator::hookReportsAndSwallowsClicks()
{
    QSignalSpy down(m_integrator.get(), &IMFIntegratorBase::mouseDown);
    QSignalSpy up(m_integrator.get(), &IMFIntegratorBase::mouseUp);
    QVERIFY(m_integrator->installMouseHook(true));
    QAction waitDown;
    waitDown.setObjectName("ShownWaitDown");
    QAction mouseUp;
    mouseUp.setObjectName("isUpIBeam");
    for (QAction *state : {&waitDown, &mouseUp})
        connect(state, &QAction::triggered, m_integrator.get(),
                qOverload<>(&IMFIntegrator::writeHookMode));

    waitDown.trigger();
    QVERIFY(Desktop::instance()->injectMouse(WM_LBUTTONDOWN, 100, 200));
    QVERIFY(Desktop::instance()->injectMouse(WM_LBUTTONUP, 101, 201));
    QTRY_COMPARE(up.size(), 1);
    QCOMPARE(down.size(), 1);
    QCOMPARE(down.at(0).at(0).toPoint(), QPoint(100, 200));

    mouseUp.trigger();
    QCOMPARE(Desktop::instance()->keyTrace(), trace("L+@101,201 L-@101,201"));
    QVERIFY(!Desktop::instance()->injectMouse(WM_LBUTTONDOWN, 5, 5));

    QVERIFY(m_integrator->writeHookMode(true));
    QCOMPARE(Desktop::instance()->mappingContents(scrivelHookMappingName).at(0), '1');
    QVERIFY(m_integrator->installMouseHook(false));
    QCOMPARE(Desktop::instance()->hookCount(), 0);
}

void TestIMFIntegrator::watchdogReinstallsDroppedHook_data()
{
    QTest::addColumn<bool>("hookMessage");
    QTest::addColumn<int>("hooks");
    QTest::newRow("no hook message: reinstalled") << false << 1;
    QTest::newRow("hook message stops the watchdog") << true << 0;
}

void TestIMFIntegrator::watchdogReinstallsDroppedHook()
{
    QFETCH(bool, hookMessage);
    QVERIFY(m_integrator->installMouseHook(true));
    m_integrator->startHookWatchdog(100);
    if (hookMessage) {
        Desktop::instance()->injectMouse(WM_MOUSEMOVE, 1, 1);
        QCoreApplication::processEvents();
    }
    Desktop::instance()->dropHooks();
    QTest::qWait(250);
    QTEST(Desktop::instance()->hookCount(), "hooks");
    QCOMPARE(Prompt::requests().size(), 0);
}

void TestIMFIntegrator::underDialogClearsActiveWindow()
{
    int state = 4;
    m_integrator->setAppStateQuery([&state] { return state; });
    QWidget dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QCOMPARE(QApplication::activeWindow(), &dialog);
    Desktop::instance()->sendMessage(panelWindow(), WM_SHOWWINDOW, 1, 0);
    QCOMPARE(QApplication::activeWindow(), &dialog);
    state = 9;
    Desktop::instance()->sendMessage(panelWindow(), WM_SHOWWINDOW, 1, 0);
    QCOMPARE(QApplication::activeWindow(), nullptr);
}

void TestIMFIntegrator::workAreaChangeIsRelayed()
{
    QSignalSpy resized(m_integrator.get(), &IMFIntegratorBase::workAreaResized);
    Desktop::instance()->setScreens({QRect(0, 0, 800, 600)}, {QRect(0, 0, 800, 560)});
    Desktop::instance()->setAvailableGeometry(0, QRect(0, 40, 800, 560));
    QCOMPARE(resized.size(), 1);
    QCOMPARE(Desktop::instance()->availableGeometry(0), QRect(0, 40, 800, 560));
}

// A written calculator line: one symbol segment per character, each on a stroke of its own.
static RecognitionResult calculatorLine(const QString &text)
{
    ResultNode row;
    row.setType(CalcRow);
    Segment root;
    qreal x = 0;
    for (const QChar c : text) {
        QPainterPath path(QPointF(x, 0));
        path.lineTo(x + 5, 10);
        x += 12;
        Segment symbol;
        symbol.addInk(InkRange::fromStroke(makePathStroke(path)));
        ResultNode candidate;
        candidate.setType(CalcSymbol);
        candidate.setLabel(c);
        symbol.appendCandidate(candidate);
        symbol.setSelectedCandidate(0);
        row.appendChild(symbol);
        root.addInk(symbol.ink());
    }
    root.appendCandidate(row);
    root.setSelectedCandidate(0);
    RecognitionResult result;
    result.setRoot(root);
    result.layout().flags |= 4;
    return result;
}

void TestIMFIntegrator::calculatorResults_data()
{
    QTest::addColumn<int>("sendMode");
    QTest::addColumn<bool>("solveAuto");
    QTest::addColumn<QString>("typed");
    QTest::newRow("result only") << 0 << true << "3";
    QTest::newRow("spreadsheet formula") << 2 << true << "=1+2";
    QTest::newRow("MathML") << 4 << true
                            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<math xmlns=\"http://www.w3.org/1998/Math/MathML\">\n"
                               " <semantics>\n"
                               "  <mrow>\n"
                               "   <mn>1</mn>\n"
                               "   <mo>+</mo>\n"
                               "   <mn>2</mn>\n"
                               "   <mo>=</mo>\n"
                               "   <mn>3</mn>\n"
                               "  </mrow>\n"
                               " </semantics>\n"
                               "</math>";
    QTest::newRow("plain text") << 8 << true << "1+2=3";
    QTest::newRow("MathML, solving off: plain text as written") << 4 << false << "1+2=";
    QTest::newRow("unknown form") << 1 << true << "";
}

void TestIMFIntegrator::calculatorResults()
{
    QFETCH(int, sendMode);
    QFETCH(bool, solveAuto);
    QSettings settings(QCoreApplication::organizationName(), nativeSettingsApplicationName());
    settings.setValue("calcSendMode", sendMode);
    settings.setValue("solveAuto", solveAuto);
    settings.sync();
    m_integrator->update(calculatorLine("1+2="));
    QVERIFY(m_integrator->sendInput());
    const QString typed = Desktop::instance()->typedText(m_editor);
    QTEST(typed, "typed");
    if (sendMode == 4 && solveAuto) {
        QXmlStreamReader reader(typed);
        while (!reader.atEnd())
            reader.readNext();
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    }

    m_integrator->update(resultFromText("x", 0));
    QVERIFY(m_integrator->sendInput());
    QVERIFY(Desktop::instance()->typedText(m_editor).endsWith('x'));
}

void TestIMFIntegrator::calculatorResultIsSolved_data()
{
    QTest::addColumn<bool>("solverInstalled");
    QTest::addColumn<QString>("typed");
    QTest::newRow("solver installed") << true << "1+2=3";
    QTest::newRow("no solver: sent as written") << false << "1+2=";
}

void TestIMFIntegrator::calculatorResultIsSolved()
{
    QFETCH(bool, solverInstalled);
    CalcServices::setSolver(solverInstalled ? &solveExpression : nullptr);
    QSettings settings(QCoreApplication::organizationName(), nativeSettingsApplicationName());
    settings.setValue("calcSendMode", 8);
    settings.setValue("solveAuto", true);
    settings.sync();
    m_integrator->update(calculatorLine("1+2="));
    CalcServices::setSolver(&solveExpression);
    QVERIFY(m_integrator->sendInput());
    QTEST(Desktop::instance()->typedText(m_editor), "typed");
}

void TestIMFIntegrator::penEventsReachView()
{
    PenView view;
    m_integrator->setupInk(IMFIntegrator::PadInk, &view);
    HWND viewport = widgetWindow(view.viewport());
    QVERIFY(m_integrator->enableInk(IMFIntegrator::PadInk, true));
    QVERIFY(!m_integrator->enableInk(IMFIntegrator::FullScreenInk, true));
    QVERIFY(!m_integrator->enableInk(IMFIntegrator::InkSlot(7), true));
    Desktop::instance()->inkCursorButtonDown(viewport);
    Desktop::instance()->inkPackets(viewport, {2540, 1270, 2600, 1300}, 2);
    Desktop::instance()->inkCursorButtonUp(viewport);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(view.events, trace("0(2540,1270) 1(2600,1300) 2(2600,1300)"));
}

void TestIMFIntegrator::inkSetUpRetriesRefusedRelease()
{
    PenView first;
    PenView second;
    PenView fullScreen;
    m_integrator->setupInk(IMFIntegrator::PadInk, &first);
    Desktop::instance()->failInkDisable(1);
    m_integrator->setupInk(IMFIntegrator::PadInk, &second);
    m_integrator->setupInk(IMFIntegrator::FullScreenInk, &fullScreen);
    QList<Desktop::InkCollectorInfo> collectors = Desktop::instance()->inkCollectors();
    QCOMPARE(collectors.size(), 1);
    QCOMPARE(collectors.at(0).window, widgetWindow(first.viewport()));

    QTRY_COMPARE(Desktop::instance()->inkCollectors().size(), 2);
    QSet<HWND> windows;
    for (const Desktop::InkCollectorInfo &info : Desktop::instance()->inkCollectors())
        windows << info.window;
    QCOMPARE(windows, (QSet<HWND>{widgetWindow(second.viewport()),
                                  widgetWindow(fullScreen.viewport())}));
}

void TestIMFIntegrator::inkNeedsVista()
{
    Desktop::instance()->setOsVersion(5, 1);
    PenView view;
    m_integrator->setupInk(IMFIntegrator::PadInk, &view);
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 0);
    QVERIFY(!m_integrator->enableInk(IMFIntegrator::PadInk, true));
}

QTEST_MAIN(TestIMFIntegrator)
#include "tst_imfintegrator.moc"
