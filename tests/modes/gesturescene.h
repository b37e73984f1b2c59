#pragma once

// Real ink for the edit-gesture oracle tests: a line "hello world" written
// ten seconds ago and recognised by the engine, the shipped demonstration
// inks of the gestures placed over it as a pad places them, and a log of
// the oracle's answers.

#include "model/demonstrationink.h"
#include "model/inkrangeinfo.h"
#include "pad/editionoracle.h"
#include "pad/gesturecandidate.h"
#include "recognition/instantrecognizer.h"
#include "recognition/threadedrecoeventhandler.h"
#include "tests/pad/oraclefixtures.h"
#include "tests/recognition/handwriting/inkreader.h"

#include <QSignalSpy>
#include <QTest>
#include <QTransform>

namespace gesturescene {

using oraclefixtures::AnswerLog;

const QString backspace = QString::fromUcs4(U"\U000F0002");
const QString space = QString::fromUcs4(U"\U000F0003");
const QString newline = QString::fromUcs4(U"\U000F0004");

// The pad's visible scene rectangle around the line.
inline QRectF padRect() { return QRectF(0, 0, 800, 200); }

// The visible scene rectangle of a pad at the panel's sizes: the smallest cursive pad, the
// default panel, a panel widened across a screen, a box of the boxed pad and a full screen.
inline QList<QRectF> padRects()
{
    return {QRectF(0, 0, 260, 130), QRectF(0, 0, 540, 200), QRectF(0, 0, 800, 200),
            QRectF(0, 0, 1280, 200), QRectF(0, 0, 450, 760), QRectF(0, 0, 1920, 1080)};
}

// "<name> <width>x<height>" of a row drawn over rect.
inline QByteArray sizedRow(const char *name, const QRectF &rect)
{
    return QByteArray(name) + ' ' + QByteArray::number(rect.width()) + 'x'
           + QByteArray::number(rect.height());
}

// The strokes of "hello world", stamped ten seconds ago so that no oracle
// counts them as just written.
inline QList<Stroke> writtenLine()
{
    QList<Stroke> strokes =
        readInkFile(QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink"))
            .value("hello world");
    for (Stroke &s : strokes)
        s.setStamp(StrokeStamp::fresh().addMSecs(-10000));
    return strokes;
}

inline RecognitionResult recognise(const QList<Stroke> &strokes)
{
    RecognizerConfig config;
    config.languageName = "en_US";
    config.setResourceName("en_US");
    config.setFlag(RecognizerConfig::LeftToRight, true);
    config.resources << ":/data/languages/en_US/en_US-ak-cur.res"
                     << ":/data/languages/en_US/en_US-lk-text.res";
    InstantRecognizer recognizer(config);
    QSignalSpy configured(&recognizer, &ThreadedRecognizer::configured);
    recognizer.start(QThread::InheritPriority);
    if (!configured.wait(10000) || !configured.at(0).at(0).toBool())
        return RecognitionResult();
    QSignalSpy result(recognizer.handler(), &ThreadedRecoEventHandler::result);
    QMetaObject::invokeMethod(recognizer.handler(), "updateRecognitionResultEvent",
                              Qt::QueuedConnection,
                              Q_ARG(RecognitionResult, unrecognisedModel(strokes)),
                              Q_ARG(QRectF, QRectF()), Q_ARG(bool, false));
    if (!QTest::qWaitFor([&result] { return result.size() > 0; }, 10000))
        return RecognitionResult();
    return result.at(0).at(0).value<RecognitionResult>();
}

// The recognised words of the line, spaces left out.
inline QList<Segment> recognisedWords()
{
    QList<Segment> words;
    for (const Segment &w : recognise(writtenLine()).root().segmentsOfType(ResultNode::Word)) {
        if (!w.ink().isEmpty())
            words << w;
    }
    return words;
}

inline QList<InkRangeInfo> infosOf(const QList<Segment> &segments)
{
    QList<InkRangeInfo> infos;
    for (const Segment &s : segments)
        infos << InkRangeInfo(s);
    return infos;
}

// The box a pad marks around a piece of ink: 10 wider on each side and 10
// taller above and below.
inline QRectF markBox(const Segment &piece)
{
    return piece.ink().boundingRect().adjusted(-10, -10, 10, 10);
}

// The erase mark over a box, at least a third of its height wide.
inline QRectF eraseMark(const QRectF &box)
{
    QRectF r = box;
    const double cross = r.height() / 3;
    if (cross > r.width()) {
        const QPointF c = r.center();
        r.setWidth(cross);
        r.moveCenter(c);
    }
    return r;
}

// The insertion mark between two mark boxes, its height doubled as the
// demonstration draws it.
inline QRectF insertMark(const QRectF &a, const QRectF &b)
{
    const double h = a.height();
    const double cx = (a.right() + b.left()) / 2;
    const double top = b.left() - a.right() > h / 6 ? a.top() : a.top() - h / 8;
    return QRectF(cx - h / 6, top, h / 3, h);
}

// The join mark between two mark boxes (the lower half of the line), moved up by
// its height and its height doubled as the demonstration draws it.
inline QRectF joinMark(const QRectF &a, const QRectF &b)
{
    const double h = a.height();
    const double cx = (a.right() + b.left()) / 2;
    return QRectF(cx - h / 6, a.top(), h / 3, h);
}

// A demonstration ink of the shipped resources, its page box mapped onto
// target, as one freshly written pen stroke.
inline Stroke demonstration(const QString &name, const QRectF &target)
{
    const QList<QPolygonF> strokes =
        readDemonstrationInk(QStringLiteral(":/data/images/") + name + ".itf");
    if (strokes.size() != 1)
        return Stroke();
    QTransform t;
    QTransform::quadToQuad(QPolygonF(QPolygonF(demonstrationPageBox()).mid(0, 4)),
                           QPolygonF(QPolygonF(target).mid(0, 4)), t);
    QPainterPath path;
    path.addPolygon(t.map(strokes.first()));
    return makePathStroke(path);
}

// The letter "o" of the line written afresh with its box at topLeft.
inline Stroke letterO(const QPointF &topLeft)
{
    const Stroke o = writtenLine().at(5);
    const QRectF box = o.boundingRect();
    return makePathStroke(QTransform::fromTranslate(topLeft.x() - box.x(), topLeft.y() - box.y())
                              .map(o.path()));
}

// A straight mark of 12 points from a to b.
inline Stroke line(const QPointF &a, const QPointF &b)
{
    return oraclefixtures::line(a, b, 12);
}

// The columns of a demonstration table; over tells whether the scene's
// pieces are under the stroke.
inline void addDemonstrationColumns(const char *over)
{
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<bool>(over);
    QTest::addColumn<int>("gestureSet");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("value");
}

// Asks oracle about the row's stroke, over scene when over, and checks its
// one answer.
inline void checkDemonstration(EditionOracle *oracle, const QList<InkRangeInfo> &scene, bool over)
{
    QFETCH(Stroke, stroke);
    QFETCH(int, gestureSet);
    QFETCH(QString, kind);
    QFETCH(QVariant, value);
    QVERIFY(stroke.kind() == Stroke::Pen);
    AnswerLog log(oracle);
    oracle->request({stroke}, over ? scene : QList<InkRangeInfo>(), gestureSet);
    QVERIFY(log.wait());
    QTest::qWait(20);
    QCOMPARE(log.kinds.size(), 1);
    QCOMPARE(log.kinds.first(), kind);
    QCOMPARE(log.values.first(), value);
}

} // namespace gesturescene
