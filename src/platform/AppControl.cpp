#include "platform/AppControl.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>
#include <memory>

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

void loadQtChineseTexts() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    translator->setParent(QCoreApplication::instance());  // the application owns it from here
    QCoreApplication::installTranslator(translator.release());
}

void dropMaximizeButton(QWidget* window) {
    const Qt::WindowFlags kept = window->windowFlags() & ~(Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    window->setWindowFlags(kept | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
