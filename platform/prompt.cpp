#include "platform/prompt.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex promptMutex;
Prompt::Handler promptHandler;
QList<Prompt::Request> promptRequests;

} // namespace

void Prompt::setHandler(Handler handler)
{
    QMutexLocker lock(&promptMutex);
    promptHandler = std::move(handler);
}

QList<Prompt::Request> Prompt::requests()
{
    QMutexLocker lock(&promptMutex);
    return promptRequests;
}

void Prompt::clearRequests()
{
    QMutexLocker lock(&promptMutex);
    promptRequests.clear();
}

bool Prompt::answered(const Request &request, QVariant *answer)
{
    Handler handler;
    {
        QMutexLocker lock(&promptMutex);
        promptRequests << request;
        handler = promptHandler;
    }
    if (handler) {
        *answer = handler(request);
        return true;
    }
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

QMessageBox::StandardButton Prompt::message(QMessageBox::Icon icon, QWidget *parent,
                                            const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    const Request request{Message, int(icon), title, text, int(buttons), int(defaultButton), {}};
    QVariant answer;
    if (answered(request, &answer))
        return answer.isValid() ? QMessageBox::StandardButton(answer.toInt()) : defaultButton;
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QColor Prompt::color(const QColor &initial, QWidget *parent, const QString &title)
{
    const Request request{Color, 0, title, QString(), 0, 0, initial};
    QVariant answer;
    if (answered(request, &answer))
        return answer.value<QColor>();
    return QColorDialog::getColor(initial, parent, title);
}

QString Prompt::openFileName(QWidget *parent, const QString &caption, const QString &folder,
                             const QString &filter)
{
    const Request request{OpenFile, 0, caption, folder, 0, 0, filter};
    QVariant answer;
    if (answered(request, &answer))
        return answer.toString();
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString Prompt::saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                             const QString &filter)
{
    const Request request{SaveFile, 0, caption, folder, 0, 0, filter};
    QVariant answer;
    if (answered(request, &answer))
        return answer.toString();
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

bool Prompt::openUrl(const QUrl &url)
{
    const Request request{OpenUrl, 0, QString(), url.toString(), 0, 0, {}};
    QVariant answer;
    if (answered(request, &answer))
        return answer.toBool();
    return QDesktopServices::openUrl(url);
}
