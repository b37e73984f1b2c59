#pragma once

#include "panel/scriveldialog.h"

class QLabel;

// The about box: the splash picture with the version and the address where updates are found.
class AboutBox final : public ScrivelDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

    QString linksText() const;

    // The rich text of the links label; the address is escaped, since it comes from a file
    // that any installation may write.
    static QString linksLabelText(const QString &link, bool fromFile);

private:
    QLabel *m_links = nullptr;
};
