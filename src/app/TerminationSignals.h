#pragma once
// SIGTERM, SIGHUP and SIGINT end the program the orderly way: the handler
// only writes a byte to a pipe, and the callback runs later on the UI thread.

#include <functional>

// Installs the handlers once; the callback replaces any earlier one.
void InstallTerminationHandler(std::function<void(int signal)> onSignal);
