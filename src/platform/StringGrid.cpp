#include "platform/StringGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cstdlib>

namespace {
const QColor fixedColour(0xe6, 0xe6, 0xe6);
const int borderGrip = 3;     // pixels either side of a column border that grab it
const int leastDragWidth = 8;

// A cell whose tooltip is its whole text while the column is too narrow to show it,
// that is while the view draws it cut short with "…".
class GridCell : public QTableWidgetItem {
public:
    GridCell() : QTableWidgetItem(UserType) {}
    QVariant data(int role) const override {
        if (role != Qt::ToolTipRole) return QTableWidgetItem::data(role);
        const QTableWidget* grid = tableWidget();
        const QString shown = text();
        if (!grid || shown.isEmpty()) return QVariant();
        // The item views keep this margin on either side of a cell's text.
        const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        if (grid->fontMetrics().horizontalAdvance(shown) + margins <= grid->columnWidth(column())) return QVariant();
        return shown;
    }
};
}  // namespace

TStringGrid::TStringGrid(int colCount, QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(22);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRowSelect(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setColCount(colCount);
    setRowCount(1);
}

void TStringGrid::setColCount(int count) {
    QSignalBlocker block(this);
    setColumnCount(count);
    caps.resize(size_t(std::max(count, 0)), 0);
    userSized.resize(caps.size(), false);
    for (int r = 0; r < rowCount(); ++r) styleRow(r);
}

void TStringGrid::setRowCount(int count) {
    count = std::max(count, 0);
    QSignalBlocker block(this);
    const int before = rowCount();
    QTableWidget::setRowCount(count);
    objects.resize(size_t(count));
    for (int r = before; r < count; ++r) styleRow(r);
    keepSelectionInRange();
}

QTableWidgetItem* TStringGrid::itemAt(int col, int row) {
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new GridCell;
        QSignalBlocker block(this);
        setItem(row, col, it);
    }
    return it;
}

QString TStringGrid::cell(int col, int row) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void TStringGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || col >= colCount() || row < 0 || row >= rowCount()) return;
    QSignalBlocker block(this);
    itemAt(col, row)->setText(text);
    styleRow(row);
}

void TStringGrid::setTitles(const QStringList& titles) {
    for (int c = 0; c < titles.size() && c < colCount(); ++c) {
        setCell(c, 0, titles[c]);
        fitTitle(c);
    }
}

void TStringGrid::setColWidths(const std::vector<int>& widths) {
    for (int c = 0; c < int(widths.size()) && c < colCount(); ++c) {
        setColumnWidth(c, widths[size_t(c)]);
        fitTitle(c);
    }
}

void TStringGrid::fitColumns(const std::vector<int>& leastWidths) {
    for (int c = 0; c < int(leastWidths.size()) && c < colCount(); ++c) {
        if (userSized[size_t(c)]) continue;
        resizeColumnToContents(c);
        setColumnWidth(c, std::max(capped(c, columnWidth(c)), leastWidths[size_t(c)]));
    }
}

void TStringGrid::capColumn(int col, int maxWidth) {
    if (col < 0 || col >= int(caps.size())) return;
    caps[size_t(col)] = std::max(maxWidth, 0);
    setColumnWidth(col, capped(col, columnWidth(col)));
}

int TStringGrid::capped(int col, int width) const {
    const int cap = col >= 0 && col < int(caps.size()) ? caps[size_t(col)] : 0;
    return cap > 0 ? std::min(width, cap) : width;
}

// The widths were chosen for a smaller font than Chinese text needs here; a title
// cut to "…" would leave the column unnamed.
void TStringGrid::fitTitle(int col) { fitTexts(col, {cell(col, 0)}); }

void TStringGrid::fitTexts(int col, const QStringList& texts) {
    int needed = 0;
    for (const QString& text : texts) needed = std::max(needed, fontMetrics().horizontalAdvance(text) + 12);
    needed = capped(col, needed);
    if (columnWidth(col) < needed) setColumnWidth(col, needed);
}

void TStringGrid::setFixedRows(int count) {
    fixed = std::clamp(count, 0, 1);
    QSignalBlocker block(this);
    if (rowCount() > 0) styleRow(0);
    keepSelectionInRange();
}

void TStringGrid::setFixedCol(bool on) {
    fixedCol = on;
    QSignalBlocker block(this);
    for (int r = 0; r < rowCount(); ++r) styleRow(r);
}

// Fixed cells are grey and cannot be selected, like a title bar of the grid.
void TStringGrid::styleRow(int row) {
    for (int c = 0; c < colCount(); ++c) {
        const bool isFixed = (row < fixed) || (fixedCol && c == 0);
        QTableWidgetItem* it = itemAt(c, row);
        it->setBackground(isFixed ? QBrush(fixedColour) : QBrush());
        Qt::ItemFlags flags = Qt::ItemIsEnabled;
        if (row >= fixed) flags |= Qt::ItemIsSelectable;
        it->setFlags(flags);
    }
}

int TStringGrid::row() const {
    const int r = currentRow();
    return r < 0 ? 0 : r;
}

void TStringGrid::setRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    QSignalBlocker block(this);
    setCurrentCell(row, std::max(currentColumn(), 0));
}

void TStringGrid::keepSelectionInRange() {
    const int rows = rowCount();
    if (rows <= 1) {
        setCurrentCell(-1, -1);
        return;
    }
    int r = currentRow();
    if (r < 1) r = 1;
    if (r >= rows) r = rows - 1;
    if (r != currentRow()) setCurrentCell(r, std::max(currentColumn(), 0));
}

void TStringGrid::removeRow(int row) {
    const int rows = rowCount();
    if (row < 1 || row >= rows) return;
    QSignalBlocker block(this);
    for (int r = row; r < rows - 1; ++r) {
        for (int c = 1; c < colCount(); ++c) itemAt(c, r)->setText(cell(c, r + 1));
        objects[size_t(r)] = objects[size_t(r + 1)];
    }
    // The last row goes with its number; the numbers above it stay 1..n.
    setRowCount(rows - 1);
}

void TStringGrid::setRowSelect(bool on) {
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TStringGrid::reportIfMoved(int before) {
    if (currentRow() != before && currentRow() >= 1) emit rowSelected(currentRow());
}

void TStringGrid::setColSizing(bool on) {
    colSizing = on;
    // The cursor shows where a border can be grabbed.
    viewport()->setMouseTracking(on);
}

int TStringGrid::borderAt(const QPoint& viewportPos) const {
    if (!colSizing || rowAt(viewportPos.y()) != 0) return -1;
    for (int c = colCount() - 1; c >= 0; --c) {
        const int border = columnViewportPosition(c) + columnWidth(c);
        if (std::abs(viewportPos.x() - border) <= borderGrip) return c;
    }
    return -1;
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (const int col = borderAt(at); col >= 0) {
            sizingCol = col;
            sizingX = at.x();
            sizingWidth = columnWidth(col);
            event->accept();
            return;
        }
    }
    // A click on the title row or below the last row keeps the selection.
    const int clicked = rowAt(at.y());
    if (clicked < fixed) {
        event->accept();
        return;
    }
    const int before = currentRow();
    QTableWidget::mousePressEvent(event);
    reportIfMoved(before);
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (sizingCol >= 0) {
        setColumnWidth(sizingCol, std::max(leastDragWidth, sizingWidth + at.x() - sizingX));
        userSized[size_t(sizingCol)] = true;
        event->accept();
        return;
    }
    if (colSizing) {
        if (borderAt(at) >= 0)
            viewport()->setCursor(Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
    }
    QTableWidget::mouseMoveEvent(event);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (sizingCol >= 0) {
        sizingCol = -1;
        event->accept();
        return;
    }
    QTableWidget::mouseReleaseEvent(event);
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // A border grabbed twice is no double-click on a row.
    if (borderAt(event->position().toPoint()) >= 0) {
        event->accept();
        return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QTableWidget::keyPressEvent(event);
    reportIfMoved(before);
}
