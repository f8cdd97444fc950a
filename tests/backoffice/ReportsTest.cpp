#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cmath>
#include <map>

#include "backoffice/MenuInsStatReportUnit.h"
#include "backoffice/SellReportUnit.h"
#include "backoffice/SellStatReportUnit.h"
#include "frame/FrameFixture.h"
#include "platform/SaveDialog.h"
#include "platform/StringGrid.h"
#include "service/GridGestures.h"

namespace {
const QString dateFormat = QStringLiteral("yyyy-MM-dd");

// One sale: an order created at `time` and a table instance started then, with its
// dish lines. What the reports should show is computed from these in the test.
struct Sale {
    QDateTime time;
    double price1;
    QStringList dishes;
};

class ReportsTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        setNowForTest(encodeDateTime(2023, 8, 15, 14, 30, 0));
        // A generated month and a half at noon, and both ends of every boundary day.
        QList<QDateTime> times;
        for (QDate d(2023, 7, 1); d <= QDate(2023, 8, 15); d = d.addDays(1)) times << QDateTime(d, QTime(12, 0));
        for (QDate d : {QDate(2022, 12, 31), QDate(2023, 1, 1), QDate(2023, 6, 30), QDate(2023, 7, 1), QDate(2023, 7, 31),
                        QDate(2023, 8, 1), QDate(2023, 8, 14), QDate(2023, 8, 15), QDate(2023, 12, 31), QDate(2024, 1, 1)})
            times << QDateTime(d, QTime(0, 0, 0)) << QDateTime(d, QTime(23, 59, 59));
        const QStringList names{"宫保鸡丁", "红烧肉", "青岛啤酒"}, states{"MI001", "MI002", "MI005"};
        QStringList sql;
        for (int i = 1; i <= times.size(); ++i) {
            Sale s{times[i - 1], (i * 37) % 200 + 0.25 * (i % 4), {}};
            const QString t = QString::number(fromQDateTime(s.time), 'g', 17);
            sql << QString("insert into o_order(id,create_time,rebate_type,rebate_value,price,price1,state,operator_name)"
                           " values(%1,%2,'打折',9.5,%3,%4,'%5','李四')")
                       .arg(i).arg(t).arg(s.price1 + 10).arg(s.price1).arg(i % 2 ? "ORD001" : "ORD003");
            sql << QString("insert into table_instance(id,start_time,state) values(%1,%2,'TIS002')").arg(i).arg(t);
            // One name under two dish ids, every state, quantities other than 1.
            for (int j = 0; j < 1 + i % 3; ++j) {
                s.dishes << names[(i + j) % 3];
                sql << QString("insert into menu_instance(id,consult_id,rela_type,menu_id,menu_name,quantity,state)"
                               " values(%1,%2,'MIR003',%3,'%4',%5,'%6')")
                           .arg(i * 10 + j).arg(i).arg(j).arg(s.dishes.last()).arg(j + 1.5).arg(states[j]);
            }
            // A reserved table's line with the same consult id is no sale.
            sql << QString("insert into menu_instance(id,consult_id,rela_type,menu_name) values(%1,%2,'MIR002','红烧肉')")
                       .arg(i * 10 + 9).arg(i);
            sales << s;
        }
        exec(sql.join(';'));
    }
    void TearDown() override {
        setSaveDialogHandler(nullptr);
        FrameTest::TearDown();
    }

    // The rows a report (function id 8, 9 or 10) should show for a range, sorted.
    QStringList expected(int report, QDate first, QDate last) const {
        QStringList rows;
        std::map<QString, double> sums;
        for (const Sale& s : sales) {
            if (s.time.date() < first || s.time.date() > last) continue;
            if (report == 8) rows << s.time.toString("yyyy-MM-dd hh:mm:ss") + "|" + whole(s.price1);
            if (report == 9) sums[s.time.date().toString(dateFormat)] += s.price1;
            if (report == 10)
                for (const QString& name : s.dishes) sums[name] += 1;
        }
        for (const auto& [key, sum] : sums) rows << key + "|" + whole(sum);
        rows.sort();
        return rows;
    }
    static QString whole(double v) { return QString::number(std::llround(v)); }

    static void choose(ReportWindow& w, const QString& item) {
        const int index = w.celerityGoto->findText(item);
        w.celerityGoto->setCurrentIndex(index);
        emit w.celerityGoto->activated(index);
    }
    static QString pickers(const ReportWindow& w) {
        return w.startDate->date().toString(dateFormat) + ".." + w.endDate->date().toString(dateFormat);
    }
    // Two columns of the result rows as "a|b", sorted, after checking the numbers 1..n.
    static QStringList shown(const TStringGrid* grid, int a, int b) {
        QStringList rows;
        for (int r = 1; r < grid->rowCount(); ++r) {
            EXPECT_EQ(grid->cell(0, r), QString::number(r));
            rows << grid->cell(a, r) + "|" + grid->cell(b, r);
        }
        rows.sort();
        return rows;
    }
    // The save dialog answers `path` and notes what it was asked with.
    void saveTo(const QString& path) {
        setSaveDialogHandler([this, path](const QString& filter, const QString& initialName) {
            dialogAsked << filter + " " + initialName;
            return path;
        });
    }
    static QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    QList<Sale> sales;
    QStringList dialogAsked;
};

TEST_F(ReportsTest, QuickRangesAreWholeDaysWithBothEndsInEveryReport) {
    TsellReportForm orderList;
    TsellStatReportForm turnover;
    TmenuInsStatReportForm dishes;
    EXPECT_EQ(orderList.celerityGoto->currentText() + " " + pickers(orderList), "昨天 2023-08-14..2023-08-14");
    EXPECT_EQ(turnover.celerityGoto->currentText() + " " + pickers(turnover), "当前月 2023-08-01..2023-08-15");
    EXPECT_EQ(dishes.celerityGoto->currentText() + " " + pickers(dishes), "今天 2023-08-15..2023-08-15");
    EXPECT_EQ(orderList.orderGrid->rowCount(), 1);  // no query before "查询"

    struct Report { ReportWindow* window; TStringGrid* grid; int a, b, id; };
    const Report reports[] = {{&orderList, orderList.orderGrid, 2, 6, 8}, {&turnover, turnover.sellStatGrid, 1, 2, 9},
                              {&dishes, dishes.menuInsStatGrid, 1, 2, 10}};
    const std::map<QString, std::pair<QDate, QDate>> ranges = {
        {"今天", {QDate(2023, 8, 15), QDate(2023, 8, 15)}}, {"昨天", {QDate(2023, 8, 14), QDate(2023, 8, 14)}},
        {"当前月", {QDate(2023, 8, 1), QDate(2023, 8, 15)}}, {"上个月", {QDate(2023, 7, 1), QDate(2023, 7, 31)}},
        {"上半年", {QDate(2023, 1, 1), QDate(2023, 6, 30)}}, {"下半年", {QDate(2023, 7, 1), QDate(2023, 12, 31)}},
        {"今年", {QDate(2023, 1, 1), QDate(2023, 8, 15)}}};
    for (const auto& [item, range] : ranges) {
        for (const Report& r : reports) {
            if (r.window->celerityGoto->findText(item) < 0) continue;  // turnover has no "今天", "昨天"
            SCOPED_TRACE(item.toStdString() + " in report " + std::to_string(r.id));
            choose(*r.window, item);
            EXPECT_EQ(pickers(*r.window), range.first.toString(dateFormat) + ".." + range.second.toString(dateFormat));
            click(r.window->findBtn);
            EXPECT_EQ(shown(r.grid, r.a, r.b), expected(r.id, range.first, range.second));
        }
    }
    EXPECT_EQ(answers.count(), 0);

    // A picker changed by hand: only the order list switches to "自定义"; the next
    // query takes the pickers as they are, end day included.
    choose(orderList, "今天");
    choose(turnover, "上个月");
    choose(dishes, "上半年");
    orderList.startDate->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(orderList.startDate, Qt::Key_Down);
    EXPECT_EQ(orderList.celerityGoto->currentText() + " " + pickers(orderList), "自定义 2023-08-14..2023-08-15");
    click(orderList.findBtn);
    EXPECT_EQ(shown(orderList.orderGrid, 2, 6), expected(8, QDate(2023, 8, 14), QDate(2023, 8, 15)));
    turnover.startDate->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(turnover.startDate, Qt::Key_Up);
    EXPECT_EQ(turnover.celerityGoto->currentText() + " " + pickers(turnover), "上个月 2023-07-02..2023-07-31");
    click(turnover.findBtn);
    EXPECT_EQ(shown(turnover.sellStatGrid, 1, 2), expected(9, QDate(2023, 7, 2), QDate(2023, 7, 31)));
    dishes.endDate->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(dishes.endDate, Qt::Key_Down);
    EXPECT_EQ(dishes.celerityGoto->currentText(), "上半年");
    choose(dishes, "自定义");
    EXPECT_EQ(pickers(dishes), "2023-01-01..2023-06-29");

    // "上个月" in January is December of the year before; no sales: the title row alone.
    setNowForTest(encodeDateTime(2024, 1, 10, 9, 0, 0));
    choose(turnover, "上个月");
    EXPECT_EQ(pickers(turnover), "2023-12-01..2023-12-31");
    click(turnover.findBtn);
    EXPECT_EQ(shown(turnover.sellStatGrid, 1, 2), expected(9, QDate(2023, 12, 1), QDate(2023, 12, 31)));
    choose(orderList, "今天");
    click(orderList.findBtn);
    EXPECT_EQ(orderList.orderGrid->rowCount(), 1);
}

TEST_F(ReportsTest, ALongDishNameIsCutSoTheCountStaysInSightAndTheUserSizesTheColumns) {
    const QString longName = QString("宫保鸡丁配花生米").repeated(5);  // 40 characters
    exec(QString("update menu_instance set menu_name='%1' where menu_name='红烧肉'").arg(longName));
    TmenuInsStatReportForm dishes;
    dishes.show();  // at the size it opens at
    click(dishes.findBtn);
    TStringGrid* grid = dishes.menuInsStatGrid;
    ASSERT_EQ(grid->rowCount(), 4);
    for (int row = 1; row < grid->rowCount(); ++row)
        EXPECT_EQ(grid->item(row, 1)->toolTip(), grid->cell(1, row) == longName ? longName : QString()) << row;
    EXPECT_LE(grid->columnViewportPosition(2) + grid->columnWidth(2), grid->viewport()->width());

    const int width = grid->columnWidth(1);
    dragColumnBorder(grid, 1, 200);
    EXPECT_EQ(grid->columnWidth(1), width + 200);
    dragColumnBorder(grid, 2, -500);  // never narrower than a sliver
    EXPECT_GT(grid->columnWidth(2), 0);
}

TEST_F(ReportsTest, ColumnsTheUserSizedKeepTheirWidthsOnTheNextQuery) {
    TsellReportForm orderList;
    orderList.show();
    TStringGrid* grid = orderList.orderGrid;
    choose(orderList, "今天");
    click(orderList.findBtn);
    const int narrowed = grid->columnWidth(2) - 40, widened = grid->columnWidth(6) + 90;
    dragColumnBorder(grid, 2, -40);
    dragColumnBorder(grid, 6, 90);
    choose(orderList, "上个月");  // more rows, other texts
    click(orderList.findBtn);
    ASSERT_GT(grid->rowCount(), 30);
    EXPECT_EQ(grid->columnWidth(2), narrowed);
    EXPECT_EQ(grid->columnWidth(6), widened);

    // The columns left alone fit the new texts as in a window never sized by hand.
    TsellReportForm fresh;
    choose(fresh, "上个月");
    click(fresh.findBtn);
    for (int col : {0, 1, 3, 4, 5, 7}) EXPECT_EQ(grid->columnWidth(col), fresh.orderGrid->columnWidth(col)) << col;
}

TEST_F(ReportsTest, ExportWritesEveryRowAsGbkTabSeparatedText) {
    exec("update o_order set description='靠窗\t加辣\r\n发票' where id=2; update o_order set description='' where id=3");
    QTemporaryDir dir;
    const QString path = dir.filePath("清单.xls");
    QFile(path).open(QIODevice::WriteOnly);  // an existing file is replaced

    TsellReportForm orderList;
    orderList.startDate->setDate(QDate(2023, 7, 2));
    orderList.endDate->setDate(QDate(2023, 7, 3));
    click(orderList.findBtn);
    saveTo(path);
    click(orderList.reportToExcelBtn);
    QStringEncoder gbk("GBK");
    EXPECT_EQ(fileBytes(path), gbk.encode("编号\t操作者\t时间\t打折类型\t折扣值\t总价\t实收金额\t备注\n"
                                          "1\t李四\t2023-07-02 12:00:00\t打折\t9.5\t85\t75\t靠窗 加辣  发票\n"
                                          "2\t李四\t2023-07-03 12:00:00\t打折\t9.5\t122\t112\t\n"));
    EXPECT_TRUE(fileBytes(path).startsWith("\xb1\xe0\xba\xc5\t"));  // "编号" in GBK
    EXPECT_EQ(dialogAsked, QStringList{"*.xls|*.xls *.xls"});

    // No result rows: the title line alone. The dishes window starts with no name.
    TmenuInsStatReportForm dishes;
    setNowForTest(encodeDateTime(2030, 1, 1));
    choose(dishes, "今天");
    click(dishes.findBtn);
    click(dishes.reportToExcelBtn);
    EXPECT_EQ(fileBytes(path), gbk.encode("编号\t菜单名称\t数量\n"));
    EXPECT_EQ(dialogAsked.last(), "*.xls|*.xls ");

    // Cancelled: nothing written, nothing said. Unwritable targets: the message.
    saveTo("");
    click(dishes.reportToExcelBtn);
    EXPECT_EQ(answers.count(), 0);
    saveTo(path + "/sub.xls");  // the parent is a regular file
    click(dishes.reportToExcelBtn);
    const bool fullDevice = QFile::exists("/dev/full");  // opens, but every write fails at close
    if (fullDevice) {
        saveTo("/dev/full");
        click(dishes.reportToExcelBtn);
    }
    EXPECT_EQ(answers.texts(), QStringList(fullDevice ? 2 : 1, "生成EXCEL文件出错！"));
}

TEST_F(ReportsTest, FailedQueriesSayWhichAndShowNoStaleRows) {
    TsellStatReportForm turnover;
    TmenuInsStatReportForm dishes;
    click(turnover.findBtn);
    click(dishes.findBtn);
    ASSERT_GT(turnover.sellStatGrid->rowCount(), 1);
    exec("drop table o_order; drop table menu_instance");
    click(turnover.findBtn);
    click(dishes.findBtn);
    EXPECT_EQ(answers.texts(), QStringList({"TReportMgr.reportSellStat出现异常！", "TReportMgr.reportMenuInsStat出现异常！"}));
    EXPECT_EQ(turnover.sellStatGrid->rowCount(), 1);
    EXPECT_EQ(dishes.menuInsStatGrid->rowCount(), 1);
}
}  // namespace
