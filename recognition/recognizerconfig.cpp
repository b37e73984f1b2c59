#include "recognition/recognizerconfig.h"

#include "recognition/configrepository.h"
#include "recognition/enginebinding.h"
#include "resources/resourcepaths.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QSharedData>

#include <algorithm>

void RecognizerConfig::setFlag(quint32 bits, bool on)
{
    flags = on ? (flags | bits) : (flags & ~bits);
}

void RecognizerConfig::setLanguageCode(const char *code)
{
    for (int i = 0; i < 3; ++i)
        languageCode[i] = code[i];
    languageCode[3] = 0;
}

void RecognizerConfig::setResourceName(const QString &name)
{
    resourceName = name;
    if (name.contains(QLatin1String("gest"))) {
        setLanguageCode("gst");
        return;
    }
    const QByteArray head = name.left(2).toLatin1();
    const char code[3] = {head.size() > 0 ? head[0] : '\0', head.size() > 1 ? head[1] : '\0', '\0'};
    setLanguageCode(code);
}

void RecognizerConfig::setGestures()
{
    speedQualityCompromise = 127;
    resources.append(resourcepaths::languages() + QLatin1String("gestures/ak-cur.res"));
    languageName = QStringLiteral("gestures");
    setResourceName(QStringLiteral("gestures"));
    parameter2 = 1;
    parameter3 = 1;
    parameter4 = 1;
}

void RecognizerConfig::setCalculator()
{
    resources.append(resourcepaths::languages() + QLatin1String("shared/Calculator-ak-hpr.res"));
    resources.append(resourcepaths::languages()
                     + QLatin1String("shared/Calculator-sk-im_calc.res"));
    languageName = QStringLiteral("calculator");
    setResourceName(QStringLiteral("calculator"));
    parameter2 = 1;
    parameter3 = 1;
    parameter4 = 5;
}

class LanguageEntry::Data : public QSharedData
{
public:
    QLocale locale;
    QString name;
    QStringList lexicons;
};

LanguageEntry::LanguageEntry() : d(new Data) {}
LanguageEntry::LanguageEntry(const LanguageEntry &other) = default;
LanguageEntry &LanguageEntry::operator=(const LanguageEntry &other) = default;
LanguageEntry::~LanguageEntry() = default;

QLocale LanguageEntry::locale() const { return d->locale; }
void LanguageEntry::setLocale(const QLocale &locale) { d->locale = locale; }
QString LanguageEntry::name() const { return d->name; }
void LanguageEntry::setName(const QString &name) { d->name = name; }
QStringList LanguageEntry::lexicons() const { return d->lexicons; }
void LanguageEntry::setLexicons(const QStringList &lexicons) { d->lexicons = lexicons; }

Config::Config(QObject *parent) : QAction(parent)
{
    setCheckable(true);
}

void ensureChecked(QActionGroup *group)
{
    const QList<QAction *> actions = group->actions();
    const bool anyChecked = std::any_of(actions.cbegin(), actions.cend(),
                                        [](const QAction *a) { return a->isChecked(); });
    if (actions.isEmpty() || anyChecked)
        return;
    actions.first()->setChecked(true);
    actions.first()->setVisible(true);
}

QString trainingFolder()
{
    return applicationPath(UserDataFolder)
           + QStringLiteral("/Training/%1").arg(ZK_ENGINE_VERSION, 8, 16, QLatin1Char('0'));
}

QString userConfigFile(const QString &languageName)
{
    return trainingFolder() + QLatin1Char('/') + labelTail(languageName)
           + labelHead(languageName).mid(1) + QStringLiteral(".xml");
}
