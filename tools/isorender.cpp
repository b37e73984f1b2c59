// Renders the boxed-character pad into a PNG: a row of small boxes holding
// typed characters, a character still in handwriting and empty boxes, then a
// row of double-size boxes with East Asian and widened Latin characters, then
// the same small row written right to left.
//
// Usage: scrivel_isorender [out.png]

#include "model/merging.h"
#include "model/resultbuilding.h"
#include "modes/isoupdater.h"
#include "pad/scrivelscene.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr double RowHeight = 1000.0;
constexpr double SceneWidth = 4000.0;
constexpr double Scale = 0.35;

RecognitionResult typed(const QString &label)
{
    return resultFromStroke(makeBoxStroke(QRectF(0, 0, 1, 1), 0), label, ResultNode::Character, 0);
}

// A handwritten "c" in the writing area of a box whose left edge is at x.
RecognitionResult handwritten(double x)
{
    QPainterPath path;
    const QPointF c(x + 225, 560);
    for (int i = 0; i <= 40; ++i) {
        const double a = 0.6 + i * (2 * M_PI - 1.2) / 40;
        const QPointF p = c + QPointF(150 * std::cos(a), -170 * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return resultFromStrokes({makePathStroke(path)}, QString(), ResultNode::Character, 0);
}

// One pad row: its controller lays the characters out and builds the boxes.
QImage renderRow(Qt::Alignment direction, bool doubleSize, const QList<RecognitionResult> &characters)
{
    ScrivelScene scene{ItemStyle()};
    IsoUpdater updater(BehaviourSettings(), &scene, direction);
    updater.changeBoxesSize(doubleSize);
    UpdateIdle show(updater.layoutInBoxes(mergeResults(characters, 1), true), 1);
    updater.processRequest(&show);

    const QRectF source = direction == Qt::AlignLeft ? QRectF(0, 0, SceneWidth, RowHeight)
                                         : QRectF(-SceneWidth, 0, SceneWidth, RowHeight);
    QImage image(QSize(int(SceneWidth * Scale), int(RowHeight * Scale)), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(image.rect()), source);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("iso.png");
    const QList<QImage> rows{
        renderRow(Qt::AlignLeft, false, {typed("a"), typed("b"), handwritten(1200), typed("1")}),
        renderRow(Qt::AlignLeft, true, {typed(QStringLiteral("日")), typed(QStringLiteral("\uff41")),
                            typed(QStringLiteral("本"))}),
        renderRow(Qt::AlignRight, false, {typed("a"), typed("b"), typed("c")}),
    };
    QImage sheet(rows.first().width(), rows.first().height() * int(rows.size()),
                 QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < rows.size(); ++i)
        painter.drawImage(0, i * rows.first().height(), rows.at(i));
    painter.end();
    if (!sheet.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s\n", qPrintable(out));
    return 0;
}
