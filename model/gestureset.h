#pragma once

// Which quick gestures an edit-gesture oracle may accept; 0 allows none,
// the oracle gives the other values their meaning.
typedef int GestureSet;
