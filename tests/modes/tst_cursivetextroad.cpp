#include "cursivefixtures.h"
#include "modes/cursivecandidatechoice.h"
#include "modes/cursiveimport.h"
#include "modes/cursivelayout.h"
#include "modes/cursivelayoutanimation.h"
#include "modes/cursivemagicview.h"
#include "modes/cursivescreenfit.h"
#include "modes/cursiveupdater.h"
#include "modes/cursivewordlayout.h"
#include "pad/glyphmetrics.h"
#include "pad/padclock.h"
#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/animationeraserect.h"
#include "pad/strokeitem.h"

#include <QGraphicsView>
#include <QSignalSpy>
#include <QTest>

using namespace cursivefixtures;

namespace {

// Reads stroke i of every model as word i of its script, each word with one
// alternative: its label less the last letter.
class AlternativesRecognizer : public QObject
{
    Q_OBJECT
public:
    AlternativesRecognizer(CursiveUpdater *controller, const QStringList &words)
        : m_controller(controller), m_words(words)
    {
        connect(controller, &Updater::updateRecognitionResult, this, &AlternativesRecognizer::read);
    }

public slots:
    void read(const RecognitionResult &model)
    {
        QList<Segment> words;
        const QList<Stroke> strokes = model.root().ink().strokes();
        for (int i = 0; i < strokes.size(); ++i) {
            if (i > 0)
                words << space();
            const QString label = m_words.value(i, QStringLiteral("?"));
            Segment w = wordOn(label, {strokes.at(i)});
            ResultNode other;
            other.setType(ResultNode::Word);
            other.setLabel(label.chopped(1));
            w.appendCandidate(other);
            w.setSelectedCandidate(0);
            words << w;
        }
        RecognitionResult r = result(words, 40);
        r.layout().linePositions = {model.root().ink().boundingRect().bottom()};
        QMetaObject::invokeMethod(
            m_controller, [c = m_controller, r] { c->recoResultEvent(r); }, Qt::QueuedConnection);
    }

private:
    CursiveUpdater *m_controller;
    QStringList m_words;
};

QStringList labelsOf(const RecognitionResult &r)
{
    QStringList out;
    for (const Segment &w : r.root().segmentsOfType(ResultNode::Word))
        out.append(w.selectedCandidate().label());
    return out;
}

} // namespace

// Pad services of a panel window with a given geometry.
class PanelGeometryServices : public PadServices
{
public:
    QRect panel;
    QRect panelGeometry() const override { return panel; }
};

// The cursive text operations on models the pad controller built from written ink.
class TestCursiveTextRoad : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wordsAreSetSideBySide();
    void chosenCandidateReplacesTheWord();
    void narrowScreenBreaksTheLine();
    void screenChangeRefitsToThePanel_data();
    void screenChangeRefitsToThePanel();
    void mirroredImportReversesTheWords();
    void magicViewBoxesTheWords();
    void importedTextAgainstThePadIsMirrored_data();
    void importedTextAgainstThePadIsMirrored();
    void emptyImportClearsThePad();
    void magicButtonShowsAndRemovesSuggestions();

private:
    RecognitionResult writeHelloWorld();

    ScrivelScene *m_scene = nullptr;
    CursiveUpdater *m_controller = nullptr;
    AlternativesRecognizer *m_recognizer = nullptr;
    PanelGeometryServices m_services;
};

void TestCursiveTextRoad::init()
{
    PadClock::freeze(QTime(10, 0));
    m_services.panel = QRect();
    PadServices::setInstance(&m_services);
    m_scene = new ScrivelScene(ItemStyle());
    m_scene->setSceneRect(0, 0, 3000, 1000);
    m_controller = new CursiveUpdater(BehaviourSettings(), m_scene, Qt::AlignLeft);
    m_recognizer = new AlternativesRecognizer(m_controller, {"hello", "world"});
}

void TestCursiveTextRoad::cleanup()
{
    delete m_recognizer;
    delete m_controller;
    delete m_scene;
    PadServices::setInstance(nullptr);
    PadClock::thaw();
}

// "hello world", written, read and typeset on the pad.
RecognitionResult TestCursiveTextRoad::writeHelloWorld()
{
    QSignalSpy exports(m_controller, &Updater::exportModel);
    for (const QRectF &box : {QRectF(100, 400, 200, 100), QRectF(400, 400, 200, 100)}) {
        const int before = int(exports.size());
        auto *item = new StrokeItem(penStroke(box, PadClock::time()), QTransform(), m_scene->style());
        m_scene->addItem(item);
        m_controller->penDownEvent();
        m_controller->penUpEvent(item);
        PadClock::advance(100);
        if (!QTest::qWaitFor([&] { return exports.size() > before; }, 5000))
            return RecognitionResult();
    }
    // Past the typeset time of the last word, short of the layout.
    PadClock::advance(1600);
    return m_controller->model();
}

void TestCursiveTextRoad::wordsAreSetSideBySide()
{
    const RecognitionResult written = writeHelloWorld();
    QCOMPARE(labelsOf(written), (QStringList{"hello", " ", "world", " "}));
    QCOMPARE(written.cachedInk(TypesetInk), written.root().ink());

    const RecognitionResult start = layoutStartModel(written);
    const QList<QTransform> placements = layoutWordPlacements(start, false, Qt::AlignLeft);
    QCOMPARE(placements.size(), 4);
    const QList<Segment> words = start.root().segmentsOfType(ResultNode::Word);
    const double s = layoutScale(start.layout());
    const double helloX = wordStartX(words.at(0).ink(), Qt::AlignLeft);
    QCOMPARE(placements.at(0).dx(), helloX);
    QCOMPARE(placements.at(2).dx(), helloX + measureText(QStringLiteral("hello ")).right() * s);
    QCOMPARE(placements.at(0).dy(), start.layout().linePositions.at(0));
    QCOMPARE(placements.at(2).dy(), start.layout().linePositions.at(0));
    QVERIFY(placements.at(1).isIdentity());
}

void TestCursiveTextRoad::chosenCandidateReplacesTheWord()
{
    const RecognitionResult written = writeHelloWorld();
    const Segment world = written.root().segmentsOfType(ResultNode::Word).at(2);
    const RecognitionResult chosen = chooseCandidate(written, world, 1, PadClock::now());
    QCOMPARE(labelsOf(chosen), (QStringList{"hello", " ", "worl", " "}));
    QCOMPARE(chosen.root().ink(), written.root().ink());
    QVERIFY(chosen.cachedInk(TypesetInk).contains(world.ink()));
}

void TestCursiveTextRoad::narrowScreenBreaksTheLine()
{
    const RecognitionResult written = writeHelloWorld();
    const double s = layoutScale(written.layout());
    const double x0 = written.root().ink().boundingRect().left();
    const double width = x0 + s * measureText(QStringLiteral("hello wo")).width();
    const RecognitionResult broken = breakLinesForScreen(written, width);
    QCOMPARE(labelsOf(broken).mid(0, 3), (QStringList{"hello", "\n", "world"}));
    QCOMPARE(broken.layout().linePositions.size(), 2);

    const RecognitionResult placed = placeWordsForScreen(broken, true, Qt::AlignLeft);
    const QList<Segment> words = placed.root().segmentsOfType(ResultNode::Word);
    const QRectF hello = words.at(0).ink().boundingRect();
    const QRectF world = words.at(2).ink().boundingRect();
    QVERIFY(world.top() > hello.bottom());
    // Both lines begin at the text's start; only the first letters' bearings differ.
    QVERIFY(qAbs(world.left() - hello.left()) < 0.5 * hello.height());
}

void TestCursiveTextRoad::screenChangeRefitsToThePanel_data()
{
    QTest::addColumn<QString>("fits");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("narrow panel") << "hello wo" << QStringList{"hello", "\n", "world", " "};
    QTest::newRow("wide panel") << "hello world again" << QStringList{"hello", " ", "world", " "};
}

// The writing area is the panel window less 14 units on the left and 60 on the right; a
// screen change breaks the text to it.
void TestCursiveTextRoad::screenChangeRefitsToThePanel()
{
    QFETCH(QString, fits);
    QFETCH(QStringList, labels);
    QGraphicsView view(m_scene);
    view.setGeometry(0, 0, 1200, 300);
    const RecognitionResult written = writeHelloWorld();
    QCOMPARE(labelsOf(written), (QStringList{"hello", " ", "world", " "}));
    const double s = layoutScale(written.layout());
    const double x0 = written.root().ink().boundingRect().left();
    const int writingWidth = qCeil(x0 + s * measureText(fits).width());
    m_services.panel = QRect(0, 0, writingWidth + 14 + 60 + 1, 300);

    emit m_services.newScreenChanged();
    const RecognitionResult fitted = m_controller->model();
    QCOMPARE(labelsOf(fitted), labels);
    QCOMPARE(fitted.cachedInk(SettledInk), fitted.root().ink());
    const QList<Segment> words = fitted.root().segmentsOfType(ResultNode::Word);
    const bool broken = labels.at(1) == QStringLiteral("\n");
    QCOMPARE(words.at(2).ink().boundingRect().top() > words.at(0).ink().boundingRect().bottom(),
             broken);
}

void TestCursiveTextRoad::mirroredImportReversesTheWords()
{
    const RecognitionResult written = writeHelloWorld();
    QVERIFY(needsMirroring(written, Qt::AlignRight));
    const RecognitionResult mirrored = mirrorLineWords(written);
    QStringList words = labelsOf(mirrored);
    words.removeAll(QStringLiteral(" "));
    QCOMPARE(words, (QStringList{"world", "hello"}));
    QCOMPARE(mirrored.root().ink(), written.root().ink());
}

void TestCursiveTextRoad::magicViewBoxesTheWords()
{
    const RecognitionResult written = writeHelloWorld();
    const MagicWordBoxes boxes = buildMagicWordBoxes(written, Qt::AlignLeft);
    QCOMPARE(boxes.labels, (QStringList{"hello", "world", ""}));
    QCOMPARE(boxes.boxes.at(0).top(), boxes.boxes.at(1).top());
    QVERIFY(boxes.boxes.at(0).right() < boxes.boxes.at(1).left());
}

void TestCursiveTextRoad::importedTextAgainstThePadIsMirrored_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("right to left") << int(Qt::AlignRight) << QStringList{"world", "hello"};
    QTest::newRow("left to right") << int(Qt::AlignLeft) << QStringList{"hello", "world"};
    QTest::newRow("centred") << int(Qt::AlignCenter) << QStringList{"hello", "world"};
}

void TestCursiveTextRoad::importedTextAgainstThePadIsMirrored()
{
    QFETCH(int, alignment);
    QFETCH(QStringList, words);
    RecognitionResult imported = writeHelloWorld();
    imported.layout().alignment = alignment;
    QSignalSpy exports(m_controller, &Updater::exportModel);
    m_controller->importModelEvent(imported);
    QStringList labels = labelsOf(m_controller->model());
    labels.removeAll(QStringLiteral(" "));
    QCOMPARE(labels, words);
    QCOMPARE(m_controller->model().root().ink().strokes().size(),
             imported.root().ink().strokes().size());
}

void TestCursiveTextRoad::emptyImportClearsThePad()
{
    writeHelloWorld();
    m_controller->importModelEvent(RecognitionResult());
    QVERIFY(m_controller->model().root().ink().isEmpty());
    for (QGraphicsItem *item : m_scene->items())
        QVERIFY(item->type() != StyledItem::StrokeItemType);
}

void TestCursiveTextRoad::magicButtonShowsAndRemovesSuggestions()
{
    writeHelloWorld();
    m_controller->magicButtonEvent(true);
    QVERIFY(m_controller->markGroup());
    QStringList texts;
    for (QGraphicsItem *item : m_controller->markGroup()->childItems()) {
        QCOMPARE(item->type(), int(StyledItem::AnimationEraseRectType));
        texts << static_cast<AnimationEraseRect *>(item)->text();
    }
    QCOMPARE(texts, (QStringList{"hello", "world"}));
    m_controller->magicButtonEvent(false);
    QVERIFY(!m_controller->markGroup());
    for (QGraphicsItem *item : m_scene->items())
        QVERIFY(item->type() != StyledItem::AnimationEraseRectType);
}

QTEST_MAIN(TestCursiveTextRoad)
#include "tst_cursivetextroad.moc"
