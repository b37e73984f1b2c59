#include "skin/svguiwidget.h"

#include "skinfixtures.h"

#include <QPainter>
#include <QTest>

class TestSvgUIWidget : public QObject
{
    Q_OBJECT
private slots:
    void construction();
    void sizeHint_data();
    void sizeHint();
    void paintsItsElement();
    void maskOffSetsNoMask();
    void autoMaskIsTheDrawnElement();
    void maskEnabledUsesTheDrawnFile();
    void paintMaskInto_data();
    void paintMaskInto();
};

void TestSvgUIWidget::construction()
{
    SvgUIWidget widget("fixture", "flag", "sheet_third");
    QCOMPARE(widget.file(), fixtureFile());
    QCOMPARE(widget.element(), QStringLiteral("flag"));
    QCOMPARE(widget.clip(), QStringLiteral("sheet_third"));
    QVERIFY(widget.maskFile().isEmpty());
    QCOMPARE(widget.overlayRect(), QRect(0, 0, 0, 0));
    QVERIFY(!widget.overlayColor().isValid());
    widget.setAttached(true);
    QVERIFY(widget.isAttached());
}

void TestSvgUIWidget::sizeHint_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<float>("sx");
    QTest::addColumn<float>("sy");
    QTest::addColumn<QSize>("hint");
    QTest::newRow("element") << "flag" << QString() << 1.0f << 1.0f << QSize(40, 20);
    QTest::newRow("clip") << "sheet" << "sheet_middle" << 1.0f << 1.0f << QSize(20, 10);
    QTest::newRow("scaled") << "flag" << QString() << 1.5f << 2.0f << QSize(60, 40);
    QTest::newRow("rounded") << "sheet" << "sheet_third" << 1.25f << 1.35f << QSize(13, 14);
    QTest::newRow("document") << QString() << QString() << 0.5f << 0.5f << QSize(50, 30);
}

void TestSvgUIWidget::sizeHint()
{
    QFETCH(QString, element);
    QFETCH(QString, clip);
    QFETCH(float, sx);
    QFETCH(float, sy);
    QFETCH(QSize, hint);
    SvgUIWidget widget("fixture", element, clip);
    widget.setScaleFactors(sx, sy);
    QCOMPARE(widget.sizeHint(), hint);
}

void TestSvgUIWidget::paintsItsElement()
{
    SvgUIWidget widget("fixture", "flag", QString());
    widget.resize(40, 20);
    QPixmap shot = widget.grab();
    QCOMPARE(pixelAt(shot, 2, 10), qRgb(255, 0, 0));
    QCOMPARE(pixelAt(shot, 38, 10), qRgb(0, 0, 255));
    SvgUIWidget mirrored("fixture", "flag", QString());
    mirrored.setLayoutDirection(Qt::RightToLeft);
    mirrored.resize(40, 20);
    shot = mirrored.grab();
    QCOMPARE(pixelAt(shot, 2, 10), qRgb(0, 0, 255));
}

void TestSvgUIWidget::maskOffSetsNoMask()
{
    QWidget host;
    host.show();
    auto *widget = new SvgUIWidget("fixture", "disc", QString(), &host);
    widget->setMaskSource("fixture", "auto");
    widget->setMaskEnabled(false);
    widget->show();
    widget->resize(30, 30);
    QVERIFY(widget->mask().isEmpty());
}

void TestSvgUIWidget::autoMaskIsTheDrawnElement()
{
    QWidget host;
    host.show();
    auto *widget = new SvgUIWidget("fixture", "disc", QString(), &host);
    widget->setMaskSource("fixture", "auto");
    QCOMPARE(widget->maskElement(), QStringLiteral("disc"));
    QCOMPARE(widget->maskFile(), fixtureFile());
    widget->show();
    widget->resize(30, 30);
    QVERIFY(widget->mask().contains(QPoint(15, 15)));
    QVERIFY(!widget->mask().contains(QPoint(1, 1)));
}

void TestSvgUIWidget::maskEnabledUsesTheDrawnFile()
{
    QWidget host;
    host.show();
    auto *widget = new SvgUIWidget("fixture", "flag", QString(), &host);
    widget->setMaskSource("other", "disc");
    widget->setMaskEnabled(true);
    QCOMPARE(widget->maskFile(), fixtureFile());
    QCOMPARE(widget->maskElement(), QStringLiteral("disc"));
    widget->show();
    widget->resize(30, 30);
    QVERIFY(widget->mask().contains(QPoint(15, 15)));
    QVERIFY(!widget->mask().contains(QPoint(1, 1)));
}

void TestSvgUIWidget::paintMaskInto_data()
{
    QTest::addColumn<QRect>("overlay");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");
    QTest::addColumn<QPoint>("untouched");
    // The disc is 30 x 30 at (10, 5) of the parent.
    QTest::newRow("whole") << QRect(0, 0, 0, 0) << QPoint(25, 20) << QPoint(11, 6)
                           << QPoint(55, 55);
    // Only the lower right quarter of the disc, from its centre.
    QTest::newRow("part") << QRect(15, 15, 15, 15) << QPoint(30, 25) << QPoint(39, 34)
                          << QPoint(20, 15);
}

void TestSvgUIWidget::paintMaskInto()
{
    QFETCH(QRect, overlay);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    QFETCH(QPoint, untouched);
    QWidget parent;
    parent.resize(60, 60);
    auto *widget = new SvgUIWidget("fixture", "disc", QString(), &parent);
    widget->setGeometry(10, 5, 30, 30);
    widget->setOverlay(overlay.x(), overlay.y(), overlay.width(), overlay.height(), Qt::red);
    QImage image(60, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    widget->paintMaskInto(&painter);
    QCOMPARE(image.pixel(inside), qRgb(255, 255, 255));
    widget->setMaskSource("fixture", "auto");
    widget->paintMaskInto(&painter);
    painter.end();
    QCOMPARE(QColor(image.pixel(inside)), QColor(0, 255, 0));
    // Source composition: the transparent parts of the shape replace what was there.
    QCOMPARE(qAlpha(image.pixel(outside)), 0);
    QCOMPARE(image.pixel(untouched), qRgb(255, 255, 255));
}

QTEST_MAIN(TestSvgUIWidget)
#include "tst_svguiwidget.moc"
