#include "panelfixture.h"

#include "panel/dicotab.h"
#include "panel/inktab.h"
#include "panel/languagetab.h"
#include "panel/mainframe.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "panel/prefdialog.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"
#include "windows/userdictionaries.h"

#include <QAction>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

class TestPanelPrefs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void entriesOpenTheirTabs_data();
    void entriesOpenTheirTabs();
    void acceptedDialogAppliesAtOnce();
    void rejectedDialogSavesNothing();
    void staleDialogIsNotAccepted();
    void gearOpensNothingInLoginModeOrTraining();
    void trainingFromTheLanguagesTabAcceptsTheOpenDialog();

private:
    // Runs the action's dialog, letting `inDialog` act on it while it is open.
    void runDialog(const std::function<void()> &open, const std::function<void(PrefDialog *)> &inDialog);

    QTemporaryDir m_folders;
    MainFrame *m_frame = nullptr;
    StubWidget *m_widget = nullptr;
    FixtureServices m_services;
};

void TestPanelPrefs::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("PanelPrefsTest"));
    QVERIFY(m_folders.isValid());
}

void TestPanelPrefs::init()
{
    static int round = 0;
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA,
                                        m_folders.filePath(QString::number(++round)));
    Prompt::clearRequests();
    Prompt::setHandler([](const Prompt::Request &) { return QVariant(int(QMessageBox::No)); });
    m_services.setPreferences(AppPreferences());
    PanelServices::setInstance(&m_services);
    m_frame = new MainFrame;
    m_widget = new StubWidget(CursiveMode);
    m_frame->setInputWidget(m_widget);
}

void TestPanelPrefs::cleanup()
{
    delete m_frame;
    PanelServices::setInstance(nullptr);
    Prompt::setHandler({});
}

void TestPanelPrefs::runDialog(const std::function<void()> &open,
                               const std::function<void(PrefDialog *)> &inDialog)
{
    bool ran = false;
    QTimer::singleShot(0, m_frame, [&] {
        PrefDialog *dialog = m_frame->prefDialog();
        QVERIFY(dialog && dialog->isVisible());
        ran = true;
        inDialog(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
    QVERIFY(ran);
}

void TestPanelPrefs::entriesOpenTheirTabs_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Settings") << "settings" << 5 << "&Dictionary";
    QTest::newRow("gear button") << "gear" << 5 << "&Dictionary";
    QTest::newRow("Languages") << "languages" << 2 << "&Languages";
    QTest::newRow("Dictionary") << "dictionary" << 2 << "&Dictionary";
    QTest::newRow("display") << "display" << 2 << "&Ink";
    QTest::newRow("languages alone") << "only languages" << 1 << "&Languages";
}

void TestPanelPrefs::entriesOpenTheirTabs()
{
    QFETCH(QString, entry);
    QFETCH(int, tabs);
    QFETCH(QString, shown);
    const QHash<QString, std::function<void()>> entries{
        {"settings", [this] { m_frame->settingsAction()->trigger(); }},
        {"gear", [this] { m_frame->skin().button(QStringLiteral("menuButton"))->click(); }},
        {"languages", [this] { m_frame->languagesAction()->trigger(); }},
        {"dictionary", [this] { m_frame->dictionaryAction()->trigger(); }},
        {"display", [this] { m_frame->showDisplayPreferences(); }},
        {"only languages", [this] { m_frame->showOnlyLanguagesPreferences(); }},
    };
    QSignalSpy out(m_frame, &MainFrame::outOfPrefs);
    runDialog(entries.value(entry), [&](PrefDialog *dialog) {
        QCOMPARE(dialog->tabs()->count(), tabs);
        QCOMPARE(dialog->tabs()->tabText(dialog->tabs()->currentIndex()), shown);
        QCOMPARE(dialog->parentWidget(), m_frame);
    });
    QCOMPARE(out.count(), 1);
}

void TestPanelPrefs::acceptedDialogAppliesAtOnce()
{
    const int saved = m_services.savedSettingsCount();
    const int languages = m_frame->getLanguageGroup()->actions().size();
    runDialog([this] { m_frame->showAllPreferences(); }, [](PrefDialog *dialog) {
        dialog->findChild<InkTab *>()->findChild<QSpinBox *>()->setValue(8);
        dialog->dicoTab()->wordEdit()->setText(QStringLiteral("zebra"));
        dialog->dicoTab()->addWord();
        dialog->buttons()->button(QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(m_services.savedSettingsCount(), saved + 1);
    QCOMPARE(m_services.preferences().style.inkWidth(), 8);
    QCOMPARE(m_widget->itemStyle().inkWidth(), 8);
    QCOMPARE(readPersonalDictionary(), QStringList{QStringLiteral("zebra")});
    QVERIFY(m_widget->language().lexicons().contains(QStringLiteral("zebra")));
    QCOMPARE(m_frame->getLanguageGroup()->actions().size(), languages);
    QVERIFY(m_frame->getLanguageGroup()->checkedAction());
    QVERIFY(!m_services.preferences().activeLanguage);
    QVERIFY(m_services.preferences().languageActions.isEmpty());
}

void TestPanelPrefs::rejectedDialogSavesNothing()
{
    const int saved = m_services.savedSettingsCount();
    runDialog([this] { m_frame->showAllPreferences(); }, [](PrefDialog *dialog) {
        dialog->findChild<InkTab *>()->findChild<QSpinBox *>()->setValue(8);
    });
    QCOMPARE(m_services.savedSettingsCount(), saved);
    QCOMPARE(m_services.preferences().style.inkWidth(), AppPreferences().style.inkWidth());
    QCOMPARE(m_widget->itemStyle().inkWidth(), AppPreferences().style.inkWidth());
}

void TestPanelPrefs::gearOpensNothingInLoginModeOrTraining()
{
    SvgUIButton *gear = m_frame->skin().button(QStringLiteral("menuButton"));
    QVERIFY(gear);
    // A dialog that opens all the same is closed at once, so the test fails instead of waiting.
    auto closeAny = [this] {
        QTimer::singleShot(0, m_frame, [this] {
            if (m_frame->prefDialog())
                m_frame->prefDialog()->reject();
        });
    };
    closeAny();
    m_frame->settingsAction()->setEnabled(false);
    gear->click();
    QVERIFY(!m_frame->prefDialog());
    m_frame->settingsAction()->setEnabled(true);
    m_frame->loginKeyboardMode();
    closeAny();
    gear->click();
    QVERIFY(!m_frame->prefDialog());
    QVERIFY(!m_frame->contextMenu()->actions().contains(m_frame->settingsAction()));
}

void TestPanelPrefs::staleDialogIsNotAccepted()
{
    runDialog([this] { m_frame->showAllPreferences(); }, [](PrefDialog *) {});
    QVERIFY(m_frame->prefDialog());
    // Newer values than the closed dialog's copy: a word from the star, a thicker ink.
    QVERIFY(writePersonalDictionary({QStringLiteral("newer")}));
    AppPreferences newer = m_services.preferences();
    newer.style.setInkWidth(6);
    m_services.setPreferences(newer);

    m_frame->changeTrainingMode(m_frame->getLanguageGroup()->checkedAction());
    QCOMPARE(m_services.preferences().style.inkWidth(), 6);
    QCOMPARE(readPersonalDictionary(), QStringList{QStringLiteral("newer")});
    QVERIFY(!m_frame->isTraining());
}

void TestPanelPrefs::trainingFromTheLanguagesTabAcceptsTheOpenDialog()
{
    QStringList asked;
    Prompt::setHandler([&](const Prompt::Request &r) {
        asked << r.text;
        return QVariant(int(QMessageBox::No));
    });
    const int saved = m_services.savedSettingsCount();
    runDialog([this] { m_frame->showLanguagesPreferences(); }, [](PrefDialog *dialog) {
        dialog->dicoTab()->wordEdit()->setText(QStringLiteral("kept"));
        dialog->dicoTab()->addWord();
        LanguageTab *tab = dialog->languageTab();
        tab->list()->setCurrentRow(0);
        QVERIFY(tab->trainButton()->isEnabled());
        tab->trainButton()->click();
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(readPersonalDictionary(), QStringList{QStringLiteral("kept")});
    QCOMPARE(m_services.savedSettingsCount(), saved + 1);
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.first().startsWith(QStringLiteral("Do you want to start training for")));
}

QTEST_MAIN(TestPanelPrefs)
#include "tst_panelprefs.moc"
