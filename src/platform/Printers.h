#pragma once
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPainter;

// Printing on the installed printers, through Qt and the system's print service.

// How long the printer layer waits for the print service to answer one question.
extern const int printServiceTimeoutMs;

// The names of the installed printers; none when the print service could not tell
// (it does not answer within the timeout, or refuses).
std::optional<QStringList> installedPrinterNames();

// Prints one page on the printer of that name, read from the installed printers at
// this moment; a name none of them bears, or "", prints on the default printer, and
// with no default queue set on the first installed one. `paint` draws with the
// origin at the top left corner inside the layout's margins. Throws SystemError,
// naming `printerName` ("默认打印机" when empty), when the installed printers cannot
// be read, the queue is gone or refuses jobs, the page could not be started or
// finished, or the print service refused the finished job.
void printPage(const QString& printerName, const QPageLayout& layout, const QString& jobName,
               const std::function<void(QPainter&)>& paint);

// Tests: `names` stand in for the installed printers, every job is written to the
// PDF file that `fileFor` names for the printer's name ("" for the default printer),
// and `accepts` answers whether a queue accepts jobs before its page is started (no
// function: every queue accepts).
using PdfFileChooser = std::function<QString(const QString& printerName)>;
using PrintQueueQuery = std::function<bool(const QString& queueName)>;
void redirectPrintingToPdf(const QStringList& names, PdfFileChooser fileFor, PrintQueueQuery accepts = {});
// Changes the stand-in printers while printing is redirected; none: the list cannot
// be read.
void setRedirectedPrinterNames(const std::optional<QStringList>& names);
void stopRedirectingPrinting();
