// Renders the assembled floating menu of full-screen writing to PNG files over a grey
// backdrop: pen mode with nothing to send, pen mode with text, and pointer mode.
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
        *prefs = {QStringLiteral("en_US"), QStringLiteral("en_US "), QString()};
        *lastMode = CursiveMode;
    }
};

bool save(FloatingMenu *menu, const QString &path)
{
    menu->adjustSize();
    QImage image(menu->size() + QSize(40, 40), QImage::Format_ARGB32);
    image.fill(QColor(120, 140, 160));
    QPainter painter(&image);
    painter.drawPixmap(20, 20, menu->grab());
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
    {
        MainFrame panel;
        app.setPanelWindow(&panel);
        app.createFloatingMenuBar();
        FloatingMenu *menu = app.floatingMenu();
        menu->show();
        ok = save(menu, out.filePath("floatingmenu-pen.png"));
        menu->enableButtons(Clear, true);
        ok = save(menu, out.filePath("floatingmenu-text.png")) && ok;
        menu->enableButtons(Clear, false);
        menu->selectButton()->setChecked(true);
        ok = save(menu, out.filePath("floatingmenu-pointer.png")) && ok;
        delete menu;
    }
    PanelServices::setInstance(nullptr);
    stopEngine();
    return ok ? 0 : 1;
}
