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

// 0 for the first instance of `name`, which then holds the instance lock; otherwise the
// command of `arguments` goes to the running instance and its exit code comes back. Needs an
// application object but no display. Without a private runtime folder the instance runs on
// its own: 0, with no lock taken.
int connectToRunningInstance(const QString &name, const ParsedArguments &arguments);

// The first instance listens for later ones on behalf of `app`; nothing when it holds no lock.
void startInstanceServer(const QString &name, ScrivelApp *app);

// Gives the instance lock up, for a first instance that cannot start after all.
void releaseInstanceLock();
