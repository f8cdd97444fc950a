#include "backoffice/ReportWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/Errors.h"
#include "platform/ExportFile.h"
#include "platform/Messages.h"
#include "platform/SaveDialog.h"
#include "platform/StringGrid.h"

QStringList allQuickRanges() { return {"今天", "昨天", "当前月", "上个月", "上半年", "下半年", "今年", "自定义"}; }

std::optional<std::pair<QDate, QDate>> quickRange(const QString& item, const QDate& today) {
    const int year = today.year();
    const QDate firstOfMonth(year, today.month(), 1);
    if (item == QStringLiteral("今天")) return std::pair{today, today};
    if (item == QStringLiteral("昨天")) return std::pair{today.addDays(-1), today.addDays(-1)};
    if (item == QStringLiteral("当前月")) return std::pair{firstOfMonth, today};
    if (item == QStringLiteral("上个月")) return std::pair{firstOfMonth.addMonths(-1), firstOfMonth.addDays(-1)};
    if (item == QStringLiteral("上半年")) return std::pair{QDate(year, 1, 1), QDate(year, 6, 30)};
    if (item == QStringLiteral("下半年")) return std::pair{QDate(year, 7, 1), QDate(year, 12, 31)};
    if (item == QStringLiteral("今年")) return std::pair{QDate(year, 1, 1), today};
    return std::nullopt;
}

namespace {
QDateEdit* newDatePicker(QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return picker;
}
}  // namespace

ReportWindow::ReportWindow(const ReportLayout& reportLayout, QWidget* parent)
    : TparentForm(parent), layout(reportLayout) {
    setWindowTitle(layout.caption);
    showMaximizedChild = true;

    GroupBox2 = new QGroupBox(this);
    Label1 = new QLabel(QStringLiteral("快速定位："), GroupBox2);
    celerityGoto = new QComboBox(GroupBox2);
    celerityGoto->addItems(layout.quickRanges);
    celerityGoto->setCurrentText(layout.openingRange);
    Label2 = new QLabel(QStringLiteral("开始时间："), GroupBox2);
    startDate = newDatePicker(GroupBox2);
    Label3 = new QLabel(QStringLiteral("结束时间："), GroupBox2);
    endDate = newDatePicker(GroupBox2);
    findBtn = new QPushButton(QStringLiteral("查询"), GroupBox2);
    reportToExcelBtn = new QPushButton(QStringLiteral("导到EXCEL"), GroupBox2);
    auto* controls = new QHBoxLayout(GroupBox2);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, celerityGoto, Label2, startDate, Label3, endDate})
        controls->addWidget(w);
    controls->addSpacing(16);
    controls->addWidget(findBtn);
    controls->addWidget(reportToExcelBtn);
    controls->addStretch();

    GroupBox1 = new QGroupBox(layout.listCaption, this);
    grid = new TStringGrid(int(layout.titles.size()), GroupBox1);
    grid->setTitles(layout.titles);
    grid->setColSizing(true);
    // One long name or remark must not push the other columns out of sight.
    for (int c = 0; c < grid->colCount() && c < int(layout.widths.size()); ++c)
        grid->capColumn(c, layout.widths[size_t(c)] * 3 / 2);
    fitColumns();
    (new QVBoxLayout(GroupBox1))->addWidget(grid);

    auto* page = new QVBoxLayout(this);
    page->addWidget(GroupBox2);
    page->addWidget(GroupBox1, 1);

    // Only the person's choices count: code fills the pickers with signals blocked.
    connect(celerityGoto, &QComboBox::activated, this, [this] { runGuarded([this] { celerityGotoChange(); }); });
    connect(startDate, &QDateEdit::dateChanged, this, [this] { runGuarded([this] { dateChange(); }); });
    connect(endDate, &QDateEdit::dateChanged, this, [this] { runGuarded([this] { dateChange(); }); });
    connect(findBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { findBtnClick(); }); });
    connect(reportToExcelBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { reportToExcelBtnClick(); }); });

    celerityGotoChange();
}

void ReportWindow::celerityGotoChange() {
    auto range = quickRange(celerityGoto->currentText(), toQDate(Date()));
    if (!range) return;
    const QSignalBlocker blockStart(startDate), blockEnd(endDate);
    startDate->setDate(range->first);
    endDate->setDate(range->second);
}

void ReportWindow::dateChange() {
    if (layout.customOnHandEdit) celerityGoto->setCurrentIndex(celerityGoto->count() - 1);
}

void ReportWindow::findBtnClick() {
    const QDate last = endDate->date();
    runQuery(fromQDate(startDate->date()), encodeDateTime(last.year(), last.month(), last.day(), 23, 59, 59));
    fitColumns();
}

void ReportWindow::setResultRowCount(int count) {
    grid->setRowCount(1);
    grid->setRowCount(count + 1);
    grid->setFixedRows(count > 0 ? 1 : 0);
    for (int r = 1; r <= count; ++r) grid->setCell(0, r, QString::number(r));
}

void ReportWindow::fitColumns() {
    // The set widths are the least; a longer title or text widens its column up to its
    // cap, so no date or amount is cut short in this font.
    grid->fitColumns(layout.widths);
}

void ReportWindow::showResultRows(const std::vector<QStringList>& rows) {
    setResultRowCount(int(rows.size()));
    for (int r = 1; r <= int(rows.size()); ++r) {
        const QStringList& texts = rows[size_t(r - 1)];
        for (int c = 0; c < texts.size(); ++c) grid->setCell(c + 1, r, texts[c]);
    }
}

void ReportWindow::reportToExcelBtnClick() {
    const QString path = askSaveFileName(QStringLiteral("*.xls|*.xls"), layout.saveInitialName, this);
    if (path.isEmpty()) return;
    QList<QStringList> lines;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->colCount(); ++c) cells << grid->cell(c, r);
        lines << cells;
    }
    if (!writeTabSeparatedFile(path, lines)) showMessage(QStringLiteral("生成EXCEL文件出错！"));
}
