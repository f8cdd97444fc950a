#include "service/MenuInsPrintUnit.h"

#include <QGuiApplication>
#include <QPainter>

#include "data/MenuInsMgrUnit.h"
#include "data/SysSetMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "frame/GeneralUnit.h"
#include "platform/Formats.h"
#include "platform/Printers.h"

namespace {
const double pageWidth = 129.4;
const double pageHeight = 36.2;
const double pageMargin = 2.0;
const double bandWidth = 125.4;
const double bandHeight = 32.0;
const double labelHeight = 4.5;
const QSize codeImageSize(177, 78);

// A rectangle given in millimetres, in the device pixels of the painter.
QRectF millimetres(const QPainter& painter, double left, double top, double width, double height) {
    const double x = painter.device()->logicalDpiX() / 25.4;
    const double y = painter.device()->logicalDpiY() / 25.4;
    return QRectF(left * x, top * y, width * x, height * y);
}

// The wait cursor for as long as a run goes on, also when it ends with a failure.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void drawLabel(QPainter& painter, double left, double top, const QString& text) {
    painter.drawText(millimetres(painter, left, top, bandWidth - left, labelHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}
}  // namespace

TmenuInsPrintForm::TmenuInsPrintForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("菜单打印"));
}

void TmenuInsPrintForm::printMenuIns(TMenuInsList& lines) {
    const BusyCursor busy;
    codePrefix = QStringLiteral("6900");
    codeBase = 100000000;
    for (const std::shared_ptr<TPOMenuIns>& line : lines) {
        if (line->getPrintState() != TPOMenuIns::printWaiting) continue;
        if (line->getServing() != TPOMenuIns::servingWaiting) continue;
        if (line->getState() == TPOMenuIns::stateReturned) continue;
        // A table instance that is gone, or a printer code without a setting, still
        // gets its ticket: without a table name, on the default printer.
        const std::optional<TPOTableIns> tableIns = TTableInsMgr::getTableInsById(line->getConsultId());
        const KitchenTicket ticket = makeTicket(tableIns ? tableIns->getTableName() : QString(), *line);
        const std::optional<TPOSysSet> setting = TSysSetMgr::getPrintSet(line->getPrinterCode());
        printTicket(ticket, setting ? setting->getValue() : QString());
        // A second ticket is better than none, so the mark follows the ticket; one
        // that was not stored would print the line again unnoticed.
        if (!TMenuInsMgr::markPrinted(line->getId())) return;
        line->setPrintState(TPOMenuIns::printDone);
    }
}

KitchenTicket TmenuInsPrintForm::makeTicket(const QString& tableName, const TPOMenuIns& line) const {
    KitchenTicket ticket;
    ticket.tableName = tableName;
    ticket.menuName = line.getMenuName();
    ticket.quantity = formatFloat(QStringLiteral("0"), line.getQuantity());
    ticket.description = line.getDescription();
    // The last digit is the number's own, not a check digit: scanners are set to read it so.
    ticket.code = codePrefix + QString::number(qint64(line.getId()) + codeBase);
    QString pattern;  // stays empty, so no bars, for a code that is not 13 digits
    encodeEAN13(ticket.code, pattern);
    ticket.codeImage = QImage(codeImageSize, QImage::Format_RGB32);
    ticket.codeImage.fill(Qt::white);
    drawEAN13(pattern, ticket.code, ticket.codeImage);
    return ticket;
}

void TmenuInsPrintForm::paintTicket(QPainter& painter, const KitchenTicket& ticket) {
    painter.save();
    painter.fillRect(millimetres(painter, 0, 0, bandWidth, bandHeight), Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    drawLabel(painter, 2.1, 2.1, QStringLiteral("台桌名称："));
    drawLabel(painter, 25.4, 2.1, ticket.tableName);
    drawLabel(painter, 2.1, 8.7, QStringLiteral("菜单名称："));
    drawLabel(painter, 25.4, 8.7, ticket.menuName);
    drawLabel(painter, 2.1, 16.9, QStringLiteral("数量："));
    drawLabel(painter, 19.1, 16.9, ticket.quantity);
    drawLabel(painter, 2.1, 24.1, QStringLiteral("备注："));
    drawLabel(painter, 19.1, 24.1, ticket.description);
    // Last, so a long name running under it never hides the bars from the scanner.
    painter.drawImage(millimetres(painter, 59.3, 0.5, 46.8, 20.6), ticket.codeImage);
    painter.restore();
}

QPageLayout TmenuInsPrintForm::ticketPageLayout() {
    return QPageLayout(QPageSize(QSizeF(pageWidth, pageHeight), QPageSize::Millimeter, QString(),
                                 QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(pageMargin, pageMargin, pageMargin, pageMargin),
                       QPageLayout::Millimeter);
}

QImage TmenuInsPrintForm::ticketPageImage(const KitchenTicket& ticket, int dpi) {
    const double pixelsPerMm = dpi / 25.4;
    QImage page(qRound(pageWidth * pixelsPerMm), qRound(pageHeight * pixelsPerMm), QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(dpi / 0.0254));
    page.setDotsPerMeterY(qRound(dpi / 0.0254));
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.translate(pageMargin * pixelsPerMm, pageMargin * pixelsPerMm);
    paintTicket(painter, ticket);
    return page;
}

void TmenuInsPrintForm::printTicket(const KitchenTicket& ticket, const QString& printerName) const {
    printPage(printerName, ticketPageLayout(), windowTitle(),
              [&ticket](QPainter& painter) { paintTicket(painter, ticket); });
}
