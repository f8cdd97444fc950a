#include "platform/Printers.h"

#include <QElapsedTimer>
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
std::optional<QStringList> redirectedNames;
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
    decltype(&cupsGetDests2) getDests2 = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsServer) server = nullptr;
    decltype(&ippPort) port = nullptr;
    decltype(&cupsEncryption) encryption = nullptr;
    decltype(&httpConnect2) connect = nullptr;
    decltype(&httpSetTimeout) setTimeout = nullptr;
    decltype(&httpClose) close = nullptr;
};

template <class F>
bool resolve(void* library, const char* name, F& call) {
    call = reinterpret_cast<F>(dlsym(library, name));
    return call != nullptr;
}

// Null when the machine has no print service library: then there is no queue to ask
// and Qt's own start of the page decides.
const CupsCalls* cups() {
    static const std::unique_ptr<CupsCalls> calls = []() -> std::unique_ptr<CupsCalls> {
        void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) return nullptr;
        auto c = std::make_unique<CupsCalls>();
        const bool all = resolve(library, "cupsGetDests2", c->getDests2) &&
                         resolve(library, "cupsGetOption", c->getOption) &&
                         resolve(library, "cupsFreeDests", c->freeDests) &&
                         resolve(library, "cupsLastError", c->lastError) &&
                         resolve(library, "cupsServer", c->server) && resolve(library, "ippPort", c->port) &&
                         resolve(library, "cupsEncryption", c->encryption) &&
                         resolve(library, "httpConnect2", c->connect) &&
                         resolve(library, "httpSetTimeout", c->setTimeout) && resolve(library, "httpClose", c->close);
        return all ? std::move(c) : nullptr;
    }();
    return calls.get();
}

// Called by libcups each time a wait on the service has lasted half a second: the
// wait goes on until the question has taken the timeout in all. libcups may ask a
// second time after a failed answer; that wait then ends at its first half second.
const double waitStep = 0.5;
int waitOn(http_t*, void* askedAt) {
    return static_cast<QElapsedTimer*>(askedAt)->elapsed() < printServiceTimeoutMs ? 1 : 0;
}

// The installed printers as the print service tells them at one moment.
struct PrinterList {
    QStringList names;  // Qt's names: "queue" or "queue/instance"
    QString defaultName;
    QStringList refusing;  // the queues that do not accept jobs
};

// Asked over a connection of the layer's own whose every wait ends after the
// timeout: libcups's shared connection, which Qt uses, waits as long as a stalled
// service takes (minutes), and every window with it.
std::optional<PrinterList> askPrintService(const CupsCalls& c) {
    QElapsedTimer askedAt;
    askedAt.start();
    http_t* http = c.connect(c.server(), c.port(), nullptr, AF_UNSPEC, c.encryption(), 1, printServiceTimeoutMs, nullptr);
    if (!http) return std::nullopt;
    c.setTimeout(http, waitStep, waitOn, &askedAt);
    cups_dest_t* dests = nullptr;
    const int count = c.getDests2(http, &dests);
    // No printers at all is an answer too; libcups tells it from a failure by its status.
    const bool answered = count > 0 || c.lastError() == IPP_STATUS_ERROR_NOT_FOUND;
    c.close(http);
    if (!answered) {
        c.freeDests(count, dests);
        return std::nullopt;
    }
    PrinterList list;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        QString name = QString::fromLocal8Bit(dest.name);
        if (dest.instance) name += '/' + QString::fromLocal8Bit(dest.instance);
        list.names << name;
        if (dest.is_default) list.defaultName = name;
        // A queue whose service does not report the attribute is taken to accept jobs.
        const char* accepting = c.getOption("printer-is-accepting-jobs", dest.num_options, dest.options);
        if (accepting && std::strcmp(accepting, "false") == 0) list.refusing << name;
    }
    c.freeDests(count, dests);
    return list;
}

std::optional<PrinterList> readPrinters() {
    if (redirected) {
        if (!redirectedNames) return std::nullopt;
        return PrinterList{*redirectedNames, QString(), {}};
    }
    if (const CupsCalls* service = cups()) return askPrintService(*service);
    return PrinterList{QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName(), {}};
}

// The queue a page for `name` goes to: that printer, else the default one, else the
// first installed; "" when redirected stands for the default printer.
QString queueFor(const PrinterList& printers, const QString& name) {
    if (printers.names.contains(name)) return name;
    if (redirected || !printers.defaultName.isEmpty()) return printers.defaultName;
    return printers.names.value(0);
}

bool accepts(const PrinterList& printers, const QString& queue) {
    if (redirected) return !redirectedAccepts || redirectedAccepts(queue);
    return printers.names.contains(queue) && !printers.refusing.contains(queue);
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

const int printServiceTimeoutMs = 5000;

std::optional<QStringList> installedPrinterNames() {
    const std::optional<PrinterList> printers = readPrinters();
    if (!printers) return std::nullopt;
    return printers->names;
}

void printPage(const QString& printerName, const QPageLayout& layout, const QString& jobName,
               const std::function<void(QPainter&)>& paint) {
    const QString shownName = printerName.isEmpty() ? QStringLiteral("默认打印机") : printerName;
    const SystemError cannotStart(QStringLiteral("打印机(%1)无法开始打印！").arg(shownName));
    // Read for this page and used by name at once: a queue added or removed since
    // the run began changes no ticket's printer. A service that cannot tell is no
    // reason to guess one.
    const std::optional<PrinterList> printers = readPrinters();
    if (!printers) throw cannotStart;
    const QString queue = queueFor(*printers, printerName);
    std::unique_ptr<QPrinter> printer = printerFor(queue);
    // A refused job would vanish after the page was handed over with no error to
    // show, so that is asked first. Qt looks the queue up again: one gone since
    // would leave the page on another printer.
    if (!accepts(*printers, queue) || (!redirected && printer->printerName() != queue)) throw cannotStart;
    printer->setDocName(jobName);
    printer->setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(printer.get())) throw cannotStart;
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

void setRedirectedPrinterNames(const std::optional<QStringList>& names) { redirectedNames = names; }

void stopRedirectingPrinting() {
    redirected = false;
    redirectedNames.reset();
    pdfFileFor = nullptr;
    redirectedAccepts = nullptr;
}
