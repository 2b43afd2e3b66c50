#pragma once
// Making the eight windows in their order at program start, and destroying them at the end.

#include "app/startup_options.h"
#include "app/windows.h"

// Creates the windows into `windows`, which must outlive them (every window keeps a reference to it).
// Each window's creation step runs as it is made; errors there are shown and the start goes on.
void createWindows(Windows& windows, const StartupOptions& options = {});

// Destroys the windows, the last made first; the player dialog writes the player register as it goes.
void destroyWindows(Windows& windows);
