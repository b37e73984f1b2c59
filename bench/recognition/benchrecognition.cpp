// Time from a pad's update to the emitted result, for a line of five
// handwritten words, through an instant recognizer and the engine library.

#include "recognition/enginebinding.h"
#include "recognition/instantrecognizer.h"
#include "recognition/threadedrecoeventhandler.h"
#include "tests/recognition/handwriting/inkreader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

const int runs = 100;

RecognizerConfig englishConfig()
{
    RecognizerConfig config;
    config.languageName = QStringLiteral("en_US");
    config.setResourceName(config.languageName);
    config.setFlag(RecognizerConfig::LeftToRight, true);
    config.resources = QStringList{":/data/languages/en_US/en_US-ak-cur.res",
                                   ":/data/languages/en_US/en_US-lk-text.res"};
    return config;
}

// Runs the event loop until the signal count grows; false after 10 s.
bool waitFor(const int &count, int before)
{
    QElapsedTimer clock;
    clock.start();
    while (count == before && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return count > before;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString fixture = QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink");
    const QList<Stroke> ink = readInkFile(fixture).value(QStringLiteral("the quick brown fox jumps"));
    if (ink.isEmpty() || !startEngine()) {
        std::fprintf(stderr, "no fixture ink or no engine\n");
        return 1;
    }
    int result = 0;
    int announced = 0;
    bool ok = false;
    RecognitionResult last;
    {
        InstantRecognizer recognizer(englishConfig());
        QObject::connect(&recognizer, &ThreadedRecognizer::configured, &app,
                         [&](bool configured) { ok = configured; ++announced; });
        recognizer.start(QThread::LowPriority);
        if (!waitFor(announced, 0) || !ok) {
            std::fprintf(stderr, "recognizer not configured\n");
            return 1;
        }
        QObject::connect(recognizer.handler(), &ThreadedRecoEventHandler::result, &app,
                         [&](const RecognitionResult &r) { last = r; ++result; });
        const RecognitionResult model = unrecognisedModel(ink);
        QList<double> times;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer clock;
            clock.start();
            QMetaObject::invokeMethod(recognizer.handler(), "updateRecognitionResultEvent",
                                      Qt::QueuedConnection, Q_ARG(RecognitionResult, model));
            if (!waitFor(result, i)) {
                std::fprintf(stderr, "no result\n");
                return 1;
            }
            times.append(clock.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        std::printf("update to result, %d strokes, five words, %d runs\n", int(ink.size()), runs);
        std::printf("  median %.2f ms  min %.2f ms  max %.2f ms\n", times.at(runs / 2),
                    times.first(), times.last());
        std::printf("  recognised: \"%s\"\n",
                    qPrintable(last.root().selectedCandidate().label()));
    }
    stopEngine();
    return 0;
}
