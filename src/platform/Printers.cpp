#include "platform/Printers.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cups/cups.h>
#include <dlfcn.h>

#include <cstring>
#include <memory>

#include "platform/Errors.h"

namespace {
bool redirected = false;
QStringList redirectedNames;
PdfFileChooser pdfFileFor;
PrintQueueQuery redirectedAccepts;

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

// libcups brings TLS, Kerberos and service discovery with it: linked, they would be
// loaded and relocated at every start for a call made only when a ticket prints. It
// is the library Qt's own print support uses, so its last error is Qt's too.
struct CupsCalls {
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
};

template <class F>
void resolve(void* library, const char* name, F& call) {
    call = reinterpret_cast<F>(dlsym(library, name));
}

// Null when the machine has no print service library: then there is no queue to ask
// and Qt's own start of the page decides.
const CupsCalls* cups() {
    static const std::unique_ptr<CupsCalls> calls = []() -> std::unique_ptr<CupsCalls> {
        void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) return nullptr;
        auto c = std::make_unique<CupsCalls>();
        resolve(library, "cupsGetNamedDest", c->getNamedDest);
        resolve(library, "cupsGetOption", c->getOption);
        resolve(library, "cupsFreeDests", c->freeDests);
        resolve(library, "cupsLastError", c->lastError);
        if (!c->getNamedDest || !c->getOption || !c->freeDests || !c->lastError) return nullptr;
        return c;
    }();
    return calls.get();
}

// Qt hands the page to CUPS inside QPainter::end() and drops the job id, reporting
// success even when the job was refused (a queue that stopped accepting since it was
// asked, a user the queue does not allow): that call's status is the last one.
bool handOverRefused() {
    if (redirected) return false;
    const CupsCalls* service = cups();
    return service && service->lastError() >= IPP_STATUS_ERROR_BAD_REQUEST;
}
}  // namespace

bool printQueueAcceptsJobs(const QString& queueName) {
    if (redirected) return !redirectedAccepts || redirectedAccepts(queueName);
    const CupsCalls* service = cups();
    if (!service) return true;
    // Qt names an instance of a queue "queue/instance".
    const QByteArray queue = queueName.section('/', 0, 0).toLocal8Bit();
    const QByteArray instance = queueName.section('/', 1).toLocal8Bit();
    cups_dest_t* dest = service->getNamedDest(CUPS_HTTP_DEFAULT, queue.isEmpty() ? nullptr : queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) return false;
    // A queue whose service does not report the attribute is taken to accept jobs.
    const char* accepting = service->getOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool accepts = !accepting || std::strcmp(accepting, "false") != 0;
    service->freeDests(1, dest);
    return accepts;
}

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
    // A refused job would vanish after the page was handed over with no error to
    // show, so ask first; the queue is the one Qt chose, the first installed one
    // when no default is set.
    const QString queue = redirected ? name : printer->printerName();
    QPainter painter;
    if (!printQueueAcceptsJobs(queue) || !painter.begin(printer.get()))
        throw SystemError(QStringLiteral("打印机(%1)无法开始打印！").arg(shownName));
    paint(painter);
    if (!painter.end() || handOverRefused())
        throw SystemError(QStringLiteral("打印机(%1)打印失败！").arg(shownName));
}

void redirectPrintingToPdf(const QStringList& names, PdfFileChooser fileFor, PrintQueueQuery accepts) {
    redirected = true;
    redirectedNames = names;
    pdfFileFor = std::move(fileFor);
    redirectedAccepts = std::move(accepts);
}

void stopRedirectingPrinting() {
    redirected = false;
    redirectedNames.clear();
    pdfFileFor = nullptr;
    redirectedAccepts = nullptr;
}
