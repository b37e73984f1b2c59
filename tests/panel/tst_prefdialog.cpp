#include "panelfixture.h"

#include "lang/localenames.h"
#include "panel/calculatortab.h"
#include "panel/colorbutton.h"
#include "panel/dicotab.h"
#include "panel/inktab.h"
#include "panel/languagetab.h"
#include "panel/panelaccesstab.h"
#include "panel/prefdialog.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"
#include "windows/userdictionaries.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>
#include <sys/resource.h>

namespace {

QStringList tabTexts(const QTabWidget *tabs)
{
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

template<typename T>
T *child(QWidget *page, const QString &text)
{
    for (T *w : page->findChildren<T *>()) {
        if (w->text() == text)
            return w;
    }
    return nullptr;
}

QStringList messageTexts()
{
    QStringList texts;
    for (const Prompt::Request &r : Prompt::requests()) {
        if (r.kind == Prompt::Message)
            texts << r.text;
    }
    return texts;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString noLanguage =
    QStringLiteral("At least one working language must be selected.\nPlease check one language "
                   "in the list.");

} // namespace

class TestPrefDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void tabsOfMask_data();
    void tabsOfMask();
    void leavingLanguagesWithNothingCheckedIsRefusedOnce();
    void okOnLanguagesWithNothingCheckedKeepsTheDialogOpen();
    void enteringDictionaryClearsTheField();
    void okHandsTheCopyBackAndWritesTheDictionary();
    void cancelChangesNothing();
    void unsavedDictionaryKeepsTheDialogOpen();
    void unreadableDictionaryIsLeftAsItIs();
    void hiddenPagesKeepTheirData();
    void inkTabStoresClampedValues();
    void inkTabDelayAndGestures();
    void swatchEditsTheColourUnderThePress_data();
    void swatchEditsTheColourUnderThePress();
    void cancelledColourChangesNothing();
    void hidingChoices_data();
    void hidingChoices();
    void unavailableFadeKeepsItsValue();
    void sendChoices_data();
    void sendChoices();
    void formulaOnlyGreysTheOptionsAndKeepsThem();
    void decimalsAreClamped();
    void trainingButtonFollowsTheSelection_data();
    void trainingButtonFollowsTheSelection();
    void trainingButtonStartsTheSelectedLanguage();
    void uncheckingTheActiveLanguageChecksAnother();

private:
    std::unique_ptr<PrefDialog> dialog(int mask, int current);
    void addLanguage(const QString &label, bool visible);

    QTemporaryDir m_folders;
    FixtureServices m_services;
    AppPreferences m_prefs;
    std::unique_ptr<QActionGroup> m_languages;
};

void TestPrefDialog::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("PrefDialogTest"));
    QVERIFY(m_folders.isValid());
    PanelServices::setInstance(&m_services);
}

void TestPrefDialog::init()
{
    static int round = 0;
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA,
                                        m_folders.filePath(QString::number(++round)));
    Prompt::clearRequests();
    Prompt::setHandler([](const Prompt::Request &) { return QVariant(); });
    m_services.setPreferences(AppPreferences());
    m_prefs = AppPreferences();
    m_prefs.dictionaries = {QStringList(), QStringList{QStringLiteral("common")}};
    m_languages = std::make_unique<QActionGroup>(nullptr);
    addLanguage(QStringLiteral("English en_US"), true);
    addLanguage(QStringLiteral("French fr_FR"), true);
    addLanguage(QStringLiteral("German de_DE"), false);
    m_languages->actions().first()->setChecked(true);
    m_prefs.languageActions = m_languages->actions();
    m_prefs.activeLanguage = m_languages->checkedAction();
}

void TestPrefDialog::cleanup()
{
    Prompt::setHandler({});
    m_languages.reset();
}

void TestPrefDialog::addLanguage(const QString &label, bool visible)
{
    auto *action = new QAction(label, m_languages.get());
    action->setData(label);
    action->setCheckable(true);
    action->setVisible(visible);
}

std::unique_ptr<PrefDialog> TestPrefDialog::dialog(int mask, int current)
{
    return std::make_unique<PrefDialog>(m_prefs, mask, current, nullptr);
}

void TestPrefDialog::tabsOfMask_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("shown");
    const QStringList all{"&Dictionary", "&Languages", "&Ink", "&Panel Access", "&Calculator"};
    QTest::newRow("all on the dictionary") << 31 << 1 << all << "&Dictionary";
    QTest::newRow("all on ink") << 31 << 4 << all << "&Ink";
    QTest::newRow("languages alone") << 2 << 2 << QStringList{"&Languages"} << "&Languages";
    QTest::newRow("dictionary and languages on languages")
        << 3 << 2 << QStringList{"&Dictionary", "&Languages"} << "&Languages";
    QTest::newRow("dictionary and languages on the dictionary")
        << 3 << 1 << QStringList{"&Dictionary", "&Languages"} << "&Dictionary";
    QTest::newRow("display") << 12 << 4 << QStringList{"&Ink", "&Panel Access"} << "&Ink";
    QTest::newRow("absent first tab opens the first")
        << 12 << 16 << QStringList{"&Ink", "&Panel Access"} << "&Ink";
}

void TestPrefDialog::tabsOfMask()
{
    QFETCH(int, mask);
    QFETCH(int, current);
    QFETCH(QStringList, texts);
    QFETCH(QString, shown);
    const auto d = dialog(mask, current);
    QCOMPARE(tabTexts(d->tabs()), texts);
    QCOMPARE(d->tabs()->tabText(d->tabs()->currentIndex()), shown);
    for (int i = 0; i < d->tabs()->count(); ++i)
        QVERIFY(d->tabs()->isTabEnabled(i));
    QCOMPARE(d->windowTitle(), QStringLiteral("Settings"));
    QVERIFY(!d->testAttribute(Qt::WA_QuitOnClose));
}

void TestPrefDialog::leavingLanguagesWithNothingCheckedIsRefusedOnce()
{
    const auto d = dialog(31, 2);
    QListWidget *list = d->languageTab()->list();
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setCheckState(Qt::Unchecked);
    d->tabs()->setCurrentIndex(2);
    QCOMPARE(d->tabs()->currentIndex(), 1);
    QCOMPARE(messageTexts(), QStringList{noLanguage});

    list->item(2)->setCheckState(Qt::Checked);
    d->tabs()->setCurrentIndex(2);
    QCOMPARE(d->tabs()->currentIndex(), 2);
    QCOMPARE(messageTexts().size(), 1);
}

void TestPrefDialog::okOnLanguagesWithNothingCheckedKeepsTheDialogOpen()
{
    const auto d = dialog(3, 2);
    d->show();
    QListWidget *list = d->languageTab()->list();
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setCheckState(Qt::Unchecked);
    d->buttons()->button(QDialogButtonBox::Ok)->click();
    QVERIFY(d->isVisible());
    QCOMPARE(d->tabs()->currentWidget(), d->languageTab());
    QCOMPARE(messageTexts(), QStringList{noLanguage});
    QVERIFY(m_languages->actions().at(0)->isVisible());
    QCOMPARE(m_services.preferences().style.inkWidth(), AppPreferences().style.inkWidth());
}

void TestPrefDialog::enteringDictionaryClearsTheField()
{
    const auto d = dialog(31, 4);
    d->dicoTab()->wordEdit()->setText(QStringLiteral("left over"));
    d->tabs()->setCurrentWidget(d->dicoTab());
    QVERIFY(d->dicoTab()->wordEdit()->text().isEmpty());
}

void TestPrefDialog::okHandsTheCopyBackAndWritesTheDictionary()
{
    QVERIFY(writePersonalDictionary({QStringLiteral("banana")}));
    const auto d = dialog(31, 1);
    QCOMPARE(d->dicoTab()->words(), QStringList{QStringLiteral("banana")});
    d->dicoTab()->wordEdit()->setText(QStringLiteral("apple"));
    d->dicoTab()->addButton()->click();
    d->findChild<InkTab *>()->findChild<QSpinBox *>()->setValue(7);
    d->languageTab()->list()->item(2)->setCheckState(Qt::Checked);
    d->buttons()->button(QDialogButtonBox::Ok)->click();

    QCOMPARE(d->result(), int(QDialog::Accepted));
    const AppPreferences handed = m_services.preferences();
    QCOMPARE(handed.style.inkWidth(), 7);
    QCOMPARE(handed.dictionaries.first(), (QStringList{"apple", "banana"}));
    QCOMPARE(readPersonalDictionary(), (QStringList{"apple", "banana"}));
    QCOMPARE(handed.allWords, (QStringList{"apple", "banana", "common"}));
    QVERIFY(m_languages->actions().at(2)->isVisible());
}

void TestPrefDialog::cancelChangesNothing()
{
    QVERIFY(writePersonalDictionary({QStringLiteral("banana")}));
    const QByteArray before = readBytes(personalDictionaryPath());
    const QString import = m_folders.filePath(QStringLiteral("import.txt"));
    writeBytes(import, "cherry\n");
    const auto d = dialog(31, 1);
    QVERIFY(d->dicoTab()->importFile(import));
    d->findChild<InkTab *>()->findChild<QSpinBox *>()->setValue(9);
    d->languageTab()->list()->item(0)->setCheckState(Qt::Unchecked);
    d->buttons()->button(QDialogButtonBox::Cancel)->click();

    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(readBytes(personalDictionaryPath()), before);
    QCOMPARE(m_services.preferences().style.inkWidth(), AppPreferences().style.inkWidth());
    QVERIFY(m_languages->actions().at(0)->isVisible());
    QVERIFY(m_languages->actions().at(0)->isChecked());
}

void TestPrefDialog::unsavedDictionaryKeepsTheDialogOpen()
{
    QVERIFY(writePersonalDictionary({QStringLiteral("banana")}));
    const auto d = dialog(31, 1);
    d->show();
    d->dicoTab()->wordEdit()->setText(QStringLiteral("a rather long word to save"));
    d->dicoTab()->addWord();
    // A file-size limit cuts the write short, as a full disk would.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 8;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    d->buttons()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    QVERIFY(d->isVisible());
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("Your personal dictionary could not be saved.")});
    QCOMPARE(readPersonalDictionary(), QStringList{QStringLiteral("banana")});
    QCOMPARE(m_services.preferences().dictionaries, QList<QStringList>());
}

void TestPrefDialog::unreadableDictionaryIsLeftAsItIs()
{
    // A folder where the file should be: it exists but cannot be read as words.
    QVERIFY(QDir().mkpath(personalDictionaryPath()));
    const auto d = dialog(31, 1);
    d->show();
    d->dicoTab()->wordEdit()->setText(QStringLiteral("apple"));
    d->dicoTab()->addWord();
    d->findChild<InkTab *>()->findChild<QSpinBox *>()->setValue(7);
    d->buttons()->button(QDialogButtonBox::Ok)->click();

    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(messageTexts(),
             QStringList{QStringLiteral(
                 "Your personal dictionary could not be read, so it was left as it is.")});
    QVERIFY(QFileInfo(personalDictionaryPath()).isDir());
    QCOMPARE(m_services.preferences().style.inkWidth(), 7);
    QVERIFY(QDir().rmdir(personalDictionaryPath()));
}

void TestPrefDialog::hiddenPagesKeepTheirData()
{
    QVERIFY(writePersonalDictionary({QStringLiteral("banana")}));
    m_prefs.behaviour.calcSendMode = CalcOutputMode::Html;
    const auto d = dialog(12, 4);
    d->findChild<InkTab *>()->findChild<QSpinBox *>()->setValue(4);
    d->accept();
    const AppPreferences handed = m_services.preferences();
    QCOMPARE(handed.style.inkWidth(), 4);
    QCOMPARE(handed.behaviour.calcSendMode, CalcOutputMode::Html);
    QCOMPARE(handed.dictionaries.first(), QStringList{QStringLiteral("banana")});
    QCOMPARE(handed.dictionaries.at(1), QStringList{QStringLiteral("common")});
    QVERIFY(!m_languages->actions().at(2)->isVisible());
}

void TestPrefDialog::inkTabStoresClampedValues()
{
    m_prefs.behaviour.autoSendSpeed = 9000;
    m_prefs.style.setInkWidth(0);
    InkTab tab(&m_prefs);
    QCOMPARE(m_prefs.behaviour.autoSendSpeed, 4500);
    QCOMPARE(m_prefs.style.inkWidth(), 1);
    QSlider *slider = tab.findChild<QSlider *>();
    QVERIFY(slider->invertedAppearance());
    slider->setValue(slider->minimum());
    QCOMPARE(m_prefs.behaviour.autoSendSpeed, 500);
    QSpinBox *thickness = tab.findChild<QSpinBox *>();
    thickness->setValue(11);
    QCOMPARE(m_prefs.style.inkWidth(), 10);
}

void TestPrefDialog::inkTabDelayAndGestures()
{
    m_prefs.behaviour.autoSend = true;
    m_prefs.behaviour.autoSendSpeed = 2500;
    InkTab tab(&m_prefs);
    QSlider *slider = tab.findChild<QSlider *>();
    QVERIFY(slider->isEnabled());
    child<QCheckBox>(&tab, "Send input &automatically")->setChecked(false);
    QVERIFY(!m_prefs.behaviour.autoSend);
    QCOMPARE(m_prefs.behaviour.autoSendSpeed, 2500);
    QVERIFY(!slider->isEnabled());
    QVERIFY(!child<QLabel>(&tab, "Slow")->isEnabled());
    QVERIFY(!child<QLabel>(&tab, "Fast")->isEnabled());
    child<QCheckBox>(&tab, "Show sample ink for &gestures")->setChecked(false);
    QVERIFY(!m_prefs.behaviour.displayAnimationInk);
}

void TestPrefDialog::swatchEditsTheColourUnderThePress_data()
{
    QTest::addColumn<bool>("single");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("edited");
    QTest::newRow("ink") << true << 70 << int(ItemStyle::InkColor);
    QTest::newRow("background left half") << false << 39 << int(ItemStyle::LeftColor);
    QTest::newRow("background middle") << false << 40 << int(ItemStyle::RightColor);
    QTest::newRow("background right half") << false << 75 << int(ItemStyle::RightColor);
}

void TestPrefDialog::swatchEditsTheColourUnderThePress()
{
    QFETCH(bool, single);
    QFETCH(int, x);
    QFETCH(int, edited);
    const QColor picked(12, 34, 56);
    QColor offered;
    Prompt::setHandler([&](const Prompt::Request &r) {
        offered = r.initial.value<QColor>();
        return QVariant(picked);
    });
    InkTab tab(&m_prefs);
    const QList<ColorButton *> swatches = tab.findChildren<ColorButton *>();
    ColorButton *swatch = swatches.at(single ? 0 : 1);
    swatch->resize(80, 20);
    const AppPreferences before = m_prefs;
    QSignalSpy changed(swatch, &ColorButton::colorChanged);
    QTest::mouseClick(swatch, Qt::LeftButton, {}, QPoint(x, 10));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(offered, before.style.color(ItemStyle::Color(edited)));
    for (int c : {int(ItemStyle::InkColor), int(ItemStyle::LeftColor), int(ItemStyle::RightColor)}) {
        const QColor expected = c == edited ? picked : before.style.color(ItemStyle::Color(c));
        QCOMPARE(m_prefs.style.color(ItemStyle::Color(c)), expected);
    }
}

void TestPrefDialog::cancelledColourChangesNothing()
{
    InkTab tab(&m_prefs);
    ColorButton *swatch = tab.findChild<ColorButton *>();
    swatch->resize(80, 20);
    const QColor before = m_prefs.style.color(ItemStyle::InkColor);
    QSignalSpy changed(swatch, &ColorButton::colorChanged);
    QTest::mouseClick(swatch, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_prefs.style.color(ItemStyle::InkColor), before);
    QCOMPARE(Prompt::requests().size(), 1);
    QCOMPARE(Prompt::requests().first().kind, Prompt::Color);
}

void TestPrefDialog::hidingChoices_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("opened");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("stores");
    QTest::newRow("left opens left, right stores 2")
        << 1 << "Slide to l&eft side of the screen" << 1 << "Slide to ri&ght side of the screen"
        << 2;
    QTest::newRow("right opens right, left stores 1")
        << 2 << "Slide to ri&ght side of the screen" << 2 << "Slide to l&eft side of the screen"
        << 1;
    QTest::newRow("out of range opens hide as 0")
        << 7 << "&Hide" << 0 << "Slide to l&eft side of the screen" << 1;
    QTest::newRow("hide stores 0")
        << 2 << "Slide to ri&ght side of the screen" << 2 << "&Hide" << 0;
}

void TestPrefDialog::hidingChoices()
{
    QFETCH(int, stored);
    QFETCH(QString, checked);
    QFETCH(QString, chosen);
    m_prefs.behaviour.hidingMode = stored;
    PanelAccessTab tab(&m_prefs);
    QVERIFY(child<QRadioButton>(&tab, checked)->isChecked());
    QTEST(m_prefs.behaviour.hidingMode, "opened");
    child<QRadioButton>(&tab, chosen)->click();
    QTEST(m_prefs.behaviour.hidingMode, "stores");
}

void TestPrefDialog::unavailableFadeKeepsItsValue()
{
    m_prefs.behaviour.fadeOutAvailable = false;
    m_prefs.behaviour.fadeOut = true;
    PanelAccessTab tab(&m_prefs);
    QCheckBox *fade = child<QCheckBox>(&tab, "&Fade panel when not in use");
    QVERIFY(!fade->isEnabled());
    QVERIFY(!fade->isChecked());
    child<QCheckBox>(&tab, "Display &quick access button")->setChecked(false);
    QVERIFY(m_prefs.behaviour.fadeOut);
    QVERIFY(!m_prefs.behaviour.quickAccessButton);
    QVERIFY(child<QCheckBox>(&tab, "Launch Inkora Scrivel on system &startup"));
}

void TestPrefDialog::sendChoices_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("opened");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("stores");
    QTest::newRow("text opens text, spreadsheet stores 2")
        << 8 << "Calculation as &text" << 8 << "Calculation as spreadsheet &formula" << 2;
    QTest::newRow("spreadsheet opens spreadsheet, HTML stores 4")
        << 2 << "Calculation as spreadsheet &formula" << 2 << "Calculation as &HTML" << 4;
    QTest::newRow("HTML opens HTML, result stores 0")
        << 4 << "Calculation as &HTML" << 4 << "Result &only" << 0;
    QTest::newRow("1 opens result as 0") << 1 << "Result &only" << 0 << "Calculation as &text"
                                         << 8;
    QTest::newRow("3 opens result as 0") << 3 << "Result &only" << 0 << "Calculation as &text"
                                         << 8;
}

void TestPrefDialog::sendChoices()
{
    QFETCH(int, stored);
    QFETCH(QString, checked);
    QFETCH(QString, chosen);
    m_prefs.behaviour.calcSendMode = CalcOutputMode(stored);
    CalculatorTab tab(&m_prefs);
    QVERIFY(child<QRadioButton>(&tab, checked)->isChecked());
    QTEST(int(m_prefs.behaviour.calcSendMode), "opened");
    child<QRadioButton>(&tab, chosen)->click();
    QTEST(int(m_prefs.behaviour.calcSendMode), "stores");
}

void TestPrefDialog::formulaOnlyGreysTheOptionsAndKeepsThem()
{
    m_prefs.behaviour.calcSendMode = CalcOutputMode::Html;
    m_prefs.behaviour.nbOfDecimals = 5;
    CalculatorTab tab(&m_prefs);
    child<QCheckBox>(&tab, "Do not calculate and send &formula only as text")->setChecked(true);
    QVERIFY(!m_prefs.behaviour.solveAuto);
    for (QGroupBox *box : tab.findChildren<QGroupBox *>())
        QVERIFY(!box->isEnabled());
    QCOMPARE(m_prefs.behaviour.calcSendMode, CalcOutputMode::Html);
    QCOMPARE(m_prefs.behaviour.nbOfDecimals, 5);
    child<QCheckBox>(&tab, "Show sample &ink")->setChecked(false);
    QVERIFY(!m_prefs.behaviour.displayCalculatorSampleInk);
}

void TestPrefDialog::decimalsAreClamped()
{
    m_prefs.behaviour.nbOfDecimals = 12;
    CalculatorTab tab(&m_prefs);
    QCOMPARE(m_prefs.behaviour.nbOfDecimals, 9);
    QSpinBox *decimals = tab.findChild<QSpinBox *>();
    decimals->setValue(0);
    QCOMPARE(m_prefs.behaviour.nbOfDecimals, 1);
}

void TestPrefDialog::trainingButtonFollowsTheSelection_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("text");
    QTest::newRow("shipped") << "Spanish es_ES" << true
                             << "&Start training " + fullLanguageName(QLocale("es_ES"));
    QTest::newRow("customised") << "_anna es_ES" << false << "&Start training";
    QTest::newRow("Hong Kong") << "Chinese zh_HK" << false << "&Start training";
}

void TestPrefDialog::trainingButtonFollowsTheSelection()
{
    QFETCH(QString, label);
    addLanguage(label, true);
    m_prefs.languageActions = m_languages->actions();
    LanguageTab tab(&m_prefs);
    QLabel *hint = tab.findChild<QLabel *>();
    tab.show();
    QVERIFY(hint->isVisible());
    tab.list()->clearSelection();
    QVERIFY(!tab.trainButton()->isEnabled());
    QVERIFY(hint->isVisible());
    tab.list()->setCurrentRow(3);
    QTEST(tab.trainButton()->isEnabled(), "enabled");
    QTEST(tab.trainButton()->text(), "text");
    QVERIFY(!hint->isVisible());
}

void TestPrefDialog::trainingButtonStartsTheSelectedLanguage()
{
    addLanguage(QStringLiteral("_anna fr_FR"), true);
    m_prefs.languageActions = m_languages->actions();
    const auto d = dialog(3, 2);
    d->show();
    QListWidget *list = d->languageTab()->list();
    QCOMPARE(list->item(3)->text(),
             fullLanguageName(QLocale("fr_FR")) + QStringLiteral(" - Customized"));
    QCOMPARE(list->item(1)->text(), fullLanguageName(QLocale("fr_FR")));
    QSignalSpy started(d->languageTab(), &LanguageTab::startTrainingMode);
    list->setCurrentRow(1);
    d->languageTab()->trainButton()->click();
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.first().first().value<QAction *>(), m_languages->actions().at(1));
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
}

void TestPrefDialog::uncheckingTheActiveLanguageChecksAnother()
{
    const auto d = dialog(2, 2);
    d->languageTab()->list()->item(0)->setCheckState(Qt::Unchecked);
    d->languageTab()->list()->item(2)->setCheckState(Qt::Checked);
    d->accept();
    const QList<QAction *> actions = m_languages->actions();
    QVERIFY(!actions.at(0)->isVisible());
    QVERIFY(actions.at(1)->isVisible());
    QVERIFY(actions.at(2)->isVisible());
    QVERIFY(!actions.at(0)->isChecked());
    QVERIFY(m_languages->checkedAction() && m_languages->checkedAction()->isVisible());
    QVERIFY(!m_services.preferences().activeLanguage);
}

QTEST_MAIN(TestPrefDialog)
#include "tst_prefdialog.moc"
