#include "hook/hookprotocol.h"
#include "keyboard/scrivelkeyboard.h"
#include "keyboard/scrivelkeyboardbutton.h"
#include "pad/padservices.h"
#include "platform/desktop.h"
#include "platform/winapi.h"
#include "windows/imfintegrator.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QtTest>

#include <memory>

namespace {

constexpr DWORD editorThread = 0x700;
constexpr WORD backspaceKey = 8;

// What the window shows after the keys typed into it: Unicode units are
// inserted, a backspace deletes the last one, other keys read "[<virtual key>]".
QString shownIn(HWND window)
{
    QString text;
    for (const Desktop::InputRecord &record : Desktop::instance()->inputLog()) {
        const KEYBDINPUT &key = record.input.ki;
        if (record.foreground != window || record.input.type != INPUT_KEYBOARD
            || (key.dwFlags & KEYEVENTF_KEYUP))
            continue;
        if (key.dwFlags & KEYEVENTF_UNICODE)
            text += QChar(key.wScan);
        else if (key.wVk == backspaceKey)
            text.chop(1);
        else
            text += QStringLiteral("[%1]").arg(key.wVk);
    }
    return text;
}

LanguageEntry language(const QString &locale)
{
    LanguageEntry entry;
    entry.setLocale(QLocale(locale));
    entry.setName(locale);
    return entry;
}

} // namespace

// The keyboard in a panel window whose results the output integrator types
// into the foreground application, as the panel hands them on.
class TestForegroundTyping : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typesIntoTheForegroundWindow_data();
    void typesIntoTheForegroundWindow();

private:
    void setUpPanel(const QString &locale);
    bool act(const QString &step);
    void hookRelease(const QPoint &point);

    std::unique_ptr<PadServices> m_services;
    std::unique_ptr<QWidget> m_panel;
    std::unique_ptr<IMFIntegrator> m_integrator;
    ScrivelKeyboard *m_keyboard = nullptr;
    HWND m_editor = nullptr;
};

void TestForegroundTyping::init()
{
    Desktop::instance()->reset();
    m_services = std::make_unique<PadServices>();
    PadServices::setInstance(m_services.get());
    m_panel = std::make_unique<QWidget>();
    m_integrator = std::make_unique<IMFIntegrator>();
    m_integrator->setPanelWidget(m_panel.get());
    IMFIntegrator *integrator = m_integrator.get();
    Desktop::instance()->setMessageFilter([integrator](MSG *msg, LRESULT *result) {
        return integrator->filterWindowsMessage(msg, result);
    });
    connect(integrator, &IMFIntegratorBase::mouseUp, m_services.get(), &PadServices::mouseUp);
    m_editor = Desktop::instance()->createWindow("Editor", editorThread);
    Desktop::instance()->activate(m_editor);
    QTRY_COMPARE(m_integrator->targetWindow(), m_editor);
}

void TestForegroundTyping::cleanup()
{
    m_keyboard = nullptr;
    m_panel.reset();
    m_integrator.reset();
    m_services.reset();
}

void TestForegroundTyping::setUpPanel(const QString &locale)
{
    auto *koreanMode = new QWidget(m_panel.get());
    koreanMode->setObjectName("keyboardKoModeButton");
    koreanMode->hide();
    auto *bar = new QWidget(m_panel.get());
    m_keyboard = new ScrivelKeyboard(BehaviourSettings(), ItemStyle(), m_panel.get());
    auto *layout = new QVBoxLayout(m_panel.get());
    layout->addWidget(koreanMode);
    layout->addWidget(m_keyboard, 1);
    layout->addWidget(bar);
    m_keyboard->setLanguage(language(locale));
    m_keyboard->createPadButtons(new QHBoxLayout(bar), m_panel.get());
    IMFIntegrator *integrator = m_integrator.get();
    connect(m_keyboard, &ScrivelKeyboard::exportModel, integrator,
            [integrator](const RecognitionResult &result) {
                integrator->update(result);
                QVERIFY(integrator->sendInput());
            });
    m_panel->setGeometry(100, 400, 800, 300);
    m_panel->show();
}

// A key label, or ":math" and ":standard" for the layout buttons, ":inside"
// and ":outside" for a release the mouse hook reports inside or outside the panel.
bool TestForegroundTyping::act(const QString &step)
{
    const QRect frame = m_panel->frameGeometry();
    if (step == QLatin1String(":math") || step == QLatin1String(":standard")) {
        QAbstractButton *button = step == QLatin1String(":math") ? m_keyboard->mathLayoutButton()
                                                                 : m_keyboard->standardLayoutButton();
        if (!button)
            return false;
        button->click();
    } else if (step == QLatin1String(":inside")) {
        hookRelease(frame.center());
    } else if (step == QLatin1String(":outside")) {
        hookRelease(frame.bottomRight() + QPoint(40, 40));
    } else {
        for (ScrivelKeyboardButton *key : m_keyboard->buttons(m_keyboard->currentLayoutId())) {
            if (key->accessibleName() == step) {
                QTest::mouseClick(key, Qt::LeftButton);
                return true;
            }
        }
        return false;
    }
    return true;
}

void TestForegroundTyping::hookRelease(const QPoint &point)
{
    Desktop::instance()->sendMessage(widgetWindow(m_panel.get()), WM_SCRIVELHOOK_LBUTTONUP,
                                     WPARAM(point.x()), LPARAM(point.y()));
}

void TestForegroundTyping::typesIntoTheForegroundWindow_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letters") << "en_US" << QStringList{"q", "w", "1"} << "qw1";
    QTest::newRow("shifted letters")
        << "en_US" << QStringList{"Shift", "a", "b", "Caps", "c", "d"} << "AbCD";
    QTest::newRow("ctrl combination") << "en_US" << QStringList{"Ctrl", "c", "v"} << "[17][67]v";
    QTest::newRow("alt and win prefixes")
        << "en_US" << QStringList{"Alt", "Win", "x"} << "[164][91][88]";
    QTest::newRow("lone alt") << "en_US" << QStringList{"a", "Alt", "Alt"} << "a[164]";
    QTest::newRow("special keys")
        << "en_US" << QStringList{"a", "b", "Backspace", "Enter", "Left", "Del"}
        << "a[13][37][46]";
    QTest::newRow("maths layout and back")
        << "en_US" << QStringList{":math", "π", "√", "7", ":standard", "a"} << "π√7a";
    QTest::newRow("dead key and its return")
        << "fr_FR" << QStringList{"^", "ê", "e", "^", "â"} << "êeâ";
    QTest::newRow("korean syllables replace their jamo")
        << "ko_KR" << QStringList{"ㄱ", "ㅏ", "ㅇ", "ㅏ"} << "가아";
    QTest::newRow("korean backspace takes back the compound final")
        << "ko_KR" << QStringList{"ㄷ", "ㅏ", "ㄹ", "ㄱ", "Backspace", "ㅣ"} << "다리";
    QTest::newRow("korean backspaces to nothing")
        << "ko_KR" << QStringList{"ㄱ", "ㅗ", "ㅏ", "Backspace", "Backspace", "Backspace"} << "";
    QTest::newRow("korean release inside the panel")
        << "ko_KR" << QStringList{"ㄱ", ":inside", "ㅏ", ":inside", "ㄴ"} << "간";
    QTest::newRow("korean release outside ends the syllable")
        << "ko_KR" << QStringList{"ㄱ", "ㅏ", ":outside", "ㄴ"} << "가ㄴ";
}

void TestForegroundTyping::typesIntoTheForegroundWindow()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, steps);
    QFETCH(QString, shown);

    setUpPanel(locale);
    for (const QString &step : steps)
        QVERIFY2(act(step), qPrintable(step));
    QCOMPARE(shownIn(m_editor), shown);
}

QTEST_MAIN(TestForegroundTyping)
#include "tst_foregroundtyping.moc"
