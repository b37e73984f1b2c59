// A plain X11 client for the platform tests: a window with a text field that takes the focus
// when it shows. It answers one line per command on its standard input:
//   text   -> "text <percent-encoded UTF-8 of the field>"
//   focus  -> "focus 1" when it holds the keyboard focus, else "focus 0"
//   quit   -> "text ..." once more, then it ends (as it does when its input closes)
// and prints "shown <window>" once it is on the screen, then "ready <window> <x> <y> <width>
// <height>" (the field's place on the screen) once it holds the focus.

#include <QApplication>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <cstdio>
#include <unistd.h>

namespace {

void reply(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QByteArray textLine(const QPlainTextEdit &field)
{
    return "text " + QUrl::toPercentEncoding(field.toPlainText());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int x = args.value(1, QStringLiteral("100")).toInt();
    const int y = args.value(2, QStringLiteral("100")).toInt();

    QPlainTextEdit field;
    field.setWindowTitle(QStringLiteral("Scrivel test client"));
    field.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    field.setGeometry(x, y, 420, 200);
    field.show();
    field.activateWindow();

    QTimer readyWatch;
    bool shown = false;
    int ticks = 0;
    QObject::connect(&readyWatch, &QTimer::timeout, [&] {
        if (!shown && field.windowHandle() && field.windowHandle()->isExposed()) {
            shown = true;
            reply("shown " + QByteArray::number(qulonglong(field.winId())));
        }
        if (!field.isActiveWindow() || !field.hasFocus()) {
            if (++ticks % 10 == 0)
                field.activateWindow();

            return;
        }
        readyWatch.stop();
        const QPoint origin = field.viewport()->mapToGlobal(QPoint(0, 0));
        const QSize size = field.viewport()->size();
        reply(QByteArray("ready ") + QByteArray::number(qulonglong(field.winId())) + ' '
              + QByteArray::number(origin.x()) + ' ' + QByteArray::number(origin.y()) + ' '
              + QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()));
    });
    readyWatch.start(20);

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof(buffer));
        if (got <= 0) {
            input.setEnabled(false);
            reply(textLine(field));
            app.quit();
            return;
        }
        pending.append(buffer, qsizetype(got));
        qsizetype end = 0;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray command = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            if (command == "text") {
                reply(textLine(field));
            } else if (command == "focus") {
                reply(field.isActiveWindow() && field.hasFocus() ? "focus 1" : "focus 0");
            } else if (command == "quit") {
                reply(textLine(field));
                app.quit();
            }
        }
    });
    return app.exec();
}
