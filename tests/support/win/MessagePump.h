// Running this thread's messages from a test: what is waiting now, until a condition holds, or
// for a while.
#pragma once

#include <functional>

// Runs every message already waiting, then returns.
void PumpMessages();

// Runs the messages until `done` holds or `timeoutMs` has passed; false on time out. Between
// rounds it sleeps until a message comes or `pollMs` has passed, for conditions that change
// without one.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000, unsigned pollMs = 10);

// Runs the messages for `ms`, so that something that should not come could show.
void PumpFor(unsigned ms, unsigned pollMs = 10);
