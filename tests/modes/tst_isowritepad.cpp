#include "gesturescene.h"
#include "inkreader.h"
#include "isofixtures.h"
#include "writepadfixtures.h"
#include "modes/isoboxitem.h"
#include "modes/isoupdater.h"
#include "modes/isowritepad.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "recognition/enginebinding.h"

#include <QAction>
#include <QBoxLayout>
#include <QSignalSpy>
#include <QTest>

namespace {

using namespace writepadfixtures;

QList<QRectF> boxStrokeRects(const RecognitionResult &r)
{
    QList<QRectF> rects;
    for (const Segment &c : r.root().segmentsOfType(ResultNode::Character)) {
        for (const Stroke &s : c.ink().strokes()) {
            if (s.kind() == Stroke::Box)
                rects << s.boundingRect();
        }
    }
    return rects;
}

// Where box i of a row of small boxes starts, and its writing area.
QPointF smallBox(int i)
{
    return QPointF(100 + 550 * i, 120);
}

} // namespace

// A boxed pad on the engine library, written with the mouse.
class Pad
{
public:
    Pad()
        : pad(BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight, nullptr),
          status(&pad, &InputWidget::configStatus),
          exports(&pad, &InputWidget::exportModel)
    {
        pad.initialize();
        bar = new QHBoxLayout(&buttons);
        pad.resize(1400, 300);
        pad.show();
    }

    bool configure(const QString &locale)
    {
        status.clear();
        pad.setLanguage(language(locale));
        return QTest::qWaitFor([this] { return !status.isEmpty() && status.last().at(0) != 0; },
                               20000)
               && status.last().at(0).toInt() == 1
               && (pad.createPadButtons(bar, &buttons), true);
    }

    void mouseStroke(const QList<QPointF> &scenePoints)
    {
        QWidget *vp = pad.view()->viewport();
        auto pixel = [this](const QPointF &p) { return pad.view()->mapFromScene(p); };
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, pixel(scenePoints.first()));
        for (int i = 1; i + 1 < scenePoints.size(); ++i)
            QTest::mouseMove(vp, pixel(scenePoints.at(i)));
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, pixel(scenePoints.last()));
    }

    // A printed character in the writing area of a box starting at corner.
    void writePrinted(const QString &character, const QPointF &corner)
    {
        for (const QList<QPointF> &stroke : printedStrokes(character, 3.6, corner + QPointF(45, 200)))
            mouseStroke(stroke);
    }

    void writeInk(const QList<Stroke> &ink, const QPointF &corner, double size)
    {
        QRectF bounds;
        for (const Stroke &s : ink)
            bounds = bounds.united(s.boundingRect());
        const double scale = size / qMax(bounds.width(), bounds.height());
        for (const Stroke &s : ink) {
            QList<QPointF> points;
            for (const QPointF &p : pointsOf(s))
                points << corner + QPointF(60, 160) + (p - bounds.topLeft()) * scale;
            mouseStroke(points);
        }
    }

    // The last export once the controller is idle with nothing pending.
    RecognitionResult settled(int timeout = 20000)
    {
        return writepadfixtures::settledExport(pad, exports, timeout);
    }

    // The model once the resting pen has laid the characters out again.
    RecognitionResult relaidOut()
    {
        settled();
        const bool rested = QTest::qWaitFor(
            [this] { return !pad.isoUpdater()->inactivityTimer().isActive(); }, 5000);
        return rested ? settled() : RecognitionResult();
    }

    QPointF boxCorner(int i) const
    {
        const QList<IsoBoxItem *> boxes = pad.isoUpdater()->boxes();
        return i < boxes.size() ? boxes.at(i)->pos() : QPointF();
    }

    void useSmallBoxes()
    {
        if (QAction *big = pad.boxSizeAction())
            big->setChecked(false);
        pad.isoUpdater()->changeBoxesSize(false);
    }

    IsoWritepad pad;
    QWidget buttons;
    QHBoxLayout *bar;
    QSignalSpy status;
    QSignalSpy exports;
};

class TestIsoWritepad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void configures();
    void threeCharactersInSuccessiveBoxes();
    void doubleSizeBoxesWidenLettersAndDigits();
    void japaneseCharacters_data();
    void japaneseCharacters();

private:
    QMap<QString, QList<Stroke>> japanese;
};

void TestIsoWritepad::initTestCase()
{
    QVERIFY(startEngine());
    japanese = readInkFile(dataFile("japanese.ink"));
    QVERIFY(!japanese.value("日").isEmpty());
}

void TestIsoWritepad::cleanupTestCase()
{
    stopEngine();
}

void TestIsoWritepad::configures()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    QVERIFY(p.pad.isRecognizerBound());
    QCOMPARE(p.pad.configLabel(), p.pad.configs()->checkedAction()->text());
    // English boxes may be switched and start big, with the moon button checked.
    QVERIFY(p.pad.boxSizeSwitchable());
    QCOMPARE(p.pad.boxSize(), 2);
    QCOMPARE(p.pad.isoUpdater()->boxSizeMode(), 2);
    QVERIFY(p.pad.moonButton() && p.pad.moonButton()->isEnabled());
    QCOMPARE(p.pad.configButtons().size(), p.pad.configs()->actions().size());
    // The configuration tells the controller its size even when the action shows it already.
    p.pad.isoUpdater()->changeBoxesSize(false);
    p.pad.setConfig();
    QCOMPARE(p.pad.isoUpdater()->boxSizeMode(), 2);
}

void TestIsoWritepad::threeCharactersInSuccessiveBoxes()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    p.useSmallBoxes();
    const QStringList letters{"a", "b", "c"};
    for (int i = 0; i < letters.size(); ++i) {
        p.writePrinted(letters.at(i), smallBox(i));
        QCOMPARE(textOf(p.relaidOut()).size(), i + 1);
    }
    RecognitionResult r = p.settled();
    QCOMPARE(textOf(r), QStringLiteral("abc"));
    QCOMPARE(boxStrokeRects(r), (QList<QRectF>{{100, 120, 450, 760}, {650, 120, 450, 760},
                                               {1200, 120, 450, 760}}));
    QCOMPARE(p.pad.isoUpdater()->boxes().size(), 3 + IsoUpdater::SpareBoxes);

    // The shipped strike-through over the middle box erases it; the last letter moves back.
    const int before = int(p.exports.size());
    p.mouseStroke(pointsOf(gesturescene::demonstration(
        "deleteAnimationInk0", gesturescene::eraseMark(QRectF(650, 120, 450, 760)))));
    QVERIFY(QTest::qWaitFor([&] { return p.exports.size() > before; }, 10000));
    r = p.settled();
    QCOMPARE(textOf(r), QStringLiteral("ac"));
    QCOMPARE(boxStrokeRects(r),
             (QList<QRectF>{{100, 120, 450, 760}, {650, 120, 450, 760}}));
    QCOMPARE(p.pad.isoUpdater()->boxes().size(), 2 + IsoUpdater::SpareBoxes);
}

void TestIsoWritepad::doubleSizeBoxesWidenLettersAndDigits()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    QVERIFY(p.pad.boxSizeAction());
    p.pad.boxSizeAction()->setChecked(true);
    QCOMPARE(p.pad.isoUpdater()->boxSizeMode(), 2);
    p.writePrinted("a", p.boxCorner(0));
    QCOMPARE(textOf(p.relaidOut()).size(), 1);
    p.writePrinted("1", p.boxCorner(1));
    const RecognitionResult r = p.relaidOut();
    QCOMPARE(textOf(r), QStringLiteral("\uff41\uff11"));
    QCOMPARE(boxStrokeRects(r).value(1), QRectF(880, 120, 680, 760));
}

void TestIsoWritepad::japaneseCharacters_data()
{
    QTest::addColumn<QStringList>("characters");
    QTest::newRow("sun") << QStringList{"日"};
    QTest::newRow("ten, person") << QStringList{"十", "人"};
    QTest::newRow("sun, person, ten") << QStringList{"日", "人", "十"};
}

void TestIsoWritepad::japaneseCharacters()
{
    QFETCH(QStringList, characters);
    Pad p;
    QVERIFY(p.configure("ja_JP"));
    for (int i = 0; i < characters.size(); ++i) {
        p.writeInk(japanese.value(characters.at(i)), p.boxCorner(i), 420);
        QCOMPARE(textOf(p.relaidOut()).size(), i + 1);
    }
    const RecognitionResult r = p.relaidOut();
    QCOMPARE(textOf(r), characters.join(QString()));
    // East Asian characters take wide boxes.
    for (const QRectF &box : boxStrokeRects(r))
        QCOMPARE(box.width(), 680.0);
}

QTEST_MAIN(TestIsoWritepad)
#include "tst_isowritepad.moc"
