#pragma once
#include <QString>
#include <functional>

// Opens a web address in the desktop's browser. Throws SystemError when no browser
// could be started, so the caller's handler shows it in the default error box.
void openWebPage(const QString& address);

// Tests capture the addresses instead of starting a browser; empty restores the real one.
void setWebPageHandler(std::function<void(const QString&)> handler);
