#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with content in one unbuffered write through a temporary file,
// so that a short write (a full disk, a file-size limit) shows in the byte count. The file is
// replaced only when every byte was written; false leaves the earlier file as it was.
bool writeWholeFile(const QString &path, const QByteArray &content);
