// Draws the about box to a PNG: scrivel_aboutrender <file.png>
#include "app/aboutbox.h"
#include "app/scrivelapp.h"

#include <QPixmap>

#include <cstdio>

int main(int argc, char **argv)
{
    ScrivelApp app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scrivel_aboutrender <file.png>\n");
        return 2;
    }
    QCoreApplication::setApplicationVersion(QStringLiteral("3.2.60.140 zk"));
    AboutBox box;
    box.show();
    return box.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
