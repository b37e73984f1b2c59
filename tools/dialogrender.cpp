// Draws the about box and the program's message boxes, left to right and right to left, to PNG
// files in a folder: scrivel_dialogrender <folder>
#include "app/aboutbox.h"
#include "app/scrivelapp.h"
#include "app/scrivelmsgbox.h"

#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace {

bool save(QWidget &window, const QString &path)
{
    window.show();
    QCoreApplication::processEvents();
    const bool saved = window.grab().save(path);
    window.hide();
    std::printf("%s %dx%d\n", qPrintable(path), window.width(), window.height());
    return saved;
}

// Texts of both directions: the right-to-left pictures carry an Arabic question.
bool renderAll(const QDir &folder, const QString &suffix, const QString &questionText)
{
    const QString title = QStringLiteral("Inkora Scrivel");
    bool saved = true;
    AboutBox about;
    saved &= save(about, folder.filePath(QStringLiteral("about%1.png").arg(suffix)));
    ScrivelMsgBox critical(
        QMessageBox::Critical, title,
        QStringLiteral("%1 does not support your operating system environment.\nPlease check "
                       "minimum requirements, and note that earlier versions of %1 may be "
                       "suitable.")
            .arg(title),
        QMessageBox::Ok);
    saved &= save(critical, folder.filePath(QStringLiteral("critical%1.png").arg(suffix)));
    ScrivelMsgBox question(QMessageBox::Question, title, questionText.arg(title),
                           QMessageBox::Yes | QMessageBox::No);
    saved &= save(question, folder.filePath(QStringLiteral("question%1.png").arg(suffix)));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    ScrivelApp app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scrivel_dialogrender <folder>\n");
        return 2;
    }
    QCoreApplication::setApplicationVersion(QStringLiteral("3.2.60.140 zk"));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    bool saved = renderAll(folder, QString(), QStringLiteral("Do you really want to quit %1?"));
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    saved &= renderAll(folder, QStringLiteral("_rtl"),
                       QStringLiteral("هل تريد حقا إنهاء %1؟"));
    return saved ? 0 : 1;
}
