#pragma once

// Helpers shared by the writing pad tests: data files, languages and the
// text and points a result or stroke carries.

#include "model/recognitionresult.h"
#include "model/stroke.h"
#include "pad/updater.h"
#include "pad/writepad.h"
#include "recognition/recognizerconfig.h"

#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QSignalSpy>
#include <QString>
#include <QTest>

namespace writepadfixtures {

inline QString dataFile(const char *name)
{
    return QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/") + name;
}

inline LanguageEntry language(const QString &locale)
{
    LanguageEntry e;
    e.setLocale(QLocale(locale));
    e.setName(locale);
    return e;
}

inline QString textOf(const RecognitionResult &r)
{
    return r.root().selectedCandidate().label();
}

inline QList<QPointF> pointsOf(const Stroke &s)
{
    QList<QPointF> points;
    const QPainterPath path = s.path();
    for (int i = 0; i < path.elementCount(); ++i)
        points << QPointF(path.elementAt(i));
    return points;
}

// The last of exports once the pad's controller is idle with nothing
// pending; empty when it does not settle within timeout ms.
inline RecognitionResult settledExport(const Writepad &pad, const QSignalSpy &exports,
                                       int timeout)
{
    const bool idle = QTest::qWaitFor(
        [&] {
            Updater *u = pad.updater();
            return !exports.isEmpty() && u->state() == Updater::State::Idle
                   && u->pendingStrokes().isEmpty();
        },
        timeout);
    return idle ? exports.last().at(0).value<RecognitionResult>() : RecognitionResult();
}

} // namespace writepadfixtures
