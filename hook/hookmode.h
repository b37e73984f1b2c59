#pragma once

// The hook mode block as the hook library reads and writes it, opened anew for every access.

// The current mode; the watch mode when the block cannot be opened or mapped.
int readHookMode();
// Writes a single-digit mode; false when the block cannot be opened or mapped or the mode
// has more than one digit.
bool writeHookMode(int mode);
