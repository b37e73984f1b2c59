#pragma once

#include "recognition/inputmode.h"

#include <QAction>
#include <QLocale>
#include <QSharedDataPointer>
#include <QStringList>

class QActionGroup;

// Parameters a recognizer thread is configured with. The six words and the
// language code form the block handed to the engine.
struct RecognizerConfig
{
    enum Flag : quint32 {
        CjkWords = 1,
        LeftToRight = 2,
        RightToLeft = 4
    };

    qint32 speedQualityCompromise = 0;
    qint32 parameter1 = 2;
    qint32 parameter2 = 1;
    qint32 parameter3 = 5;
    qint32 parameter4 = 5;
    quint32 flags = 0;
    char languageCode[4] = {'?', 0, 0, 0};
    bool userTrainingFile = false;
    QString decimalSeparator;
    QStringList lexicons;
    QStringList resources;
    QString languageName;
    QString resourceName;
    QString resourcesBaseName;
    QString trainingData;

    void setFlag(quint32 bits, bool on);
    void setLanguageCode(const char *code);
    void setResourceName(const QString &name);
    void setGestures();
    void setCalculator();
};

// The language of a configuration: its locale, the name of its resource
// packages ("_" and a user name for a customised language) and its lexicons.
class LanguageEntry
{
public:
    LanguageEntry();
    LanguageEntry(const LanguageEntry &other);
    LanguageEntry &operator=(const LanguageEntry &other);
    ~LanguageEntry();

    QLocale locale() const;
    void setLocale(const QLocale &locale);
    QString name() const;
    void setName(const QString &name);
    QStringList lexicons() const;
    void setLexicons(const QStringList &lexicons);

private:
    class Data;
    QSharedDataPointer<Data> d;
};

// A configuration the user can check in a writing pad.
class Config : public QAction
{
    Q_OBJECT
public:
    explicit Config(QObject *parent = nullptr);

    RecognizerConfig recognizerConfig;
    LanguageEntry language;
    InputMode mode = UnknownMode;
    bool canChangeBoxSize = false;
    bool noWordSpacing = false;
    qint32 defaultBoxSize = 0;
};

// Checks and shows the first action of a group in which none is checked.
void ensureChecked(QActionGroup *group);

// The user's training folder: the user data folder, "/Training/" and the engine version as
// eight hexadecimal digits.
QString trainingFolder();
// The document of the customised language "_<user> <locale>": "<locale><user>.xml" in the
// training folder.
QString userConfigFile(const QString &languageName);
