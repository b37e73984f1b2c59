#pragma once

#include "app/scrivelapp.h"
#include "platform/desktop.h"
#include "platform/wintypes.h"

#include <QCoreApplication>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// The program's names and version, with its settings store and its user and common data
// folders inside the test's folder.
inline void useProgramFolders(const QTemporaryDir &folder)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvell"));
    QCoreApplication::setApplicationName(QStringLiteral("Inkora Scrivel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("3.2.60.140 zk"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, folder.filePath(QStringLiteral("user")));
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA,
                                        folder.filePath(QStringLiteral("common")));
}

// A test main that runs the test object under the program's own application object.
#define SCRIVEL_APP_TEST_MAIN(TestObject)                                                  \
    int main(int argc, char **argv)                                                        \
    {                                                                                      \
        ScrivelApp app(argc, argv);                                                        \
        TestObject test;                                                                   \
        return QTest::qExec(&test, argc, argv);                                            \
    }
