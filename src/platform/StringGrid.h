#pragma once
#include <QStringList>
#include <QTableWidget>
#include <any>
#include <memory>
#include <vector>

// A grid of texts with a record behind each row, addressed column first as
// cell(col, row). Row 0 is the title row; it looks fixed (grey, not selectable) once
// fixed rows are set to 1, which the windows do when the grid has a data row.
//
// The selected row is always a data row when there is one: growing the grid from
// the title row alone selects row 1, shrinking it below the selection selects the
// last row. Changes made in code emit nothing; rowSelected reports the user's
// clicks and key moves only.
class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TStringGrid(int colCount = 2, QWidget* parent = nullptr);

    int colCount() const { return columnCount(); }
    void setColCount(int count);
    int rowCount() const { return QTableWidget::rowCount(); }
    // Keeps the cells and records of the rows that remain; new rows are empty.
    void setRowCount(int count);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Title row texts and column widths in one call; extra entries are ignored.
    // A column is never made narrower than its title text.
    void setTitles(const QStringList& titles);
    void setColWidths(const std::vector<int>& widths);
    // Widens each column to show its texts whole, never below the given least width
    // nor beyond the column's cap. A column the user has sized keeps the user's width.
    void fitColumns(const std::vector<int>& leastWidths);
    // Widens the column, when needed, so that any of the texts it can hold shows whole.
    void fitTexts(int col, const QStringList& texts);
    // The most fitting may give the column (0: no cap), so that one long text cannot
    // push the other columns out of sight. A cell too narrow for its text shows it
    // cut with "…" and whole as its tooltip.
    void capColumn(int col, int maxWidth);
    // Lets the user size a column by dragging its right border in the title row.
    void setColSizing(bool on);

    // The record behind a row; nullptr for rows without one or of another type.
    template <class T>
    std::shared_ptr<T> object(int row) const {
        if (row < 0 || row >= int(objects.size())) return nullptr;
        const auto* held = std::any_cast<std::shared_ptr<T>>(&objects[size_t(row)]);
        return held ? *held : nullptr;
    }
    template <class T>
    void setObject(int row, std::shared_ptr<T> record) {
        if (row >= 0 && row < int(objects.size())) objects[size_t(row)] = std::move(record);
    }

    int fixedRows() const { return fixed; }
    void setFixedRows(int count);  // 0 or 1
    // Column 0 drawn like the title row (the "编号" column of the service grids).
    void setFixedCol(bool on);

    // The selected row: 0 when the grid has no data row.
    int row() const;
    void setRow(int row);

    // Moves the cells and records of the following rows up by one and drops the last
    // row; column 0 keeps its numbers, so data rows stay numbered 1..n. The title row
    // and rows outside the grid are left alone.
    void removeRow(int row);

    // Whole rows selected (the default) or single cells.
    void setRowSelect(bool on);

signals:
    void rowSelected(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* itemAt(int col, int row);
    void fitTitle(int col);
    void styleRow(int row);
    void keepSelectionInRange();
    void reportIfMoved(int before);
    int capped(int col, int width) const;
    // The column whose right border in the title row is under the point, or -1.
    int borderAt(const QPoint& viewportPos) const;

    std::vector<std::any> objects;
    int fixed = 0;
    bool fixedCol = false;
    std::vector<int> caps;
    std::vector<bool> userSized;
    bool colSizing = false;
    int sizingCol = -1;  // the column being sized, from sizingX at sizingWidth
    int sizingX = 0;
    int sizingWidth = 0;
};
