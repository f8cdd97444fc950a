#include "service/CarteUnit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/MenuMgrUnit.h"
#include "frame/MenuInsGridUnit.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"
#include "service/MenuInsUnit.h"

namespace {
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 60;
constexpr int pageButtonHeight = 25;
constexpr int menuTypeAreaWidth = 150;
constexpr int linesAreaWidth = 340;
constexpr int clientWidth = 792;
constexpr int clientHeight = 530;
constexpr int menuAreaWidth = clientWidth - menuTypeAreaWidth - linesAreaWidth;

QLabel* newTitle(const QString& text, QWidget* parent) {
    auto* title = new QLabel(text, parent);
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(pageButtonHeight);
    title->setFrameShape(QFrame::Panel);
    title->setFrameShadow(QFrame::Raised);
    return title;
}

QFrame* newColumn(int width, QWidget* parent) {
    auto* column = new QFrame(parent);
    column->setFixedWidth(width);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return column;
}

QPushButton* newButton(const QString& text, QWidget* parent, QSize size = QSize()) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    if (size.isValid()) button->setFixedSize(size);
    return button;
}
}  // namespace

TcarteForm::TcarteForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("菜单"));
    buildLayout();

    selectMenuGrid->setColCount(6);
    selectMenuGrid->setTitles({QStringLiteral("编号"), QStringLiteral("菜名"), QStringLiteral("价格"),
                               QStringLiteral("数量"), QStringLiteral("单位"), QStringLiteral("状态")});
    // The grid's 300 pixels shared so that "0.00" amounts and the state texts show
    // whole in this font.
    selectMenuGrid->setColWidths({36, 96, 45, 45, 36, 42});
    selectMenuGrid->setColSizing(true);

    buildMenuPages(
        this, Area{menuTypePanel, menuTypeTitlePanel, menuTypeAreaWidth},
        Area{menuPanel, menuTitlePanel, menuAreaWidth}, QSize(buttonWidth, buttonHeight), pageButtonHeight,
        Handlers{[this](TMenuTypeButton* button) { menuTypeButtonMouseDown(button); },
                 [this](TMenuButton* button) { menuButtonClick(button); }, true,
                 [this](int step) { showMenuTypes(menuTypePage += step); },
                 [this](int step) { showMenus(menuPage += step, currentMenuTypeId); }});

    connect(addMenuIns, &QPushButton::clicked, this, [this] { runGuarded([this] { addMenuInsClick(); }); });
    connect(minusMenu, &QPushButton::clicked, this, [this] { runGuarded([this] { minusMenuClick(); }); });
    connect(largessMenu, &QPushButton::clicked, this, [this] { runGuarded([this] { largessMenuClick(); }); });
    connect(selectMenuGrid, &QTableWidget::cellDoubleClicked, this,
            [this] { runGuarded([this] { selectMenuGridDblClick(); }); });
    connect(appleButton, &QPushButton::clicked, this, [this] { runGuarded([this] { appleButtonClick(); }); });
    connect(confirmButton, &QPushButton::clicked, this, [this] { runGuarded([this] { confirmButtonClick(); }); });
    connect(exitButton, &QPushButton::clicked, this, [this] { runGuarded([this] { exitButtonClick(); }); });

    // No category is chosen yet, so the dish area stays empty.
    showMenuTypes(menuTypePage);
    hideMenuSlots();
}

TcarteForm::~TcarteForm() = default;

void TcarteForm::buildLayout() {
    menuTypePanelArea = newColumn(menuTypeAreaWidth, this);
    menuTypeTitlePanel = newTitle(QStringLiteral("菜类"), menuTypePanelArea);
    menuTypePanel = new QFrame(menuTypePanelArea);
    menuTypePanelArea->layout()->addWidget(menuTypeTitlePanel);
    menuTypePanelArea->layout()->addWidget(menuTypePanel);

    menuAreaPanel = newColumn(menuAreaWidth, this);
    QPalette hotLight = menuAreaPanel->palette();
    hotLight.setColor(QPalette::ButtonText, ButtonColors::pageButton());
    hotLight.setColor(QPalette::WindowText, ButtonColors::pageButton());
    menuAreaPanel->setPalette(hotLight);
    menuTitlePanel = newTitle(QStringLiteral("菜单"), menuAreaPanel);
    menuPanel = new QFrame(menuAreaPanel);
    menuAreaPanel->layout()->addWidget(menuTitlePanel);
    menuAreaPanel->layout()->addWidget(menuPanel);

    auto* Panel3 = newColumn(linesAreaWidth, this);
    GroupBox1 = new QGroupBox(QStringLiteral("菜单"), Panel3);
    selectMenuGrid = new TStringGrid(6, GroupBox1);
    (new QVBoxLayout(GroupBox1))->addWidget(selectMenuGrid);

    GroupBox2 = new QGroupBox(Panel3);
    GroupBox2->setFixedHeight(187);
    price = new QLineEdit(GroupBox2);
    minusMenu = newButton(QStringLiteral("删除/减"), GroupBox2, QSize(97, 59));
    addMenuIns = newButton(QStringLiteral(" 增加"), GroupBox2, QSize(90, 59));
    QPalette orange = addMenuIns->palette();
    orange.setColor(QPalette::ButtonText, QColor(255, 128, 64));
    addMenuIns->setPalette(orange);
    largessMenu = newButton(QStringLiteral("赠送/不送"), GroupBox2, QSize(87, 59));
    confirmButton = newButton(QStringLiteral("确定"), GroupBox2);
    appleButton = newButton(QStringLiteral("应用"), GroupBox2);
    appleButton->setEnabled(false);
    exitButton = newButton(QStringLiteral("退出"), GroupBox2);

    auto* totalRow = new QHBoxLayout;
    totalRow->addWidget(new QLabel(QStringLiteral("总价:"), GroupBox2));
    totalRow->addWidget(price, 1);
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addWidget(minusMenu);
    lineButtons->addWidget(addMenuIns);
    lineButtons->addWidget(largessMenu);
    auto* closeButtons = new QHBoxLayout;
    closeButtons->addStretch();
    closeButtons->addWidget(confirmButton);
    closeButtons->addWidget(appleButton);
    closeButtons->addWidget(exitButton);
    auto* bottom = new QVBoxLayout(GroupBox2);
    bottom->addLayout(totalRow);
    bottom->addLayout(lineButtons);
    bottom->addLayout(closeButtons);
    Panel3->layout()->addWidget(GroupBox1);
    Panel3->layout()->addWidget(GroupBox2);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(menuTypePanelArea);
    columns->addWidget(menuAreaPanel);
    columns->addWidget(Panel3);
    setFixedSize(clientWidth, clientHeight);
}

TMenuInsList& TcarteForm::selectMenuIns(TMenuInsList& list) {
    setMenuInsList(list);
    showExclusive();
    return list;
}

void TcarteForm::setMenuInsList(TMenuInsList& list) {
    menuInsList = &list;
    selectMenuGrid->setRowCount(int(list.size()) + 1);
    for (size_t i = 0; i < list.size(); ++i) setMenuInsRow(list[i], int(i) + 1);
    if (list.size() >= 2) selectMenuGrid->setFixedRows(1);
    showTotalPrice();
}

void TcarteForm::showMenuTypes(int page) {
    showMenuTypeSlots(page, menuTypeMgr.getMenuTypeList(), currentMenuTypeId, selectedMenuTypeButton);
}

void TcarteForm::showMenus(int page, int menuTypeId) {
    showMenuSlots(page, TMenuMgr::getMenusByType(menuTypeId), currentMenuId, selectedMenuButton, true);
}

void TcarteForm::menuTypeButtonMouseDown(TMenuTypeButton* button) {
    if (selectedMenuTypeButton) selectedMenuTypeButton->setFontColor(ButtonColors::menuTypeNormal());
    selectedMenuTypeButton = button;
    button->setFontColor(ButtonColors::menuTypeChosen());
    button->setFocus();
    currentMenuTypeId = button->getId();
    currentMenuTypeName = button->getName();
    menuPage = 1;
    showMenus(menuPage, currentMenuTypeId);
}

void TcarteForm::menuButtonClick(TMenuButton* button) {
    appleButton->setEnabled(true);
    if (selectedMenuButton) selectedMenuButton->setFontColor(ButtonColors::menuNormal());
    selectedMenuButton = button;
    button->setFontColor(ButtonColors::menuChosen());
    currentMenuId = button->getId();
    addMenuInsLine(currentMenuId);
    showTotalPrice();
}

void TcarteForm::addMenuInsLine(int menuId) {
    const std::optional<TPOMenu> menu = TMenuMgr::getMenuById(menuId);
    // A dish deleted or taken off sale since its page was shown makes no line: it
    // would have no state to bill it by.
    if (!menu || (menu->getState() != TPOMenu::stateNormal && menu->getState() != TPOMenu::stateGift)) return;
    auto line = std::make_shared<TPOMenuIns>();
    line->setMenuId(menu->getId());
    line->setMenuName(menu->getMenuName());
    line->setMenuTypeId(menu->getMenuTypeId());
    line->setMenuTypeName(currentMenuTypeName);
    line->setState(menu->getState() == TPOMenu::stateGift ? TPOMenuIns::stateGift : TPOMenuIns::stateNormal);
    line->setServing(TPOMenuIns::servingWaiting);
    line->setPrice(menu->getPrice());
    line->setUnit(menu->getUnit());
    line->setPrinterCode(menu->getPrinterCode());
    line->setPrintState(menu->getPrinterCode() == QLatin1String("P003") ? TPOMenuIns::printNone
                                                                         : TPOMenuIns::printWaiting);
    line->setQuantity(1);
    line->setRebate(10);
    const int row = selectMenuGrid->rowCount();
    selectMenuGrid->setRowCount(row + 1);
    setMenuInsRow(line, row);
    selectMenuGrid->setFixedRows(1);
    selectMenuGrid->setRow(row);
}

void TcarteForm::setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row) {
    setMenuInsCells(selectMenuGrid, row, line);
}

std::shared_ptr<TPOMenuIns> TcarteForm::selectedLine() const {
    const int row = selectMenuGrid->row();
    return row >= 1 ? selectMenuGrid->object<TPOMenuIns>(row) : nullptr;
}

void TcarteForm::addMenuInsClick() {
    appleButton->setEnabled(true);
    if (auto line = selectedLine()) {
        if (line->getServing() == TPOMenuIns::servingDone) {
            showMessage(QStringLiteral("菜已上不能增加！"));
            return;
        }
        line->setQuantity(line->getQuantity() + 1);
        selectMenuGrid->setCell(3, selectMenuGrid->row(), formatFloat("0.00", line->getQuantity()));
    }
    showTotalPrice();
}

void TcarteForm::minusMenuClick() {
    appleButton->setEnabled(true);
    if (auto line = selectedLine()) {
        if (line->getServing() == TPOMenuIns::servingDone) {
            showMessage(QStringLiteral("菜已上不能删除！"));
            return;
        }
        const int row = selectMenuGrid->row();
        // A fractional quantity steps past 0: the line goes too, left at 0 rather than
        // negative, since a line of the caller's list is saved even after "退出".
        const double rest = line->getQuantity() - 1;
        line->setQuantity(std::max(rest, 0.0));
        selectMenuGrid->setCell(3, row, formatFloat("0.00", line->getQuantity()));
        if (rest <= 0) selectMenuGrid->removeRow(row);
    }
    showTotalPrice();
}

void TcarteForm::largessMenuClick() {
    appleButton->setEnabled(true);
    if (auto line = selectedLine()) {
        line->setState(line->getState() == TPOMenuIns::stateGift ? TPOMenuIns::stateNormal : TPOMenuIns::stateGift);
        selectMenuGrid->setCell(5, selectMenuGrid->row(), line->getStateText());
    }
    showTotalPrice();
}

void TcarteForm::selectMenuGridDblClick() {
    const int row = selectMenuGrid->row();
    auto line = selectedLine();
    if (!line) return;
    TmenuInsForm editor(this);
    editor.setWindowTitle(line->getMenuName());
    line = editor.showMenuIns(line);
    setMenuInsRow(line, row);
    showTotalPrice();
}

void TcarteForm::showTotalPrice() {
    double total = 0;
    for (int row = 1; row < selectMenuGrid->rowCount(); ++row) {
        auto line = selectMenuGrid->object<TPOMenuIns>(row);
        if (line && line->getState() == TPOMenuIns::stateNormal) total += line->getPrice() * line->getQuantity();
    }
    price->setText(formatFloat("0.00", total));
}

void TcarteForm::applyMenuIns() {
    if (!menuInsList) return;
    menuInsList->clear();
    for (int row = 1; row < selectMenuGrid->rowCount(); ++row)
        if (auto line = selectMenuGrid->object<TPOMenuIns>(row)) menuInsList->push_back(line);
}

void TcarteForm::appleButtonClick() {
    applyMenuIns();
    appleButton->setEnabled(false);
}

void TcarteForm::confirmButtonClick() {
    appleButtonClick();
    accept();
}

void TcarteForm::exitButtonClick() { reject(); }
