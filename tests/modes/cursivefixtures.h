#pragma once

// Results of the cursive pad built by hand: words of pen or box ink with
// one character per letter, spaces and new lines.

#include "model/recognitionresult.h"
#include "model/resultbuilding.h"
#include "model/stroke.h"

#include <QPainterPath>

namespace cursivefixtures {

// A pen stroke along the rectangle's diagonal, stamped at the time.
inline Stroke penStroke(const QRectF &r, const QTime &time = QTime())
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.center());
    path.lineTo(r.bottomRight());
    Stroke s = makePathStroke(path);
    if (time.isValid()) {
        StrokeStamp stamp = s.stamp();
        stamp.time = time;
        s.setStamp(stamp);
    }
    return s;
}

inline Segment character(const QString &label, const Stroke &stroke)
{
    Segment c;
    c.addInk(InkRange::fromStroke(stroke));
    ResultNode n;
    n.setLabel(label);
    n.setType(ResultNode::Character);
    c.appendCandidate(n);
    c.selectLastCandidate();
    return c;
}

// A word over the rectangle, its letters side by side, each one stroke.
inline Segment word(const QString &label, const QRectF &r, bool boxes = false,
                    const QTime &time = QTime())
{
    Segment w;
    ResultNode n;
    n.setType(ResultNode::Word);
    const double step = r.width() / qMax(1, int(label.size()));
    for (int i = 0; i < label.size(); ++i) {
        const QRectF cell(r.x() + i * step, r.y(), step, r.height());
        const Stroke s = boxes ? makeBoxStroke(cell, 0.0) : penStroke(cell, time);
        const Segment c = character(label.mid(i, 1), s);
        n.appendChild(c);
        w.addInk(c.ink());
    }
    n.setLabel(label);
    w.appendCandidate(n);
    w.selectLastCandidate();
    return w;
}

// A word of one character over existing strokes.
inline Segment wordOn(const QString &label, const QList<Stroke> &strokes)
{
    Segment c;
    for (const Stroke &s : strokes)
        c.addInk(InkRange::fromStroke(s));
    ResultNode leaf;
    leaf.setLabel(label);
    leaf.setType(ResultNode::Character);
    c.appendCandidate(leaf);
    c.selectLastCandidate();
    Segment w;
    w.setInk(c.ink());
    ResultNode n;
    n.setType(ResultNode::Word);
    n.setLabel(label);
    n.appendChild(c);
    w.appendCandidate(n);
    w.selectLastCandidate();
    return w;
}

inline Segment separator(const QString &label)
{
    Segment s;
    ResultNode n;
    n.setLabel(label);
    n.setType(ResultNode::Word);
    s.appendCandidate(n);
    s.selectLastCandidate();
    return s;
}

inline Segment space() { return separator(QStringLiteral(" ")); }
inline Segment newLine() { return separator(QStringLiteral("\n")); }

inline RecognitionResult result(const QList<Segment> &words, double referenceHeight = 50,
                                int alignment = Qt::AlignLeft)
{
    ResultNode text;
    text.setType(ResultNode::Text);
    QString label;
    for (const Segment &w : words) {
        text.appendChild(w);
        label += w.selectedCandidate().label();
    }
    text.setLabel(label);
    RecognitionResult r = resultFromNode(text);
    r.layout().lineSpacing = referenceHeight;
    r.layout().alignment = alignment;
    return r;
}

inline InkRange inkOf(const QList<Segment> &segments)
{
    InkRange ink;
    for (const Segment &s : segments)
        ink = ink.united(s.ink());
    return ink;
}

} // namespace cursivefixtures
