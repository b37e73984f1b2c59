#include "windows/wholefilewriter.h"

#include <QSaveFile>

bool writeWholeFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size())
        return false; // the temporary file goes with the QSaveFile
    return file.commit();
}
