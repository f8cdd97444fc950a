#include <QHeaderView>
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
    // The arrow keys are the user's too.
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.row(), 2);
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(spy[1][0].toInt() * 10 + spy[2][0].toInt(), 32);
}

TEST(StringGridTest, ATitleBorderIsDraggedToSizeItsColumnAndNeverSelectsARow) {
    TStringGrid grid(3);
    grid.resize(400, 200);
    grid.setTitles({"编号", "菜名", "数量"});
    fill(grid, {"甲", "乙"});
    grid.setColSizing(true);
    grid.show();
    QSignalSpy spy(&grid, &TStringGrid::rowSelected);
    const int before = grid.columnWidth(1);
    const QPoint border(grid.columnViewportPosition(1) + before, grid.rowViewportPosition(0) + grid.rowHeight(0) / 2);
    // The cursor shows the border can be grabbed, and only there.
    QTest::mouseMove(grid.viewport(), border + QPoint(1, 0));
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(grid.viewport(), border - QPoint(20, 0));
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::ArrowCursor);

    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, border);
    QTest::mouseMove(grid.viewport(), border + QPoint(40, 0));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, border + QPoint(40, 0));
    EXPECT_EQ(grid.columnWidth(1), before + 40);
    const QPoint moved = border + QPoint(40, 0);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, moved);
    QTest::mouseMove(grid.viewport(), moved - QPoint(before + 100, 0));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, moved - QPoint(before + 100, 0));
    const int least = std::max(8, grid.horizontalHeader()->minimumSectionSize());
    EXPECT_EQ(grid.columnWidth(1), least);  // still there to be grabbed again
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {},
                       QPoint(grid.columnViewportPosition(1) + least, border.y()));
    EXPECT_TRUE(spy.isEmpty());
    EXPECT_EQ(grid.row(), 1);
}
