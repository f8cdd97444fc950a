#include "platform/Printers.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "platform/Errors.h"

namespace {
bool redirected = false;
QStringList redirectedNames;
PdfFileChooser pdfFileFor;

std::unique_ptr<QPrinter> printerFor(const QString& name) {
    if (redirected) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFileFor(name));
        return printer;
    }
    const QPrinterInfo info = name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}
}  // namespace

QStringList installedPrinterNames() {
    return redirected ? redirectedNames : QPrinterInfo::availablePrinterNames();
}

void printPage(int printerIndex, const QPageLayout& layout, const QString& jobName,
               const std::function<void(QPainter&)>& paint) {
    const QStringList names = installedPrinterNames();
    const QString name = printerIndex >= 0 && printerIndex < names.size() ? names[printerIndex] : QString();
    std::unique_ptr<QPrinter> printer = printerFor(name);
    printer->setDocName(jobName);
    printer->setPageLayout(layout);
    const QString shownName = name.isEmpty() ? QStringLiteral("默认打印机") : name;
    QPainter painter;
    if (!painter.begin(printer.get()))
        throw SystemError(QStringLiteral("打印机(%1)无法开始打印！").arg(shownName));
    paint(painter);
    if (!painter.end()) throw SystemError(QStringLiteral("打印机(%1)打印失败！").arg(shownName));
}

void redirectPrintingToPdf(const QStringList& names, PdfFileChooser fileFor) {
    redirected = true;
    redirectedNames = names;
    pdfFileFor = std::move(fileFor);
}

void stopRedirectingPrinting() {
    redirected = false;
    redirectedNames.clear();
    pdfFileFor = nullptr;
}
