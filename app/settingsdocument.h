#pragma once

#include <QMap>
#include <QSharedDataPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

// A subset of the preferences as the settings file holds it: the version that wrote it, the
// global settings and one map of settings per input mode name.
class SettingsDocument
{
public:
    SettingsDocument();
    SettingsDocument(const SettingsDocument &other);
    SettingsDocument &operator=(const SettingsDocument &other);
    ~SettingsDocument();

    QString version() const;
    void setVersion(const QString &version);

    const QVariantMap &globals() const;
    void putGlobal(const QString &key, const QVariant &value);
    void clearGlobals();

    bool hasMode(const QString &name) const;
    // The settings of a mode; an absent mode is added empty.
    QVariantMap &mode(const QString &name);
    QVariantMap modeSettings(const QString &name) const;
    QStringList modeNames() const;
    void clearModes();

private:
    class Data;
    QSharedDataPointer<Data> d;
};
