#include "pad/animationeraserect.h"
#include "pad/animationinsertrect.h"
#include "pad/animationjointrect.h"
#include "pad/demoplayer.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"
#include "pad/updater.h"

#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

class MarkedUpdater : public Updater
{
public:
    using Updater::Updater;
    void recoResultEvent(const RecognitionResult &) override {}
    bool isDictionaryWord(const QString &word) const override
    {
        return word == QLatin1String("hello");
    }

protected:
    void requestOracle(const RecognitionResult &, const QList<StrokeItem *> &) override {}
    void buildTypeSet(TypeSetModes, const RecognitionResult &, const QList<StrokeItem *> &) override
    {
    }
    void resumeProcessing() override {}
};

// A pad's scene at scale 1, with a controller.
struct Pad
{
    // The scene owns the controller.
    Pad()
        : scene(new ScrivelScene(ItemStyle())),
          updater(*new MarkedUpdater(BehaviourSettings(), scene, Qt::AlignLeft)), view(scene)
    {
        scene->setSceneRect(0, 0, 800, 400);
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setFixedSize(800, 400);
        view.show();
    }
    ~Pad() { delete scene; }

    void press(QGraphicsItem *item)
    {
        scene->addItem(item);
        const QPoint at = view.mapFromScene(item->sceneBoundingRect().center());
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at);
    }

    QImage render()
    {
        QImage image(800, 400, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene->render(&painter, QRectF(0, 0, 800, 400), QRectF(0, 0, 800, 400));
        return image;
    }

    ScrivelScene *scene;
    MarkedUpdater &updater;
    QGraphicsView view;
};

} // namespace

class TestEditMarks : public QObject
{
    Q_OBJECT
private slots:
    void eraseMarkWidensNarrowWords_data();
    void eraseMarkWidensNarrowWords();
    void marksAreLeftButtonItemsAboveTheText();
    void pressPlaysTheGestureOfTheMark_data();
    void pressPlaysTheGestureOfTheMark();
    void marksPaintTheirSigns();
};

void TestEditMarks::eraseMarkWidensNarrowWords_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("narrow: a third of its height, centred")
        << QRectF(100, 0, 10, 300) << QRectF(55, 0, 100, 300);
    QTest::newRow("a third exactly") << QRectF(0, 0, 100, 300) << QRectF(0, 0, 100, 300);
    QTest::newRow("wide") << QRectF(0, 0, 400, 300) << QRectF(0, 0, 400, 300);
}

void TestEditMarks::eraseMarkWidensNarrowWords()
{
    QFETCH(QRectF, rect);
    QFETCH(QRectF, expected);
    Pad pad;
    AnimationEraseRect mark(&pad.updater);
    QCOMPARE(mark.boundingRect(), QRectF());
    QVERIFY(mark.text().isEmpty());
    mark.setRect(rect);
    QCOMPARE(mark.boundingRect(), expected);
    QCOMPARE(mark.crossSize(), rect.height() / 3);
}

void TestEditMarks::marksAreLeftButtonItemsAboveTheText()
{
    Pad pad;
    const AnimationEraseRect erase(&pad.updater);
    const AnimationInsertRect insert(&pad.updater);
    const AnimationJointRect joint(&pad.updater);
    const QList<const QGraphicsItem *> marks{&erase, &insert, &joint};
    for (int i = 0; i < marks.size(); ++i) {
        QCOMPARE(marks.at(i)->type(), QGraphicsItem::UserType + 8 + i);
        QCOMPARE(marks.at(i)->acceptedMouseButtons(), Qt::LeftButton);
        QCOMPARE(marks.at(i)->zValue(), 3.0);
        QVERIFY(!marks.at(i)->parentItem());
        QVERIFY(!marks.at(i)->scene());
    }
}

void TestEditMarks::pressPlaysTheGestureOfTheMark_data()
{
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("duration");
    QTest::newRow("erase over a dictionary word: delete") << "erase" << "hello" << 2 << 500;
    QTest::newRow("erase over other text") << "erase" << "xqz" << 2 << 2500;
    QTest::newRow("insert") << "insert" << "" << 1 << 500;
    QTest::newRow("joint") << "joint" << "" << 3 << 500;
}

void TestEditMarks::pressPlaysTheGestureOfTheMark()
{
    QFETCH(QString, mark);
    QFETCH(QString, word);
    QFETCH(int, kind);
    QFETCH(int, duration);
    Pad pad;
    const QRectF r(200, 100, 150, 120);
    QGraphicsItem *item = nullptr;
    if (mark == QLatin1String("erase")) {
        auto *erase = new AnimationEraseRect(&pad.updater);
        erase->setRect(r);
        erase->setText(word);
        item = erase;
    } else if (mark == QLatin1String("insert")) {
        auto *insert = new AnimationInsertRect(&pad.updater);
        insert->setRect(r);
        item = insert;
    } else {
        auto *joint = new AnimationJointRect(&pad.updater);
        joint->setRect(r);
        item = joint;
    }
    pad.press(item);

    const DemoPlayer *demo = pad.updater.demoPlayer();
    QCOMPARE(demo->kind(), kind);
    QCOMPARE(demo->duration(), duration);
    QVERIFY(demo->timeLine());
    QVERIFY(demo->stroke());
    pad.updater.stopDemo();
}

void TestEditMarks::marksPaintTheirSigns()
{
    Pad pad;
    auto *erase = new AnimationEraseRect(&pad.updater);
    erase->setRect(QRectF(20, 20, 200, 300));
    auto *insert = new AnimationInsertRect(&pad.updater);
    insert->setRect(QRectF(300, 20, 200, 300));
    auto *joint = new AnimationJointRect(&pad.updater);
    joint->setRect(QRectF(550, 20, 200, 300));
    for (QGraphicsItem *item : QList<QGraphicsItem *>{erase, insert, joint})
        pad.scene->addItem(item);
    const QImage image = pad.render();

    const QColor cross = image.pixelColor(120, 170);   // centre of the erase X
    QVERIFY(cross.red() > 100 && cross.green() < 60);
    const QColor tint = image.pixelColor(30, 30);      // the orange wash
    QVERIFY(tint.red() > 200 && tint.blue() < 220 && tint != QColor(Qt::white));
    const QColor v = image.pixelColor(400, 200);       // the V's lowest point
    QVERIFY(v.green() > 100 && v.red() < 60);
    const QColor x = image.pixelColor(650, 220);        // centre of the bottom square's X
    QVERIFY(x.red() > 100 && x.green() < 60);
    QCOMPARE(image.pixelColor(650, 60), QColor(Qt::white));
}

QTEST_MAIN(TestEditMarks)
#include "tst_editmarks.moc"
