#include "skin/layeredlayout.h"

#include <QHBoxLayout>
#include <QTest>

// A widget whose size hint is fixed, to stack in a layered layout.
class FixedHint : public QWidget
{
public:
    explicit FixedHint(QSize hint) : m_hint(hint) {}
    QSize sizeHint() const override { return m_hint; }

private:
    QSize m_hint;
};

class TestLayeredLayout : public QObject
{
    Q_OBJECT
private slots:
    void stacksLayers();
    void indices_data();
    void indices();
};

void TestLayeredLayout::stacksLayers()
{
    QWidget host;
    auto *layout = new LayeredLayout(&host);
    auto *wide = new FixedHint(QSize(100, 20));
    auto *tall = new FixedHint(QSize(40, 60));
    layout->addWidgetLayer(wide);
    auto *inner = new QHBoxLayout;
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(tall);
    layout->addLayoutLayer(inner);
    layout->addLayoutLayer(nullptr);
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->sizeHint(), QSize(100, 60));
    QCOMPARE(LayeredLayout().sizeHint(), QSize(-1, -1));
    QCOMPARE(layout->expandingDirections(), Qt::Horizontal | Qt::Vertical);

    layout->setGeometry(QRect(5, 5, 300, 80));
    QCOMPARE(wide->geometry(), QRect(5, 5, 300, 80));
    QCOMPARE(tall->geometry(), QRect(5, 5, 300, 80));
}

void TestLayeredLayout::indices_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("valid");
    QTest::newRow("negative") << -1 << false;
    QTest::newRow("count") << 2 << false;
    QTest::newRow("first") << 0 << true;
    QTest::newRow("last") << 1 << true;
}

void TestLayeredLayout::indices()
{
    QFETCH(int, index);
    QFETCH(bool, valid);
    QWidget host;
    auto *layout = new LayeredLayout(&host);
    auto *a = new QWidget;
    auto *b = new QWidget;
    layout->addWidgetLayer(a);
    layout->addWidgetLayer(b);
    QCOMPARE(layout->itemAt(index) != nullptr, valid);
    QLayoutItem *taken = layout->takeAt(index);
    QCOMPARE(taken != nullptr, valid);
    QCOMPARE(layout->count(), valid ? 1 : 2);
    if (valid)
        QCOMPARE(taken->widget(), index == 0 ? a : b);
    delete taken;
}

QTEST_MAIN(TestLayeredLayout)
#include "tst_layeredlayout.moc"
