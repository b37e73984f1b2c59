#include "recognition/configreader.h"

#include "lang/localenames.h"
#include "recognition/recognizerconfig.h"
#include "resources/resourcepaths.h"
#include "xml/xmlreading.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QXmlStreamReader>

namespace {

// The attributes of one "config" element; absent ones read as empty.
struct ConfigAttributes
{
    explicit ConfigAttributes(const QXmlStreamAttributes &attributes)
        : label(attributes.value(QLatin1String("label")).toString()),
          mode(InputMode(inputModeFromName(attributes.value(QLatin1String("type")).toString()))),
          speedQualityCompromise(
              attributes.value(QLatin1String("speedQualityCompromise")).toString()),
          userLexicon(isTrue(attributes, "userLexicon")),
          canChangeBoxSize(isTrue(attributes, "canChangeBoxSize")),
          bigBoxes(attributes.value(QLatin1String("defaultBoxSize")) == QLatin1String("big")),
          noWordSpacing(attributes.value(QLatin1String("wordSpacing")) == QLatin1String("none")),
          cjkWords(isTrue(attributes, "CJKCharsAsWords")),
          userTrainingFile(isTrue(attributes, "userTrainingFile")),
          decimalSeparator(attributes.value(QLatin1String("decimalSeperator")).toString())
    {
    }

    static bool isTrue(const QXmlStreamAttributes &attributes, const char *name)
    {
        return attributes.value(QLatin1String(name)) == QLatin1String("true");
    }

    QString label;
    InputMode mode;
    QString speedQualityCompromise;
    bool userLexicon;
    bool canChangeBoxSize;
    bool bigBoxes;
    bool noWordSpacing;
    bool cjkWords;
    bool userTrainingFile;
    QString decimalSeparator;
};

// What the "config" elements of one document are read with.
struct DocumentContext
{
    QActionGroup *group;
    const LanguageEntry &language;
    InputMode modeFilter;
    QString resourcesBaseName;

    bool isCustomised() const { return !resourcesBaseName.isEmpty(); }
};

bool isConfigRoot(const QXmlStreamReader &reader)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    return reader.name() == QLatin1String("scrivelconfig")
           && attributes.value(QLatin1String("version")) == configDocumentVersion()
           && !attributes.value(QLatin1String("lang")).isEmpty();
}

// Labels are compared as they are shown, so that a configuration written under its shown
// label is found again by the built-in element it was made from.
Config *findConfig(QActionGroup *group, const QString &label, InputMode mode)
{
    if (label.isEmpty())
        return nullptr;
    const QString text = displayedConfigLabel(label);
    const QList<QAction *> actions = group->actions();
    for (QAction *action : actions) {
        auto *config = qobject_cast<Config *>(action);
        if (config && config->text() == text && config->mode == mode)
            return config;
    }
    return nullptr;
}

Config *createConfig(const DocumentContext &context)
{
    auto *config = new Config(context.group);
    config->language = context.language;
    config->mode = context.modeFilter;
    RecognizerConfig &recognizer = config->recognizerConfig;
    if (context.isCustomised())
        recognizer.resourcesBaseName = context.resourcesBaseName;
    if (context.modeFilter == CalculatorMode) {
        recognizer.setCalculator();
    } else {
        recognizer.languageName = context.language.name();
        recognizer.setResourceName(normalizedLocaleName(context.language.locale()));
    }
    return config;
}

void applyAttributes(Config *config, const ConfigAttributes &a, const LanguageEntry &language)
{
    RecognizerConfig &recognizer = config->recognizerConfig;
    config->canChangeBoxSize = a.canChangeBoxSize;
    config->defaultBoxSize = a.bigBoxes ? 2 : 1;
    config->noWordSpacing = a.noWordSpacing;
    recognizer.decimalSeparator = a.decimalSeparator;
    recognizer.setFlag(RecognizerConfig::CjkWords, a.cjkWords);
    if (writingDirection(language.locale()) == WritingDirection::RightToLeft)
        recognizer.setFlag(RecognizerConfig::RightToLeft, true);
    else
        recognizer.setFlag(RecognizerConfig::LeftToRight, true);
    if (!a.label.isEmpty())
        translateConfigLabel(config, a.label);
    if (!a.speedQualityCompromise.isEmpty())
        recognizer.speedQualityCompromise = a.speedQualityCompromise.toInt();
    if (a.userLexicon)
        recognizer.lexicons = language.lexicons();
    recognizer.userTrainingFile = a.userTrainingFile;
}

void readResource(QXmlStreamReader &reader, Config *config, bool existing,
                  const DocumentContext &context)
{
    const QString type = reader.attributes().value(QLatin1String("type")).toString();
    const QString file = reader.readElementText(QXmlStreamReader::SkipChildElements);
    if (!config)
        return;
    RecognizerConfig &recognizer = config->recognizerConfig;
    if (type.compare(QLatin1String("train_data"), Qt::CaseInsensitive) == 0)
        recognizer.trainingData = resourcepaths::languages() + file;
    else if (context.isCustomised())
        recognizer.resources.append(trainingFolder() + QLatin1Char('/') + file);
    else if (!(existing && type.compare(QLatin1String("AK"), Qt::CaseInsensitive) == 0))
        recognizer.resources.append(resourcepaths::languages() + file);
}

void readConfig(QXmlStreamReader &reader, const DocumentContext &context)
{
    const ConfigAttributes attributes(reader.attributes());
    Config *config = nullptr;
    bool existing = true;
    if (context.modeFilter == UnknownMode || context.modeFilter == attributes.mode) {
        config = findConfig(context.group, attributes.label, attributes.mode);
        if (!config) {
            config = createConfig(context);
            existing = false;
        }
        applyAttributes(config, attributes, context.language);
    }
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("resource"))
            readResource(reader, config, existing, context);
        else
            skipUnknownElement(reader);
    }
}

void readRoot(QXmlStreamReader &reader, DocumentContext &context)
{
    context.resourcesBaseName =
        reader.attributes().value(QLatin1String("resourcesBaseName")).toString();
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("config"))
            readConfig(reader, context);
        else
            skipUnknownElement(reader);
    }
}

} // namespace

bool readConfigDocument(QXmlStreamReader &reader, QIODevice *device, QActionGroup *group,
                        const LanguageEntry &language, InputMode modeFilter,
                        QString *resourcesBaseName)
{
    reader.setDevice(device);
    DocumentContext context{group, language, modeFilter, QString()};
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (!isConfigRoot(reader)) {
            reader.raiseError(QCoreApplication::translate(
                                  "ConfigRepository",
                                  "The file is not an Scrivel Config version %1 file.")
                                  .arg(configDocumentVersion()));
            break;
        }
        readRoot(reader, context);
    }
    if (resourcesBaseName)
        *resourcesBaseName = context.resourcesBaseName;
    return !reader.hasError();
}

bool readConfigHeader(QXmlStreamReader &reader, QIODevice *device, QString *version,
                      QString *lang, QString *resourcesBaseName)
{
    reader.setDevice(device);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("scrivelconfig"))
        return false;
    const QXmlStreamAttributes attributes = reader.attributes();
    *version = attributes.value(QLatin1String("version")).toString();
    *lang = attributes.value(QLatin1String("lang")).toString();
    *resourcesBaseName = attributes.value(QLatin1String("resourcesBaseName")).toString();
    return true;
}

QString configDocumentVersion()
{
    return QStringLiteral("0.4");
}

QString displayedConfigLabel(const QString &label)
{
    if (!label.startsWith(QLatin1String("_tr_")))
        return label;
    QString source = label;
    source.remove(QLatin1String("_tr_"));
    return Config::tr(source.toLatin1().constData());
}

void translateConfigLabel(Config *config, const QString &label)
{
    config->setText(displayedConfigLabel(label));
}
