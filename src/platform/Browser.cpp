#include "platform/Browser.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/Errors.h"

namespace {
std::function<void(const QString&)> webPageHandler;
}

void openWebPage(const QString& address) {
    if (webPageHandler) {
        webPageHandler(address);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl(address)))
        throw SystemError(QStringLiteral("无法打开浏览器：%1").arg(address));
}

void setWebPageHandler(std::function<void(const QString&)> handler) { webPageHandler = std::move(handler); }
