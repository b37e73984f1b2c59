// Renders a typeset line of the writing pad with the candidate list of one word open, a
// typeset calculator expression with its symbol boxes, the edit marks, and the pad's mini
// keyboard in both layouts, into PNG images.

#include "calculator/calclayoutcontext.h"
#include "calculator/calctypeset.h"
#include "model/segmentwalk.h"
#include "pad/animationeraserect.h"
#include "pad/animationinsertrect.h"
#include "pad/animationjointrect.h"
#include "pad/glyphmetrics.h"
#include "pad/hoverlabelitem.h"
#include "pad/minikeyboard.h"
#include "pad/minikeyboardbutton.h"
#include "pad/referencefont.h"
#include "pad/resultcandidatesitem.h"
#include "pad/resultitem.h"
#include "pad/scrivelscene.h"
#include "pad/typesetitem.h"
#include "pad/updater.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGraphicsSceneHoverEvent>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cstdio>

namespace {

constexpr qreal Baseline = 200;
constexpr qreal WordGap = 60;

class SilentUpdater : public Updater
{
public:
    using Updater::Updater;
    void recoResultEvent(const RecognitionResult &) override {}

protected:
    void requestOracle(const RecognitionResult &, const QList<StrokeItem *> &) override {}
    void buildTypeSet(TypeSetModes, const RecognitionResult &, const QList<StrokeItem *> &) override
    {
    }
    void resumeProcessing() override {}
};

Segment candidates(const QStringList &labels, int type = ResultNode::Word)
{
    Segment segment;
    for (const QString &label : labels) {
        ResultNode node;
        node.setLabel(label);
        node.setType(type);
        segment.appendCandidate(node);
    }
    segment.setSelectedCandidate(0);
    return segment;
}

Segment node(int type, const QList<Segment> &children)
{
    ResultNode n;
    n.setType(type);
    n.setChildren(children);
    Segment segment;
    segment.appendCandidate(n);
    segment.setSelectedCandidate(0);
    return segment;
}

Segment sym(const QString &label)
{
    return candidates({label}, CalcSymbol);
}

// "hello", an Arabic and a Japanese word on one line; the candidates of "hello" are open.
void addLine(ScrivelScene &scene, const ItemStyle &style)
{
    const QList<QStringList> words{
        {QStringLiteral("hello"), QStringLiteral("hallo"), QStringLiteral("help"),
         QStringLiteral("hells"), QStringLiteral("?")},
        {QStringLiteral("\u0643\u062a\u0628")},
        {QStringLiteral("\u65e5\u672c\u8a9e")}};
    qreal x = 40;
    ResultItem *result = nullptr;
    for (const QStringList &labels : words) {
        Segment segment = candidates(labels);
        auto *item = new TypeSetItem(segment, style,
                                     labels.first().at(0).unicode() >= 0x600
                                             && labels.first().at(0).unicode() < 0x700
                                         ? Qt::AlignRight
                                         : Qt::AlignLeft);
        const QRectF box = measureText(labels.first());
        item->setPos(x - box.left(), Baseline);
        scene.addItem(item);
        x += box.width() + WordGap;
        if (!result) {
            segment.setInk(InkRange::fromStroke(makeBoxStroke(item->sceneBoundingRect(), 0)));
            result = new ResultItem({item}, segment, style);
            scene.addItem(result);
        }
    }
    result->showCandidates();
    // The pointer rests on the first candidate.
    QGraphicsSceneHoverEvent hover(QEvent::GraphicsSceneHoverEnter);
    scene.sendEvent(result->candidates()->labels().first(), &hover);
}

// The sign's outline stretched from its tight box onto the box.
void addGlyph(ScrivelScene &scene, const QString &label, const QRectF &box, const QColor &ink)
{
    QPainterPath glyph;
    glyph.addText(0, 0, referenceFont(), label);
    const QRectF tight = glyph.boundingRect();
    const QTransform onto =
        QTransform::fromTranslate(-tight.left(), -tight.top())
        * QTransform::fromScale(box.width() / tight.width(), box.height() / tight.height())
        * QTransform::fromTranslate(box.left(), box.top());
    scene.addPath(onto.map(glyph), Qt::NoPen, ink);
}

// (1+2)/√25 + x² typeset below the line, each symbol drawn into its box.
void addExpression(ScrivelScene &scene)
{
    const Segment group = node(CalcGroup, {sym("("), node(CalcRow, {sym("1"), sym("+"),
                                                                           sym("2")}),
                                               sym(")")});
    const Segment root = node(CalcSquareRoot, {sym(QStringLiteral("\u221a")),
                                               node(CalcRow, {sym("2"), sym("5")})});
    const Segment power = node(CalcPower, {sym("x"), sym("2")});
    const Segment tree = node(CalcRow, {node(CalcFraction, {group, sym("-"), root}),
                                          sym("+"), power});
    CalcLayoutContext context;
    context.transform = calcPen(0.8, 60, 600);
    const Segment typeset = visitSegments(tree, 0, typesetCalcTree, &context);
    const QColor ink = ItemStyle().color(ItemStyle::InkColor);
    for (const Segment &leaf : typeset.segmentsOfType(CalcSymbol)) {
        const QRectF box = leaf.ink().boundingRect();
        const QString label = leaf.selectedCandidate().label();
        scene.addRect(box, QPen(QColor(120, 160, 220), 2));
        if (label == QStringLiteral("\u221a")) {
            // A root sign's box spans its radicand: the sign at its left, a bar over the rest.
            const QRectF sign(box.topLeft(), QSizeF(std::min(box.width(), box.height() / 2),
                                                    box.height()));
            addGlyph(scene, label, sign, ink);
            scene.addLine(QLineF(sign.topRight(), box.topRight()), QPen(ink, 6));
        } else {
            addGlyph(scene, label, box, ink);
        }
    }
}

void addMarks(ScrivelScene &scene, Updater *owner)
{
    auto *erase = new AnimationEraseRect(owner);
    erase->setRect(QRectF(900, 440, 240, 200));
    auto *insert = new AnimationInsertRect(owner);
    insert->setRect(QRectF(1180, 440, 160, 240));
    auto *joint = new AnimationJointRect(owner);
    joint->setRect(QRectF(1380, 440, 160, 240));
    for (QGraphicsItem *item : QList<QGraphicsItem *>{erase, insert, joint})
        scene.addItem(item);
}

QImage renderScene()
{
    const ItemStyle style;
    ScrivelScene scene(style);
    auto *owner = new SilentUpdater(BehaviourSettings(), &scene, Qt::AlignLeft);
    addLine(scene, style);
    addExpression(scene);
    addMarks(scene, owner);
    const QRectF source = scene.itemsBoundingRect().adjusted(-20, -20, 20, 20);
    const qreal factor = 0.5;
    QImage image((source.size() * factor).toSize(), QImage::Format_ARGB32);
    image.fill(style.color(ItemStyle::RightColor));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(image.rect()), source);
    return image;
}

QImage renderKeyboards()
{
    QWidget panel;
    auto *column = new QVBoxLayout(&panel);
    auto *normal = new MiniKeyboard(BehaviourSettings(), ItemStyle(), false);
    normal->setFixedSize(200, 220);
    auto *compact = new MiniKeyboard(BehaviourSettings(), ItemStyle(), true);
    column->addWidget(normal);
    column->addWidget(compact);
    compact->buttons().at(MiniKeyboard::Paste)->setEnabled(false);
    panel.show();
    QCoreApplication::processEvents();
    return panel.grab().toImage();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders typeset items, a candidate list, edit marks and the mini "
                       "keyboard into PNG images."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("PNG of the items"));
    parser.addPositionalArgument(QStringLiteral("keyboard"),
                                 QStringLiteral("optional PNG of the mini keyboard"),
                                 QStringLiteral("[keyboard]"));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 2;
    }
    if (!renderScene().save(args[0], "PNG")
        || (args.size() == 2 && !renderKeyboards().save(args[1], "PNG"))) {
        std::fprintf(stderr, "scrivel_itemrender: cannot write the images\n");
        return 1;
    }
    return 0;
}
