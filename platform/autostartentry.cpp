#include "platform/autostartentry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr qint64 maxEntrySize = 64 * 1024;

// A string value of a desktop entry: backslashes and line breaks escaped.
QString escapeString(const QString &text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

QString unescapeString(const QString &text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            plain += c;
            continue;
        }
        const QChar next = text.at(++i);
        plain += next == QLatin1Char('s')   ? QChar(QLatin1Char(' '))
                 : next == QLatin1Char('n') ? QChar(QLatin1Char('\n'))
                 : next == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                 : next == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                            : next;
    }
    return plain;
}

bool isReservedInQuotes(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
           || c == QLatin1Char('\\');
}

// A Run value ("\"path\" arguments") as an Exec command: the quoted path with its reserved
// characters escaped, the arguments as they are; an unquoted value stays as it is.
QString execCommand(const QString &value)
{
    if (!value.startsWith(QLatin1Char('"')))
        return value;
    const qsizetype end = value.indexOf(QLatin1Char('"'), 1);
    const QString path = end < 0 ? value.mid(1) : value.mid(1, end - 1);
    const QString arguments = end < 0 ? QString() : value.mid(end + 1);
    QString quoted = QStringLiteral("\"");
    for (const QChar c : std::as_const(path)) {
        if (isReservedInQuotes(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"') + arguments;
}

QString runValue(const QString &exec)
{
    if (!exec.startsWith(QLatin1Char('"')))
        return exec;
    QString path;
    qsizetype i = 1;
    for (; i < exec.size() && exec.at(i) != QLatin1Char('"'); ++i) {
        if (exec.at(i) == QLatin1Char('\\') && i + 1 < exec.size())
            ++i;
        path += exec.at(i);
    }
    return QLatin1Char('"') + path + QLatin1Char('"') + exec.mid(i + 1);
}

} // namespace

AutostartEntry::AutostartEntry(const QString &name) : m_name(name) {}

QString AutostartEntry::filePath() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/") + m_name + QStringLiteral(".desktop");
}

bool AutostartEntry::exists() const
{
    return QFileInfo(filePath()).isFile();
}

QString AutostartEntry::value() const
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxEntrySize)
        return QString();
    bool inEntry = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')))
            inEntry = trimmed == QLatin1String("[Desktop Entry]");
        else if (inEntry && trimmed.startsWith(QLatin1String("Exec=")))
            return runValue(unescapeString(trimmed.mid(5)));
    }
    return QString();
}

bool AutostartEntry::write(const QString &value) const
{
    const QString path = filePath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=")
                         + escapeString(m_name) + QStringLiteral("\nExec=")
                         + escapeString(execCommand(value)) + QLatin1Char('\n');
    file.write(text.toUtf8());
    return file.commit();
}

bool AutostartEntry::remove() const
{
    QFile file(filePath());
    return !file.exists() || file.remove();
}
