#include "skin/svguirenderer.h"

#include "skinfixtures.h"

#include <QPainter>
#include <QTest>

class TestSvgUIRenderer : public QObject
{
    Q_OBJECT
private slots:
    void elementBounds_data();
    void elementBounds();
    void loadIfChanged();
    void clipFillsTheImage_data();
    void clipFillsTheImage();
    void rightToLeftMirrors();
    void rendersOncePerKey();
    void directionIsPartOfTheKey();
    void emptySizeIsNotCached();
    void maskFollowsAlpha();
    void rendererCacheSharesByFile();
    void evictedRendererStaysWithItsHolder();
    void drawsAtDevicePixelRatio();
};

void TestSvgUIRenderer::elementBounds_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QRectF>("bounds");
    QTest::newRow("whole document") << QString() << QString() << QRectF(0, 0, 100, 60);
    QTest::newRow("element") << "flag" << QString() << QRectF(0, 0, 40, 20);
    QTest::newRow("clip wins") << "sheet" << "sheet_third" << QRectF(20, 30, 10, 10);
    QTest::newRow("clip alone") << QString() << "sheet_middle" << QRectF(10, 30, 20, 10);
}

void TestSvgUIRenderer::elementBounds()
{
    QFETCH(QString, element);
    QFETCH(QString, clip);
    QFETCH(QRectF, bounds);
    SvgUIRenderer renderer;
    QCOMPARE(renderer.elementBounds(fixtureFile(), element, clip), bounds);
    QCOMPARE(renderer.currentFile(), fixtureFile());
}

void TestSvgUIRenderer::loadIfChanged()
{
    SvgUIRenderer renderer;
    QVERIFY(renderer.loadIfChanged(fixtureFile()));
    QVERIFY(renderer.isValid());
    QVERIFY(renderer.loadIfChanged(fixtureFile()));
    QVERIFY(!renderer.loadIfChanged(QStringLiteral(":/data/images/no-such-file.svg")));
    QCOMPARE(renderer.currentFile(), QStringLiteral(":/data/images/no-such-file.svg"));
    // The failed file is current now: asking again does not try to load it again.
    QVERIFY(renderer.loadIfChanged(QStringLiteral(":/data/images/no-such-file.svg")));
}

void TestSvgUIRenderer::clipFillsTheImage_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    // sheet_third is the blue square alone; sheet_middle holds the green and the blue one.
    QTest::newRow("third, centre") << "sheet_third" << QPoint(20, 10) << qRgb(0, 0, 255);
    QTest::newRow("third, corner") << "sheet_third" << QPoint(1, 1) << qRgb(0, 0, 255);
    QTest::newRow("middle, left") << "sheet_middle" << QPoint(8, 10) << qRgb(0, 255, 0);
    QTest::newRow("middle, right") << "sheet_middle" << QPoint(32, 10) << qRgb(0, 0, 255);
}

void TestSvgUIRenderer::clipFillsTheImage()
{
    QFETCH(QString, clip);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    SvgUIRenderer renderer;
    const QPixmap pixmap = renderer.renderElement(fixtureFile(), "sheet", clip, 40, 20,
                                                  Qt::LeftToRight);
    QCOMPARE(pixmap.size(), QSize(40, 20));
    QCOMPARE(pixelAt(pixmap, at.x(), at.y()), colour);
}

void TestSvgUIRenderer::rightToLeftMirrors()
{
    SvgUIRenderer renderer;
    const QPixmap ltr = renderer.renderElement(fixtureFile(), "flag", QString(), 40, 20,
                                               Qt::LeftToRight);
    const QPixmap rtl = renderer.renderElement(fixtureFile(), "flag", QString(), 40, 20,
                                               Qt::RightToLeft);
    QCOMPARE(pixelAt(ltr, 2, 10), qRgb(255, 0, 0));
    QCOMPARE(pixelAt(rtl, 2, 10), qRgb(0, 0, 255));
    QCOMPARE(rtl.toImage(), ltr.toImage().mirrored(true, false));
}

void TestSvgUIRenderer::rendersOncePerKey()
{
    SvgUIRenderer renderer;
    const QPixmap first = renderer.cachedPixmap(fixtureFile(), "disc", QString(), 4, 4,
                                                Qt::LeftToRight);
    const QPixmap again = renderer.cachedPixmap(fixtureFile(), "disc", QString(), 4, 4,
                                                Qt::LeftToRight);
    QCOMPARE(again.cacheKey(), first.cacheKey());
    const QPixmap larger = renderer.cachedPixmap(fixtureFile(), "disc", QString(), 64, 64,
                                                 Qt::LeftToRight);
    QCOMPARE(larger.size(), QSize(64, 64));
    // Scaled from the 4 x 4 rendering, not rendered afresh: only 16 x 16 blocks.
    QVERIFY(isBlockScaled(larger, 16));
    QVERIFY(!isBlockScaled(renderer.renderElement(fixtureFile(), "disc", QString(), 64, 64,
                                                  Qt::LeftToRight),
                           16));
    // The cache keeps the first size.
    QCOMPARE(renderer.cachedPixmap(fixtureFile(), "disc", QString(), 4, 4, Qt::LeftToRight)
                 .cacheKey(),
             first.cacheKey());
}

void TestSvgUIRenderer::directionIsPartOfTheKey()
{
    SvgUIRenderer renderer;
    const QPixmap ltr = renderer.cachedPixmap(fixtureFile(), "flag", QString(), 40, 20,
                                              Qt::LeftToRight);
    const QPixmap rtl = renderer.cachedPixmap(fixtureFile(), "flag", QString(), 40, 20,
                                              Qt::RightToLeft);
    QCOMPARE(pixelAt(ltr, 2, 10), qRgb(255, 0, 0));
    QCOMPARE(pixelAt(rtl, 2, 10), qRgb(0, 0, 255));
    const QBitmap ltrMask = renderer.cachedMask(fixtureFile(), "disc", QString(), 30, 30,
                                                Qt::LeftToRight);
    const QBitmap rtlMask = renderer.cachedMask(fixtureFile(), "disc", QString(), 30, 30,
                                                Qt::RightToLeft);
    QVERIFY(ltrMask.cacheKey() != rtlMask.cacheKey());
}

void TestSvgUIRenderer::emptySizeIsNotCached()
{
    SvgUIRenderer renderer;
    QVERIFY(renderer.cachedPixmap(fixtureFile(), "disc", QString(), 0, 0, Qt::LeftToRight)
                .isNull());
    QVERIFY(renderer.cachedMask(fixtureFile(), "disc", QString(), 0, 10, Qt::LeftToRight)
                .isNull());
    const QPixmap pixmap = renderer.cachedPixmap(fixtureFile(), "disc", QString(), 64, 64,
                                                 Qt::LeftToRight);
    QCOMPARE(pixmap.toImage(), renderer.renderElement(fixtureFile(), "disc", QString(), 64, 64,
                                                      Qt::LeftToRight)
                                   .toImage());
    const QBitmap mask = renderer.cachedMask(fixtureFile(), "disc", QString(), 64, 64,
                                             Qt::LeftToRight);
    QCOMPARE(mask.size(), QSize(64, 64));
    QVERIFY(QRegion(mask).contains(QPoint(32, 32)));
}

void TestSvgUIRenderer::maskFollowsAlpha()
{
    SvgUIRenderer renderer;
    const QBitmap mask = renderer.cachedMask(fixtureFile(), "disc", QString(), 30, 30,
                                             Qt::LeftToRight);
    QCOMPARE(mask.size(), QSize(30, 30));
    const QRegion region(mask);
    QVERIFY(region.contains(QPoint(15, 15)));
    QVERIFY(!region.contains(QPoint(1, 1)));
    QVERIFY(!region.contains(QPoint(28, 28)));
    const QBitmap scaled = renderer.cachedMask(fixtureFile(), "disc", QString(), 60, 60,
                                               Qt::LeftToRight);
    QCOMPARE(scaled.size(), QSize(60, 60));
    QVERIFY(QRegion(scaled).contains(QPoint(30, 30)));
    QVERIFY(!QRegion(scaled).contains(QPoint(2, 2)));
}

void TestSvgUIRenderer::rendererCacheSharesByFile()
{
    const auto first = SvgUIRenderer::rendererFor(fixtureFile());
    QCOMPARE(SvgUIRenderer::rendererFor(fixtureFile()), first);
    const auto loose = SvgUIRenderer::rendererFor(QString());
    QVERIFY(loose);
    QVERIFY(loose != SvgUIRenderer::rendererFor(QString()));
}

void TestSvgUIRenderer::evictedRendererStaysWithItsHolder()
{
    const QString file = QStringLiteral(":/data/images/held.svg");
    QSharedPointer<SvgUIRenderer> held = SvgUIRenderer::rendererFor(file);
    bool destroyed = false;
    connect(held.data(), &QObject::destroyed, this, [&destroyed] { destroyed = true; });
    for (int i = 0; i < 150; ++i)
        SvgUIRenderer::rendererFor(QStringLiteral(":/data/images/other%1.svg").arg(i));
    QVERIFY(!destroyed);
    QVERIFY(SvgUIRenderer::rendererFor(file) != held);
    QCOMPARE(held->elementBounds(fixtureFile(), "flag", QString()), QRectF(0, 0, 40, 20));
    held.reset();
    QVERIFY(destroyed);
}

void TestSvgUIRenderer::drawsAtDevicePixelRatio()
{
    SvgUIRenderer renderer;
    QImage target(80, 40, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2.0);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    renderer.drawElement(&painter, fixtureFile(), "flag", QString(), QSize(40, 20),
                         Qt::LeftToRight);
    painter.end();
    // Rendered at 80 x 40 device pixels, not scaled up from 40 x 20.
    const QPixmap cached = renderer.cachedPixmap(fixtureFile(), "flag", QString(), 80, 40,
                                                 Qt::LeftToRight);
    QCOMPARE(cached.toImage(), renderer.renderElement(fixtureFile(), "flag", QString(), 80, 40,
                                                      Qt::LeftToRight)
                                   .toImage());
    QCOMPARE(QColor(target.pixel(78, 20)), QColor(0, 0, 255));
    QCOMPARE(QColor(target.pixel(2, 20)), QColor(255, 0, 0));
}

QTEST_MAIN(TestSvgUIRenderer)
#include "tst_svguirenderer.moc"
