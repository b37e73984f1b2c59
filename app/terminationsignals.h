#pragma once

class ScrivelApp;

// SIGTERM, SIGINT and SIGHUP end the program through its exit sequence from any state, as a
// quit command does, so that a session logout or a Ctrl+C quits cleanly; the settings are
// written first, as when the panel closes.
void quitOnTerminationSignals(ScrivelApp *app);
