#pragma once
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;

// Printing on the installed printers, through Qt and the system's print service.

// The names of the installed printers.
QStringList installedPrinterNames();

// Whether the print service has a queue of that name ("" for the default queue) and
// it accepts jobs. Waits as long as the print service takes to answer.
bool printQueueAcceptsJobs(const QString& queueName);

// Prints one page on the printer at `printerIndex` of installedPrinterNames(), or on
// the default printer for -1 (or any index outside the list); with no default queue
// set, that is the first installed one. `paint` draws with the origin at the top left
// corner inside the layout's margins. Throws SystemError, naming the printer, when
// the queue is gone or refuses jobs, the page could not be started or finished, or
// the print service refused the finished job.
void printPage(int printerIndex, const QPageLayout& layout, const QString& jobName,
               const std::function<void(QPainter&)>& paint);

// Tests: `names` stand in for the installed printers, every job is written to the
// PDF file that `fileFor` names for the printer's name ("" for the default printer),
// and `accepts` answers printQueueAcceptsJobs (no function: every queue accepts).
using PdfFileChooser = std::function<QString(const QString& printerName)>;
using PrintQueueQuery = std::function<bool(const QString& queueName)>;
void redirectPrintingToPdf(const QStringList& names, PdfFileChooser fileFor, PrintQueueQuery accepts = {});
void stopRedirectingPrinting();
