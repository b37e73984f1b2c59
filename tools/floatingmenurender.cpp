// Renders the assembled floating menu of full-screen writing to PNG files over a grey
// backdrop: pen mode with nothing to send, pen mode with text, and pointer mode, under a
// left-to-right and a right-to-left interface ("-rtl" files). QT_SCALE_FACTOR=2 doubles them.
//   scrivel_floatingmenurender [output folder]

#include "app/scrivelapp.h"
#include "lang/localeprefs.h"
#include "panel/floatingmenu.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "recognition/enginebinding.h"
#include "skin/svguibutton.h"

#include <QDir>
#include <QPainter>

#include <cstdio>

namespace {

class RenderServices : public PanelServices
{
public:
    void loadSettings(LocalePrefs *prefs, int *lastMode) override
    {
        *prefs = {QStringLiteral("en_US"), QStringLiteral("en_US "),
                  QStringLiteral("en_US ja_JP ")};
        *lastMode = CursiveMode;
    }
};

bool save(FloatingMenu *menu, const QString &path)
{
    menu->adjustSize();
    const QPixmap shot = menu->grab();
    const qreal ratio = shot.devicePixelRatio();
    QImage image((menu->size() + QSize(40, 40)) * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(120, 140, 160));
    QPainter painter(&image);
    painter.drawPixmap(20, 20, shot);
    painter.end();
    const bool saved = image.save(path);
    std::printf("%s %s\n", qPrintable(path), saved ? "written" : "FAILED");
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ScrivelApp app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    RenderServices services;
    PanelServices::setInstance(&services);
    if (!startEngine())
        return 1;
    bool ok = true;
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        app.setLayoutDirection(direction);
        const QString suffix = direction == Qt::RightToLeft ? QStringLiteral("-rtl") : QString();
        MainFrame panel;
        app.setPanelWindow(&panel);
        app.fullScreenWriting()->createFloatingMenuBar();
        FloatingMenu *menu = app.floatingMenu();
        menu->show();
        ok = save(menu, out.filePath("floatingmenu-pen" + suffix + ".png")) && ok;
        menu->enableButtons(Clear, true);
        ok = save(menu, out.filePath("floatingmenu-text" + suffix + ".png")) && ok;
        menu->enableButtons(Clear, false);
        menu->selectButton()->setChecked(true);
        ok = save(menu, out.filePath("floatingmenu-pointer" + suffix + ".png")) && ok;
        delete menu;
    }
    PanelServices::setInstance(nullptr);
    stopEngine();
    return ok ? 0 : 1;
}
