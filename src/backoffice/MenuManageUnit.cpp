#include "backoffice/MenuManageUnit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "backoffice/MenuAttrUnit.h"
#include "backoffice/MenuTypeAttrUnit.h"
#include "data/MenuMgrUnit.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

namespace {
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 70;
constexpr int pageButtonHeight = 35;
constexpr int menuTypeAreaWidth = 150;
constexpr int menuGridWidth = 4 * buttonWidth;
constexpr int informationWidth = 185;
const QString separatorLine = QStringLiteral("-------------------------------");

// The page (from 1) that shows position `seq` of a grid with `pageSize` slots.
int pageOfSeq(int seq, int pageSize) { return seq % pageSize == 0 ? seq / pageSize : seq / pageSize + 1; }

// A number of pages: the count over the page size rounded up, at least 1.
int pageCount(int count, int pageSize) { return std::max(1, (count + pageSize - 1) / pageSize); }

QLabel* newTitle(const QString& text, QWidget* parent) {
    auto* title = new QLabel(text, parent);
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(pageButtonHeight);
    title->setFrameShape(QFrame::Panel);
    title->setFrameShadow(QFrame::Raised);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    return title;
}

// A column of the window: a title over a body that fills the rest.
QFrame* newColumn(QLabel* title, QWidget* body, QWidget* parent) {
    auto* column = new QFrame(parent);
    column->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    title->setParent(column);
    body->setParent(column);
    layout->addWidget(title);
    layout->addWidget(body, 1);
    return column;
}
}  // namespace

TmenuManageForm::TmenuManageForm(QWidget* parent) : TparentForm(parent) {
    setWindowTitle(QStringLiteral("menuManageForm"));
    showMaximizedChild = true;
    buildLayout();
    buildPopups();

    buildMenuPages(
        this, Area{menuTypePanel, menuTypeTitlePanel, menuTypeAreaWidth},
        Area{menuPanel, menuTitlePanel, menuGridWidth}, QSize(buttonWidth, buttonHeight), pageButtonHeight,
        Handlers{[this](TMenuTypeButton* button) { menuTypeButtonMouseDown(button); },
                 [this](TMenuButton* button) { menuButtonMouseDown(button); }, false,
                 [this](int step) { showMenuTypePage(menuTypePage += step); },
                 [this](int step) { showMenuPage(menuPage += step, currentMenuTypeId); }});

    // No category is chosen yet, so the dish area stays empty, its title too.
    runGuarded([this] { showMenuTypePage(menuTypePage); });
    hideMenuSlots();
}

TmenuManageForm::~TmenuManageForm() = default;

void TmenuManageForm::buildLayout() {
    menuTypeTitlePanel = newTitle(QStringLiteral("菜类"), this);
    menuTypePanel = new QFrame(this);
    menuTypeAreaPanel = newColumn(menuTypeTitlePanel, menuTypePanel, this);
    menuTypeAreaPanel->setFixedWidth(menuTypeAreaWidth + 2 * menuTypeAreaPanel->frameWidth());

    menuTitlePanel = newTitle(QStringLiteral("菜单"), this);
    menuPanel = new QFrame(this);
    menuAreaPanel = newColumn(menuTitlePanel, menuPanel, this);

    Panel4 = newTitle(QStringLiteral("信息"), this);
    carteInformationMemo = new QPlainTextEdit(this);
    carteInformationMemo->setReadOnly(true);
    QPalette info = carteInformationMemo->palette();
    info.setColor(QPalette::Base, info.color(QPalette::ToolTipBase));
    info.setColor(QPalette::Text, info.color(QPalette::ToolTipText));
    carteInformationMemo->setPalette(info);
    Panel2 = newColumn(Panel4, carteInformationMemo, this);
    Panel2->setFixedWidth(informationWidth);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(menuTypeAreaPanel);
    columns->addWidget(menuAreaPanel, 1);
    columns->addWidget(Panel2);
    // The dish grid never slides under the information column.
    setMinimumWidth(menuTypeAreaWidth + menuGridWidth + informationWidth + 8);
}

void TmenuManageForm::buildPopups() {
    menuTypePopupMenu = new QMenu(this);
    createMenuType = menuTypePopupMenu->addAction(QStringLiteral("添加菜类"));
    changeMenuType = menuTypePopupMenu->addAction(QStringLiteral("修改菜类"));
    deleteMenuType = menuTypePopupMenu->addAction(QStringLiteral("删除菜类"));
    upMoveMenuType = menuTypePopupMenu->addAction(QStringLiteral("上移"));
    downMoveMenuType = menuTypePopupMenu->addAction(QStringLiteral("下移"));
    liftMoveMenuType = menuTypePopupMenu->addAction(QStringLiteral("左移"));
    rightMoveMenuType = menuTypePopupMenu->addAction(QStringLiteral("右移"));
    menuPopupMenu = new QMenu(this);
    createMenu = menuPopupMenu->addAction(QStringLiteral("新建菜单"));
    changeMenu = menuPopupMenu->addAction(QStringLiteral("修改菜单"));
    deleteMenu = menuPopupMenu->addAction(QStringLiteral("删除菜单"));
    upMoveMenu = menuPopupMenu->addAction(QStringLiteral("上移"));
    downMoveMenu = menuPopupMenu->addAction(QStringLiteral("下移"));
    leftMoveMenu = menuPopupMenu->addAction(QStringLiteral("左移"));
    rightMoveMenu = menuPopupMenu->addAction(QStringLiteral("右移"));

    const auto handle = [this](QAction* entry, void (TmenuManageForm::*handler)()) {
        connect(entry, &QAction::triggered, this, [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
    };
    handle(createMenuType, &TmenuManageForm::createMenuTypeClick);
    handle(changeMenuType, &TmenuManageForm::changeMenuTypeClick);
    handle(deleteMenuType, &TmenuManageForm::deleteMenuTypeClick);
    handle(createMenu, &TmenuManageForm::createMenuClick);
    handle(changeMenu, &TmenuManageForm::changeMenuClick);
    handle(deleteMenu, &TmenuManageForm::deleteMenuClick);
    const auto typeMove = [this](QAction* entry, bool (*move)(int)) {
        connect(entry, &QAction::triggered, this, [this, move] { runGuarded([this, move] { moveMenuType(move); }); });
    };
    typeMove(upMoveMenuType, &TMenuTypeMgr::moveUp);
    typeMove(downMoveMenuType, &TMenuTypeMgr::moveDown);
    typeMove(liftMoveMenuType, &TMenuTypeMgr::moveLeft);
    typeMove(rightMoveMenuType, &TMenuTypeMgr::moveRight);
    const auto dishMove = [this](QAction* entry, bool (*move)(int, int)) {
        connect(entry, &QAction::triggered, this, [this, move] { runGuarded([this, move] { moveMenu(move); }); });
    };
    dishMove(upMoveMenu, &TMenuMgr::moveUp);
    dishMove(downMoveMenu, &TMenuMgr::moveDown);
    dishMove(leftMoveMenu, &TMenuMgr::moveLeft);
    dishMove(rightMoveMenu, &TMenuMgr::moveRight);

    // A right press on a button reaches the panel too: the popup looks at what lies
    // under the cursor, never at which widget saw the press.
    menuTypePanel->setContextMenuPolicy(Qt::CustomContextMenu);
    menuPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(menuTypePanel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { runGuarded([this, pos] { menuTypePanelPopup(pos); }); });
    connect(menuPanel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { runGuarded([this, pos] { menuPanelPopup(pos); }); });
}

void TmenuManageForm::showMenuTypePage(int page) {
    showMenuTypeSlots(page, menuTypeMgr.getMenuTypeList(), currentMenuTypeId, selectedMenuTypeButton);
    showInformation();
}

void TmenuManageForm::showMenuPage(int page, int menuTypeId) {
    showMenuSlots(page, TMenuMgr::getMenusByType(menuTypeId), currentMenuId, selectedMenuButton, false);
    showInformation();
}

void TmenuManageForm::showInformation() {
    QStringList lines;
    if (const std::optional<TPOMenuType> type = menuTypeMgr.getMenuTypeById(currentMenuTypeId))
        lines << QStringLiteral("当前菜类：") + type->getName();
    const int dishes = TMenuMgr::getCountByType(currentMenuTypeId);
    lines << QString() << QStringLiteral("菜类当前页：") + QString::number(menuTypePage) << QString()
          << QStringLiteral("菜类总页数：") + QString::number(pageCount(menuTypeMgr.getCount(), menuTypePageSize))
          << separatorLine << QStringLiteral("菜单当前页：") + QString::number(menuPage) << QString()
          << QStringLiteral("菜单总页数：") + QString::number(pageCount(dishes, menuPageSize)) << QString()
          << QStringLiteral("菜单合计：") + QString::number(dishes) << separatorLine
          << QStringLiteral("所有菜类合计：") + QString::number(menuTypeMgr.getCount()) << QString()
          << QStringLiteral("所有菜单合计：") + QString::number(TMenuMgr::getCount()) << QString() << QString()
          << QString();
    carteInformationMemo->setPlainText(lines.join(QLatin1Char('\n')));
}

int TmenuManageForm::getMenuTypePage(int menuTypeId) {
    const std::optional<TPOMenuType> type = menuTypeMgr.getMenuTypeById(menuTypeId);
    return type ? pageOfSeq(type->getSeq(), menuTypePageSize) : menuTypePage;
}

int TmenuManageForm::getMenuPage(int menuId) {
    const std::optional<TPOMenu> menu = TMenuMgr::getMenuById(menuId);
    return menu ? pageOfSeq(menu->getSeq(), menuPageSize) : menuPage;
}

void TmenuManageForm::menuTypeButtonMouseDown(TMenuTypeButton* button) {
    if (selectedMenuTypeButton) selectedMenuTypeButton->setFontColor(ButtonColors::menuTypeNormal());
    selectedMenuTypeButton = button;
    button->setFocus();
    button->setFontColor(ButtonColors::menuTypeChosen());
    hideMenuSlots();
    currentMenuTypeId = button->getId();
    menuPage = 1;
    showMenuPage(menuPage, currentMenuTypeId);
}

void TmenuManageForm::menuButtonMouseDown(TMenuButton* button) {
    if (selectedMenuButton) selectedMenuButton->setFontColor(ButtonColors::menuNormal());
    selectedMenuButton = button;
    currentMenuId = button->getId();
    button->setFontColor(ButtonColors::menuChosen());
    button->setFocus();
}

void TmenuManageForm::menuTypePanelPopup(const QPoint& pos) {
    auto* under = qobject_cast<TMenuTypeButton*>(menuTypePanel->childAt(pos));
    const bool onItem = under && under == selectedMenuTypeButton && under->getId() == currentMenuTypeId &&
                        menuTypeMgr.getMenuTypeById(currentMenuTypeId).has_value();
    for (QAction* entry :
         {changeMenuType, deleteMenuType, upMoveMenuType, downMoveMenuType, liftMoveMenuType, rightMoveMenuType})
        entry->setVisible(onItem);
    menuTypePopupMenu->popup(menuTypePanel->mapToGlobal(pos));
}

void TmenuManageForm::menuPanelPopup(const QPoint& pos) {
    auto* under = qobject_cast<TMenuButton*>(menuPanel->childAt(pos));
    const bool onItem = under && under == selectedMenuButton && under->getId() == currentMenuId &&
                        TMenuMgr::getMenuById(currentMenuId).has_value();
    for (QAction* entry : {changeMenu, deleteMenu, upMoveMenu, downMoveMenu, leftMoveMenu, rightMoveMenu})
        entry->setVisible(onItem);
    // A dish needs a category that exists, or no window would ever show it.
    createMenu->setEnabled(menuTypeMgr.getMenuTypeById(currentMenuTypeId).has_value());
    menuPopupMenu->popup(menuPanel->mapToGlobal(pos));
}

void TmenuManageForm::createMenuTypeClick() {
    TPOMenuType type;
    type.setSeq(menuTypeMgr.getCount() + 1);
    type.setTypeCode(QStringLiteral("001"));
    type.setName(QStringLiteral("新增菜类(%1)").arg(menuTypeMgr.getMaxId() + 1));
    type.setId(menuTypeMgr.insert(type));
    menuTypePage = pageOfSeq(type.getSeq(), menuTypePageSize);
    showMenuTypePage(menuTypePage);
}

void TmenuManageForm::changeMenuTypeClick() {
    if (!selectedMenuTypeButton) return;
    TMenuTypeAttrForm dialog(this);
    dialog.setMenuTypeButton(selectedMenuTypeButton);
    dialog.showExclusive();
    showInformation();
}

void TmenuManageForm::deleteMenuTypeClick() {
    if (!askYesNo(QStringLiteral("是否真的要删除?"))) return;
    menuTypeMgr.Delete(currentMenuTypeId);
    showMenuTypePage(menuTypePage);
}

void TmenuManageForm::moveMenuType(bool (*move)(int)) {
    move(currentMenuTypeId);
    menuTypePage = getMenuTypePage(currentMenuTypeId);
    showMenuTypePage(menuTypePage);
}

void TmenuManageForm::createMenuClick() {
    if (!menuTypeMgr.getMenuTypeById(currentMenuTypeId)) return;
    TPOMenu menu;
    menu.setSeq(TMenuMgr::getCountByType(currentMenuTypeId) + 1);
    menu.setMenuName(QStringLiteral("新增菜(%1)").arg(TMenuMgr::getMaxId() + 1));
    menu.setMenuTypeId(currentMenuTypeId);
    menu.setState(TPOMenu::stateNormal);
    menu.setId(TMenuMgr::insert(menu));
    if (menu.getId() != 0) {
        menuPage = getMenuPage(menu.getId());
        hideMenuSlots();
    }
    showMenuPage(menuPage, currentMenuTypeId);
}

void TmenuManageForm::changeMenuClick() {
    if (!selectedMenuButton) return;
    TmenuAttrForm dialog(this);
    dialog.setMenuButton(selectedMenuButton);
    dialog.showExclusive();
}

void TmenuManageForm::deleteMenuClick() {
    if (!askYesNo(QStringLiteral("是否真的要删除?"))) return;
    TMenuMgr::Delete(currentMenuId);
    showMenuPage(menuPage, currentMenuTypeId);
}

void TmenuManageForm::moveMenu(bool (*move)(int, int)) {
    move(currentMenuTypeId, currentMenuId);
    menuPage = getMenuPage(currentMenuId);
    showMenuPage(menuPage, currentMenuTypeId);
}
