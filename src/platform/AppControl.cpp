#include "platform/AppControl.h"

#include <QCoreApplication>

namespace {
std::function<void()> terminateHandler;
}

void terminateApplication() {
    if (terminateHandler)
        terminateHandler();
    else
        QCoreApplication::exit(0);
}

void setTerminateHandler(std::function<void()> handler) { terminateHandler = std::move(handler); }
