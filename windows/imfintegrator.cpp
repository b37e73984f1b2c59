#include "windows/imfintegrator.h"

#include "hook/hookprotocol.h"
#include "model/respacing.h"
#include "platform/desktop.h"
#include "platform/winapi.h"
#include "windows/calcservices.h"
#include "windows/inkcollectorwrapper.h"
#include "windows/winutils.h"

#include <QApplication>
#include <QTimerEvent>

namespace {

constexpr int foregroundWatchInterval = 50;
constexpr int underDialogState = 9;
constexpr int calculatorResultFlag = 4;
constexpr int calculatorSolvedInkType = 4;
constexpr RespaceOptions sendRespaceOptions = StripSeparatorInk | NewLinesToSpaces;
constexpr LRESULT gestureStatusDisabled = 0x10019;
constexpr int inkRetryStart = 200;
constexpr int inkRetryStep = 100;
constexpr int inkRetryLimit = 10000;

// The foreign thread whose input the GUI thread is attached to, shared by all integrators.
DWORD attachedThread = 0;
// Ink collector set-up, shared by all integrators: a release retry is pending while busy.
bool inkBusy = false;
int inkRetrySlot = -1;
int inkRetryDelay = inkRetryStart;

const char mathHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<math xmlns=\"http://www.w3.org/1998/Math/MathML\">\n"
                          " <semantics>\n"
                          "  <mrow>\n";
const char mathFooter[] = "  </mrow>\n"
                          " </semantics>\n"
                          "</math>";

// The special key character U+F0000 + offset as its two UTF-16 units.
QString specialKey(int offset)
{
    const QChar units[] = {QChar(0xDB80), QChar(0xDC00 + offset)};
    return QString(units, 2);
}

bool isModifier(int key)
{
    return key == 16 || key == 17 || key == 91 || key == 164 || key == 165;
}

// Modifiers held for the next character; other keys are pressed at once.
bool isHeldForNextCharacter(const QList<int> &keys)
{
    return std::all_of(keys.cbegin(), keys.cend(), isModifier);
}

// Characters whose upper-case code is their virtual key.
bool hasVirtualKey(ushort unit)
{
    return (unit >= '0' && unit <= '9') || (unit >= 'a' && unit <= 'z')
           || (unit >= 'A' && unit <= 'Z');
}

bool sendKeyboardInput(WORD virtualKey, WORD scan, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return SendInput(1, &input, sizeof(INPUT)) == 1;
}

} // namespace

IMFIntegrator::IMFIntegrator(QObject *parent) : IMFIntegratorBase(parent)
{
    m_taskbar = FindWindowW(u"Shell_TrayWnd", nullptr);
    fillSpecialKeys();
    m_foregroundTimer.start(foregroundWatchInterval, this);
    connect(Desktop::instance(), &Desktop::workAreaResized, this,
            &IMFIntegratorBase::workAreaResized);
}

IMFIntegrator::~IMFIntegrator()
{
    m_ink[0].reset();
    m_ink[1].reset();
    if (m_inkTimer.isActive())
        inkBusy = false;
    if (attachedThread && AttachThreadInput(GetCurrentThreadId(), attachedThread, FALSE))
        attachedThread = 0;
}

void IMFIntegrator::fillSpecialKeys()
{
    const QList<QPair<int, QList<int>>> table = {
        {0x04, {13}}, {0x02, {8}},  {0x05, {91}},  {0x1B, {8}},   {0x06, {27}},
        {0x07, {9}},  {0x08, {20}}, {0x09, {16}},  {0x0A, {13}},  {0x0B, {17}},
        {0x0C, {93}}, {0x0D, {165}}, {0x0E, {164}}, {0x1C, {46}},  {0x21, {45}},
        {0x1D, {37}}, {0x1E, {39}}, {0x22, {38}},  {0x23, {40}},  {0x1F, {17, 45}},
        {0x20, {16, 45}}, {0x24, {44}},
    };
    for (const auto &[offset, keys] : table)
        m_specialKeys.insert(specialKey(offset), keys);
    for (int f = 0; f < 12; ++f)
        m_specialKeys.insert(specialKey(0x0F + f), {112 + f});
    m_extendedKeys = {91, 46, 45, 37, 39, 38, 40};
}

void IMFIntegrator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_foregroundTimer.timerId()) {
        watchForeground();
    } else if (event->timerId() == m_hookWatchdog.timerId()) {
        m_hookWatchdog.stop();
        installMouseHook(false);
        installMouseHook(true);
    } else if (event->timerId() == m_inkTimer.timerId()) {
        m_inkTimer.stop();
        if (isWindowsVistaOrLater())
            bindPendingInk(true);
    } else {
        QObject::timerEvent(event);
    }
}

void IMFIntegrator::watchForeground()
{
    QWidget *activeWidget = QApplication::activeWindow();
    HWND active = activeWidget ? widgetWindow(activeWidget) : nullptr;
    HWND foreground = GetForegroundWindow();
    if (IsWindow(foreground) && foreground != m_target && foreground != m_ownWindow
        && foreground != active && foreground != m_taskbar) {
        m_previousTarget = m_target;
        m_target = foreground;
    }
}

bool IMFIntegrator::activateTarget()
{
    HWND foreground = GetForegroundWindow();
    if (IsWindow(foreground) && foreground == m_target)
        return true;
    if (!IsWindowVisible(m_target)) {
        if (!IsWindowVisible(m_previousTarget))
            return false;
        m_target = m_previousTarget;
    }
    return SetForegroundWindow(m_target) != FALSE;
}

void IMFIntegrator::update(const RecognitionResult &result)
{
    RecognitionResult normalised = respaceResult(result, sendRespaceOptions);
    m_calcResult = normalised.layout().flags & calculatorResultFlag;
    if (!m_calcResult) {
        m_pendingText = normalised.root().selectedCandidate().label();
        return;
    }
    const CalcServices::Settings settings = CalcServices::settings();
    if (!normalised.root().ink().isEmpty()
        && normalised.cachedInk(calculatorSolvedInkType).isEmpty() && settings.solveAuto)
        normalised = CalcServices::solveExpression(normalised, settings.decimals, m_solverText);
    m_pendingText = CalcServices::formatCalcResult(normalised);
}

bool IMFIntegrator::sendInput()
{
    if (m_pendingText.isEmpty())
        return true;
    if (!activateTarget() || !typeText(textToType()))
        return false;
    m_pendingText.clear();
    return true;
}

QString IMFIntegrator::textToType() const
{
    QString text = m_pendingText;
    text.replace(specialKey(0x03), QStringLiteral(" "));
    if (!m_calcResult)
        return text;
    const CalcServices::Settings settings = CalcServices::settings();
    if (!settings.solveAuto)
        return text;
    if (hasOutputBit(settings.sendMode, CalcOutputMode::Html))
        return QLatin1String(mathHeader) + text + QLatin1String(mathFooter);
    if (hasOutputBit(settings.sendMode, CalcOutputMode::Spreadsheet))
        return QLatin1Char('=') + text;
    return text;
}

// Special key characters press their keys; modifiers are held and combined with a following
// letter or digit, any other key is pressed at once.
bool IMFIntegrator::typeText(const QString &text)
{
    QList<int> held;
    for (qsizetype p = 0; p < text.size(); ++p) {
        const auto special = m_specialKeys.constFind(text.mid(p, 2));
        if (special != m_specialKeys.cend()) {
            if (!sendKeyCombination(held, nullptr))
                return false;
            held = *special;
            if (!isHeldForNextCharacter(held)) {
                if (!sendKeyCombination(held, nullptr))
                    return false;
                held.clear();
            }
            ++p;
            continue;
        }
        const ushort unit = text.at(p).unicode();
        bool sent = false;
        if (!held.isEmpty() && hasVirtualKey(unit)) {
            const ushort key = QChar(unit).toUpper().unicode();
            sent = sendKeyCombination(held, &key);
        } else {
            sent = sendKeyCombination(held, nullptr) && typeUnit(unit);
        }
        held.clear();
        if (!sent)
            return false;
    }
    return sendKeyCombination(held, nullptr);
}

bool IMFIntegrator::typeUnit(ushort unit)
{
    return sendKeyboardInput(0, unit, KEYEVENTF_UNICODE)
           && sendKeyboardInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
}

bool IMFIntegrator::sendKeyCombination(const QList<int> &keys, const ushort *character)
{
    if (keys.isEmpty())
        return true;
    bool sent = true;
    for (int key : keys) {
        const DWORD flags = m_extendedKeys.contains(key) ? KEYEVENTF_EXTENDEDKEY : 0;
        sent = sendKeyboardInput(WORD(key), 0, flags) && sent;
    }
    if (character) {
        sent = sendKeyboardInput(*character, 0, 0) && sent;
        sent = sendKeyboardInput(*character, 0, KEYEVENTF_KEYUP) && sent;
    }
    for (auto key = keys.crbegin(); key != keys.crend(); ++key) {
        const DWORD flags = m_extendedKeys.contains(*key) ? KEYEVENTF_EXTENDEDKEY : 0;
        sent = sendKeyboardInput(WORD(*key), 0, KEYEVENTF_KEYUP | flags) && sent;
    }
    return sent;
}

bool IMFIntegrator::filterWindowsMessage(MSG *message, LRESULT *result)
{
    if (!message || !result)
        return false;
    const QPoint point(int(message->wParam), int(message->lParam));
    switch (message->message) {
    case WM_TABLET_QUERYSYSTEMGESTURESTATUS:
        *result = gestureStatusDisabled;
        return true;
    case WM_MOUSEACTIVATE:
        *result = MA_NOACTIVATE;
        return true;
    case WM_SCRIVELHOOK_LBUTTONDOWN:
        m_hookWatchdog.stop();
        emit mouseDown(point);
        return false;
    case WM_SCRIVELHOOK_MOUSEMOVE:
        m_hookWatchdog.stop();
        emit mouseMove(point);
        return false;
    case WM_SCRIVELHOOK_LBUTTONUP:
        m_hookWatchdog.stop();
        m_hooks.setLastMouseUp(point);
        emit mouseUp(point);
        return false;
    default:
        return false;
    }
}

bool IMFIntegrator::handleActivationMessage(MSG *message, LRESULT *)
{
    if (!message)
        return false;
    HWND foreground = GetForegroundWindow();
    trackActivation(message, foreground);
    if (m_appState && m_appState() == underDialogState && QApplication::activeWindow())
        QApplication::setActiveWindow(nullptr);
    attachToTarget(foreground);
    return false;
}

void IMFIntegrator::trackActivation(const MSG *message, HWND foreground)
{
    switch (message->message) {
    case WM_ACTIVATE: {
        HWND panel = widgetWindow(panelWidget());
        if (panel != m_ownWindow) {
            m_ownWindow = panel;
            if (m_ownWindow == m_target)
                m_target = m_previousTarget;
        }
        if (foreground == m_ownWindow && message->wParam != 0)
            activateTarget();
        break;
    }
    case WM_ACTIVATEAPP:
        if (message->wParam == 1) {
            PostMessageW(widgetWindow(panelWidget()), WM_MOUSELEAVE, 0, 0);
            PostMessageW(m_target, WM_ACTIVATEAPP, 1, message->lParam);
        }
        break;
    case WM_SHOWWINDOW:
        if (foreground == m_taskbar)
            activateTarget();
        break;
    default:
        break;
    }
}

// Joins the GUI thread's input state with the target's thread, so that the target can be
// brought to the foreground from a panel that never holds the focus.
void IMFIntegrator::attachToTarget(HWND foreground)
{
    if (!IsWindow(foreground) || foreground == m_ownWindow)
        return;
    const DWORD current = GetCurrentThreadId();
    const DWORD targetThread = GetWindowThreadProcessId(m_target, nullptr);
    if (attachedThread && attachedThread != targetThread) {
        AttachThreadInput(current, attachedThread, FALSE);
        attachedThread = 0;
    }
    if (targetThread && targetThread != attachedThread && targetThread != current
        && AttachThreadInput(current, targetThread, TRUE))
        attachedThread = targetThread;
}

bool IMFIntegrator::installMouseHook(bool install)
{
    return m_hooks.installMouseHook(install, panelWidget());
}

void IMFIntegrator::startHookWatchdog(int msec)
{
    m_hookWatchdog.start(msec, this);
}

bool IMFIntegrator::writeHookMode(bool isDelete)
{
    const ScrivelHookMode mode =
        isDelete ? HookModeWatch : MouseHookManager::modeForSender(sender());
    return m_hooks.writeMode(mode);
}

bool IMFIntegrator::writeHookMode() { return writeHookMode(false); }

void IMFIntegrator::setupInk(InkSlot slot, QWidget *view)
{
    if (!isWindowsVistaOrLater() || (slot != PadInk && slot != FullScreenInk))
        return;
    m_pendingInkView[slot] = view;
    bindPendingInk(false);
}

void IMFIntegrator::bindPendingInk(bool retry)
{
    int slot = 0;
    while (nextInkSlot(retry, &slot)) {
        inkBusy = true;
        if (m_ink[slot] && !m_ink[slot]->release()) {
            inkRetryDelay += inkRetryStep;
            if (inkRetryDelay < inkRetryLimit) {
                inkRetrySlot = slot;
                m_inkTimer.start(inkRetryDelay, this);
                return;
            }
        }
        inkRetryDelay = inkRetryStart;
        m_ink[slot].reset();
        m_ink[slot] = std::make_unique<InkCollectorWrapper>();
        m_ink[slot]->bind(m_pendingInkView[slot]);
        m_pendingInkView[slot] = nullptr;
        inkBusy = false;
        retry = false;
    }
}

bool IMFIntegrator::nextInkSlot(bool retry, int *slot) const
{
    if (retry) {
        *slot = inkRetrySlot;
        return inkRetrySlot == 0 || inkRetrySlot == 1;
    }
    if (inkBusy)
        return false;
    for (int i = 0; i < 2; ++i) {
        if (m_pendingInkView[i]) {
            *slot = i;
            return true;
        }
    }
    return false;
}

bool IMFIntegrator::enableInk(InkSlot slot, bool enable)
{
    if ((slot != PadInk && slot != FullScreenInk) || !m_ink[slot])
        return false;
    return m_ink[slot]->setEnabled(enable);
}

void IMFIntegrator::setDecimalSeparator(const QString &separator)
{
    m_solverText = separator;
}

void IMFIntegrator::setAppStateQuery(std::function<int()> query)
{
    m_appState = std::move(query);
}
