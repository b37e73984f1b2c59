// Saves the whole X screen as a PNG: scrivel_screengrab <file.png>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scrivel_screengrab <file.png>\n");
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    return screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
