#include "service/PrickUnit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "data/OrderMgrUnit.h"
#include "data/PrickMgrUnit.h"
#include "frame/GlobalsUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"

namespace {
const QString openText = QStringLiteral("未扎账");
const QString closedText = QStringLiteral("已扎账");
const std::vector<int> listWidths = {30, 80, 80, 40, 60};
const std::vector<int> detailWidths = {30, 80, 120, 60, 60, 60, 60};

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
}  // namespace

TprickForm::TprickForm(QWidget* parent) : TparentForm(parent) {
    setWindowTitle(QStringLiteral("扎账"));
    showMaximizedChild = true;
    resize(696, 480);

    Panel1 = new QWidget(this);
    Panel1->setMinimumWidth(489);
    GroupBox2 = new QGroupBox(QStringLiteral("扎账列表"), Panel1);
    GroupBox2->setFixedHeight(216);
    prickGrid = new TStringGrid(5, GroupBox2);
    (new QVBoxLayout(GroupBox2))->addWidget(prickGrid);
    GroupBox1 = new QGroupBox(QStringLiteral("扎账详情"), Panel1);
    prickDetailGrid = new TStringGrid(7, GroupBox1);
    (new QVBoxLayout(GroupBox1))->addWidget(prickDetailGrid);
    auto* lists = new QVBoxLayout(Panel1);
    lists->setContentsMargins(0, 0, 0, 0);
    lists->addWidget(GroupBox2);
    lists->addWidget(GroupBox1, 1);

    GroupBox3 = new QGroupBox(this);
    GroupBox3->setFixedWidth(97);
    prickBtn = new QPushButton(QStringLiteral("扎账"), GroupBox3);
    prickBtn->setFixedSize(75, 25);
    auto* buttons = new QVBoxLayout(GroupBox3);
    buttons->addWidget(prickBtn);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    // The lists take the room a maximised window gives, the button stays at the right.
    layout->addWidget(Panel1, 1);
    layout->addWidget(GroupBox3);

    connect(prickGrid, &TStringGrid::rowSelected, this,
            [this](int row) { runGuarded([this, row] { prickGridSelectCell(row); }); });
    connect(prickBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { prickBtnClick(); }); });

    initGrids();
    showPrickList();
}

void TprickForm::initGrids() {
    prickGrid->setTitles({"编号", "操作者", "日期", "状态", "金额"});
    prickGrid->setColWidths(listWidths);
    prickDetailGrid->setTitles({"编号", "操作者", "时间", "打折类型", "折扣值", "总价", "实收金额"});
    prickDetailGrid->setColWidths(detailWidths);
}

void TprickForm::showPrickList() {
    const std::vector<TPOPrick> list = TPrickMgr::getNotPrickList();
    prickGrid->setRowCount(1);  // no text of an earlier reading stays
    prickGrid->setRowCount(int(list.size()) + 1);
    for (int r = 1; r <= int(list.size()); ++r) {
        const TPOPrick& p = list[size_t(r - 1)];
        prickGrid->setCell(0, r, QString::number(r));
        prickGrid->setCell(1, r, p.getEmployeeName());
        prickGrid->setCell(2, r, formatDateTime("yyyy-mm-dd", p.getToDate()));
        prickGrid->setCell(3, r, openText);
        prickGrid->setCell(4, r, formatFloat("0", p.getMoney()));
        prickGrid->setObject(r, std::make_shared<TPOPrick>(p));
    }
    if (list.empty()) {
        prickGrid->setFixedRows(0);
        clearDetail();
        return;
    }
    prickGrid->fitColumns(listWidths);
    prickGrid->setFixedRows(1);
    showPrickDetail(1);
}

void TprickForm::clearDetail() {
    prickDetailGrid->setRowCount(1);
    prickDetailGrid->setFixedRows(0);
}

void TprickForm::showPrickDetail(int row) {
    const auto prick = prickGrid->object<TPOPrick>(row);
    if (!prick) return;
    std::vector<TPOOrder> orders;
    if (prick->getId() > 0) {
        orders = TOrderMgr::getOrdersByPrickId(prick->getId());
    } else {
        // Only the orders stored under the row's name belong to its sum and its closing.
        for (const TPOOrder& o :
             TOrderMgr::getOrdersByDate(prick->getToDate(), prick->getEmployeeId(), TPOOrder::stateCheckedOut))
            if (sameName(o.getOperatorName(), prick->getEmployeeName())) orders.push_back(o);
    }
    prickDetailGrid->setRowCount(1);
    prickDetailGrid->setRowCount(int(orders.size()) + 1);
    for (int r = 1; r <= int(orders.size()); ++r) {
        const TPOOrder& o = orders[size_t(r - 1)];
        prickDetailGrid->setCell(0, r, QString::number(r));
        prickDetailGrid->setCell(1, r, o.getOperatorName());
        prickDetailGrid->setCell(2, r, formatDateTime("yyyy-MM-dd hh:nn:ss", o.getCreateTime()));
        prickDetailGrid->setCell(3, r, o.getRebateType());
        prickDetailGrid->setCell(4, r, formatFloat("0.0", o.getRebateValue()));
        prickDetailGrid->setCell(5, r, formatFloat("0", o.getPrice()));
        prickDetailGrid->setCell(6, r, formatFloat("0", o.getPrice1()));
    }
    prickDetailGrid->fitColumns(detailWidths);
    // A header alone cannot be a fixed row.
    prickDetailGrid->setFixedRows(orders.empty() ? 0 : 1);
}

void TprickForm::prickGridSelectCell(int row) {
    if (row >= 1) showPrickDetail(row);
}

int TprickForm::findRow(const TPOPrick& prick) const {
    for (int r = 1; r < prickGrid->rowCount(); ++r) {
        const auto p = prickGrid->object<TPOPrick>(r);
        if (p && p->getEmployeeId() == prick.getEmployeeId() && p->getEmployeeName() == prick.getEmployeeName() &&
            double(p->getToDate()) == double(prick.getToDate()))
            return r;
    }
    return 0;
}

void TprickForm::prickBtnClick() {
    const int row = prickGrid->row();
    const auto prick = row >= 1 ? prickGrid->object<TPOPrick>(row) : nullptr;
    // A row closed here already carries its closing; a second one would hold no order.
    if (!prick || prick->getId() > 0) return;
    prick->setOperatorId(currentEmployeeId);
    prick->setOperatorName(currentUserName);
    prick->setCreateTime(Now());
    prick->setId(TPrickMgr::prick(*prick));
    if (prick->getId() > 0) {
        showMessage(QStringLiteral("扎账成功！"));
        prickGrid->setCell(3, row, closedText);
        return;
    }
    // The manager has said why (an error, or orders changed since the list was read).
    // Read again, so the user sees the present sums and can close the row anew.
    const TPOPrick attempted = *prick;
    showPrickList();
    if (const int again = findRow(attempted)) {
        prickGrid->setRow(again);
        showPrickDetail(again);
    }
}
