#include "pad/minikeyboard.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/updater.h"
#include "pad/writepad.h"
#include "skin/svguibutton.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A controller whose character boxes are 200 units wide and start at x 0.
class BoxController : public Updater
{
public:
    using Updater::Updater;
    // Boxes of BoxWidth from 0 on: the one after x, or from the end the one before it.
    QRectF boxRectAt(double x, bool fromEnd) const override
    {
        const int at = qMax(0, int(x)) / BoxWidth;
        const int box = fromEnd ? qMax(0, at - 1) : at + 1;
        return QRectF(box * BoxWidth, 0, BoxWidth, 1000);
    }
    void recoResultEvent(const RecognitionResult &) override {}
    static constexpr int BoxWidth = 200;

protected:
    void requestOracle(const RecognitionResult &, const QList<StrokeItem *> &) override {}
    void buildTypeSet(TypeSetModes, const RecognitionResult &, const QList<StrokeItem *> &) override
    {
    }
    void resumeProcessing() override {}
};

class BoxPad : public Writepad
{
public:
    explicit BoxPad(bool arrows, QAction *keypad = nullptr)
        : Writepad(IsolatedMode, BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight,
                   keypad)
    {
        setShowArrows(arrows);
    }

protected:
    void initializeSpecificConnections() override
    {
        setUpdater(new BoxController(behaviour(), scene(), Qt::AlignLeft));
    }
};

// Stands for a recognizer the pad no longer has.
class Announcer : public QObject
{
    Q_OBJECT
signals:
    void configured(bool ok);
};

} // namespace

// The writing pad base: its settings, its recognizer binding and its arrows.
class TestWritepad : public QObject
{
    Q_OBJECT
private slots:
    void lastConfigMap();
    void settingsWithoutConfigurations();
    void onlyTheCurrentRecognizerBinds();
    void arrowsHideWhenAllInkFits();
    void tapOnAnArrowScrollsToTheNextBox();
    void miniKeyboardShowsOverAnEmptyPad();
};

void TestWritepad::lastConfigMap()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
    QVariantMap map;
    Writepad::defaultLastConfig(map);
    QCOMPARE(map.value("lastConfig").toString(), QStringLiteral("free"));
    Writepad::readLastConfig(settings, map);
    QCOMPARE(map.value("lastConfig").toString(), QStringLiteral("free"));
    map["lastConfig"] = "Cursive";
    Writepad::saveLastConfig(settings, map);
    QVariantMap read;
    Writepad::readLastConfig(settings, read);
    QCOMPARE(read.value("lastConfig").toString(), QStringLiteral("Cursive"));
    QVariantMap none;
    settings.clear();
    Writepad::saveLastConfig(settings, none);
    QVERIFY(!settings.contains("lastConfig"));
}

void TestWritepad::settingsWithoutConfigurations()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
    BoxPad pad(false);
    pad.initialize();
    // Nothing checked: nothing written.
    pad.saveSettings(settings);
    QVERIFY(!settings.contains("lastConfig"));
    settings.setValue("lastConfig", "Isolated");
    pad.loadSettings(settings);
    QCOMPARE(pad.lastConfig(), QStringLiteral("Isolated"));
    // A filled list keeps its own choice.
    auto *config = new Config(pad.configs());
    config->setCheckable(true);
    config->setChecked(true);
    config->setText("Cursive");
    settings.setValue("lastConfig", "Other");
    pad.loadSettings(settings);
    QCOMPARE(pad.lastConfig(), QStringLiteral("Isolated"));
    pad.saveSettings(settings);
    QCOMPARE(settings.value("lastConfig").toString(), QStringLiteral("Cursive"));
}

// An announcement that does not come from the pad's current recognizer
// neither binds nor reports a status.
void TestWritepad::onlyTheCurrentRecognizerBinds()
{
    BoxPad pad(false);
    pad.initialize();
    QSignalSpy status(&pad, &InputWidget::configStatus);
    Announcer stale;
    connect(&stale, &Announcer::configured, &pad, &Writepad::bindRecognizer);
    emit stale.configured(false);
    emit stale.configured(true);
    QVERIFY(status.isEmpty());
    QVERIFY(!pad.isRecognizerBound());
    QVERIFY(!pad.scene()->isBlocked());
}

void TestWritepad::arrowsHideWhenAllInkFits()
{
    BoxPad pad(true);
    pad.initialize();
    pad.resize(600, 150);
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    QVERIFY(pad.prevButton() && pad.nextButton());
    pad.scene()->addRect(0, 0, 500, 1000);
    pad.view()->setOrigin(120, 0);
    pad.resize(601, 150);
    QTRY_VERIFY(pad.prevButton()->isHidden());
    QVERIFY(pad.nextButton()->isHidden());
    QCOMPARE(pad.view()->origin(), QPointF(0, 0));
}

void TestWritepad::tapOnAnArrowScrollsToTheNextBox()
{
    BoxPad pad(true);
    pad.initialize();
    pad.resize(600, 150);
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    pad.scene()->addRect(0, 0, 20000, 1000);
    pad.resize(601, 150);
    QTRY_VERIFY(pad.nextButton()->isVisible());
    QVERIFY(pad.atStart());
    QVERIFY(!pad.prevButton()->isEnabled());

    QTest::mouseClick(pad.nextButton(), Qt::LeftButton);
    // Press and release moved the origin by 15 and 17; the release aims at
    // the next box boundary, reached in seven steps of 20 ms.
    QCOMPARE(pad.scrollTarget(), BoxController::BoxWidth);
    QVERIFY(pad.scene()->isBlocked());
    QTRY_COMPARE(pad.scrollSpeed(), 0.0f);
    QCOMPARE(pad.view()->origin(), QPointF(BoxController::BoxWidth, 0));
    QVERIFY(!pad.scene()->isBlocked());
    QVERIFY(pad.prevButton()->isEnabled());
}

void TestWritepad::miniKeyboardShowsOverAnEmptyPad()
{
    QAction keypad("keypad");
    keypad.setCheckable(true);
    BoxPad pad(false, &keypad);
    pad.initialize();
    pad.show();
    QVERIFY(pad.miniKeyboard());
    QVERIFY(pad.miniKeyboard()->isHidden());

    RecognitionResult written;
    Segment root;
    root.addInk(InkRange::fromStroke(makeBoxStroke(QRectF(0, 0, 10, 10), 0)));
    written.setRoot(root);
    keypad.setChecked(true);
    QVERIFY(pad.miniKeyboard()->isVisible());
    pad.importModelEvent(written);
    QVERIFY(pad.miniKeyboard()->isHidden());
    pad.importModelEvent(RecognitionResult());
    QVERIFY(pad.miniKeyboard()->isVisible());
    keypad.setChecked(false);
    QVERIFY(pad.miniKeyboard()->isHidden());
    pad.importModelEvent(RecognitionResult());
    QVERIFY(pad.miniKeyboard()->isHidden());

    // Writing hides it.
    keypad.setChecked(true);
    emit pad.updater()->hideMiniKeyboard();
    QVERIFY(pad.miniKeyboard()->isHidden());
}

QTEST_MAIN(TestWritepad)
#include "tst_writepad.moc"
