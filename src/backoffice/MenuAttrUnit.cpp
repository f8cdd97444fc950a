#include "backoffice/MenuAttrUnit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "backoffice/AttrDialogCommon.h"
#include "data/MenuMgrUnit.h"
#include "data/MenuTypeMgrUnit.h"
#include "data/SysSetMgrUnit.h"
#include "frame/GeneralUnit.h"
#include "frame/MenuButtonUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"

TmenuAttrForm::TmenuAttrForm(QWidget* parent) : TexclusiveForm(parent) {
    PageControl1 = new QTabWidget(this);
    auto* page = new QWidget;
    PageControl1->addTab(page, QStringLiteral("常规"));

    Image1 = newDialogPicture(QStringLiteral(":/pictures/menu.jpg"), page);
    namePMenu = new QLineEdit(page);
    namePMenu->setEnabled(false);
    menuId = new QLineEdit(page);
    menuId->setEnabled(false);
    menuName = new QLineEdit(page);
    menuTypeName = new QComboBox(page);
    menuTypeName->setEnabled(false);
    menuState = new QComboBox(page);
    menuState->addItems({QStringLiteral("正常"), QStringLiteral("赠送"), QStringLiteral("禁售")});
    printName = new QComboBox(page);
    menuPrice = new QLineEdit(page);
    useNumberKeys(menuPrice);
    menuUnit = new QLineEdit(page);
    description = new QPlainTextEdit(page);
    description->setTabChangesFocus(true);

    QFormLayout* fields = addNameHeader(new QVBoxLayout(page), Image1, namePMenu);
    fields->addRow(QStringLiteral("编号："), menuId);
    fields->addRow(QStringLiteral("名称："), menuName);
    fields->addRow(QStringLiteral("菜类："), menuTypeName);
    fields->addRow(QStringLiteral("状态："), menuState);
    fields->addRow(QStringLiteral("打印设置："), printName);
    fields->addRow(QStringLiteral("价格："), menuPrice);
    fields->addRow(QStringLiteral("单位："), menuUnit);
    fields->addRow(QStringLiteral("备注："), description);

    QBoxLayout* buttons = newAttrButtons(this, confirmButton, cancelButton, applyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    printSets = TSysSetMgr::getSysSetList(TSysSetMgr::printType);
    for (const TPOSysSet& s : printSets) printName->addItem(s.getName());

    for (QLineEdit* edit : {menuName, menuPrice, menuUnit})
        connect(edit, &QLineEdit::textEdited, this, [this] { menuInforChange(); });
    for (QComboBox* box : {menuTypeName, printName, menuState})
        connect(box, &QComboBox::activated, this, [this] { menuInforChange(); });
    connect(description, &QPlainTextEdit::textChanged, this, [this] { menuInforChange(); });
    connect(confirmButton, &QPushButton::clicked, this, [this] { runGuarded([this] { confirmButtonClick(); }); });
    connect(applyButton, &QPushButton::clicked, this, [this] { runGuarded([this] { applyButtonClick(); }); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelButtonClick(); });
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
    setFixedSize(400, 450);
}

void TmenuAttrForm::setMenuButton(TMenuButton* button) {
    menuButton = button;
    menu = TMenuMgr::getMenuById(button->getId());
}

void TmenuAttrForm::showEvent(QShowEvent* event) {
    TexclusiveForm::showEvent(event);
    if (loaded) return;
    loaded = true;
    runGuarded([this] { FormShow(); });
}

void TmenuAttrForm::FormShow() {
    if (!menu) {
        showMessage(QStringLiteral("没有传入菜单"));
        return;
    }
    const QSignalBlocker block(description);
    namePMenu->setText(menu->getMenuName());
    menuId->setText(QString::number(menu->getId()));
    menuName->setText(menu->getMenuName());
    menuPrice->setText(formatFloat("0.00", menu->getPrice()));
    menuUnit->setText(menu->getUnit());
    menuState->setCurrentIndex(menuState->findText(TPOMenu::getStateName(menu->getState())));
    const std::optional<TPOSysSet> printSet = TSysSetMgr::getPrintSet(menu->getPrinterCode());
    const int printIndex = printSet ? printName->findText(printSet->getName()) : -1;
    printName->setCurrentIndex(printIndex >= 0 ? printIndex : (printName->count() > 0 ? 0 : -1));
    description->setPlainText(menu->getDescription());
    setWindowTitle(menu->getMenuName());
    menuTypes = TMenuTypeMgr::getMenuTypeList();
    menuTypeName->clear();
    int typeIndex = -1;
    for (const TPOMenuType& type : menuTypes) {
        if (type.getId() == menu->getMenuTypeId()) typeIndex = menuTypeName->count();
        menuTypeName->addItem(type.getName());
    }
    menuTypeName->setCurrentIndex(typeIndex);
    applyButton->setEnabled(false);
}

void TmenuAttrForm::menuInforChange() { applyButton->setEnabled(true); }

void TmenuAttrForm::saveMenu() {
    // Without a dish, or with its category gone from the list, there is nothing
    // sound to write.
    if (!menu) {
        showMessage(QStringLiteral("没有传入菜单"));
        return;
    }
    if (menuName->text().trimmed().isEmpty()) {
        showMessage(QStringLiteral("菜单名称不能为空！"));
        return;
    }
    const int typeIndex = menuTypeName->currentIndex();
    if (typeIndex < 0) {
        showMessage(QStringLiteral("没有找到菜类"));
        return;
    }
    const double price = strToFloat(menuPrice->text());
    menu->setMenuName(menuName->text());
    menu->setMenuTypeId(menuTypes[size_t(typeIndex)].getId());
    menu->setPrice(price);
    menu->setUnit(menuUnit->text());
    menu->setState(TPOMenu::getStateCode(menuState->currentText()));
    // With no printer in the list the dish keeps the one it has.
    if (printName->currentIndex() >= 0) menu->setPrinterCode(printSets[size_t(printName->currentIndex())].getCode());
    menu->setDescription(description->toPlainText());
    if (!TMenuMgr::update(*menu)) return;
    applyButton->setEnabled(false);
    namePMenu->setText(menu->getMenuName());
    setWindowTitle(menu->getMenuName());
}

void TmenuAttrForm::applyButtonClick() { saveMenu(); }

void TmenuAttrForm::confirmButtonClick() {
    if (applyButton->isEnabled()) saveMenu();
    if (!applyButton->isEnabled()) accept();
}

void TmenuAttrForm::cancelButtonClick() { reject(); }

void TmenuAttrForm::FormClose() {
    if (!menu || !menuButton) return;
    menuButton->setName(namePMenu->text());
    menuButton->setToolTip(namePMenu->text());
    menuButton->setFocus();
}
