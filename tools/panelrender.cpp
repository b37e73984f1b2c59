// Renders the panel window to PNG files over a desktop-like backdrop: the cursive pad with a
// line just written and once typeset, the keyboard, the keyboard alone of the login mode, the
// boxed pad, and the cursive pad laid out right to left; and the panel's context menu, with an
// update address in the links file, and in login mode.
//   scrivel_panelrender [output folder]

#include "lang/localeprefs.h"
#include "modes/cursivewritepad.h"
#include "pad/scrivelview.h"
#include "panel/links.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "platform/desktop.h"
#include "platform/wintypes.h"
#include "recognition/enginebinding.h"
#include "tests/recognition/handwriting/inkreader.h"
#include "windows/winutils.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

class RenderServices : public PanelServices
{
public:
    int mode = CursiveMode;
    void loadSettings(LocalePrefs *prefs, int *lastMode) override
    {
        *prefs = {QStringLiteral("en_US"), QStringLiteral("en_US "),
                  QStringLiteral("en_US ja_JP ")};
        *lastMode = mode;
    }
};

bool save(MainFrame &frame, const QString &path)
{
    QImage image(frame.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, image.height());
    gradient.setColorAt(0, QColor(0x5B, 0x6E, 0x8C));
    gradient.setColorAt(1, QColor(0x3A, 0x48, 0x5E));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    const QRegion shape = frame.mask().isEmpty() ? QRegion(frame.rect()) : frame.mask();
    frame.render(&image, QPoint(), shape);
    const bool saved = image.save(path);
    std::printf("%s %s\n", qPrintable(path), saved ? "written" : "FAILED");
    return saved;
}

bool saveMenu(QMenu *menu, const QString &path)
{
    menu->adjustSize();
    const bool saved = menu->grab().save(path);
    std::printf("%s %s\n", qPrintable(path), saved ? "written" : "FAILED");
    return saved;
}

void write(MainFrame &frame, const QList<Stroke> &ink)
{
    auto *pad = qobject_cast<CursiveWritepad *>(frame.inputWidget());
    QWidget *viewport = pad->view()->viewport();
    for (const Stroke &s : ink) {
        const QPainterPath path = s.path();
        QList<QPoint> pixels;
        for (int i = 0; i < path.elementCount(); ++i)
            pixels << pad->view()->mapFromScene(QPointF(150, 250)
                                                + QPointF(path.elementAt(i)) * 2.5);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pixels.first());
        for (int i = 1; i + 1 < pixels.size(); ++i)
            QTest::mouseMove(viewport, pixels.at(i));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pixels.last());
    }
}

bool renderCursive(RenderServices &services, const QList<Stroke> &ink, const QDir &out,
                   const QString &name)
{
    services.mode = CursiveMode;
    MainFrame frame;
    frame.show();
    auto *pad = qobject_cast<CursiveWritepad *>(frame.inputWidget());
    if (!pad || !QTest::qWaitFor([pad] { return pad->isRecognizerBound(); }, 20000))
        return false;
    bool ok = save(frame, out.filePath(name + "-empty.png"));
    write(frame, ink);
    QTest::qWait(300);
    ok = save(frame, out.filePath(name + "-written.png")) && ok;
    QTest::qWait(4000);
    return save(frame, out.filePath(name + "-typeset.png")) && ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    Desktop::instance()->setScreens({QRect(0, 0, 1280, 1024)}, {QRect(0, 0, 1280, 994)});
    Desktop::instance()->setCompositionActive(false);
    QTemporaryDir common;
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA, common.path());
    QDir().mkpath(applicationPath(CommonDataFolder));
    QFile links(linksFilePath());
    if (links.open(QIODevice::WriteOnly))
        links.write("https://updates.example/scrivel\n");
    links.close();
    RenderServices services;
    services.setWindowedPosition(QPoint(100, 400));
    services.setWindowedSize(QSize(760, 260));
    PanelServices::setInstance(&services);
    const auto inks = readInkFile(QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink"));
    if (!startEngine())
        return 1;
    bool ok = renderCursive(services, inks.value("hello world"), out, "panel-cursive");
    {
        services.mode = KeyboardMode;
        MainFrame frame;
        frame.show();
        ok = save(frame, out.filePath("panel-keyboard.png")) && ok;
        ok = saveMenu(frame.contextMenu(), out.filePath("panel-menu.png")) && ok;
        const QList<QAction *> languages = frame.getLanguageGroup()->actions();
        for (QAction *language : languages) {
            if (language->data().toString().startsWith(QLatin1String("ja_JP")))
                language->trigger();
        }
        QCoreApplication::processEvents();
        ok = save(frame, out.filePath("panel-keyboard-ja.png")) && ok;
    }
    {
        services.mode = CursiveMode;
        MainFrame frame;
        frame.loginKeyboardMode();
        frame.show();
        ok = save(frame, out.filePath("panel-login.png")) && ok;
        ok = saveMenu(frame.contextMenu(), out.filePath("panel-menu-login.png")) && ok;
    }
    {
        services.mode = IsolatedMode;
        MainFrame frame;
        frame.show();
        QTest::qWait(500);
        ok = save(frame, out.filePath("panel-isolated.png")) && ok;
    }
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    ok = renderCursive(services, inks.value("hello world"), out, "panel-cursive-rtl") && ok;
    PanelServices::setInstance(nullptr);
    stopEngine();
    return ok ? 0 : 1;
}
