#include "pad/hoverlabelitem.h"
#include "pad/resultcandidatesitem.h"
#include "pad/resultitem.h"
#include "pad/scrivelscene.h"
#include "pad/typesetitem.h"

#include <QApplication>
#include <QGraphicsView>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>

#include <memory>

namespace {

const QRect Screen(0, 0, 1280, 1024);

Segment withCandidates(const QStringList &labels, int selected, const QRectF &inkBox)
{
    Segment segment;
    for (const QString &label : labels) {
        ResultNode node;
        node.setLabel(label);
        segment.appendCandidate(node);
    }
    segment.setSelectedCandidate(selected);
    segment.setInk(InkRange::fromStroke(makeBoxStroke(inkBox, 0)));
    return segment;
}

// Stands for a calculator typeset item, which the list is placed under.
class CalcItem : public QGraphicsRectItem
{
public:
    explicit CalcItem(const QRectF &r) : QGraphicsRectItem(r) { setPen(Qt::NoPen); }
    int type() const override { return StyledItem::CalcTypeSetItemType; }
};

// A pad's scene shown in a view of 1:1 scale at a place on the modelled screen.
struct Pad
{
    explicit Pad(const QPoint &at, const QSize &size = QSize(600, 300))
        : scene(new ScrivelScene(ItemStyle())), view(scene)
    {
        scene->setSceneRect(0, 0, size.width(), size.height());
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.setFixedSize(size);
        view.move(at);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    ~Pad() { delete scene; }

    ResultItem *result(const Segment &segment, const QRectF &calcRect)
    {
        scene->addItem(new CalcItem(calcRect));
        auto *typeset = new TypeSetItem(segment, ItemStyle(), Qt::AlignLeft);
        scene->addItem(typeset);
        auto *item = new ResultItem({typeset}, segment, ItemStyle());
        scene->addItem(item);
        typesetItem = typeset;
        return item;
    }

    ResultCandidatesItem *list() const
    {
        return dynamic_cast<ResultCandidatesItem *>(scene->modalItem());
    }

    int globalY(qreal sceneY) const
    {
        return view.viewport()->mapToGlobal(view.mapFromScene(QPointF(0, sceneY))).y();
    }

    ScrivelScene *scene;
    QGraphicsView view;
    TypeSetItem *typesetItem = nullptr;
};

const QStringList Labels{QStringLiteral("3"), QStringLiteral("8"), QStringLiteral("B"),
                         QStringLiteral("?")};

} // namespace

class TestCandidateList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void listLeavesOutTheSelectedCandidate();
    void labelBoxFollowsItsText();
    void pointerFollowedOnlyForUnknownResult_data();
    void pointerFollowedOnlyForUnknownResult();
    void opensCentredUnderTheTypesetItems();
    void staysOnTheScreenNearItsEdges_data();
    void staysOnTheScreenNearItsEdges();
    void labelsAndUnknownResultsFollowThePointer();
    void deletedTypesetItemIsNotHighlighted();
    void reportsTheChosenCandidateAndCloses();
    void pressElsewhereClosesTheList();
    void deletingTheResultClosesItsList();
    void destroyingTheSceneWithAListOpen();
};

void TestCandidateList::initTestCase()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), Screen);
}

void TestCandidateList::listLeavesOutTheSelectedCandidate()
{
    const ResultCandidatesItem list(withCandidates(Labels, 1, QRectF(0, 0, 50, 50)), ItemStyle());
    const QList<HoverLabelItem *> labels = list.labels();
    QCOMPARE(labels.size(), 3);
    const QList<int> indices{0, 2, 3};
    qreal x = 0;
    for (int i = 0; i < labels.size(); ++i) {
        QCOMPARE(labels.at(i)->index(), indices.at(i));
        QCOMPARE(labels.at(i)->text(), Labels.at(indices.at(i)));
        QVERIFY(labels.at(i)->isFramed());
        QCOMPARE(labels.at(i)->acceptedMouseButtons(), Qt::LeftButton);
        QCOMPARE(labels.at(i)->pos(), QPointF(x, 0));
        x += labels.at(i)->boundingRect().width() + 35;
    }
    QCOMPARE(list.zValue(), 3.0);
    QCOMPARE(list.labelsRect().right(), labels.last()->sceneBoundingRect().right());
}

void TestCandidateList::labelBoxFollowsItsText()
{
    const HoverLabelItem narrow(QStringLiteral("i"), ItemStyle());
    const HoverLabelItem wide(QStringLiteral("www"), ItemStyle());
    QCOMPARE(narrow.boundingRect().left(), 0.0);
    QVERIFY(narrow.boundingRect().width() > 80);
    QVERIFY(wide.boundingRect().width() > narrow.boundingRect().width() + 100);
    QCOMPARE(wide.boundingRect().height(), narrow.boundingRect().height());
    QVERIFY(wide.shape().contains(wide.boundingRect().center()));
    QVERIFY(!wide.shape().contains(wide.boundingRect().topLeft() + QPointF(2, 2)));
}

void TestCandidateList::pointerFollowedOnlyForUnknownResult_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("follows");
    QTest::newRow("unknown") << 3 << true;
    QTest::newRow("digit") << 0 << false;
    QTest::newRow("letter") << 2 << false;
}

void TestCandidateList::pointerFollowedOnlyForUnknownResult()
{
    QFETCH(int, selected);
    QFETCH(bool, follows);
    const ResultItem item({}, withCandidates(Labels, selected, QRectF(10, 20, 30, 40)),
                          ItemStyle());
    QCOMPARE(item.acceptHoverEvents(), follows);
    QCOMPARE(item.rect(), QRectF(10, 20, 30, 40));
}

void TestCandidateList::opensCentredUnderTheTypesetItems()
{
    Pad pad(QPoint(100, 100));
    const QRectF calc(50, 20, 300, 60);
    ResultItem *item = pad.result(withCandidates(Labels, 0, QRectF(60, 30, 40, 40)), calc);
    QSignalSpy reports(pad.scene, &ScrivelScene::selectedCandidateUpdate);

    item->showCandidates();
    ResultCandidatesItem *list = pad.list();
    QVERIFY(list);
    QCOMPARE(item->candidates(), list);
    const QRectF shown = item->candidatesRect();
    QCOMPARE(shown, list->mapRectToScene(list->labelsRect()));
    QCOMPARE(shown.top(), calc.bottom() + 60);
    QCOMPARE(shown.center().x(), calc.center().x());
    QVERIFY(pad.typesetItem->isHighlighted());
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.at(0).at(0).toInt(), int(ScrivelScene::CandidateShown));
    QCOMPARE(reports.at(0).at(2).toInt(), 0);
}

void TestCandidateList::staysOnTheScreenNearItsEdges_data()
{
    QTest::addColumn<QPoint>("viewAt");
    QTest::addColumn<QRectF>("calc");
    QTest::addColumn<QString>("place");
    QTest::newRow("room below") << QPoint(0, 0) << QRectF(50, 20, 300, 60) << "below";
    QTest::newRow("bottom edge, room above")
        << QPoint(680, 724) << QRectF(50, 200, 300, 60) << "above";
    QTest::newRow("bottom edge, no room above")
        << QPoint(0, 724) << QRectF(50, 20, 300, 200) << "screen bottom";
    QTest::newRow("below the screen") << QPoint(300, 900) << QRectF(50, 30, 300, 40)
                                      << "screen bottom";
}

void TestCandidateList::staysOnTheScreenNearItsEdges()
{
    QFETCH(QPoint, viewAt);
    QFETCH(QRectF, calc);
    QFETCH(QString, place);
    Pad pad(viewAt);
    ResultItem *item = pad.result(withCandidates(Labels, 0, QRectF(60, 30, 40, 40)), calc);
    item->showCandidates();
    const QRectF shown = item->candidatesRect();

    if (place == QLatin1String("below"))
        QCOMPARE(shown.top(), calc.bottom() + 60);
    else if (place == QLatin1String("above"))
        QCOMPARE(shown.bottom(), calc.top() - 20);
    else
        QCOMPARE(pad.globalY(shown.bottom() + 60), Screen.bottom());
    QVERIFY(pad.globalY(shown.bottom()) <= Screen.bottom());
    QCOMPARE(shown.center().x(), calc.center().x());
}

void TestCandidateList::labelsAndUnknownResultsFollowThePointer()
{
    Pad pad(QPoint(100, 100));
    ResultItem *item = pad.result(withCandidates(Labels, 3, QRectF(60, 30, 200, 60)),
                                  QRectF(50, 20, 300, 40));
    item->showCandidates();
    HoverLabelItem *label = pad.list()->labels().first();

    QTest::mouseMove(pad.view.viewport(), pad.view.mapFromScene(item->rect().center()));
    QTRY_VERIFY(item->isHovered());
    QTest::mouseMove(pad.view.viewport(),
                     pad.view.mapFromScene(label->sceneBoundingRect().center()));
    QTRY_VERIFY(label->isHovered());
    QVERIFY(!item->isHovered());
    QTest::mouseMove(pad.view.viewport(), QPoint(590, 290));
    QTRY_VERIFY(!label->isHovered());
}

void TestCandidateList::deletedTypesetItemIsNotHighlighted()
{
    Pad pad(QPoint(100, 100));
    ResultItem *item = pad.result(withCandidates(Labels, 0, QRectF(60, 30, 40, 40)),
                                  QRectF(50, 20, 300, 40));
    delete pad.typesetItem;
    item->showCandidates();
    QVERIFY(item->candidates());
    pad.scene->closeModalItem();
    QVERIFY(!item->candidates());
}

void TestCandidateList::reportsTheChosenCandidateAndCloses()
{
    Pad pad(QPoint(100, 100));
    const Segment segment = withCandidates(Labels, 0, QRectF(60, 30, 40, 40));
    ResultItem *item = pad.result(segment, QRectF(50, 20, 300, 40));
    item->showCandidates();
    const HoverLabelItem *label = pad.list()->labels().at(1);
    QCOMPARE(label->index(), 2);
    QSignalSpy reports(pad.scene, &ScrivelScene::selectedCandidateUpdate);
    QSignalSpy pen(pad.scene, &ScrivelScene::penDown);

    const QPoint at = pad.view.mapFromScene(label->sceneBoundingRect().center());
    QTest::mouseClick(pad.view.viewport(), Qt::LeftButton, {}, at);

    QCOMPARE(reports.size(), 2);
    QCOMPARE(reports.at(0).at(0).toInt(), int(ScrivelScene::CandidateChosen));
    QCOMPARE(reports.at(0).at(1).value<Segment>(), segment);
    QCOMPARE(reports.at(0).at(2).toInt(), 2);
    QCOMPARE(reports.at(1).at(0).toInt(), int(ScrivelScene::CandidateCleared));
    QVERIFY(!pad.scene->modalItem());
    QVERIFY(!item->candidates());
    QVERIFY(!pad.typesetItem->isHighlighted());
    QCOMPARE(pen.size(), 0);
}

void TestCandidateList::pressElsewhereClosesTheList()
{
    Pad pad(QPoint(100, 100));
    ResultItem *item = pad.result(withCandidates(Labels, 0, QRectF(60, 30, 40, 40)),
                                  QRectF(50, 20, 300, 40));
    item->showCandidates();
    QSignalSpy reports(pad.scene, &ScrivelScene::selectedCandidateUpdate);
    QTest::mouseClick(pad.view.viewport(), Qt::LeftButton, {}, QPoint(580, 280));
    QVERIFY(!pad.scene->modalItem());
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.at(0).at(0).toInt(), int(ScrivelScene::CandidateCleared));
}

void TestCandidateList::deletingTheResultClosesItsList()
{
    Pad pad(QPoint(100, 100));
    ResultItem *item = pad.result(withCandidates(Labels, 0, QRectF(60, 30, 40, 40)),
                                  QRectF(50, 20, 300, 40));
    item->showCandidates();
    const int before = pad.scene->items().size();
    const int listItems = 1 + pad.list()->labels().size();
    delete item;
    QVERIFY(!pad.scene->modalItem());
    QCOMPARE(pad.scene->items().size(), before - listItems - 1);
    QVERIFY(!pad.typesetItem->isHighlighted());
}

void TestCandidateList::destroyingTheSceneWithAListOpen()
{
    auto pad = std::make_unique<Pad>(QPoint(100, 100));
    ResultItem *item = pad->result(withCandidates(Labels, 0, QRectF(60, 30, 40, 40)),
                                   QRectF(50, 20, 300, 40));
    item->showCandidates();
    QSignalSpy reports(pad->scene, &ScrivelScene::selectedCandidateUpdate);
    pad.reset();
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.at(0).at(0).toInt(), int(ScrivelScene::CandidateCleared));
}

// The panel's screen is modelled at 1280 x 1024.
int main(int argc, char **argv)
{
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(R"({"screens": [{"name": "panel", "x": 0, "y": 0, "width": 1280,
                     "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestCandidateList test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_candidatelist.moc"
