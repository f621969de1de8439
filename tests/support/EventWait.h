// Test support shared by the Qt tests: EventWait.
#pragma once

// How long a test waits for an event (a window shown or activated, a file handed over) before it
// calls it a hang: far beyond what a slow or busy machine takes, so only a hang reaches it.
inline constexpr int kHangMs = 30000;
