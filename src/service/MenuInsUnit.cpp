#include "service/MenuInsUnit.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "data/SysSetMgrUnit.h"
#include "frame/GeneralUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"

namespace {
const QString noPrinterCode = QStringLiteral("P003");

QComboBox* newList(const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

QLineEdit* newReadOnly(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}
}  // namespace

TmenuInsForm::TmenuInsForm(QWidget* parent) : TexclusiveForm(parent) {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(8);
    menuId = new QLineEdit(this);
    menuId->setEnabled(false);
    menuName = newReadOnly(this);
    menuTypeName = new QLineEdit(this);
    menuTypeName->setReadOnly(true);
    menuState = newList({QStringLiteral("正常"), QStringLiteral("赠送"), QStringLiteral("退菜")}, this);
    printName = new QComboBox(this);
    printState = newList({QStringLiteral("未打印"), QStringLiteral("打印完成"), QStringLiteral("不打印")}, this);
    menuPrice = newReadOnly(this);
    quantity = new QLineEdit(this);
    useNumberKeys(quantity);
    quantity->installEventFilter(this);
    menuUnit = newReadOnly(this);
    serving = newList({QStringLiteral("未传"), QStringLiteral("已传")}, this);
    description = new QPlainTextEdit(this);
    description->setTabChangesFocus(true);

    const std::vector<std::pair<const char*, QWidget*>> rows = {
        {"编号：", menuId},        {"名称：", menuName},      {"菜类：", menuTypeName},
        {"状态：", menuState},     {"打印设置：", printName}, {"打印状态：", printState},
        {"价格：", menuPrice},     {"数量：", quantity},      {"单位：", menuUnit},
        {"传菜：", serving},       {"备注：", description},
    };
    for (int r = 0; r < int(rows.size()); ++r) {
        auto* label = new QLabel(QString::fromUtf8(rows[size_t(r)].first), this);
        grid->addWidget(label, r, 0, Qt::AlignRight | (r == int(rows.size()) - 1 ? Qt::AlignTop : Qt::AlignVCenter));
        grid->addWidget(rows[size_t(r)].second, r, 1);
    }

    confirmButton = new QPushButton(QStringLiteral("确定"), this);
    cancelButton = new QPushButton(QStringLiteral("取消"), this);
    applyButton = new QPushButton(QStringLiteral("应用"), this);
    for (QPushButton* b : {confirmButton, cancelButton, applyButton}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(applyButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 12);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    setTabOrder(menuId, menuTypeName);
    setTabOrder(menuTypeName, menuState);
    setTabOrder(menuState, printName);
    setTabOrder(printName, printState);
    setTabOrder(printState, quantity);
    setTabOrder(quantity, serving);
    setTabOrder(serving, description);

    printSets = TSysSetMgr::getSysSetList(TSysSetMgr::printType);
    for (const TPOSysSet& s : printSets) printName->addItem(s.getName());

    connect(printName, &QComboBox::activated, this, [this] { runGuarded([this] { printNameChange(); }); });
    for (QComboBox* box : {menuState, printState, serving})
        connect(box, &QComboBox::activated, this, [this] { menuInsInforChange(); });
    connect(quantity, &QLineEdit::textEdited, this, [this] { menuInsInforChange(); });
    connect(description, &QPlainTextEdit::textChanged, this, [this] { menuInsInforChange(); });
    connect(confirmButton, &QPushButton::clicked, this, [this] { runGuarded([this] { confirmButtonClick(); }); });
    connect(applyButton, &QPushButton::clicked, this, [this] { runGuarded([this] { applyButtonClick(); }); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { runGuarded([this] { cancelButtonClick(); }); });
    setFixedSize(423, 480);
}

std::shared_ptr<TPOMenuIns> TmenuInsForm::showMenuIns(std::shared_ptr<TPOMenuIns> line) {
    loadMenuIns(std::move(line));
    showExclusive();
    return menuIns;
}

void TmenuInsForm::loadMenuIns(std::shared_ptr<TPOMenuIns> line) {
    menuIns = std::move(line);
    {
        const QSignalBlocker block(description);
        menuId->setText(QString::number(menuIns->getId()));
        menuName->setText(menuIns->getMenuName());
        menuTypeName->setText(menuIns->getMenuTypeName());
        menuState->setCurrentIndex(menuState->findText(menuIns->getStateText()));
        const std::optional<TPOSysSet> printSet = TSysSetMgr::getPrintSet(menuIns->getPrinterCode());
        printName->setCurrentIndex(printSet ? printName->findText(printSet->getName()) : -1);
        printState->setCurrentIndex(printState->findText(menuIns->getPrintStateText()));
        menuPrice->setText(formatFloat("0.00", menuIns->getPrice()));
        quantity->setText(formatFloat("0.00", menuIns->getQuantity()));
        menuUnit->setText(menuIns->getUnit());
        serving->setCurrentIndex(serving->findText(menuIns->getServingText()));
        description->setPlainText(menuIns->getDescription());
    }
    // Filling the fields counts as a change: "应用" is enabled when the dialog opens.
    menuInsInforChange();
    printNameChange();
}

const TPOSysSet* TmenuInsForm::selectedPrintSet() const {
    const int i = printName->currentIndex();
    return i >= 0 && i < int(printSets.size()) ? &printSets[size_t(i)] : nullptr;
}

void TmenuInsForm::printNameChange() {
    applyButton->setEnabled(true);
    printState->setEnabled(true);
    const TPOSysSet* set = selectedPrintSet();
    if (set && set->getCode() == noPrinterCode) {
        printState->setCurrentIndex(printState->findText(QStringLiteral("不打印")));
        printState->setEnabled(false);
    }
}

void TmenuInsForm::menuInsInforChange() { applyButton->setEnabled(true); }

void TmenuInsForm::saveMenuIns() {
    // The quantity is read first: a bad one leaves the whole line as it was.
    const double newQuantity = strToFloat(quantity->text());
    // A field without a selection keeps the line's code rather than blanking it.
    const QString state = TPOMenuIns::stateTextToCode(menuState->currentText());
    if (!state.isEmpty()) menuIns->setState(state);
    if (const TPOSysSet* set = selectedPrintSet()) menuIns->setPrinterCode(set->getCode());
    const QString printCode = TPOMenuIns::printStateTextToCode(printState->currentText());
    if (!printCode.isEmpty()) menuIns->setPrintState(printCode);
    menuIns->setQuantity(newQuantity);
    const QString servingCode = TPOMenuIns::servingTextToCode(serving->currentText());
    if (!servingCode.isEmpty()) menuIns->setServing(servingCode);
    menuIns->setDescription(description->toPlainText());
}

void TmenuInsForm::confirmButtonClick() {
    saveMenuIns();
    accept();
}

void TmenuInsForm::applyButtonClick() {
    saveMenuIns();
    applyButton->setEnabled(false);
}

void TmenuInsForm::cancelButtonClick() { reject(); }

void TmenuInsForm::quantityExit() {
    if (!quantity->text().trimmed().isEmpty()) return;
    quantity->setFocus();
    showMessage(QStringLiteral("输入的值不能为空!"));
}

bool TmenuInsForm::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the quantity empty: the focus goes back to it. The box that says so takes
    // the focus itself, so that focus change is not a leaving.
    if (watched == quantity && event->type() == QEvent::FocusOut && !checkingQuantity) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            checkingQuantity = true;
            runGuarded([this] { quantityExit(); });
            checkingQuantity = false;
        }
    }
    return TexclusiveForm::eventFilter(watched, event);
}
