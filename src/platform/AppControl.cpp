#include "platform/AppControl.h"

#include <QCoreApplication>

namespace {
std::function<void()> terminateHandler;
bool terminating = false;
}

void terminateApplication() {
    terminating = true;
    if (terminateHandler)
        terminateHandler();
    else
        QCoreApplication::exit(0);
}

bool terminationRequested() { return terminating; }

void setTerminateHandler(std::function<void()> handler) {
    terminateHandler = std::move(handler);
    terminating = false;
}
