#pragma once

#include "platform/platformglobal.h"

#include <QString>

// A program's start with the desktop session: the XDG autostart desktop file
// "<config>/autostart/<name>.desktop" whose Exec line holds a Windows Run key value (a quoted
// program path and its arguments).
class SCRIVELPLATFORM_EXPORT AutostartEntry
{
public:
    explicit AutostartEntry(const QString &name);

    QString filePath() const;
    bool exists() const;
    // The command the file runs, as a Run key value; empty when there is no file or it runs
    // nothing.
    QString value() const;
    // Writes the file; false when the folder or file cannot be written.
    bool write(const QString &value) const;
    // False when a file that exists cannot be removed.
    bool remove() const;

private:
    QString m_name;
};
