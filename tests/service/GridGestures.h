#pragma once
#include <QTest>

#include "platform/StringGrid.h"

// Choosing a grid row as a person does: by clicking it.
inline QPoint cellCentre(TStringGrid* grid, int row) { return grid->visualRect(grid->model()->index(row, 1)).center(); }
inline void clickRow(TStringGrid* grid, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row));
}
inline void doubleClickRow(TStringGrid* grid, int row) {
    clickRow(grid, row);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row));
}
