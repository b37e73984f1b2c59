#include "frozenpadclock.h"
#include "inkreader.h"
#include "writepadfixtures.h"
#include "modes/cursivecandidatesitem.h"
#include "modes/cursivelayoutanimation.h"
#include "modes/cursivetypesetitem.h"
#include "modes/cursiveupdater.h"
#include "pad/glyphmetrics.h"
#include "pad/hoverlabelitem.h"
#include "pad/padclock.h"
#include "modes/cursivewritepad.h"
#include "pad/penevent.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/typesetitem.h"
#include "skin/svguibutton.h"

#include <QGraphicsItemGroup>
#include "recognition/enginebinding.h"
#include "recognition/instantrecognizer.h"

#include <QAction>
#include <QHBoxLayout>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

using namespace writepadfixtures;

QList<QPointF> line(const QPointF &a, const QPointF &b, int n = 20)
{
    QList<QPointF> points;
    for (int i = 0; i < n; ++i)
        points << a + (b - a) * (double(i) / (n - 1));
    return points;
}

const QString Backspace = QString::fromUcs4(U"\U000F0002");
const QString Space = QString::fromUcs4(U"\U000F0003");
const QString Return = QString::fromUcs4(U"\U000F0004");

// Ink of the fixtures is drawn twice its size, its top left at the origin.
constexpr double InkScale = 2.0;
const QPointF Origin(100, 300);

} // namespace

// A cursive pad on the engine library, written with the mouse and the pen.
class Pad : public QObject
{
    Q_OBJECT
public:
    Pad()
        : magic("magic"),
          clear("clear"),
          pad(BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight, nullptr, &magic,
              &clear),
          status(&pad, &InputWidget::configStatus),
          exports(&pad, &InputWidget::exportModel)
    {
        magic.setCheckable(true);
        pad.initialize();
        pad.resize(1200, 300);
        pad.show();
    }

    bool configure(const QString &locale)
    {
        status.clear();
        pad.setLanguage(language(locale));
        return QTest::qWaitFor([this] { return !status.isEmpty() && status.last().at(0) != 0; },
                               20000)
               && status.last().at(0).toInt() == 1;
    }

    QPoint pixel(const QPointF &scenePoint) const
    {
        return pad.view()->mapFromScene(scenePoint);
    }

    void mouseStroke(const QList<QPointF> &scenePoints)
    {
        QWidget *vp = pad.view()->viewport();
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, pixel(scenePoints.first()));
        for (int i = 1; i + 1 < scenePoints.size(); ++i)
            QTest::mouseMove(vp, pixel(scenePoints.at(i)));
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, pixel(scenePoints.last()));
    }

    void penStroke(const QList<QPointF> &scenePoints)
    {
        const double perPixel = 2540.0 / pad.view()->viewport()->logicalDpiX();
        for (int i = 0; i < scenePoints.size(); ++i) {
            const QEvent::Type type = i == 0 ? PenEvent::pressType()
                : i + 1 == scenePoints.size() ? PenEvent::releaseType()
                                                : PenEvent::moveType();
            const QPointF at = pad.view()->mapFromScene(scenePoints.at(i));
            QCoreApplication::postEvent(pad.view(), new PenEvent(type, at * perPixel));
        }
        QCoreApplication::processEvents();
    }

    void write(const QList<Stroke> &ink, bool pen, const QPointF &at = Origin)
    {
        for (const Stroke &s : ink) {
            QList<QPointF> points;
            for (const QPointF &p : pointsOf(s))
                points << at + p * InkScale;
            if (pen)
                penStroke(points);
            else
                mouseStroke(points);
        }
    }

    // The last export once the controller is idle with nothing pending.
    RecognitionResult settledExport(int timeout = 20000)
    {
        return writepadfixtures::settledExport(pad, exports, timeout);
    }

    QAction magic;
    QAction clear;
    CursiveWritepad pad;
    QSignalSpy status;
    QSignalSpy exports;
};

class TestCursiveWritepad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void configuresForItsLanguage();
    void englishLine_data();
    void englishLine();
    void japaneseLine();
    void gestures_data();
    void gestures();
    void configurationChangeDuringALongRecognition();
    void tapsOnAWord();
    void typesetWordsAndTheirCandidates();
    void layoutGlidesTheWords();
    void padButtonsAndMagicMode();
    void padButtonsDeletedElsewhere_data();
    void padButtonsDeletedElsewhere();

private:
    QMap<QString, QList<Stroke>> latin;
    QMap<QString, QList<Stroke>> japanese;
};

void TestCursiveWritepad::initTestCase()
{
    QVERIFY(startEngine());
    latin = readInkFile(dataFile("latin.ink"));
    japanese = readInkFile(dataFile("japanese.ink"));
    QVERIFY(!latin.value("hello world").isEmpty());
    QVERIFY(!japanese.value("日").isEmpty());
}

void TestCursiveWritepad::cleanupTestCase()
{
    stopEngine();
}

void TestCursiveWritepad::configuresForItsLanguage()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    QCOMPARE(p.status.first().at(0).toInt(), 0);
    QVERIFY(!p.pad.scene()->isBlocked());
    QVERIFY(p.pad.isRecognizerBound());
    QCOMPARE(p.pad.configs()->checkedAction()->text(), QStringLiteral("Cursive"));

    // A language without configurations fails and leaves no recognizer bound.
    p.status.clear();
    p.pad.setLanguage(language("xx_YY"));
    QCOMPARE(p.status.size(), 1);
    QCOMPARE(p.status.first().at(0).toInt(), 2);
}

void TestCursiveWritepad::englishLine_data()
{
    QTest::addColumn<bool>("pen");
    QTest::newRow("mouse") << false;
    QTest::newRow("pen") << true;
}

void TestCursiveWritepad::englishLine()
{
    QFETCH(bool, pen);
    Pad p;
    QVERIFY(p.configure("en_US"));
    const QList<Stroke> ink = latin.value("hello world");
    p.write(ink, pen);
    const RecognitionResult r = p.settledExport();
    QCOMPARE(textOf(r), QStringLiteral("hello world "));

    const QList<Segment> words = r.root().segmentsOfType(ResultNode::Word);
    QVERIFY(words.size() >= 3);
    QCOMPARE(words.at(0).selectedCandidate().label(), QStringLiteral("hello"));
    QCOMPARE(words.at(2).selectedCandidate().label(), QStringLiteral("world"));
    QVERIFY(words.at(0).candidates().size() > 1);
    // The words' ink is the written strokes mapped back: hello has six.
    QCOMPARE(words.at(0).ink().strokes().size(), 6);
    QCOMPARE(words.at(2).ink().strokes().size(), ink.size() - 6);
    QCOMPARE(r.root().ink().strokes().size(), ink.size());
    const QRectF hello = words.at(0).ink().boundingRect();
    const QRectF written(Origin + QPointF(15, 24) * InkScale, QSizeF(104, 63) * InkScale);
    QVERIFY2(qAbs(hello.left() - written.left()) < 4 && qAbs(hello.bottom() - written.bottom()) < 4,
             qPrintable(QString("%1 %2").arg(hello.left()).arg(hello.bottom())));
}

void TestCursiveWritepad::japaneseLine()
{
    Pad p;
    QVERIFY(p.configure("ja_JP"));
    p.write(japanese.value("日"), false, Origin);
    p.write(japanese.value("十"), false, Origin + QPointF(250, 0));
    const RecognitionResult r = p.settledExport();
    QCOMPARE(textOf(r).trimmed(), QStringLiteral("日十"));
    const QList<Segment> characters = r.root().segmentsOfType(ResultNode::Character);
    QVERIFY(characters.size() >= 2);
    QCOMPARE(characters.first().ink().strokes().size(), japanese.value("日").size());
}

void TestCursiveWritepad::gestures_data()
{
    QTest::addColumn<bool>("written");
    QTest::addColumn<QList<QPointF>>("gesture");
    QTest::addColumn<QString>("text");
    // "hello world" lies from x 130 to 1260 and y 348 to 474; "world" starts
    // at 752, the "e" of "hello" ends at 338 and the first "l" starts at 376.
    QTest::newRow("strike-through erases a word")
        << true << line({730, 420}, {1290, 424}) << QStringLiteral("hello ");
    QTest::newRow("return adds a new line")
        << true << QList<QPointF>{{1600, 340}, {1604, 420}, {1606, 480}, {1500, 484}, {1400, 488}}
        << QString("hello world" + Return);
    QTest::newRow("insert bar splits a word")
        << true << line({357, 300}, {359, 520}) << QStringLiteral("he llo world ");
    // On an empty pad the keys act on the text already sent.
    QTest::newRow("backspace removes the last character")
        << false << line({700, 420}, {300, 416}) << Backspace;
    QTest::newRow("space key")
        << false << QList<QPointF>{{300, 300}, {310, 420}, {700, 430}, {710, 310}} << Space;
}

void TestCursiveWritepad::gestures()
{
    QFETCH(bool, written);
    QFETCH(QList<QPointF>, gesture);
    QFETCH(QString, text);
    Pad p;
    QVERIFY(p.configure("en_US"));
    FrozenPadClock clock;
    if (written) {
        p.write(latin.value("hello world"), false);
        QCOMPARE(textOf(p.settledExport()), QStringLiteral("hello world "));
        // Written ink is old enough to be a gesture's target.
        clock.advance(1600);
    }
    const int before = int(p.exports.size());
    p.mouseStroke(gesture);
    QVERIFY(QTest::qWaitFor([&] { return p.exports.size() > before; }, 10000));
    QCOMPARE(textOf(p.settledExport()), text);
}

void TestCursiveWritepad::configurationChangeDuringALongRecognition()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    // A long line: the five words written six times.
    const QList<Stroke> ink = latin.value("the quick brown fox jumps");
    QVERIFY(!ink.isEmpty());
    QSignalSpy sent(p.pad.updater(), &Updater::updateRecognitionResult);
    const int rows = 6;
    for (int row = 0; row < rows; ++row)
        p.write(ink, false, QPointF(100 + row * 800, 300));
    const int all = int(ink.size()) * rows;
    QVERIFY(QTest::qWaitFor(
        [&] {
            return !sent.isEmpty()
                   && sent.last().at(0).value<RecognitionResult>().root().ink().strokes().size()
                          == all;
        },
        20000));

    // Change to another language while the recognizer reads all of it.
    QElapsedTimer clock;
    clock.start();
    p.status.clear();
    p.pad.setLanguage(language("ja_JP"));
    const qint64 blocked = clock.elapsed();
    qInfo("configuration change took %lld ms", blocked);
    QVERIFY2(blocked < 100, qPrintable(QString::number(blocked)));

    // The new recognizer reads the ink again; no English reading arrives.
    QVERIFY(QTest::qWaitFor([&] { return p.status.last().at(0).toInt() == 1; }, 10000));
    p.exports.clear();
    p.write(japanese.value("十"), false, QPointF(100, 800));
    const RecognitionResult r = p.settledExport();
    QVERIFY2(textOf(r).contains("十"), qPrintable(textOf(r)));
    QVERIFY2(!textOf(r).contains("quick"), qPrintable(textOf(r)));
}

// A tap on a typeset word asks for its candidates and leaves no ink; the
// same word tapped again asks nothing, a third tap asks again. A word item
// deleted by a rebuild is no longer the tapped word.
void TestCursiveWritepad::tapsOnAWord()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    p.write(latin.value("hello world"), false);
    QCOMPARE(textOf(p.settledExport()), QStringLiteral("hello world "));
    auto *controller = p.pad.cursiveUpdater();
    QSignalSpy asked(controller, &CursiveUpdater::candidateListRequested);
    QGraphicsItem *hello = nullptr;
    auto typesetHello = [&] {
        for (QGraphicsItem *item : controller->wordGroup()->childItems()) {
            if (static_cast<TypeSetItem *>(item)->label() == "hello")
                hello = item;
        }
        return hello != nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(typesetHello(), 5000);
    const QPointF centre = hello->sceneBoundingRect().center();
    const QList<QPointF> tap{centre, centre + QPointF(5, 5), centre + QPointF(10, 0)};
    const int strokes = int(controller->model().root().ink().strokes().size());
    auto tapOnce = [&] {
        QTest::mouseMove(p.pad.view()->viewport(), p.pixel(centre));
        p.mouseStroke(tap);
        QCoreApplication::processEvents();
    };
    tapOnce();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().at(0).value<Segment>().selectedCandidate().label(), QStringLiteral("hello"));
    QCOMPARE(CursiveUpdater::lastTappedWord(), static_cast<TypeSetItem *>(hello));
    tapOnce();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(CursiveUpdater::lastTappedWord(), nullptr);
    tapOnce();
    QCOMPARE(asked.size(), 2);
    QCOMPARE(int(controller->model().root().ink().strokes().size()), strokes);
    QCOMPARE(controller->state(), Updater::State::Idle);

    UpdateIdle rebuild(controller->model(), 1);
    controller->processRequest(&rebuild);
    QCOMPARE(CursiveUpdater::lastTappedWord(), nullptr);
}

namespace {

QList<CursiveTypeSetItem *> typesetWords(QGraphicsScene *scene)
{
    QList<CursiveTypeSetItem *> words;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        if (item->type() != StyledItem::CursiveTypeSetItemType)
            continue;
        auto *word = static_cast<CursiveTypeSetItem *>(item);
        if (!word->label().trimmed().isEmpty())
            words << word;
    }
    return words;
}

int visibleStrokes(QGraphicsScene *scene)
{
    int n = 0;
    for (QGraphicsItem *item : scene->items())
        n += item->type() == StyledItem::StrokeItemType && item->isVisible();
    return n;
}

CursiveCandidatesItem *openList(ScrivelScene *scene)
{
    return dynamic_cast<CursiveCandidatesItem *>(scene->modalItem());
}

} // namespace

// Once the typeset time has passed every word is typeset text and no ink:
// a rebuild keeps the word items, a tap opens a word's list once, a second
// tap opens nothing, a third opens it again, and a candidate pressed in the
// list is the word of the next export.
void TestCursiveWritepad::typesetWordsAndTheirCandidates()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    PadClock::freeze(QTime::currentTime());
    p.write(latin.value("hello world"), false);
    QCOMPARE(textOf(p.settledExport()), QStringLiteral("hello world "));
    // Past the typeset time, short of the layout.
    PadClock::advance(1600);
    QCoreApplication::processEvents();
    auto *controller = p.pad.cursiveUpdater();
    QVERIFY(!controller->layoutAnimation()->timeLine());
    ScrivelScene *scene = p.pad.scene();
    const QList<CursiveTypeSetItem *> words = typesetWords(scene);
    QCOMPARE(words.size(), 2);
    QStringList labels{words.at(0)->label(), words.at(1)->label()};
    labels.sort();
    QCOMPARE(labels, (QStringList{"hello", "world"}));
    QCOMPARE(visibleStrokes(scene), 0);

    controller->typeSetTimeoutEvent();
    QVERIFY(typesetWords(scene) == words);

    CursiveTypeSetItem *hello = words.at(0)->label() == "hello" ? words.at(0) : words.at(1);
    const QPointF centre = hello->sceneBoundingRect().center();
    const QList<QPointF> tap{centre, centre + QPointF(5, 5), centre + QPointF(10, 0)};
    auto tapOnce = [&] {
        QTest::mouseMove(p.pad.view()->viewport(), p.pixel(centre));
        p.mouseStroke(tap);
        QCoreApplication::processEvents();
    };
    tapOnce();
    QVERIFY(openList(scene));
    QCOMPARE(openList(scene)->owner(), hello);
    QVERIFY(hello->areCandidatesOpen());
    QVERIFY(controller->sendHoldMask() & 4);
    // A rebuild while the list is open keeps it.
    controller->typeSetTimeoutEvent();
    QCOMPARE(openList(scene) ? openList(scene)->owner() : nullptr, hello);
    tapOnce();
    QVERIFY(!openList(scene));
    QVERIFY(!(controller->sendHoldMask() & 4));
    tapOnce();
    QVERIFY(openList(scene));
    QCOMPARE(visibleStrokes(scene), 0);

    const QList<HoverLabelItem *> choices = openList(scene)->labels();
    QVERIFY(!choices.isEmpty());
    const QString chosen = choices.first()->text();
    QVERIFY(chosen != QStringLiteral("hello"));
    p.exports.clear();
    const QPointF at = choices.first()->sceneBoundingRect().center();
    QTest::mouseMove(p.pad.view()->viewport(), p.pixel(at));
    QTest::mouseClick(p.pad.view()->viewport(), Qt::LeftButton, Qt::NoModifier, p.pixel(at));
    const RecognitionResult r = p.settledExport();
    PadClock::thaw();
    QCOMPARE(r.root().segmentsOfType(ResultNode::Word).value(0).selectedCandidate().label(),
             chosen);
    QCOMPARE(textOf(r), chosen + QStringLiteral(" world "));
}

// The layout timer starts the glide: frame 0 shows the words where they were
// typeset, frame 30 at their laid-out places; a pen-down mid-way jumps to
// the end and rebuilds the pad there.
void TestCursiveWritepad::layoutGlidesTheWords()
{
    Pad p;
    QVERIFY(p.configure("en_US"));
    PadClock::freeze(QTime::currentTime());
    p.write(latin.value("hello world"), false);
    QCOMPARE(textOf(p.settledExport()), QStringLiteral("hello world "));
    auto *controller = p.pad.cursiveUpdater();
    PadClock::advance(1600);
    QCoreApplication::processEvents();
    QVERIFY(controller->layoutTimer().isActive());
    QVERIFY(!controller->layoutAnimation()->timeLine());
    PadClock::advance(1000);
    QVERIFY(controller->layoutAnimation()->timeLine());
    QVERIFY(!controller->layoutTimer().isActive());

    const QList<CursiveTypeSetItem *> words = typesetWords(p.pad.scene());
    QCOMPARE(words.size(), 2);
    QList<QTransform> ends;
    QStringList labels;
    for (CursiveTypeSetItem *word : words) {
        labels << word->label();
        controller->layoutAnimation()->step(0);
        QCOMPARE(word->transform(), word->startTransform());
        controller->layoutAnimation()->step(CursiveLayoutAnimation::EndFrame);
        QCOMPARE(word->transform(), word->endTransform());
        ends << word->endTransform();
    }
    // The laid-out words stand on one line, the second after the first.
    QCOMPARE(ends.at(0).dy(), ends.at(1).dy());
    QVERIFY(ends.at(0).dx() != ends.at(1).dx());

    controller->layoutAnimation()->step(CursiveLayoutAnimation::EndFrame / 2);
    controller->penDownEvent();
    QVERIFY(!controller->layoutAnimation()->timeLine());
    const QList<CursiveTypeSetItem *> rebuilt = typesetWords(p.pad.scene());
    PadClock::thaw();
    QCOMPARE(rebuilt.size(), 2);
    // The words' ink now lies under their glyphs at the laid-out places.
    const QList<Segment> model = controller->model().root().segmentsOfType(ResultNode::Word);
    for (int i = 0; i < 2; ++i) {
        const QList<Segment>::const_iterator word =
            std::find_if(model.begin(), model.end(), [&](const Segment &s) {
                return s.selectedCandidate().label() == labels.at(i);
            });
        QVERIFY(word != model.end());
        QRectF glyphs;
        for (const QRectF &r : glyphBoxes(*word, ends.at(i)))
            glyphs |= r;
        QCOMPARE(word->ink().boundingRect(), glyphs);
        // The rebuilt item of the word stands at the word's end placement.
        const QList<CursiveTypeSetItem *>::const_iterator item =
            std::find_if(rebuilt.begin(), rebuilt.end(), [&](CursiveTypeSetItem *w) {
                return w->label() == labels.at(i);
            });
        QVERIFY(item != rebuilt.end());
        const QTransform at = (*item)->transform();
        QVERIFY2(qAbs(at.dx() - ends.at(i).dx()) < 0.01 && qAbs(at.dy() - ends.at(i).dy()) < 0.01,
                 qPrintable(QStringLiteral("%1 at (%2, %3), laid out at (%4, %5)")
                                .arg(labels.at(i)).arg(at.dx()).arg(at.dy())
                                .arg(ends.at(i).dx()).arg(ends.at(i).dy())));
        QVERIFY(qAbs(at.m11() - ends.at(i).m11()) < 1e-6);
        QVERIFY(qAbs(at.m22() - ends.at(i).m22()) < 1e-6);
    }
}

void TestCursiveWritepad::padButtonsAndMagicMode()
{
    Pad p;
    QWidget row;
    auto *bar = new QHBoxLayout(&row);
    p.pad.createPadButtons(bar, &row);
    QVERIFY(p.pad.clearButton() && p.pad.magicButton());
    QCOMPARE(p.pad.clearButton()->defaultAction(), &p.clear);
    QCOMPARE(p.pad.magicButton()->defaultAction(), &p.magic);
    QCOMPARE(bar->count(), 2);
    QVERIFY(row.minimumWidth() >= Writepad::BaseMinimumWidth);

    // The magic mode holds automatic sending and writes no ink.
    p.magic.setChecked(true);
    QVERIFY(p.pad.updater()->sendHoldMask() & 2);
    QCOMPARE(p.pad.scene()->noInkMode(), 2);
    p.magic.setChecked(false);
    QVERIFY(!(p.pad.updater()->sendHoldMask() & 2));
    QCOMPARE(p.pad.scene()->noInkMode(), 0);

    // Disabling the clear button ends the magic mode and disables it.
    p.magic.setChecked(true);
    p.pad.enableUndoButtonsEvent(Clear, false);
    QVERIFY(!p.pad.clearButton()->isEnabled());
    QVERIFY(!p.magic.isChecked());
    QVERIFY(!p.magic.isEnabled());
    QCOMPARE(p.pad.scene()->noInkMode(), 0);

    QSignalSpy undo(&p.pad, &InputWidget::undo);
    p.clear.trigger();
    QCOMPARE(undo.size(), 1);
    QCOMPARE(undo.first().at(0).value<UndoType>(), Clear);
}

void TestCursiveWritepad::padButtonsDeletedElsewhere_data()
{
    QTest::addColumn<bool>("wholeRow");
    QTest::newRow("the clear button") << false;
    QTest::newRow("the whole row") << true;
}

// The panel's row owns the buttons: once it has deleted them the pad neither
// deletes them again nor touches them, and makes new ones on request.
void TestCursiveWritepad::padButtonsDeletedElsewhere()
{
    QFETCH(bool, wholeRow);
    Pad p;
    auto *row = new QWidget;
    p.pad.createPadButtons(new QHBoxLayout(row), row);
    if (wholeRow)
        delete row;
    else
        delete p.pad.clearButton();
    QVERIFY(!p.pad.clearButton());
    p.pad.enableUndoButtonsEvent(Clear, true);
    p.magic.setChecked(true);
    p.magic.setChecked(false);

    QWidget next;
    auto *bar = new QHBoxLayout(&next);
    p.pad.createPadButtons(bar, &next);
    QVERIFY(p.pad.clearButton() && p.pad.magicButton());
    QCOMPARE(p.pad.clearButton()->parentWidget(), &next);
    QCOMPARE(p.pad.magicButton()->parentWidget(), &next);
    QCOMPARE(bar->count(), 2);
    if (!wholeRow)
        delete row;
}

QTEST_MAIN(TestCursiveWritepad)
#include "tst_cursivewritepad.moc"
