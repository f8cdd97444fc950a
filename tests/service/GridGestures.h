#pragma once
#include <QTest>
#include <gtest/gtest.h>

#include "frame/TableMapUnit.h"
#include "platform/StringGrid.h"

// Choosing a grid row or a table on a map as a person does: by clicking it.
inline QPoint cellCentre(TStringGrid* grid, int row) { return grid->visualRect(grid->model()->index(row, 1)).center(); }
inline void clickRow(TStringGrid* grid, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row));
}
inline void doubleClickRow(TStringGrid* grid, int row) {
    clickRow(grid, row);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row));
}
// Drags the right border of a column sideways in the title row, as a person sizes it.
inline void dragColumnBorder(TStringGrid* grid, int col, int dx) {
    const QPoint border(grid->columnViewportPosition(col) + grid->columnWidth(col),
                        grid->rowViewportPosition(0) + grid->rowHeight(0) / 2);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, border);
    QTest::mouseMove(grid->viewport(), border + QPoint(dx, 0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, border + QPoint(dx, 0));
}
inline void clickOnMap(TTableListView* map, int tableId, bool twice = false) {
    TTableItem* item = map->findTableItem(tableId);
    ASSERT_NE(item, nullptr) << "table " << tableId << " not on the map";
    const QPoint at = map->mapFromContents(map->itemRect(item).center());
    QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, at);
}

// What a grid or a map shows, to compare at once.
inline QStringList rowCells(TStringGrid* grid, int row) {
    QStringList cells;
    for (int col = 0; col < grid->colCount(); ++col) cells << grid->cell(col, row);
    return cells;
}
inline QStringList columnCells(TStringGrid* grid, int col) {  // below the title row
    QStringList cells;
    for (int row = 1; row < grid->rowCount(); ++row) cells << grid->cell(col, row);
    return cells;
}
inline QStringList gridRows(TStringGrid* grid) {  // below the title row, cells joined by '|'
    QStringList rows;
    for (int row = 1; row < grid->rowCount(); ++row) rows << rowCells(grid, row).join('|');
    return rows;
}
inline QList<int> mapIcons(TTableListView* map) {  // table id * 10 + icon
    QList<int> seen;
    for (int i = 0; i < map->count(); ++i) seen << map->tableItem(i)->getTableId() * 10 + map->tableItem(i)->imageIndex();
    return seen;
}
