// Renders the glyphs of the Hershey Japanese font as a pen writes them, with bare Zinnia's
// first guesses on each, into PNG sheets (to identify the glyphs by eye):
//   scrivel_jaglyphsheet <japanese.jhf> <zinnia model> <out prefix> [first glyph] [count]
// Strokes go from blue to red in writing order; a dot marks where each starts. Each cell
// also shows the glyph's number, its stroke count and the guesses, best first.

#include "engine/tools/barezinnia.h"
#include "engine/tools/brushglyph.h"
#include "engine/tools/hersheyfont.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

const int columns = 8;
const int cell = 170;
const float glyphSide = 110;

void drawCell(QPainter &p, int x, int y, int number, const zk::InkStrokes &pen,
              const std::vector<std::pair<std::string, float>> &guesses)
{
    p.setPen(QColor(200, 200, 200));
    p.drawRect(x, y, cell - 1, cell - 1);
    const float scale = glyphSide / 32.0f;
    const QPointF origin(x + 10 + glyphSide / 2, y + 10 + glyphSide / 2);
    for (size_t i = 0; i < pen.size(); ++i) {
        const int shade = pen.size() > 1 ? int(255 * i / (pen.size() - 1)) : 0;
        QColor colour(shade, 0, 255 - shade);
        p.setPen(QPen(colour, 2.5));
        for (size_t k = 1; k < pen[i].size(); ++k)
            p.drawLine(origin + QPointF(pen[i][k - 1].x, pen[i][k - 1].y) * scale,
                       origin + QPointF(pen[i][k].x, pen[i][k].y) * scale);
        p.setBrush(colour);
        p.drawEllipse(origin + QPointF(pen[i][0].x, pen[i][0].y) * scale, 3.5, 3.5);
        p.setBrush(Qt::NoBrush);
    }
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    p.drawText(x + 4, y + 14, QStringLiteral("%1  (%2)").arg(number).arg(pen.size()));
    p.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 15));
    QString line;
    for (size_t i = 0; i < guesses.size() && i < 5; ++i)
        line += QString::fromStdString(guesses[i].first);
    p.drawText(x + 4, y + cell - 30, line);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    if (!guesses.empty())
        p.drawText(x + 4, y + cell - 8,
                   QStringLiteral("%1").arg(double(guesses[0].second), 0, 'f', 2));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s <japanese.jhf> <zinnia model> <out prefix> [first] [count]\n",
                     argv[0]);
        return 2;
    }
    zk::HersheyFont font;
    zk::BareZinnia zinnia(argv[2]);
    if (!font.load(argv[1]) || !zinnia.isOpen()) {
        std::fprintf(stderr, "cannot read %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    const int total = int(font.sequence().size());
    const int first = argc > 4 ? std::atoi(argv[4]) : 0;
    const int count = std::min(total - first, argc > 5 ? std::atoi(argv[5]) : total);
    if (first < 0 || count <= 0)
        return 2;
    const int rows = (count + columns - 1) / columns;
    QImage image(columns * cell, rows * cell, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < count; ++i) {
        const zk::InkStrokes pen = zk::BrushGlyph::penStrokes(font.sequence()[size_t(first + i)]);
        const auto guesses = zinnia.classify(pen, {-16, -16, 16, 16}, 5);
        drawCell(p, (i % columns) * cell, (i / columns) * cell, first + i, pen, guesses);
        std::printf("%d %zu", first + i, pen.size());
        for (const auto &g : guesses)
            std::printf(" %s:%.2f", g.first.c_str(), double(g.second));
        std::printf("\n");
    }
    p.end();
    const QString out = QStringLiteral("%1-%2.png").arg(QString::fromLocal8Bit(argv[3])).arg(first);
    return image.save(out) ? 0 : 1;
}
