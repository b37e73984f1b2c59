#pragma once

#include "platform/platformglobal.h"

#include <QColor>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>

class QWidget;

// The one way the program asks the user or leaves the process: message boxes, colour and file
// dialogs, web addresses. A handler set by tests answers and every request is recorded; with
// the offscreen platform and no handler each request takes its default answer.
class SCRIVELPLATFORM_EXPORT Prompt
{
public:
    enum Kind { Message, Color, OpenFile, SaveFile, OpenUrl };

    struct Request
    {
        Kind kind;
        int icon; // QMessageBox::Icon for messages
        QString title;
        QString text; // message text, starting folder or web address
        int buttons;
        int defaultButton;
        QVariant initial; // colour or file filter
    };
    using Handler = std::function<QVariant(const Request &request)>;

    static void setHandler(Handler handler);
    static QList<Request> requests();
    static void clearRequests();

    static QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *parent,
                                               const QString &title, const QString &text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton);
    static QColor color(const QColor &initial, QWidget *parent, const QString &title);
    static QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                const QString &filter);
    static QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                const QString &filter);
    static bool openUrl(const QUrl &url);

    // Records the request; true with the answer when a handler or the headless default answers
    // (an invalid answer means the request's default). Lets a caller that shows its own box
    // answer through the same seam.
    static bool answered(const Request &request, QVariant *answer);
};
