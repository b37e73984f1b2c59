#include "recognition/configrepository.h"

#include "lang/localenames.h"
#include "lang/localeprefs.h"
#include "recognition/configreader.h"
#include "recognition/recognizerconfig.h"
#include "resources/resourcepaths.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QResource>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

// A package registered at a resource root for the life of the object.
class RegisteredPackage final
{
public:
    RegisteredPackage(const QString &file, const QString &root)
        : m_file(file), m_root(root), m_registered(QResource::registerResource(file, root))
    {
        if (!m_registered)
            qWarning("Language package %s cannot be opened", qUtf8Printable(file));
    }
    ~RegisteredPackage()
    {
        if (m_registered)
            QResource::unregisterResource(m_file, m_root);
    }
    RegisteredPackage(const RegisteredPackage &) = delete;
    RegisteredPackage &operator=(const RegisteredPackage &) = delete;

    bool isRegistered() const { return m_registered; }

private:
    QString m_file;
    QString m_root;
    bool m_registered;
};

QStringList xmlFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.xml")}, QDir::Files,
                                  QDir::Name | QDir::IgnoreCase);
}

bool readDocument(QXmlStreamReader &reader, const QString &path, QActionGroup *group,
                  const LanguageEntry &language, InputMode mode, QString *resourcesBaseName)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning("Configuration document %s cannot be opened", qUtf8Printable(path));
        return false;
    }
    if (!readConfigDocument(reader, &file, group, language, mode, resourcesBaseName))
        qWarning("Configuration document %s, line %lld: %s", qUtf8Printable(path),
                 reader.lineNumber(), qUtf8Printable(reader.errorString()));
    return true;
}

QString packageFile(int kind, const QString &languageName)
{
    return QStringLiteral("%1/%2%3.rcc")
        .arg(applicationPath(ResourcesFolder), QString::number(kind), languageName);
}

// Reads the built-in documents of the language's package; false when one cannot be opened.
bool readPackagedDocuments(QXmlStreamReader &reader, const LanguageEntry &language,
                           InputMode mode, QActionGroup *group)
{
    const RegisteredPackage package(packageFile(0, language.name()),
                                    resourcepaths::configPackageRoot());
    if (!package.isRegistered())
        return true;
    const QString folder = resourcepaths::configs();
    const QStringList files = xmlFiles(folder);
    for (const QString &name : files) {
        if (!readDocument(reader, folder + name, group, language, mode, nullptr))
            return false;
    }
    return true;
}

} // namespace

bool hasUnderscorePrefix(const QString &text)
{
    return text.startsWith(QLatin1Char('_'));
}

QString labelHead(const QString &text)
{
    const int blank = text.lastIndexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}

QString labelTail(const QString &text)
{
    const int blank = text.lastIndexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.mid(blank + 1);
}

bool textLessThan(const QAction *a, const QAction *b)
{
    return a->text() < b->text();
}

QString translateRepository(const char *text, const char *comment)
{
    return QCoreApplication::translate("ConfigRepository", text, comment);
}

void loadConfigs(QXmlStreamReader &reader, const LanguageEntry &language, InputMode mode,
                 const QString &label, QActionGroup *group)
{
    LanguageEntry entry = language;
    if (hasUnderscorePrefix(entry.name())) {
        const QString path = trainingFolder() + QLatin1Char('/')
                             + normalizedLocaleName(entry.locale()) + entry.name().mid(1)
                             + QStringLiteral(".xml");
        QString baseName;
        if (!readDocument(reader, path, group, entry, mode, &baseName) || baseName.isEmpty())
            return;
        entry.setName(baseName);
    }
    if (!readPackagedDocuments(reader, entry, mode, group))
        return;
    const QList<QAction *> actions = group->actions();
    for (QAction *action : actions) {
        if (action->text() == label)
            action->setChecked(true);
    }
    ensureChecked(group);
}
