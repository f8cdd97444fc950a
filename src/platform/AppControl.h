#pragma once
#include <functional>

// Asks the application to end: every running event loop returns, the modal ones
// first, so code after a nested dialog still runs once before the program stops.
void terminateApplication();

// Tests record the request instead of ending their process; empty restores the real one.
void setTerminateHandler(std::function<void()> handler);
