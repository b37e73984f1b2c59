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
#include <QFileInfo>
#include <QHash>
#include <QMenu>
#include <QResource>
#include <QXmlStreamReader>

#include <algorithm>
#include <functional>

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
        if (baseName.contains(QLatin1Char('/')) || baseName.contains(QLatin1Char('\\'))) {
            qWarning("Configuration document %s names no language: %s", qUtf8Printable(path),
                     qUtf8Printable(baseName));
            return;
        }
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

namespace {

// The language actions of the menu while it is built, with the rule that checks the current
// language.
class LanguageMenuBuilder final
{
public:
    LanguageMenuBuilder(const LocalePrefs &languages, QActionGroup *group, bool checkUnlisted);

    void addInstalledLanguages();
    void addCustomisedLanguages();
    void chooseByLocale();
    void moveSortedInto(QActionGroup *target);

private:
    void addPackage(const QString &file);
    QAction *addAction(const QString &text, const QString &data, bool hidden);
    bool hasInstalledLanguage(const QString &name) const;

    QString m_current;
    bool m_currentReplaced = false;
    bool m_checkUnlisted;
    QStringList m_working;
    QStringList m_reference;
    QActionGroup *m_group;
    bool m_currentRuleOpen = true;
};

LanguageMenuBuilder::LanguageMenuBuilder(const LocalePrefs &languages, QActionGroup *group,
                                         bool checkUnlisted)
    : m_current(languages.activeLanguage), m_checkUnlisted(checkUnlisted),
      m_working(languages.workingLanguages.split(QLatin1Char(' '))),
      m_reference(languages.detectedLanguages.split(QLatin1Char(' '))),
      m_group(new QActionGroup(group))
{
    if (m_current.isEmpty() || !languages.workingLanguages.contains(m_current)) {
        m_current = normalizedLocaleName(uiLocale());
        m_currentReplaced = true;
    }
}

QAction *LanguageMenuBuilder::addAction(const QString &text, const QString &data, bool hidden)
{
    auto *action = new QAction(text, m_group);
    action->setCheckable(true);
    action->setData(data);
    action->setVisible(!hidden);
    return action;
}

void LanguageMenuBuilder::addInstalledLanguages()
{
    const QString folder = applicationPath(ResourcesFolder);
    const QStringList packages = QDir(folder).entryList({QStringLiteral("0*.rcc")}, QDir::Files,
                                                        QDir::Name | QDir::IgnoreCase);
    for (const QString &package : packages)
        addPackage(folder + QLatin1Char('/') + package);
}

// A package is named by a digit and its language name, and lists one file per locale.
void LanguageMenuBuilder::addPackage(const QString &file)
{
    const RegisteredPackage package(file, resourcepaths::languageMenuPackageRoot());
    if (!package.isRegistered())
        return;
    const QString language = QFileInfo(file).completeBaseName().mid(1);
    const QStringList files = xmlFiles(resourcepaths::languageMenu());
    for (const QString &name : files) {
        const QString locale = QFileInfo(name).completeBaseName();
        QAction *action = addAction(fullLanguageName(QLocale(locale)),
                                    language + QLatin1Char(' ') + locale,
                                    !m_working.contains(locale));
        const bool newlyFound = m_checkUnlisted && !m_reference.contains(locale);
        if (newlyFound)
            action->setVisible(true);
        if (m_currentRuleOpen && locale == m_current) {
            action->setVisible(true);
            action->setChecked(true);
            m_currentRuleOpen = false;
        } else if (m_currentRuleOpen && newlyFound) {
            // Checked only until the current language turns up, which then takes over.
            action->setChecked(true);
        }
    }
}

bool LanguageMenuBuilder::hasInstalledLanguage(const QString &name) const
{
    const QList<QAction *> actions = m_group->actions();
    return std::any_of(actions.cbegin(), actions.cend(), [&name](const QAction *action) {
        const QString data = action->data().toString();
        return !hasUnderscorePrefix(data) && labelHead(data) == name;
    });
}

// A trained document is named by its locale and the user name; it is listed when the language
// it was trained from is installed.
void LanguageMenuBuilder::addCustomisedLanguages()
{
    const QString folder = trainingFolder();
    const QStringList files = xmlFiles(folder);
    QXmlStreamReader reader;
    for (const QString &name : files) {
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QString version;
        QString lang;
        QString baseName;
        if (!readConfigHeader(reader, &file, &version, &lang, &baseName)
            || version != configDocumentVersion() || lang.isEmpty())
            continue;
        const QString fileBase = QFileInfo(name).completeBaseName();
        if (!fileBase.startsWith(lang) || !hasInstalledLanguage(baseName))
            continue;
        const QString user = fileBase.mid(lang.size());
        QAction *action = addAction(fullLanguageName(QLocale(lang)) + QLatin1Char(' ') + user,
                                    QLatin1Char('_') + user + QLatin1Char(' ') + lang,
                                    !m_working.contains(fileBase));
        if (m_currentRuleOpen && fileBase == m_current)
            action->setChecked(true);
    }
}

// The language part of a locale name: "fil" of "fil_PH", "ar" of "ar".
QString languagePart(const QString &localeName)
{
    return localeName.section(QLatin1Char('_'), 0, 0);
}

// With no usable current language, the interface locale chooses: the same locale, else the
// same language, then the same for the system locale; with none of these every action is
// checked in turn and the last one stays.
void LanguageMenuBuilder::chooseByLocale()
{
    if (!m_currentReplaced)
        return;
    const QList<QAction *> actions = m_group->actions();
    QStringList locales;
    for (const QAction *action : actions)
        locales.append(labelTail(action->data().toString()));
    const QString system = QLocale().name();
    using Match = std::function<bool(const QString &)>;
    const QList<Match> levels = {
        [this](const QString &l) { return l == m_current; },
        [this](const QString &l) { return languagePart(l) == languagePart(m_current); },
        [&system](const QString &l) { return l == system; },
        [&system](const QString &l) { return languagePart(l) == languagePart(system); },
    };
    Match chosen = [](const QString &) { return true; };
    for (const Match &level : levels) {
        if (std::any_of(locales.cbegin(), locales.cend(), level)) {
            chosen = level;
            break;
        }
    }
    for (int i = 0; i < actions.size(); ++i) {
        if (chosen(locales.at(i)))
            actions.at(i)->setChecked(true);
    }
}

void LanguageMenuBuilder::moveSortedInto(QActionGroup *target)
{
    QList<QAction *> actions = m_group->actions();
    std::stable_sort(actions.begin(), actions.end(), textLessThan);
    for (QAction *action : actions) {
        action->setActionGroup(target);
        action->setParent(target);
    }
    delete m_group;
}

} // namespace

void buildLanguageMenu(const LocalePrefs &languages, QActionGroup *group, bool checkUnlisted)
{
    LanguageMenuBuilder builder(languages, group, checkUnlisted);
    builder.addInstalledLanguages();
    builder.addCustomisedLanguages();
    builder.chooseByLocale();
    builder.moveSortedInto(group);
    ensureChecked(group);
}

LocalePrefs collectLocalePrefs(const QActionGroup *languages)
{
    LocalePrefs prefs;
    if (!languages)
        return prefs;
    for (const QAction *action : languages->actions()) {
        const QString label = action->data().toString();
        const QString head = labelHead(label);
        const QString entry = hasUnderscorePrefix(head)
                                  ? labelTail(label) + head.mid(1)
                                  : labelTail(label);
        const QString code = labelTail(entry) + QLatin1Char(' ');
        prefs.detectedLanguages += code;
        if (action->isVisible())
            prefs.workingLanguages += code;
        if (action->isChecked())
            prefs.activeLanguage = labelTail(entry);
    }
    return prefs;
}

void updateLanguageActionTexts(QActionGroup *group)
{
    const QList<QAction *> actions = group->actions();
    QHash<QLocale::Language, int> counts;
    for (const QAction *action : actions)
        ++counts[QLocale(labelTail(action->data().toString())).language()];
    for (QAction *action : actions) {
        const QString data = action->data().toString();
        const QLocale locale(labelTail(data));
        const QString suffix = hasUnderscorePrefix(labelHead(data))
                                   ? QLatin1Char(' ') + translateRepository("Customized")
                                         + QLatin1Char(' ')
                                   : QString();
        if (counts.value(locale.language()) == 1) {
            action->setText(languageName(locale.language()) + suffix);
            continue;
        }
        QString text = fullLanguageNameFromLocaleName(locale);
        const int country = text.lastIndexOf(QLatin1String(" ("));
        text.insert(country < 0 ? text.size() : country, QChar(0x202A));
        action->setText(text + suffix);
    }
}

bool findCustomizedLanguage(QActionGroup *group, const QString &name)
{
    const QString locale = labelTail(name);
    const bool fullLocale = locale.contains(QLatin1Char('_'));
    const QList<QAction *> actions = group->actions();
    return std::any_of(actions.cbegin(), actions.cend(), [&](const QAction *action) {
        const QString data = action->data().toString();
        if (!hasUnderscorePrefix(data))
            return false;
        const QString tail = labelTail(data);
        return fullLocale ? tail == locale : tail.startsWith(locale);
    });
}

void fillConfigMenu(QActionGroup *group, QMenu *menu)
{
    menu->clear();
    menu->addActions(group->actions());
}
