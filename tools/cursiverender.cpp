// Renders a cursive pad to a PNG: a line written on the engine library,
// shown while young as ink and once typeset as words, with its guide lines.
// Usage: scrivel_cursiverender <out-prefix>; writes <prefix>-ink.png,
// <prefix>-typeset.png and, once the layout glide has ended and the words are
// rebuilt in their places, <prefix>-laidout.png.

#include "modes/cursivewritepad.h"
#include "pad/scrivelview.h"
#include "pad/updater.h"
#include "recognition/enginebinding.h"
#include "tests/recognition/handwriting/inkreader.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("cursive");
    const auto inks = readInkFile(QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink"));
    if (!startEngine())
        return 1;
    int status = 0;
    {
        QAction magic("magic"), clear("clear");
        CursiveWritepad pad(BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight,
                            nullptr, &magic, &clear);
        pad.initialize();
        pad.resize(1000, 250);
        pad.show();
        QObject::connect(&pad, &InputWidget::configStatus, [&](int s) { status = s; });
        LanguageEntry english;
        english.setLocale(QLocale("en_US"));
        english.setName("en_US");
        pad.setLanguage(english);
        if (!QTest::qWaitFor([&] { return status != 0; }, 20000) || status != 1)
            return 1;
        QString text;
        QObject::connect(&pad, &InputWidget::exportModel,
                         [&](const RecognitionResult &r) { text = r.root().selectedCandidate().label(); });
        QWidget *vp = pad.view()->viewport();
        // The fixture's points, every few units between them as a mouse gives them.
        for (const Stroke &s : inks.value("hello world")) {
            const QPainterPath path = s.path();
            QList<QPoint> pixels;
            for (int i = 0; i < path.elementCount(); ++i) {
                const QPointF p = QPointF(path.elementAt(i));
                const QPointF q = i + 1 < path.elementCount() ? QPointF(path.elementAt(i + 1)) : p;
                const int steps = qMax(1, int(QLineF(p, q).length() / 3));
                for (int k = 0; k < steps; ++k)
                    pixels << pad.view()->mapFromScene(QPointF(150, 250)
                                                       + (p + (q - p) * k / steps) * 2.5);
            }
            QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, pixels.first());
            for (int i = 1; i + 1 < pixels.size(); ++i)
                QTest::mouseMove(vp, pixels.at(i));
            QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, pixels.last());
        }
        if (!QTest::qWaitFor([&] { return text.startsWith("hello world"); }, 10000))
            return 1;
        pad.grab().save(prefix + "-ink.png");
        QTest::qWait(2500);
        pad.grab().save(prefix + "-typeset.png");
        QTest::qWait(4000);
        pad.grab().save(prefix + "-laidout.png");
        std::printf("%s\n", qPrintable(text));
    }
    stopEngine();
    return 0;
}
