#pragma once
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;

// Printing on the installed printers, through Qt and the system's print service.

// The names of the installed printers.
QStringList installedPrinterNames();

// Prints one page on the printer at `printerIndex` of installedPrinterNames(), or on
// the default printer for -1 (or any index outside the list). `paint` draws with the
// origin at the top left corner inside the layout's margins. Throws SystemError,
// naming the printer, when the page could not be started or finished.
void printPage(int printerIndex, const QPageLayout& layout, const QString& jobName,
               const std::function<void(QPainter&)>& paint);

// Tests: `names` stand in for the installed printers and every job is written to the
// PDF file that `fileFor` names for the printer's name ("" for the default printer).
using PdfFileChooser = std::function<QString(const QString& printerName)>;
void redirectPrintingToPdf(const QStringList& names, PdfFileChooser fileFor);
void stopRedirectingPrinting();
