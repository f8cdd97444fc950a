#include "service/CelerityServingUnit.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <limits>
#include <vector>

#include "data/MenuInsMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"

namespace {
const int codeBase = 100000000;
const std::vector<int> colWidths = {30, 75, 75, 30, 30, 30, 30, 30, 50};

QLineEdit* readOnlyEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}
}  // namespace

TcelerityServingForm::TcelerityServingForm(QWidget* parent) : TparentForm(parent) {
    setWindowTitle(QStringLiteral("传菜管理"));
    showMaximizedChild = true;
    resize(768, 480);

    GroupBox1 = new QGroupBox(QStringLiteral("菜单列表"), this);
    GroupBox1->setFixedWidth(513);
    menuInsGrid = new TStringGrid(9, GroupBox1);
    auto* listLayout = new QVBoxLayout(GroupBox1);
    listLayout->addWidget(menuInsGrid);

    GroupBox2 = new QGroupBox(QStringLiteral("菜单信息"), this);
    Label1 = new QLabel(QStringLiteral("编号："), GroupBox2);
    menuCode = new QLineEdit(GroupBox2);
    Label2 = new QLabel(QStringLiteral("菜单名称："), GroupBox2);
    menuInsName = readOnlyEdit(GroupBox2);
    Label3 = new QLabel(QStringLiteral("桌台："), GroupBox2);
    tableName = readOnlyEdit(GroupBox2);
    auto* infoLayout = new QFormLayout(GroupBox2);
    infoLayout->setVerticalSpacing(14);
    infoLayout->addRow(Label1, menuCode);
    infoLayout->addRow(Label2, menuInsName);
    infoLayout->addRow(Label3, tableName);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2, 1);

    PopupMenu = new QMenu(this);
    clears = PopupMenu->addAction(QStringLiteral("清屏"));
    menuInsGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(menuInsGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu->popup(menuInsGrid->viewport()->mapToGlobal(at)); });
    connect(clears, &QAction::triggered, this, [this] { runGuarded([this] { clearsClick(); }); });
    // returnPressed comes with the press of Return or Enter only, so the release of
    // the Enter that closed a message box never scans again.
    connect(menuCode, &QLineEdit::returnPressed, this, [this] {
        runGuarded([this] { menuCodeKeyUp(); });
        // A code left after a failed scan stays in sight but selected, so the next
        // scan replaces it instead of being appended to it.
        menuCode->selectAll();
    });

    initGrid();

    // At the kitchen pass every scan must land in the code field, the first one after
    // opening included: the field takes the focus whenever the window comes to the front.
    menuCode->setFocus();
    whenBroughtToFront([this] { menuCode->setFocus(); });
}

void TcelerityServingForm::initGrid() {
    menuInsGrid->setColCount(9);
    menuInsGrid->setTitles({QStringLiteral("编号"), QStringLiteral("桌子名称"), QStringLiteral("菜单名称"),
                            QStringLiteral("价格"), QStringLiteral("数量"), QStringLiteral("单位"),
                            QStringLiteral("状态"), QStringLiteral("传菜"), QStringLiteral("打印")});
    // A long dish name is cut, so that the price to the print state stay in the list's width.
    menuInsGrid->capColumn(2, colWidths[2] * 3 / 2);
    menuInsGrid->fitColumns(colWidths);
}

void TcelerityServingForm::menuCodeKeyUp() {
    tableName->clear();
    menuInsName->clear();
    // The ticket's number follows its four-digit prefix, which is not checked.
    const qint64 id = qint64(strToInt(menuCode->text().mid(4, 13))) - codeBase;
    std::optional<TPOMenuIns> line;
    if (id > 0 && id <= std::numeric_limits<int>::max()) line = TMenuInsMgr::getMenuInsById(int(id));
    std::optional<TPOTableIns> tableIns;
    if (line && line->getRelaType() == TPOMenuIns::relaTableIns)
        tableIns = TTableInsMgr::getTableInsById(line->getConsultId());
    if (!tableIns) {
        showMessage(QStringLiteral("菜单不存在！"));
        return;
    }
    if (line->getServing() != TPOMenuIns::servingWaiting) {
        showMessage(QStringLiteral("台桌(") + tableIns->getTableName() + QStringLiteral(")的菜(") +
                    line->getMenuName() + QStringLiteral(")已上过！"));
        return;
    }
    line->setServing(TPOMenuIns::servingDone);
    if (!TMenuInsMgr::update(*line)) return;  // the manager has said why; the code stays for another try
    tableName->setText(tableIns->getTableName());
    menuInsName->setText(line->getMenuName());
    addServedRow(tableIns->getTableName(), *line);
    menuCode->clear();
}

void TcelerityServingForm::addServedRow(const QString& table, const TPOMenuIns& line) {
    const int row = menuInsGrid->rowCount();
    menuInsGrid->setRowCount(row + 1);
    const QStringList cells = {QString::number(row),  table,
                               line.getMenuName(),    floatToStr(line.getPrice()),
                               floatToStr(line.getQuantity()), line.getUnit(),
                               line.getStateText(),   line.getServingText(),
                               line.getPrintStateText()};
    for (int col = 0; col < cells.size(); ++col) menuInsGrid->setCell(col, row, cells[col]);
    menuInsGrid->setFixedRows(1);
    // The widths are the least each column gets; a column widens to show its texts whole.
    menuInsGrid->fitColumns(colWidths);
}

void TcelerityServingForm::clearsClick() {
    menuInsGrid->setFixedRows(0);
    menuInsGrid->setRowCount(1);
}
