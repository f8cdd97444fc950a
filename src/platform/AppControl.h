#pragma once
#include <functional>

// Asks the application to end: every running event loop returns, the modal ones
// first, so code after a nested dialog still runs once before the program stops.
void terminateApplication();

// True once the application was asked to end.
bool terminationRequested();

// Tests record the request instead of ending their process; empty restores the real one.
// Either way the program counts as running again.
void setTerminateHandler(std::function<void()> handler);

// Qt's own texts (standard buttons, file dialogs, edit menus) in Chinese, when the
// system has Qt's translations installed; without them they stay in English.
void loadQtChineseTexts();

class QWidget;
// A window of fixed size offers no maximise (or minimise) button, only its title and
// close box. Call before the window is first shown.
void dropMaximizeButton(QWidget* window);
