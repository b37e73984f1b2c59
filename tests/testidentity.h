#pragma once

#include <QCoreApplication>
#include <QStandardPaths>
#include <QString>

// Settings and standard folders of a test run, apart from the user's own.
inline void useTestIdentity()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("ScrivelTest"));
}
