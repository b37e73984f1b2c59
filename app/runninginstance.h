#pragma once

#include "app/commandline.h"

#include <QString>

class ScrivelApp;

// The command that a second instance sends for its options: the first of hide, none, test,
// quit, save, load, set, full screen, windowed and show cursor that the options hold; empty
// with none of them.
QString instanceCommand(const ParsedArguments &arguments);

// The exit code of a second instance for the running one's answer: 2 shown, 3 hidden, -1 on
// "Fail", 1 otherwise.
int instanceExitCode(const QString &answer);

// 0 for the first instance of `name`, which then takes the instance lock and listens for
// later ones on behalf of `app`; otherwise the command of `arguments` goes to the running
// instance and its exit code comes back. Without a private runtime folder the instance runs
// on its own: 0, with neither lock nor server.
int connectToRunningInstance(const QString &name, const ParsedArguments &arguments,
                             ScrivelApp *app);
