#pragma once
#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QWidget>

#include "data/POMenuInsUnit.h"

class QPainter;

// What one kitchen ticket shows. Each ticket has its own barcode picture, so no
// ticket ever carries the bars of the one printed before it.
struct KitchenTicket {
    QString tableName;
    QString menuName;
    QString quantity;
    QString description;
    QString code;      // the 13 digits under the bars
    QImage codeImage;  // 177 x 78 pixels
};

// Prints the kitchen tickets of a table's dish lines. A plain window that is never
// shown; the sell window makes one for each print run.
class TmenuInsPrintForm : public QWidget {
    Q_OBJECT
public:
    explicit TmenuInsPrintForm(QWidget* parent = nullptr);

    // One ticket for each line still due (not printed, not served, not returned), on
    // the printer set for the line's printer code, else the default printer; each
    // line is marked printed right after its ticket. A ticket that could not be
    // printed ends the run with the printer's failure, a mark that could not be
    // stored with the manager's message; either way its line stays due.
    void printMenuIns(TMenuInsList& lines);

    // The ticket of a line of the named table.
    KitchenTicket makeTicket(const QString& tableName, const TPOMenuIns& line) const;
    // Draws the ticket's band with its top left corner at the painter's origin, in
    // millimetres of the painter's device, so printers and images show the same.
    static void paintTicket(QPainter& painter, const KitchenTicket& ticket);
    // The ticket paper: 129.4 x 36.2 mm, 2 mm margins.
    static QPageLayout ticketPageLayout();
    // The whole page as a picture at `dpi`, margins included.
    static QImage ticketPageImage(const KitchenTicket& ticket, int dpi);

private:
    void printTicket(const KitchenTicket& ticket, const QString& printerName) const;

    int codeBase = 100000000;
    QString codePrefix = QStringLiteral("6900");
};
