#include "panelfixture.h"

#include "keyboard/scrivelkeyboard.h"
#include "modes/cursivewritepad.h"
#include "modes/isotrainerwritepad.h"
#include "modes/isowritepad.h"
#include "pad/minikeyboard.h"
#include "pad/writepad.h"
#include "panel/mainframe.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "recognition/configrepository.h"
#include "recognition/configwriter.h"
#include "recognition/recognizerconfig.h"
#include "skin/resizehandle.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"
#include "tests/testidentity.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScopeGuard>
#include <QTextLayout>
#include <QCloseEvent>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The panel built from the skin with the installed language packages, on a modelled screen
// whose work area is 1280 x 994.
class TestPanelWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void builtFromTheSkin();
    void startingWidgetReadsItsSettings_data();
    void startingWidgetReadsItsSettings();
    void floatingGeometry();
    void dockedGeometry();
    void panelIsKeptOnTheWorkArea_data();
    void panelIsKeptOnTheWorkArea();
    void modeSwitchKeepsTheText();
    void boxedPadKeepsTheText();
    void cursiveButtonsGoWithThePad_data();
    void cursiveButtonsGoWithThePad();
    void keyboardForALanguageWithoutOne();
    void keyboardLayoutButtonsGoWithTheKeyboard_data();
    void keyboardLayoutButtonsGoWithTheKeyboard();
    void trainingHostsTheTrainingPad();
    void sendButtonFollowsKeypadAndMode_data();
    void sendButtonFollowsKeypadAndMode();
    void outlineAndMask();
    void trainingQuestions();
    void closingDuringTraining_data();
    void closingDuringTraining();
    void correctionRequestOutsideTheText();
    void rightToLeftShrinkKeepsTheRightEdge();
    void customisedLanguageIsNotTrainedAgain();
    void trainingAddsItsLanguage();
    void preventOverlap_data();
    void preventOverlap();
    void dockingSwitch();
    void workAreaChange();
    void expansion_data();
    void expansion();
    void languageMenuOpensOnAPress_data();
    void languageMenuOpensOnAPress();
    void clearButtonErasesEachText();
    void contextMenuOpens_data();
    void contextMenuOpens();
    void rightToLeftInterfaceKeepsEveryButton();

private:
    MainFrame *makeFrame(int mode);
    // The frame's input mode action of that name; null when it has none.
    QAction *modeAction(const QString &name) const;
    // The widths the pad's buttons ask for in the panel's pad-button row.
    int padButtonsWidth() const;
    QTemporaryDir m_folders;
    std::unique_ptr<FixtureServices> services;
    RecordingIntegrator integrator;
    MainFrame *frame = nullptr;
    QList<Prompt::Request> asked;
    QMessageBox::StandardButton answer = QMessageBox::No;
};

void TestPanelWindow::initTestCase()
{
    useTestIdentity();
}

void TestPanelWindow::init()
{
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, m_folders.filePath("user"));
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA, m_folders.filePath("common"));
    Desktop::instance()->setScreens({QRect(0, 0, 1280, 1024)}, {QRect(0, 0, 1280, 994)});
    Desktop::instance()->setCompositionActive(false);
    services = std::make_unique<FixtureServices>();
    services->languages.detectedLanguages = QStringLiteral("en_US ja_JP ");
    services->setIntegrator(&integrator);
    services->setDockingMode(false);
    services->setWindowedPosition(QPoint(200, 300));
    services->setWindowedSize(QSize(600, 200));
    PanelServices::setInstance(services.get());
    asked.clear();
    Prompt::setHandler([this](const Prompt::Request &request) {
        asked << request;
        return QVariant(int(answer));
    });
}

void TestPanelWindow::cleanup()
{
    delete frame;
    frame = nullptr;
    Prompt::setHandler(nullptr);
    PanelServices::setInstance(nullptr);
    services.reset();
}

MainFrame *TestPanelWindow::makeFrame(int mode)
{
    services->lastMode = mode;
    frame = new MainFrame;
    return frame;
}

QAction *TestPanelWindow::modeAction(const QString &name) const
{
    for (QAction *a : frame->modeGroup()->actions()) {
        if (a->objectName() == name)
            return a;
    }
    return nullptr;
}

int TestPanelWindow::padButtonsWidth() const
{
    QWidget *row = frame->skin().widget("inputButtonsBar");
    int width = 0;
    for (const SvgUIButton *button :
         row->findChildren<SvgUIButton *>(Qt::FindDirectChildrenOnly))
        width += button->sizeHint().width();
    return width;
}

void TestPanelWindow::builtFromTheSkin()
{
    makeFrame(CursiveMode);
    QVERIFY(frame->skinLoaded());
    QVERIFY(qobject_cast<CursiveWritepad *>(frame->inputWidget()));
    QCOMPARE(frame->inputWidget()->parentWidget(), frame);
    QStringList languages;
    for (QAction *a : frame->getLanguageGroup()->actions())
        languages << a->data().toString();
    QCOMPARE(languages, QStringList({"en_US en_US", "ja_JP ja_JP"}));
    QCOMPARE(frame->currentWritingLanguage(), QString("en_US"));
    QCOMPARE(frame->languageButton()->toolTip(), QString("Writing Language"));
    QVERIFY(frame->skin().button("cursiveLRModeButton")->isChecked());
    QVERIFY(frame->skin().button("cursiveLRModeButton")->isVisibleTo(frame));
    QVERIFY(!frame->skin().button("cursiveRLModeButton")->isVisibleTo(frame));
    QVERIFY(!frame->skin().button("isoRLModeButton")->isVisibleTo(frame));
    QCOMPARE(frame->sendButton()->defaultAction(), frame->sendAction());
    QCOMPARE(frame->sendAction()->text(), QString("Insert"));
    QCOMPARE(frame->trainingAction()->data().toInt(), int(IsoTrainerMode));
    QVERIFY(frame->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(frame->windowFlags() & Qt::WindowStaysOnTopHint);
    // The pad's buttons widen the panel's least width, not the row that holds them.
    QCOMPARE(frame->minimumSize(), QSize(320 + padButtonsWidth(), 170));
    QCOMPARE(frame->maximumHeight(), 994);
}

void TestPanelWindow::startingWidgetReadsItsSettings_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("language");
    QTest::newRow("cursive") << int(CursiveMode) << "en_US";
    QTest::newRow("boxed") << int(IsolatedMode) << "en_US";
    QTest::newRow("keyboard") << int(KeyboardMode) << "en_US";
    QTest::newRow("boxed Japanese") << int(IsolatedMode) << "ja_JP";
}

// The widget the panel starts with reads its stored settings once, like a widget switched to.
void TestPanelWindow::startingWidgetReadsItsSettings()
{
    QFETCH(int, mode);
    QFETCH(QString, language);
    services->languages = {language, language + " ", QString()};
    services->settingsFile = m_folders.filePath("widget.ini");
    QSettings(services->settingsFile, QSettings::IniFormat).setValue("lastConfig", "Stored");
    makeFrame(mode);
    QVERIFY(frame->inputWidget());
    QCOMPARE(services->loadedModes, QList<int>({frame->inputWidget()->inputMode()}));
    if (auto *pad = qobject_cast<Writepad *>(frame->inputWidget()))
        QCOMPARE(pad->lastConfig(), QString("Stored"));
}

void TestPanelWindow::floatingGeometry()
{
    makeFrame(CursiveMode);
    frame->show();
    QCOMPARE(frame->geometry(), QRect(200, 300, 600, 200));
    QCOMPARE(frame->maximumWidth(), 1920);
    QCOMPARE(frame->baseSize(), QSize(600, 200));
}

void TestPanelWindow::dockedGeometry()
{
    services->setDockingMode(true);
    services->setDockedHeight(2000);
    makeFrame(KeyboardMode);
    frame->show();
    QCOMPARE(frame->geometry(), QRect(0, 994 - 800, 1280, 800));
    QCOMPARE(services->dockedHeight(), 800);
    QCOMPARE(frame->maximumWidth(), 1408);
}

void TestPanelWindow::panelIsKeptOnTheWorkArea_data()
{
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QPoint>("saved");
    QTest::addColumn<QPoint>("position");
    const QPoint far(-5000, -5000);
    QTest::newRow("off, primary") << QRect(0, 0, 1280, 994) << far << QPoint(340, 397);
    QTest::newRow("off, taskbar on the left") << QRect(60, 0, 1220, 994) << far << QPoint(370, 397);
    QTest::newRow("off, secondary screen") << QRect(1280, 0, 1280, 994) << far << QPoint(1620, 397);
    QTest::newRow("inside") << QRect(0, 0, 1280, 994) << QPoint(200, 300) << QPoint(200, 300);
    QTest::newRow("saved on a larger screen")
        << QRect(0, 0, 640, 480) << QPoint(340, 387) << QPoint(40, 280);
    QTest::newRow("past the left and top")
        << QRect(60, 30, 1220, 964) << QPoint(-100, 10) << QPoint(60, 30);
}

// Off the work area the panel is centred on it; partly off, it is pulled back in whole. Any
// show takes these steps, also one through QWidget.
void TestPanelWindow::panelIsKeptOnTheWorkArea()
{
    QFETCH(QRect, workArea);
    QFETCH(QPoint, saved);
    Desktop::instance()->setScreens({workArea}, {workArea});
    services->setWindowedPosition(saved);
    makeFrame(0);
    static_cast<QWidget *>(frame)->show();
    QTEST(frame->pos(), "position");
    QTEST(services->windowedPosition(), "position");
    QVERIFY(workArea.contains(frame->geometry()));
}

void TestPanelWindow::modeSwitchKeepsTheText()
{
    makeFrame(CursiveMode);
    frame->importModelEvent(writtenResult("hello"));
    QAction *keyboard = modeAction("keyboardModeButton");
    QAction *cursive = modeAction("cursiveLRModeButton");
    keyboard->trigger();
    QVERIFY(qobject_cast<ScrivelKeyboard *>(frame->inputWidget()));
    QCOMPARE(frame->minimumSize(), QSize(550, 250));
    QVERIFY(!frame->sendButton()->isVisibleTo(frame));
    cursive->trigger();
    auto *pad = qobject_cast<CursiveWritepad *>(frame->inputWidget());
    QVERIFY(pad);
    QCOMPARE(textOf(frame->currentResult()), QString("hello"));
    QCOMPARE(frame->undoStack().size(), 2);
}

void TestPanelWindow::boxedPadKeepsTheText()
{
    makeFrame(CursiveMode);
    frame->importModelEvent(writtenResult("hello"));
    frame->updateMainInputMode(IsolatedMode);
    auto *boxed = qobject_cast<IsoWritepad *>(frame->inputWidget());
    QVERIFY(boxed);
    QCOMPARE(boxed->parentWidget(), frame);
    QCOMPARE(frame->minimumSize(), QSize(450 + padButtonsWidth(), 200));
    QCOMPARE(frame->maximumHeight(), 800);
    QVERIFY(frame->keypadAction()->isVisible());
    QCOMPARE(textOf(frame->currentResult()), QString("hello"));
    frame->updateMainInputMode(CursiveMode);
    QVERIFY(qobject_cast<CursiveWritepad *>(frame->inputWidget()));
    QCOMPARE(textOf(frame->currentResult()), QString("hello"));
    QCOMPARE(frame->undoStack().size(), 2);
}

void TestPanelWindow::cursiveButtonsGoWithThePad_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("mode");
    QTest::newRow("keyboard") << "keyboardModeButton" << int(KeyboardMode);
    QTest::newRow("boxed") << "isoLRModeButton" << int(IsolatedMode);
    QTest::newRow("cursive again") << "cursiveLRModeButton" << int(CursiveMode);
}

// The clear and magic buttons of the cursive pad leave the pad-button row with the pad.
void TestPanelWindow::cursiveButtonsGoWithThePad()
{
    QFETCH(QString, button);
    QFETCH(int, mode);
    makeFrame(CursiveMode);
    auto *pad = qobject_cast<CursiveWritepad *>(frame->inputWidget());
    QVERIFY(pad);
    QPointer<SvgUIButton> clear = pad->clearButton();
    QPointer<SvgUIButton> magic = pad->magicButton();
    QVERIFY(clear && magic);
    QAction *target = modeAction(button);
    QVERIFY(target);
    target->trigger();
    QCOMPARE(int(frame->inputWidget()->inputMode()), mode);
    QVERIFY(!clear);
    QVERIFY(!magic);
    int clearButtons = 0;
    for (const SvgUIButton *child : frame->findChildren<SvgUIButton *>()) {
        if (child->defaultAction() == frame->clearAction())
            ++clearButtons;
    }
    QCOMPARE(clearButtons, mode == CursiveMode ? 1 : 0);
}

// Japanese ships no keyboard layout: the keyboard mode still offers keys to type on.
void TestPanelWindow::keyboardForALanguageWithoutOne()
{
    makeFrame(KeyboardMode);
    QAction *japanese = nullptr;
    for (QAction *a : frame->getLanguageGroup()->actions()) {
        if (a->data().toString().startsWith("ja_JP"))
            japanese = a;
    }
    QVERIFY(japanese);
    japanese->trigger();
    QCOMPARE(frame->currentWritingLanguage(), QString("ja_JP"));
    auto *keyboard = qobject_cast<ScrivelKeyboard *>(frame->inputWidget());
    QVERIFY(keyboard);
    QCOMPARE(keyboard->currentLayoutId(), QString("default"));
    QVERIFY(!keyboard->buttons("default").isEmpty());
}

// The standard and math layout buttons stay one shown pair through language changes, stay
// hidden in login mode, and leave with the keyboard.
void TestPanelWindow::keyboardLayoutButtonsGoWithTheKeyboard_data()
{
    QTest::addColumn<bool>("login");
    QTest::newRow("keyboard mode") << false;
    QTest::newRow("login") << true;
}

void TestPanelWindow::keyboardLayoutButtonsGoWithTheKeyboard()
{
    QFETCH(bool, login);
    makeFrame(KeyboardMode);
    if (login)
        frame->loginKeyboardMode();
    frame->show();
    auto layoutButtons = [this](bool shown) {
        int count = 0;
        for (const SvgUIButton *button : frame->findChildren<SvgUIButton *>()) {
            if ((button->objectName() == "norm_kbd" || button->objectName() == "math_kbd")
                && (!shown || button->isVisibleTo(frame)))
                ++count;
        }
        return count;
    };
    QCoreApplication::processEvents();
    QCOMPARE(layoutButtons(false), 2);
    QCOMPARE(layoutButtons(true), login ? 0 : 2);
    for (QAction *a : frame->getLanguageGroup()->actions()) {
        a->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(layoutButtons(false), 2);
        QCOMPARE(layoutButtons(true), login ? 0 : 2);
    }
    frame->updateMainInputMode(CursiveMode);
    QVERIFY(qobject_cast<CursiveWritepad *>(frame->inputWidget()));
    QCOMPARE(layoutButtons(false), 0);
}

void TestPanelWindow::trainingHostsTheTrainingPad()
{
    makeFrame(CursiveMode);
    answer = QMessageBox::Yes;
    frame->changeTrainingMode();
    QPointer<IsoTrainerWritepad> pad = qobject_cast<IsoTrainerWritepad *>(frame->inputWidget());
    QVERIFY(pad);
    QCOMPARE(frame->minimumSize(), QSize(600, 200));
    QVERIFY(pad->cancelButton());
    // As the bound pad does: its end of training, from the pad's own slot, closes the mode.
    connect(pad.data(), SIGNAL(trainingDone(QString)), frame, SLOT(cancelTrainingMode(QString)),
            Qt::UniqueConnection);
    QMetaObject::invokeMethod(pad, "endTraining", Qt::QueuedConnection, Q_ARG(QString, QString()));
    QTRY_VERIFY(!frame->isTraining());
    QVERIFY(qobject_cast<CursiveWritepad *>(frame->inputWidget()));
    QCOMPARE(frame->trainingAction()->text(), QString("Start training"));
    QTRY_VERIFY(!pad);
}

void TestPanelWindow::sendButtonFollowsKeypadAndMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty, no keypad") << 1 << false << false << true << false;
    QTest::newRow("written, no keypad") << 1 << false << true << true << true;
    QTest::newRow("empty, keypad") << 1 << true << false << false << true;
    QTest::newRow("written, keypad") << 1 << true << true << true << true;
    QTest::newRow("keyboard") << 3 << false << true << false << true;
}

void TestPanelWindow::sendButtonFollowsKeypadAndMode()
{
    QFETCH(int, mode);
    QFETCH(bool, keypad);
    QFETCH(bool, written);
    makeFrame(mode);
    frame->keypadAction()->setChecked(keypad);
    frame->undoEvent(Clear);
    if (written)
        frame->importModelEvent(writtenResult("a"));
    frame->manageSendButtonVisibility();
    QTEST(frame->sendButton()->isVisibleTo(frame), "visible");
    QTEST(frame->sendButton()->isEnabled(), "enabled");
    QTEST(frame->skin().widget("leftSend")->isVisibleTo(frame), "visible");
}

void TestPanelWindow::outlineAndMask()
{
    makeFrame(CursiveMode);
    frame->show();
    const QRectF outline = frame->panelOutline().boundingRect();
    QVERIFY(QRectF(frame->rect()).contains(outline));
    QVERIFY(!frame->mask().isEmpty());
    QVERIFY(frame->mask() != QRegion(frame->rect()));
    QVERIFY(frame->mask().contains(frame->rect().center()));
}

void TestPanelWindow::trainingQuestions()
{
    makeFrame(CursiveMode);
    answer = QMessageBox::No;
    frame->changeTrainingMode();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().text, QString("Do you want to start training for the English language?"));
    QCOMPARE(asked.first().defaultButton, int(QMessageBox::No));
    QVERIFY(!frame->isTraining());
    answer = QMessageBox::Yes;
    frame->importModelEvent(writtenResult("kept out"));
    frame->changeTrainingMode();
    QVERIFY(frame->isTraining());
    QCOMPARE(frame->trainingAction()->text(), QString("Abort training"));
    QCOMPARE(frame->trainingAction()->toolTip(), QString("Abort training"));
    QCOMPARE(frame->trainingAction()->data().toInt(), int(CursiveMode));
    QCOMPARE(textOf(frame->currentResult()), QString());
    QVERIFY(!frame->getLanguageGroup()->isEnabled());
    QVERIFY(!frame->keypadAction()->isEnabled());
    QVERIFY(services->inTraining());
    answer = QMessageBox::No;
    frame->trainingAction()->trigger();
    QVERIFY(frame->isTraining());
    answer = QMessageBox::Yes;
    frame->trainingAction()->trigger();
    QVERIFY(!frame->isTraining());
    QVERIFY(qobject_cast<CursiveWritepad *>(frame->inputWidget()));
    QCOMPARE(frame->trainingAction()->text(), QString("Start training"));
    QVERIFY(frame->getLanguageGroup()->isEnabled());
    QVERIFY(!services->inTraining());
}

void TestPanelWindow::closingDuringTraining_data()
{
    QTest::addColumn<bool>("training");
    QTest::addColumn<int>("reply");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("questions");
    QTest::newRow("no training") << false << int(QMessageBox::No) << true << 0;
    QTest::newRow("training, no") << true << int(QMessageBox::No) << false << 1;
    QTest::newRow("training, yes") << true << int(QMessageBox::Yes) << true << 1;
}

void TestPanelWindow::closingDuringTraining()
{
    QFETCH(bool, training);
    makeFrame(CursiveMode);
    if (training) {
        answer = QMessageBox::Yes;
        frame->changeTrainingMode();
    }
    asked.clear();
    const int saved = services->savedSettingsCount();
    QFETCH(int, reply);
    answer = QMessageBox::StandardButton(reply);
    QCloseEvent event;
    QApplication::sendEvent(frame, &event);
    QTEST(event.isAccepted(), "closed");
    QTEST(int(asked.size()), "questions");
    QFETCH(bool, closed);
    QCOMPARE(services->savedSettingsCount(), saved + (closed ? 1 : 0));
    QCOMPARE(services->exitRequested(), closed);
    QCOMPARE(frame->isTraining(), training && !closed);
}

void TestPanelWindow::correctionRequestOutsideTheText()
{
    makeFrame(CursiveMode);
    frame->importModelEvent(writtenResult("ab"));
    frame->correctionRequestAtPosEvent(7);
    frame->correctionRequestAtPosEvent(-1);
    QCOMPARE(textOf(frame->currentResult()), QString("ab"));
}

void TestPanelWindow::rightToLeftShrinkKeepsTheRightEdge()
{
    makeFrame(CursiveMode);
    auto *arabic = new QAction("Arabic", frame->getLanguageGroup());
    arabic->setCheckable(true);
    arabic->setData("ar_SA ar_SA");
    arabic->setChecked(true);
    QCOMPARE(frame->writingDirection(), WritingDirection::RightToLeft);
    frame->setGeometry(200, 300, 800, 200);
    frame->setBaseSize(QSize(600, 200));
    frame->importModelEvent(writtenResult("a"));
    frame->undoEvent(Undo);
    QCOMPARE(frame->geometry(), QRect(400, 300, 600, 200));
    frame->resize(800, 200);
    frame->setBaseSize(QSize(600, 200));
    frame->importModelEvent(RecognitionResult());
    QCOMPARE(frame->geometry(), QRect(400, 300, 600, 200));
}

void TestPanelWindow::customisedLanguageIsNotTrainedAgain()
{
    makeFrame(CursiveMode);
    auto *customised = new QAction("English (Customized)", frame->getLanguageGroup());
    customised->setData("_en_US en_US");
    answer = QMessageBox::Yes;
    frame->changeTrainingMode(customised);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().icon, int(QMessageBox::Information));
    QVERIFY(asked.first().text.startsWith("You have already done a training session on this"));
    QVERIFY(!frame->isTraining());
    QVERIFY(qobject_cast<CursiveWritepad *>(frame->inputWidget()));
}

void TestPanelWindow::trainingAddsItsLanguage()
{
    makeFrame(CursiveMode);
    answer = QMessageBox::Yes;
    frame->changeTrainingMode();
    QVERIFY(frame->isTraining());
    QActionGroup written(nullptr);
    QVERIFY(QDir().mkpath(trainingFolder()));
    QVERIFY(ConfigWriter("en_US-Customized-ak-iso.res", "en_US", "-Customized", "en_US")
                .saveConfigs(&written));
    const int languages = frame->getLanguageGroup()->actions().size();
    const int saved = services->savedSettingsCount();
    frame->cancelTrainingMode("_-Customized en_US");
    QActionGroup *group = frame->getLanguageGroup();
    QCOMPARE(group->actions().size(), languages + 1);
    QCOMPARE(frame->currentWritingLanguage(), QString("en_US"));

    // The menu reads as the one built at the next start from the saved languages.
    QActionGroup restarted(nullptr);
    buildLanguageMenu(collectLocalePrefs(group), &restarted, true);
    updateLanguageActionTexts(&restarted);
    const auto entries = [](const QList<QAction *> &actions) {
        QStringList list;
        for (const QAction *action : actions)
            list << action->text() + '|' + action->data().toString()
                        + (action->isChecked() ? "|checked" : "");
        return list;
    };
    QCOMPARE(entries(group->actions()), entries(restarted.actions()));
    QVERIFY(entries(group->actions())
                .contains(QString::fromUtf8("English\u202A (US) Customized |_-Customized en_US")));
    QCOMPARE(frame->findChild<QMenu *>("languageMenu")->actions(), group->actions());
    for (const QAction *action : group->actions())
        QVERIFY(action->isCheckable());
    QCOMPARE(services->savedSettingsCount(), saved + 1);
    QVERIFY(frame->close());
    QCOMPARE(services->savedSettingsCount(), saved + 2);
}

void TestPanelWindow::preventOverlap_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QRect>("panel");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("line in the upper half goes below")
        << 500 << QRect(QPoint(0, 450), QPoint(599, 649)) << QPoint(0, 600);
    QTest::newRow("line in the lower half goes above")
        << 600 << QRect(QPoint(0, 450), QPoint(599, 649)) << QPoint(0, 300);
    QTest::newRow("no room either way") << 500 << QRect(QPoint(0, 100), QPoint(599, 899))
                                        << QPoint(0, 100);
    QTest::newRow("line outside the panel") << 50 << QRect(QPoint(0, 450), QPoint(599, 649))
                                            << QPoint(0, 450);
    QTest::newRow("no line") << -1 << QRect(QPoint(0, 450), QPoint(599, 649)) << QPoint(0, 450);
}

void TestPanelWindow::preventOverlap()
{
    QFETCH(int, line);
    struct LineServices : FixtureServices
    {
        int line = -1;
        int protectedLine() const override { return line; }
    } lined;
    lined.line = line;
    Desktop::instance()->setScreens({QRect(0, 0, 1280, 1000)}, {QRect(0, 0, 1280, 1000)});
    PanelServices::setInstance(&lined);
    makeFrame(0);
    QFETCH(QRect, panel);
    const QPoint moved = frame->preventOverlap(panel);
    delete frame;
    frame = nullptr;
    QTEST(moved, "moved");
}

void TestPanelWindow::dockingSwitch()
{
    makeFrame(CursiveMode);
    frame->show();
    QCOMPARE(frame->findChildren<ResizeHandle *>().size(), 4);
    frame->setDockingMode(true);
    QVERIFY(services->dockingMode());
    QCOMPARE(frame->geometry(), QRect(0, 994 - 250, 1280, 250));
    QCOMPARE(frame->findChildren<ResizeHandle *>().size(), 0);
    // The top pieces resize the docked panel by its top edge.
    QWidget *top = frame->skin().widget("topLeft");
    QTest::mousePress(top, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(top, QPoint(5, -45));
    // The piece moved up with the panel's top: the same global point is now at (5, 5).
    QTest::mouseRelease(top, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(frame->height(), 300);
    QCOMPARE(frame->geometry().bottom(), 993);
    frame->setDockingMode(false);
    QCOMPARE(frame->findChildren<ResizeHandle *>().size(), 4);
    QCOMPARE(frame->geometry(), QRect(200, 300, 600, 200));
}

void TestPanelWindow::workAreaChange()
{
    services->setDockingMode(true);
    makeFrame(CursiveMode);
    frame->show();
    QCOMPARE(frame->geometry(), QRect(0, 994 - 250, 1280, 250));
    Desktop::instance()->setAvailableGeometry(0, QRect(0, 0, 1280, 900));
    emit integrator.workAreaResized();
    QCOMPARE(frame->geometry(), QRect(0, 900 - 250, 1280, 250));
    QCOMPARE(services->dockedHeight(), 250);
}

void TestPanelWindow::expansion_data()
{
    QTest::addColumn<QRect>("start");
    QTest::addColumn<int>("align");
    QTest::addColumn<bool>("forceHeight");
    QTest::addColumn<QRect>("expanded");
    QTest::newRow("wider") << QRect(200, 300, 600, 200) << int(Qt::AlignLeft) << false
                           << QRect(200, 300, 900, 200);
    QTest::newRow("cut at the right edge") << QRect(600, 300, 600, 200) << int(Qt::AlignLeft)
                                           << false << QRect(600, 300, 680, 200);
    QTest::newRow("taller when asked") << QRect(200, 300, 600, 200) << int(Qt::AlignLeft) << true
                                       << QRect(200, 300, 900, 300);
    QTest::newRow("cut at the bottom") << QRect(200, 800, 600, 190) << int(Qt::AlignLeft) << true
                                       << QRect(200, 800, 900, 194);
    QTest::newRow("right aligned grows left") << QRect(500, 300, 600, 200) << int(Qt::AlignRight)
                                              << false << QRect(200, 300, 900, 200);
    QTest::newRow("right aligned at the left edge")
        << QRect(100, 300, 600, 200) << int(Qt::AlignRight) << false << QRect(0, 300, 700, 200);
}

void TestPanelWindow::expansion()
{
    QFETCH(QRect, start);
    QFETCH(int, align);
    QFETCH(bool, forceHeight);
    makeFrame(CursiveMode);
    frame->show();
    frame->setGeometry(start);
    frame->expandScrivelEvent(0.5f, 0.5f, Qt::Alignment(align), forceHeight);
    QTEST(frame->geometry(), "expanded");
    QCOMPARE(frame->baseSize(), start.size());
    const QRect expanded = frame->geometry();
    frame->expandScrivelEvent(0.5f, 0.5f, Qt::Alignment(align), forceHeight);
    QCOMPARE(frame->geometry(), expanded);
    frame->importModelEvent(RecognitionResult());
    QCOMPARE(frame->size(), start.size());
}

QTEST_MAIN(TestPanelWindow)
void TestPanelWindow::languageMenuOpensOnAPress_data()
{
    QTest::addColumn<bool>("arrow");
    QTest::newRow("language button") << false;
    QTest::newRow("arrow beside it") << true;
}

// A left press on the language button, or on the arrow beside it, opens the language menu; a
// language chosen there is written with and named on the button.
void TestPanelWindow::languageMenuOpensOnAPress()
{
    QFETCH(bool, arrow);
    makeFrame(CursiveMode);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QWidget *pressed = arrow ? static_cast<QWidget *>(frame->skin().button("onglet"))
                             : frame->languageButton();
    QVERIFY(pressed && pressed->isVisible());
    // The button is off while the recognizer of the language loads; here none is started.
    frame->inputWidgetConfigStatusEvent(1);
    QVERIFY(frame->languageButton()->isEnabled());
    QCOMPARE(frame->languageButton()->text(), QString("En"));
    QTest::mousePress(pressed, Qt::LeftButton, {}, pressed->rect().center());
    QMenu *menu = frame->languageMenu();
    QTRY_VERIFY(menu->isVisible());
    QAction *japanese = nullptr;
    for (QAction *a : frame->getLanguageGroup()->actions()) {
        if (a->data().toString().endsWith("ja_JP"))
            japanese = a;
    }
    QVERIFY(japanese);
    QVERIFY(menu->actions().contains(japanese));
    japanese->trigger();
    menu->hide();
    QCOMPARE(frame->currentWritingLanguage(), QString("ja_JP"));
    QCOMPARE(frame->languageButton()->text(), QString("Ja"));
    QVERIFY(!frame->languageButton()->isDown());
}

// The eraser empties the pad and greys out until there is something to erase again.
void TestPanelWindow::clearButtonErasesEachText()
{
    makeFrame(CursiveMode);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    auto *pad = qobject_cast<CursiveWritepad *>(frame->inputWidget());
    QVERIFY(pad && pad->clearButton());
    SvgUIButton *clear = pad->clearButton();
    QVERIFY(!clear->isEnabled());
    for (const QString &text : {QString("hello"), QString("again")}) {
        frame->importModelEvent(writtenResult(text));
        QVERIFY2(clear->isEnabled(), qPrintable(text));
        QTest::mouseClick(clear, Qt::LeftButton, {}, clear->rect().center());
        QCOMPARE(textOf(frame->currentResult()), QString());
        QVERIFY(frame->currentResult().root().ink().isEmpty());
        QVERIFY(!clear->isEnabled());
    }
}

void TestPanelWindow::contextMenuOpens_data()
{
    QTest::addColumn<QString>("piece");
    QTest::newRow("gear") << "menuButton";
    QTest::newRow("border") << "bottom";
    QTest::newRow("panel") << QString();
}

// A right click opens the panel's menu anywhere on the panel, not only on the gear.
void TestPanelWindow::contextMenuOpens()
{
    QFETCH(QString, piece);
    makeFrame(CursiveMode);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QWidget *target = piece.isEmpty() ? frame : frame->skin().widget(piece);
    QVERIFY(target && target->isVisible());
    const QPoint at = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QTRY_VERIFY(frame->contextMenu()->isVisible());
    frame->contextMenu()->hide();
}

// An Arabic or Hebrew interface mirrors the panel: the mode buttons from the right, then the
// language button, its arrow and the pad's buttons, each whole and in its own place; the keypad
// stands on the left, and a menu text not translated keeps its dots at its end.
void TestPanelWindow::rightToLeftInterfaceKeepsEveryButton()
{
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const auto restore = qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LeftToRight); });
    services->setShowKeypad(true);
    makeFrame(CursiveMode);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QList<QWidget *> pieces;
    for (const char *name : {"cursiveLRModeButton", "isoLRModeButton", "keyboardModeButton",
                             "calculatorCalcModeButton"})
        pieces << frame->skin().button(name);
    pieces << frame->languageButton() << frame->skin().button("onglet")
           << frame->skin().widget("inputButtonsBar");
    QRect previous;
    for (int i = 0; i < pieces.size(); ++i) {
        QWidget *piece = pieces.at(i);
        QVERIFY2(piece && piece->isVisible(), qPrintable(QString::number(i)));
        const QRect r(piece->mapTo(frame, QPoint(0, 0)), piece->size());
        QVERIFY2(r.width() > 0 && frame->rect().contains(r), qPrintable(QString::number(i)));
        if (i > 0)
            QVERIFY2(r.right() < previous.left(), qPrintable(QString::number(i)));
        previous = r;
    }
    auto *pad = qobject_cast<Writepad *>(frame->inputWidget());
    QVERIFY(pad && pad->miniKeyboard());
    QTRY_VERIFY(pad->miniKeyboard()->isVisible());
    QVERIFY(pad->miniKeyboard()->geometry().center().x() < pad->width() / 2);
    QAction *about = nullptr;
    for (QAction *a : frame->contextMenu()->actions()) {
        if (a->text().startsWith("About"))
            about = a;
    }
    QVERIFY(about);
    QTextLayout layout(about->text(), frame->contextMenu()->font());
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    QVERIFY(line.cursorToX(about->text().indexOf('.')) > line.cursorToX(0));
}

#include "tst_panelwindow.moc"
