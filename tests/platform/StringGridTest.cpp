#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/StringGrid.h"

namespace {
struct Line {
    QString name;
};

// A grid of three numbered rows, each with its record.
void fill(TStringGrid& grid, const QStringList& names) {
    grid.setRowCount(int(names.size()) + 1);
    for (int i = 0; i < names.size(); ++i) {
        grid.setCell(0, i + 1, QString::number(i + 1));
        grid.setCell(1, i + 1, names[i]);
        grid.setObject(i + 1, std::make_shared<Line>(Line{names[i]}));
    }
    grid.setFixedRows(names.isEmpty() ? 0 : 1);
}
}  // namespace

TEST(StringGridTest, RemovingARowMovesTheFollowingRowsUpAndKeepsNumbersAndRecords) {
    TStringGrid grid(2);
    grid.setTitles({"编号", "菜名"});
    fill(grid, {"宫保鸡丁", "麻婆豆腐", "清蒸鲈鱼"});
    EXPECT_EQ(grid.row(), 1);  // first data row selected after a fill

    grid.removeRow(1);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(0, 0), "编号");
    for (int r = 1; r <= 2; ++r) EXPECT_EQ(grid.cell(0, r), QString::number(r));
    EXPECT_EQ(grid.cell(1, 1), "麻婆豆腐");
    EXPECT_EQ(grid.object<Line>(1)->name, "麻婆豆腐");
    EXPECT_EQ(grid.object<Line>(2)->name, "清蒸鲈鱼");

    grid.setRow(2);
    grid.removeRow(2);  // the selected last row goes: the selection moves to the new last row
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.row(), 1);
    grid.removeRow(0);  // the title row stays
    grid.removeRow(5);
    EXPECT_EQ(grid.rowCount(), 2);
    grid.removeRow(1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.row(), 0);
    EXPECT_EQ(grid.object<Line>(1), nullptr);
    EXPECT_EQ(grid.object<QString>(0), nullptr);  // no record, or one of another type
}

TEST(StringGridTest, OnlyTheUsersClicksReportASelectedRow) {
    TStringGrid grid(2);
    grid.resize(300, 200);
    fill(grid, {"甲", "乙", "丙"});
    grid.show();
    QSignalSpy spy(&grid, &TStringGrid::rowSelected);
    grid.setRow(3);
    EXPECT_TRUE(spy.isEmpty());
    const QRect second = grid.visualItemRect(grid.item(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 2);
    EXPECT_EQ(grid.row(), 2);
    // The fixed title row cannot be selected.
    const QRect title = grid.visualItemRect(grid.item(0, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, title.center());
    EXPECT_EQ(grid.row(), 2);
}
