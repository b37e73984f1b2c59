#pragma once

// Ink builders and an answer log shared by the edit-gesture oracle tests.

#include "model/inkrangeinfo.h"
#include "model/stroke.h"
#include "pad/editionoracle.h"

#include <QPainterPath>
#include <QTest>

namespace oraclefixtures {

inline QPainterPath polyline(const QList<QPointF> &points)
{
    QPainterPath path;
    for (const QPointF &p : points) {
        if (path.elementCount() == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

inline Stroke pen(const QList<QPointF> &points)
{
    return makePathStroke(polyline(points));
}

// A straight pen stroke of n points from a to b.
inline Stroke line(const QPointF &a, const QPointF &b, int n = 2)
{
    QList<QPointF> points;
    for (int i = 0; i < n; ++i)
        points << a + (b - a) * (n == 1 ? 0.0 : double(i) / (n - 1));
    return pen(points);
}

inline InkRangeInfo infoOf(const QList<Stroke> &strokes, const QString &label = "#")
{
    InkRange ink;
    for (const Stroke &s : strokes)
        ink = ink.united(InkRange::fromStroke(s));
    return InkRangeInfo(ink, label);
}

// The outline of r as one closed pen stroke of 5 points.
inline Stroke outline(const QRectF &r)
{
    return pen({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()});
}

// A piece labelled label: the outline of r, written ageMs ago.
inline InkRangeInfo piece(const QRectF &r, const QString &label, int ageMs = 5000)
{
    Stroke s = outline(r);
    s.setStamp(StrokeStamp::fresh().addMSecs(-ageMs));
    return InkRangeInfo(InkRange::fromStroke(s), label);
}

// Every answer of an oracle, as "kind" and its value; a delay is answered
// by resuming the oracle, as a pad does once the delay is over, unless told
// otherwise.
struct AnswerLog
{
    explicit AnswerLog(EditionOracle *oracle, bool resumeAfterDelay = true)
    {
        QObject::connect(oracle, &EditionOracle::append, oracle,
                         [this](int n) { add("append", n); });
        QObject::connect(oracle, &EditionOracle::erase, oracle,
                         [this](InkRange r) { add("erase", QVariant::fromValue(r)); });
        QObject::connect(oracle, &EditionOracle::overwrite, oracle,
                         [this](InkRange r) { add("overwrite", QVariant::fromValue(r)); });
        QObject::connect(oracle, &EditionOracle::update, oracle,
                         [this](InkRange r) { add("update", QVariant::fromValue(r)); });
        QObject::connect(oracle, &EditionOracle::gesture, oracle,
                         [this](QString g) { add("gesture", g); });
        QObject::connect(oracle, &EditionOracle::insert, oracle,
                         [this](InkLocation l, bool upward) {
                             add(upward ? "insert upward" : "insert", QVariant::fromValue(l));
                         });
        QObject::connect(oracle, &EditionOracle::delay, oracle,
                         [this, oracle, resumeAfterDelay](int ms, int) {
                             delays << ms;
                             if (resumeAfterDelay)
                                 QMetaObject::invokeMethod(oracle, &EditionOracle::resume,
                                                           Qt::QueuedConnection);
                         });
    }
    void add(const QString &kind, const QVariant &value)
    {
        kinds << kind;
        values << value;
    }
    bool wait(int count = 1)
    {
        return QTest::qWaitFor([this, count] { return kinds.size() >= count; }, 10000);
    }

    QStringList kinds;
    QVariantList values;
    QList<int> delays;
};

} // namespace oraclefixtures
