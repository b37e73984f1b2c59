#pragma once

// Folders, documents and readers shared by the configuration and language-menu tests.

#include "platform/desktop.h"
#include "platform/winapi.h"
#include "recognition/recognizerconfig.h"
#include "windows/winutils.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace configfixtures {

// Points the user and common data folders into `root`; the training folder is made.
inline void useFolders(const QTemporaryDir &root)
{
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, root.filePath(QStringLiteral("user")));
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA,
                                        root.filePath(QStringLiteral("common")));
    QVERIFY(QDir().mkpath(trainingFolder()));
}

inline void removeFolders(const QTemporaryDir &root)
{
    QDir(root.filePath(QStringLiteral("user"))).removeRecursively();
    QDir(root.filePath(QStringLiteral("common"))).removeRecursively();
}

inline void writeFile(const QString &path, const QByteArray &contents)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

// The interface language is read from the common data folder.
inline void setUiLanguage(const QString &name)
{
    writeFile(applicationPath(CommonDataFolder) + QStringLiteral("/ui_lang.txt"), name.toUtf8());
}

inline QByteArray customisedDocument(const QByteArray &lang, const QByteArray &baseName,
                                     const QByteArray &configs, const QByteArray &version = "0.4")
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE zkInkoraScrivelConfig>\n<scrivelconfig "
           "version=\""
           + version + "\" lang=\"" + lang + "\" resourcesBaseName=\"" + baseName + "\">\n"
           + configs + "</scrivelconfig>\n";
}

inline QStringList texts(const QActionGroup &group)
{
    QStringList list;
    const QList<QAction *> actions = group.actions();
    for (const QAction *action : actions)
        list.append(action->text());
    return list;
}

inline QStringList data(const QActionGroup &group)
{
    QStringList list;
    const QList<QAction *> actions = group.actions();
    for (const QAction *action : actions)
        list.append(action->data().toString());
    return list;
}

inline QStringList visibleData(const QActionGroup &group)
{
    QStringList list;
    const QList<QAction *> actions = group.actions();
    for (const QAction *action : actions) {
        if (action->isVisible())
            list.append(action->data().toString());
    }
    return list;
}

inline QString checkedData(const QActionGroup &group)
{
    return group.checkedAction() ? group.checkedAction()->data().toString() : QString();
}

} // namespace configfixtures
