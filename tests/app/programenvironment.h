#pragma once

#include <QProcessEnvironment>
#include <QString>

// The environment of the program started as a process: offscreen, with its home, runtime,
// configuration and data folders inside home, so that runs meet neither each other nor a
// user's own instance, and with its window states logged.
inline QProcessEnvironment programEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_DATA_DIRS"), home + QStringLiteral("/shared"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"),
               QStringLiteral("*.debug=false\nscrivel.app.state.info=true"));
    return env;
}
