// Renders a cursive pad to a PNG: typeset words laid out on their line, a
// word still as ink, and the open candidate list of one word with its
// dictionary star. Usage: scrivel_cursivewordsrender <out.png> [rtl]

#include "model/resultbuilding.h"
#include "modes/cursivelayout.h"
#include "modes/cursivetypesetitem.h"
#include "modes/cursivewordlayout.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cstdio>

namespace {

// Scene units as the pad uses them; the picture is drawn at half size, as a view shows it.
constexpr double ReferenceHeight = 110;
constexpr double Baseline = 380;
constexpr double PictureScale = 0.5;

// A wavy pen stroke standing for a handwritten word over the rectangle.
Stroke cursiveStroke(const QRectF &r)
{
    QPainterPath path;
    const int loops = 5;
    for (int i = 0; i <= loops * 20; ++i) {
        const double t = double(i) / (loops * 20);
        const double phase = t * loops * 2 * M_PI;
        const QPointF p(r.left() + t * r.width() + r.width() / 30 * qSin(phase),
                        r.center().y() - r.height() / 2 * qCos(phase));
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    return makePathStroke(path);
}

Segment wordSegment(const QStringList &candidates, const Stroke &ink)
{
    Segment w;
    for (const QString &label : candidates) {
        ResultNode n;
        n.setType(ResultNode::Word);
        n.setLabel(label);
        w.appendCandidate(n);
    }
    w.setSelectedCandidate(0);
    w.setInk(InkRange::fromStroke(ink));
    return w;
}

Segment separator(const QString &label)
{
    Segment s;
    ResultNode n;
    n.setType(ResultNode::Word);
    n.setLabel(label);
    s.appendCandidate(n);
    s.selectLastCandidate();
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("cursive-words.png");
    const bool rtl = argc > 2 && QByteArray(argv[2]) == "rtl";
    const int direction = rtl ? Qt::AlignRight : Qt::AlignLeft;

    const QStringList texts = rtl ? QStringList{"مرحبا", "عالم", "جديد"}
                                  : QStringList{"hello", "world", "again"};
    const QList<QStringList> candidates =
        rtl ? QList<QStringList>{{texts[0]}, {texts[1], "علم", "عالمي"}, {texts[2]}}
            : QList<QStringList>{{texts[0]}, {texts[1], "word", "wold", "World"}, {texts[2]}};
    // Written left to right, or right to left from x 1300.
    const QList<QRectF> inkBoxes = rtl
        ? QList<QRectF>{{2300, 250, 500, 160}, {1650, 250, 520, 160}, {900, 250, 560, 160}}
        : QList<QRectF>{{150, 250, 500, 160}, {800, 250, 520, 160}, {1500, 250, 560, 160}};

    ResultNode text;
    text.setType(ResultNode::Text);
    QList<Segment> words;
    for (int i = 0; i < texts.size(); ++i) {
        if (i > 0)
            text.appendChild(separator(QStringLiteral(" ")));
        words.append(wordSegment(candidates.at(i), cursiveStroke(inkBoxes.at(i))));
        text.appendChild(words.last());
    }
    RecognitionResult model = resultFromNode(text);
    model.layout().lineSpacing = ReferenceHeight;
    model.layout().alignment = direction;
    model.layout().linePositions = {Baseline};
    // The first two words are settled and typeset; the last is still ink.
    model.storeInkOfType(SettledInk, words.at(0).ink().united(words.at(1).ink()));

    ScrivelScene scene{ItemStyle()};
    scene.setSceneRect(0, 0, 3000, 800);
    const QList<QTransform> placements = layoutWordPlacements(model, false, direction);
    const QList<Segment> segments = model.root().segmentsOfType(ResultNode::Word);
    CursiveTypeSetItem *tapped = nullptr;
    for (int k = 0; k < segments.size(); ++k) {
        const Segment &w = segments.at(k);
        if (w.selectedCandidate().isSpace())
            continue;
        if (!model.cachedInk(SettledInk).contains(w.ink())) {
            for (const Stroke &s : w.ink().strokes())
                scene.addItem(new StrokeItem(s, QTransform(), scene.style()));
            continue;
        }
        auto *item = new CursiveTypeSetItem(w, scene.style(), direction);
        item->setTransform(placements.at(k));
        scene.addItem(item);
        if (w.candidates().size() > 1)
            tapped = item;
    }
    if (tapped)
        tapped->showCandidates(direction);

    QImage image((scene.sceneRect().size() * PictureScale).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter);
    painter.end();
    if (!image.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s\n", qPrintable(out));
    return 0;
}
