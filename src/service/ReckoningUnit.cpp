#include "service/ReckoningUnit.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "data/GuestTypeMgrUnit.h"
#include "data/MenuInsMgrUnit.h"
#include "data/OrderMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "frame/GeneralUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/MenuInsGridUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "service/MenuInsUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"

namespace {
const QString rebateDiscount = QStringLiteral("打折");
const QString rebateCash = QStringLiteral("现金");
const QString memberGuest = QStringLiteral("会员");

QLineEdit* newReadOnly(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QComboBox* newList(const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

double valueOf(const QLineEdit* edit) { return strToFloat(edit->text()); }
}  // namespace

TReckoningForm::TReckoningForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("结账"));

    GroupBox3 = new QGroupBox(this);
    auto* gridBox = new QVBoxLayout(GroupBox3);
    gridBox->setContentsMargins(4, 4, 4, 4);
    menuInsGrid = new TStringGrid(8, GroupBox3);
    gridBox->addWidget(menuInsGrid);

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(239);
    price = newReadOnly(Panel1);
    rebateType = newList({QStringLiteral("无"), rebateDiscount, rebateCash}, Panel1);
    rebateValue = new QLineEdit(QStringLiteral("0"), Panel1);
    guestType = new QComboBox(Panel1);
    associatorCode = new QLineEdit(Panel1);
    associatorCode->setEnabled(false);
    invoice = newList({QStringLiteral("无"), QStringLiteral("有")}, Panel1);
    price1 = newReadOnly(Panel1);
    price2 = new QLineEdit(Panel1);
    giveChange = newReadOnly(Panel1);
    giveChange->setText(QStringLiteral("0"));
    description = new QPlainTextEdit(Panel1);
    description->setTabChangesFocus(true);
    for (QLineEdit* amount : {rebateValue, price2}) {
        useNumberKeys(amount);
        amount->installEventFilter(this);
    }

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    fields->setVerticalSpacing(6);
    auto place = [&](const char* caption, QWidget* field, int row, int col) {
        fields->addWidget(new QLabel(QString::fromUtf8(caption), Panel1), row, col, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(field, row, col + 1);
    };
    place("总价:", price, 0, 0);
    place("折扣方式:", rebateType, 0, 2);
    place("折扣值:", rebateValue, 1, 0);
    place("客户类型:", guestType, 1, 2);
    place("会员卡:", associatorCode, 2, 0);
    place("发票:", invoice, 2, 2);
    place("实收金额:", price1, 3, 0);
    place("付款金额:", price2, 3, 2);
    place("找补金额:", giveChange, 4, 0);
    fields->addWidget(new QLabel(QStringLiteral("备注:"), Panel1), 5, 0, Qt::AlignRight | Qt::AlignTop);
    fields->addWidget(description, 5, 1, 1, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    BitBtn3 = new QPushButton(QStringLiteral("打印帐单"), Panel1);
    cancelAccountBtn = new QPushButton(QStringLiteral("销帐"), Panel1);
    Button1 = new QPushButton(QStringLiteral("挂账"), Panel1);
    returnBtn = new QPushButton(QStringLiteral("返回"), Panel1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {BitBtn3, cancelAccountBtn, Button1, returnBtn}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    auto* panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(8, 6, 8, 6);
    panel->addLayout(fields, 1);
    panel->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(GroupBox3, 1);
    layout->addWidget(Panel1);

    menuInsGrid->setTitles({"编号", "桌台名称", "菜单名称", "价格", "数量", "单位", "状态", "传菜"});
    // The price gets room for three digits before the point.
    menuInsGrid->setColWidths({30, 75, 75, 45, 30, 30, 30, 30});
    menuInsGrid->setColSizing(true);
    menuInsGrid->setFixedCol(true);
    // Filled in code: no guest-type handler runs, so the member card stays disabled.
    guestType->addItems(TGuestTypeMgr::getGuestTypeNames());
    guestType->setCurrentIndex(guestType->count() > 0 ? 0 : -1);

    connect(rebateType, &QComboBox::activated, this, [this] { runGuarded([this] { rebateTypeChange(); }); });
    connect(guestType, &QComboBox::activated, this, [this] { runGuarded([this] { guestTypeChange(); }); });
    for (QLineEdit* amount : {rebateValue, price2})
        connect(amount, &QLineEdit::textEdited, this, [this, amount] { runGuarded([&] { changeValue(amount); }); });
    connect(menuInsGrid, &QTableWidget::cellDoubleClicked, this, [this] { runGuarded([this] { menuInsGridDblClick(); }); });
    connect(cancelAccountBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { cancelAccountBtnClick(); }); });
    for (QPushButton* b : {BitBtn3, Button1})
        connect(b, &QPushButton::clicked, this, [this] { runGuarded([this] { BitBtnClick(); }); });
    connect(returnBtn, &QPushButton::clicked, this, [this] { runGuarded([this] { returnBtnClick(); }); });
    resize(464, 595);
}

bool TReckoningForm::showReckoning(std::vector<TPOTableIns>& tableIns) {
    loadReckoning(tableIns);
    showExclusive();
    return done;
}

void TReckoningForm::loadReckoning(std::vector<TPOTableIns>& tableIns) {
    tableInsList = &tableIns;
    if (fillGrid()) showMessage(QStringLiteral("存在还没有传的菜单！"));
    computeBill(true);
}

bool TReckoningForm::fillGrid() {
    bool unserved = false;
    int row = 0;
    for (const TPOTableIns& ins : *tableInsList) {
        for (const std::shared_ptr<TPOMenuIns>& line : TMenuInsMgr::getTableInsMenuIns(ins.getId())) {
            ++row;
            menuInsGrid->setRowCount(row + 1);
            setMenuInsRow(line, ins.getTableName(), row);
            if (line->getServing() == TPOMenuIns::servingWaiting) unserved = true;
        }
    }
    menuInsGrid->setRowCount(row + 1);
    if (row > 0)
        menuInsGrid->setFixedRows(1);
    else
        cancelAccountBtn->setEnabled(false);
    return unserved;
}

bool TReckoningForm::billIsCurrent() const {
    // What the bill was computed from: the id, state, price and quantity of each row's line.
    auto key = [](const TPOMenuIns& line) {
        return std::make_tuple(line.getId(), line.getState(), line.getPrice(), line.getQuantity());
    };
    int row = 0;
    for (const TPOTableIns& ins : *tableInsList) {
        for (const std::shared_ptr<TPOMenuIns>& stored : TMenuInsMgr::getTableInsMenuIns(ins.getId())) {
            if (++row >= menuInsGrid->rowCount()) return false;
            std::shared_ptr<TPOMenuIns> shown = menuInsGrid->object<TPOMenuIns>(row);
            if (!shown || key(*shown) != key(*stored)) return false;
        }
    }
    return row == menuInsGrid->rowCount() - 1;
}

void TReckoningForm::showChangedBill() {
    showMessage(QStringLiteral("菜单已变化，请核对后重新销帐！"));
    fillGrid();
    computeBill();
}

void TReckoningForm::setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, const QString& tableName, int row) {
    menuInsGrid->setCell(1, row, tableName);
    setMenuInsCells(menuInsGrid, row, line, 2);
    menuInsGrid->setCell(7, row, line->getServingText());
}

void TReckoningForm::computeBill(bool presetPaid) {
    double total = 0;
    for (int row = 1; row < menuInsGrid->rowCount(); ++row) {
        std::shared_ptr<TPOMenuIns> line = menuInsGrid->object<TPOMenuIns>(row);
        if (line && line->getState() == TPOMenuIns::stateNormal) total += line->getPrice() * line->getQuantity();
    }
    price->setText(formatFloat("0.00", total));
    if (presetPaid) price2->setText(price->text());

    const double base = valueOf(price);
    double due = base;
    if (rebateType->currentText() == rebateDiscount)
        due = base * valueOf(rebateValue) / 10;
    else if (rebateType->currentText() == rebateCash)
        due = base - valueOf(rebateValue);
    price1->setText(formatFloat("0.00", due));
    giveChange->setText(formatFloat("0.00", valueOf(price2) - valueOf(price1)));
}

void TReckoningForm::rebateTypeChange() { computeBill(); }

void TReckoningForm::changeValue(QLineEdit* edit) {
    if (!edit->text().trimmed().isEmpty()) computeBill();
}

bool TReckoningForm::paidCoversDue() {
    if (valueOf(price2) >= valueOf(price1)) return true;
    showMessage(QStringLiteral("付款金额不能小于实收金额!"));
    return false;
}

bool TReckoningForm::rebateInRange() {
    // Either would store a due amount below zero or above the total.
    const double value = valueOf(rebateValue);
    if (rebateType->currentText() == rebateDiscount && (value < 0 || value > 10)) {
        showMessage(QStringLiteral("折扣值必须在0到10之间!"));
        return false;
    }
    if (rebateType->currentText() == rebateCash && (value < 0 || value > valueOf(price))) {
        showMessage(QStringLiteral("现金折扣必须在0到总价之间!"));
        return false;
    }
    return true;
}

void TReckoningForm::ExitEdit(QLineEdit* edit) {
    if (edit->text().trimmed().isEmpty()) {
        edit->setFocus();
        showMessage(QStringLiteral("输入的值不能为空!"));
        return;
    }
    if (edit == rebateValue && !rebateInRange()) {
        edit->setFocus();
        return;
    }
    if (!paidCoversDue()) {
        edit->setFocus();
        return;
    }
    computeBill();
}

void TReckoningForm::guestTypeChange() { associatorCode->setEnabled(guestType->currentText() == memberGuest); }

void TReckoningForm::menuInsGridDblClick() {
    const int row = menuInsGrid->row();
    std::shared_ptr<TPOMenuIns> line = menuInsGrid->object<TPOMenuIns>(row);
    // A settled bill stays as written: an edit now would leave the lines and the order apart.
    if (done || row < 1 || !line) return;
    // A line changed at another station must not be written over with this copy.
    if (!storedIfUnchanged(*line)) return showChangedBill();
    const TPOMenuIns before = *line;
    TmenuInsForm editor;
    editor.setWindowTitle(line->getMenuName());
    editor.showMenuIns(line);
    if (!storedIfUnchanged(before)) return showChangedBill();  // changed while the editor was open
    // Saved whichever button closed the editor ("应用" may have changed the line), and
    // only while its table is in use: a bill settled at another station keeps its lines.
    const WriteOutcome outcome = TMenuInsMgr::updateWhileInUse(*line);
    std::optional<TPOTableIns> ins = TTableInsMgr::getTableInsById(line->getConsultId());
    const QString tableName = ins ? ins->getTableName() : QString();
    if (outcome != WriteOutcome::Done) {
        if (outcome == WriteOutcome::Refused) showTableNotInUse(tableName);
        fillGrid();  // the lines as stored, not the edit that was not written
        return computeBill();
    }
    setMenuInsRow(line, tableName, row);
    computeBill();
}

void TReckoningForm::cancelAccountBtnClick() {
    // Checked here too: the rebate may have changed after the amounts were left.
    if (!rebateInRange()) return rebateValue->setFocus();
    if (!paidCoversDue()) return;
    // Another station may have ordered, returned or changed dishes of these tables since
    // the bill was shown: settling the old total would leave those lines unpaid.
    if (!billIsCurrent()) return showChangedBill();
    order.setGuestType(guestType->currentText());
    order.setCreateTime(Now());
    order.setRebateType(rebateType->currentText());
    order.setRebateValue(valueOf(rebateValue));
    order.setPrice(valueOf(price));
    order.setPrice1(valueOf(price1));
    order.setPrice2(valueOf(price2));
    order.setGiveChange(valueOf(giveChange));
    order.setInvoice(invoice->currentText());
    order.setState(TPOOrder::stateCheckedOut);
    order.setOperatorId(currentEmployeeId);
    order.setOperatorName(currentUserName);
    order.setDescription(description->toPlainText());
    // The member card is kept with the order when the guest is a member.
    order.setAssociatorNum(associatorCode->isEnabled() ? associatorCode->text().trimmed() : QString());
    std::vector<TPOTableIns> none;
    done = TOrderMgr::insert(order, tableInsList ? *tableInsList : none) > 0;
    if (!done) return;  // the manager has said why; "销帐" stays for another try
    cancelAccountBtn->setEnabled(false);
    // The amounts shown stay those written: a rebate or payment typed now would
    // recompute a bill that is already settled, and the other fields would never be saved.
    rebateType->setEnabled(false);
    rebateValue->setReadOnly(true);
    price2->setReadOnly(true);
    guestType->setEnabled(false);
    associatorCode->setReadOnly(true);
    invoice->setEnabled(false);
    description->setReadOnly(true);
    showMessage(QStringLiteral("销账成功！"));
}

void TReckoningForm::BitBtnClick() { showMessage(QStringLiteral("该功能未实现！")); }

void TReckoningForm::returnBtnClick() { close(); }

bool TReckoningForm::eventFilter(QObject* watched, QEvent* event) {
    // The box that a check shows takes the focus itself; that is not a leaving.
    if ((watched == rebateValue || watched == price2) && event->type() == QEvent::FocusOut && !checkingExit) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            checkingExit = true;
            runGuarded([&] { ExitEdit(static_cast<QLineEdit*>(watched)); });
            checkingExit = false;
        }
    }
    return TexclusiveForm::eventFilter(watched, event);
}
