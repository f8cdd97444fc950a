#include "backoffice/EmployeeManageUnit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/RightMgrUnit.h"
#include "data/SysAttribMgrUnit.h"
#include "data/TeamMgrUnit.h"
#include "frame/PasswordEditUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"

namespace {
const QString noTeamText = QStringLiteral("请选择团队！");

// A node of either team tree, carrying its team.
class TeamNode : public QTreeWidgetItem {
public:
    explicit TeamNode(std::shared_ptr<TPOTeam> t) : team(std::move(t)) { setText(0, team->getName()); }
    std::shared_ptr<TPOTeam> team;
};

void expandAll(QTreeWidgetItem* node) {
    node->setExpanded(true);
    for (int i = 0; i < node->childCount(); ++i) expandAll(node->child(i));
}

QListWidgetItem* rightItem(const TPORight& right) {
    auto* item = new QListWidgetItem(right.getName());
    item->setData(Qt::UserRole, right.getNumber());
    return item;
}

// Appends the selected entries of one rights list to the other, in list order.
void moveSelectedRights(QListWidget* from, QListWidget* to) {
    for (int i = 0; i < from->count();) {
        if (from->item(i)->isSelected()) {
            QListWidgetItem* item = from->takeItem(i);
            item->setSelected(false);
            to->addItem(item);
        } else {
            ++i;
        }
    }
}
}  // namespace

TemployeeManageForm::TemployeeManageForm(QWidget* parent) : TparentForm(parent) {
    setWindowTitle(QStringLiteral("员工管理"));
    showMaximizedChild = true;

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    root->addWidget(splitter);

    auto* teamGroup = new QGroupBox(QStringLiteral("团队树"), splitter);
    teamGroup->setMinimumWidth(110);
    auto* teamLayout = new QVBoxLayout(teamGroup);
    teamTree = new QTreeWidget(teamGroup);
    teamTree->setHeaderHidden(true);
    teamTree->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    teamTree->setContextMenuPolicy(Qt::CustomContextMenu);
    teamLayout->addWidget(teamTree);
    teamMenu = new QMenu(this);
    addTeam = teamMenu->addAction(QStringLiteral("添加团队"));
    delTeam = teamMenu->addAction(QStringLiteral("删除团队"));
    changeName = teamMenu->addAction(QStringLiteral("改名"));
    refreshTeam = teamMenu->addAction(QStringLiteral("刷新"));

    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* gridGroup = new QGroupBox(QStringLiteral("员工列表"), right);
    auto* gridLayout = new QVBoxLayout(gridGroup);
    employeeGrid = new TStringGrid(6, gridGroup);
    employeeGrid->setTitles({QStringLiteral("编号"), QStringLiteral("名称"), QStringLiteral("登录名称"),
                             QStringLiteral("姓别"), QStringLiteral("电话号码"), QStringLiteral("角色名称")});
    employeeGrid->setColWidths({30, 80, 80, 30, 120, 80});
    gridLayout->addWidget(employeeGrid);
    rightLayout->addWidget(gridGroup, 1);
    rightLayout->addWidget(buildEmployeePanel());

    auto* buttonGroup = new QGroupBox(QStringLiteral("功能按钮"), right);
    auto* buttons = new QHBoxLayout(buttonGroup);
    createEmployee = new QPushButton(QStringLiteral("新建"), buttonGroup);
    saveEmployee = new QPushButton(QStringLiteral("保存"), buttonGroup);
    deleteEmployee = new QPushButton(QStringLiteral("删除"), buttonGroup);
    saveEmployee->setEnabled(false);
    deleteEmployee->setEnabled(false);
    buttons->addStretch();
    for (QPushButton* b : {createEmployee, saveEmployee, deleteEmployee}) buttons->addWidget(b);
    rightLayout->addWidget(buttonGroup);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 700});

    auto on = [this](auto handler) { return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); }; };
    connect(teamTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { runGuarded([&] { teamTreeClick(node); }); });
    connect(teamTree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* node) { runGuarded([&] { teamTreeEdited(node); }); });
    connect(teamTree, &QWidget::customContextMenuRequested, this, &TemployeeManageForm::teamMenuPopup);
    connect(addTeam, &QAction::triggered, this, on(&TemployeeManageForm::addTeamClick));
    connect(delTeam, &QAction::triggered, this, on(&TemployeeManageForm::delTeamClick));
    connect(changeName, &QAction::triggered, this, on(&TemployeeManageForm::changeNameClick));
    connect(refreshTeam, &QAction::triggered, this, on(&TemployeeManageForm::refreshTeamClick));
    connect(employeeGrid, &TStringGrid::rowSelected, this,
            [this](int row) { runGuarded([&] { employeeGridSelect(row); }); });
    // The grid selects its first row itself after a fill, so a click there moves
    // nothing and needs reporting of its own.
    connect(employeeGrid, &QTableWidget::cellClicked, this,
            [this](int row) { runGuarded([&] { employeeGridSelect(row); }); });
    connect(employeeTeamTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { runGuarded([&] { employeeTeamTreeClick(node); }); });
    connect(selectRightBtn, &QPushButton::clicked, this, on(&TemployeeManageForm::selectRightBtnClick));
    connect(cancelRightBtn, &QPushButton::clicked, this, on(&TemployeeManageForm::cancelRightBtnClick));
    connect(createEmployee, &QPushButton::clicked, this, on(&TemployeeManageForm::createEmployeeClick));
    connect(saveEmployee, &QPushButton::clicked, this, on(&TemployeeManageForm::saveEmployeeClick));
    connect(deleteEmployee, &QPushButton::clicked, this, on(&TemployeeManageForm::deleteEmployeeClick));

    runGuarded([this] {
        // The root team holds everyone; the window works on the teams below it.
        loadTeamTree(teamTree, 1, nullptr);
        loadTeamTree(employeeTeamTree, 1, nullptr);
        fillAttribs(sex, QStringLiteral("SEX"));
        fillAttribs(statusStudent, QStringLiteral("DIPLOMA"));
        for (const TPORight& r : TRightMgr::getAllRights()) rightList->addItem(rightItem(r));
    });
}

QWidget* TemployeeManageForm::buildEmployeePanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    employeeId = new QLineEdit(panel);
    employeeId->setReadOnly(true);
    loginName = new QLineEdit(panel);
    password = newPasswordEdit(panel);
    userName = new QLineEdit(panel);
    sex = new QComboBox(panel);
    statusStudent = new QComboBox(panel);
    idCard = new QLineEdit(panel);
    birth = new QDateEdit(panel);
    birth->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    birth->setCalendarPopup(true);
    birth->setMinimumDate(QDate(1899, 12, 30));
    address = new QLineEdit(panel);
    telephone = new QLineEdit(panel);
    roleName = new QLineEdit(panel);
    teamName = new QLineEdit(panel);
    teamName->setReadOnly(true);
    employeeTeamTree = new QTreeWidget(panel);
    employeeTeamTree->setHeaderHidden(true);
    employeeTeamTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    description = new QPlainTextEdit(panel);
    rightList = new QListWidget(panel);
    selectRightList = new QListWidget(panel);
    for (QListWidget* list : {rightList, selectRightList}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setMinimumWidth(100);
    }
    selectRightBtn = new QPushButton(QStringLiteral(">"), panel);
    cancelRightBtn = new QPushButton(QStringLiteral("<"), panel);
    for (QPushButton* b : {selectRightBtn, cancelRightBtn}) b->setFixedWidth(32);

    const QList<QPair<QString, QWidget*>> fields = {
        {QStringLiteral("编码:"), employeeId},       {QStringLiteral("登录名:"), loginName},
        {QStringLiteral("密码:"), password},         {QStringLiteral("用户名:"), userName},
        {QStringLiteral("性别:"), sex},              {QStringLiteral("学历:"), statusStudent},
        {QStringLiteral("身份证号码:"), idCard},     {QStringLiteral("出生日期:"), birth},
        {QStringLiteral("出生地址:"), address},      {QStringLiteral("联系电话:"), telephone},
        {QStringLiteral("岗位名称:"), roleName},     {QStringLiteral("团队:"), teamName},
    };
    for (int i = 0; i < fields.size(); ++i) {
        grid->addWidget(new QLabel(fields[i].first, panel), i / 2, (i % 2) * 2, Qt::AlignRight);
        grid->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
    }
    const int rows = int(fields.size()) / 2;
    grid->addWidget(new QLabel(QStringLiteral("备注:"), panel), rows, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(description, rows, 1, 1, 3);
    description->setFixedHeight(80);  // with the rows beside it, tall enough for every right in the lists
    grid->addWidget(employeeTeamTree, 0, 4, rows + 1, 1);
    employeeTeamTree->setMinimumWidth(100);

    // The label stands over the lists, not beside them, so that the window fits a
    // 1024 px wide screen.
    grid->addWidget(new QLabel(QStringLiteral("权限:"), panel), 0, 5, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(rightList, 1, 5, rows, 1);
    auto* moveButtons = new QVBoxLayout;
    moveButtons->addStretch();
    moveButtons->addWidget(selectRightBtn);
    moveButtons->addWidget(cancelRightBtn);
    moveButtons->addStretch();
    grid->addLayout(moveButtons, 1, 6, rows, 1);
    grid->addWidget(selectRightList, 1, 7, rows, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // Every change the user makes can be saved.
    for (QLineEdit* edit : {loginName, password, userName, idCard, address, telephone, roleName})
        connect(edit, &QLineEdit::textEdited, this, &TemployeeManageForm::changed);
    connect(description, &QPlainTextEdit::textChanged, this, &TemployeeManageForm::changed);
    connect(sex, &QComboBox::activated, this, &TemployeeManageForm::changed);
    connect(statusStudent, &QComboBox::activated, this, &TemployeeManageForm::changed);
    connect(birth, &QDateEdit::dateChanged, this, &TemployeeManageForm::changed);
    connect(teamName, &QLineEdit::textChanged, this, &TemployeeManageForm::changed);
    connect(rightList, &QListWidget::itemPressed, this, &TemployeeManageForm::changed);
    connect(selectRightList, &QListWidget::itemPressed, this, &TemployeeManageForm::changed);
    return panel;
}

void TemployeeManageForm::changed() { saveEmployee->setEnabled(true); }

std::shared_ptr<TPOTeam> TemployeeManageForm::teamOf(QTreeWidgetItem* node) {
    auto* teamNode = dynamic_cast<TeamNode*>(node);
    return teamNode ? teamNode->team : nullptr;
}

void TemployeeManageForm::fillAttribs(QComboBox* combo, const QString& type) {
    combo->clear();
    for (const TPOSysAttrib& a : TSysAttribMgr::getSysAttribsByType(type)) combo->addItem(a.getName(), a.getNumber());
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void TemployeeManageForm::selectAttrib(QComboBox* combo, const QString& number) {
    if (std::optional<TPOSysAttrib> attrib = TSysAttribMgr::getSysAttribByNumber(number)) {
        int index = combo->findText(attrib->getName());
        if (index >= 0) combo->setCurrentIndex(index);
    }
}

void TemployeeManageForm::loadTeamTree(QTreeWidget* tree, int parentId, QTreeWidgetItem* parentNode) {
    QSignalBlocker block(tree);
    std::vector<TPOTeam> teams = parentId != 0 ? TTeamMgr::getTeamsByParentId(parentId) : TTeamMgr::getRootTeams();
    for (const TPOTeam& team : teams) {
        auto* node = new TeamNode(std::make_shared<TPOTeam>(team));
        node->setFlags(node->flags() | Qt::ItemIsEditable);
        if (parentNode) parentNode->addChild(node);
        else tree->addTopLevelItem(node);
        loadTeamTree(tree, team.getId(), node);
    }
}

void TemployeeManageForm::teamMenuPopup(const QPoint& pos) {
    teamMenu->popup(teamTree->viewport()->mapToGlobal(pos));
}

void TemployeeManageForm::teamTreeClick(QTreeWidgetItem* node) {
    std::shared_ptr<TPOTeam> team = teamOf(node);
    if (!team) return;
    currentTeam = team;
    loadEmployeeGrid(team->getId());
    showEmployee(TPOEmployee());
    saveEmployee->setEnabled(false);
    deleteEmployee->setEnabled(false);
}

void TemployeeManageForm::teamTreeEdited(QTreeWidgetItem* node) {
    std::shared_ptr<TPOTeam> team = teamOf(node);
    if (!team) return;
    QSignalBlocker block(teamTree);
    const QString text = node->text(0);
    if (text.trimmed().isEmpty()) {
        showMessage(QStringLiteral("团队名称不能为空！"));
        node->setText(0, team->getName());
        return;
    }
    TPOTeam renamed = *team;
    renamed.setName(text);
    if (TTeamMgr::update(renamed)) team->setName(text);
    else node->setText(0, team->getName());  // the tree keeps showing what is stored
}

void TemployeeManageForm::addTeamClick() {
    QTreeWidgetItem* selected = teamTree->currentItem();
    std::shared_ptr<TPOTeam> parent = teamOf(selected);
    auto team = std::make_shared<TPOTeam>();
    team->setName(QStringLiteral("新建团队"));
    // Without a chosen parent the team goes under the root team, where the trees look.
    team->setParentId(parent ? parent->getId() : 1);
    if (TTeamMgr::insert(*team) == 0) return;
    QSignalBlocker block(teamTree);
    auto* node = new TeamNode(team);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    if (parent) {
        selected->addChild(node);
        expandAll(selected);
        return;
    }
    // After a refresh the root team is on show: the new team belongs under it.
    for (int i = 0; i < teamTree->topLevelItemCount(); ++i) {
        std::shared_ptr<TPOTeam> top = teamOf(teamTree->topLevelItem(i));
        if (top && top->getId() == 1) {
            teamTree->topLevelItem(i)->addChild(node);
            teamTree->topLevelItem(i)->setExpanded(true);
            return;
        }
    }
    teamTree->addTopLevelItem(node);
}

void TemployeeManageForm::delTeamClick() {
    QTreeWidgetItem* node = teamTree->currentItem();
    std::shared_ptr<TPOTeam> team = teamOf(node);
    if (!team) return;
    if (!askYesNo(QStringLiteral("是否真的要删除(") + node->text(0) + QStringLiteral(")团队?"))) return;
    if (!TTeamMgr::Delete(team->getId())) return;
    // Employees must not be saved into a team that is gone.
    if (currentTeam && currentTeam->getId() == team->getId()) currentTeam.reset();
    delete node;
}

void TemployeeManageForm::changeNameClick() {
    if (QTreeWidgetItem* node = teamTree->currentItem()) teamTree->editItem(node);
}

void TemployeeManageForm::refreshTeamClick() {
    teamTree->clear();
    loadTeamTree(teamTree, 0, nullptr);
}

void TemployeeManageForm::loadEmployeeGrid(int teamId) {
    employeeGrid->setRowCount(1);
    std::vector<TPOEmployee> employees = employeeMgr.getEmployeesByTeamId(teamId);
    const int count = int(employees.size());
    employeeGrid->setRowCount(count + 1);
    for (int i = 0; i < count; ++i) {
        const TPOEmployee& e = employees[size_t(i)];
        const int row = i + 1;
        std::optional<TPOSysAttrib> sexAttrib = TSysAttribMgr::getSysAttribByNumber(e.getSex());
        employeeGrid->setCell(0, row, QString::number(row));
        employeeGrid->setCell(1, row, e.getUserName());
        employeeGrid->setCell(2, row, e.getLoginName());
        employeeGrid->setCell(3, row, sexAttrib ? sexAttrib->getName() : QString());
        employeeGrid->setCell(4, row, e.getTelephone());
        employeeGrid->setCell(5, row, e.getRoleName());
        employeeGrid->setObject(row, std::make_shared<TPOEmployee>(e));
    }
    employeeGrid->setFixedRows(count > 0 ? 1 : 0);
}

void TemployeeManageForm::employeeGridSelect(int row) {
    std::shared_ptr<TPOEmployee> employee = employeeGrid->object<TPOEmployee>(row);
    if (row < 1 || !employee) return;
    showEmployee(*employee);
    deleteEmployee->setEnabled(true);
    saveEmployee->setEnabled(false);
}

void TemployeeManageForm::showEmployee(const TPOEmployee& employee) {
    const QList<QWidget*> filled = {loginName, password, userName, sex, statusStudent, idCard, birth,
                                    address, telephone, roleName, teamName, description};
    std::vector<std::unique_ptr<QSignalBlocker>> blocks;
    for (QWidget* w : filled) blocks.push_back(std::make_unique<QSignalBlocker>(w));

    employeeId->setText(QString::number(employee.getId()));
    loginName->setText(employee.getLoginName());
    password->setText(employee.getPassword());
    userName->setText(employee.getUserName());
    selectAttrib(sex, employee.getSex());
    selectAttrib(statusStudent, employee.getStatusStudent());
    idCard->setText(employee.getIdCard());
    address->setText(employee.getAddress());
    telephone->setText(employee.getTelephone());
    roleName->setText(employee.getRoleName());
    description->setPlainText(employee.getDescription());
    birth->setDate(toQDate(employee.getBirth()));
    teamName->setText(currentTeam ? currentTeam->getName() : QString());
    employeeTeamTree->clearSelection();
    employeeTeamTree->setCurrentItem(nullptr);

    rightList->clear();
    selectRightList->clear();
    for (const TPORight& r : TRightMgr::getAllRights()) {
        bool held = false;
        for (const TPORight& h : employee.getRights()) held = held || h.getNumber() == r.getNumber();
        (held ? selectRightList : rightList)->addItem(rightItem(r));
    }
}

void TemployeeManageForm::employeeTeamTreeClick(QTreeWidgetItem* node) {
    if (node) teamName->setText(node->text(0));
}

void TemployeeManageForm::selectRightBtnClick() { moveSelectedRights(rightList, selectRightList); }

void TemployeeManageForm::cancelRightBtnClick() { moveSelectedRights(selectRightList, rightList); }

void TemployeeManageForm::createEmployeeClick() {
    if (!currentTeam) {
        showMessage(noTeamText);
        return;
    }
    showEmployee(TPOEmployee());
    deleteEmployee->setEnabled(false);
    saveEmployee->setEnabled(false);
}

void TemployeeManageForm::saveEmployeeClick() {
    TPOEmployee e;
    e.setId(strToInt(employeeId->text()));
    e.setLoginName(loginName->text());
    e.setPassword(password->text());
    e.setUserName(userName->text());
    e.setSex(sex->currentData().toString());  // "" when the list is empty
    e.setStatusStudent(statusStudent->currentData().toString());
    e.setIdCard(idCard->text());
    e.setAddress(address->text());
    e.setTelephone(telephone->text());
    e.setRoleName(roleName->text());
    e.setDescription(description->toPlainText());
    std::vector<TPORight> rights;
    for (int i = 0; i < selectRightList->count(); ++i) {
        TPORight r;
        r.setNumber(selectRightList->item(i)->data(Qt::UserRole).toString());
        r.setName(selectRightList->item(i)->text());
        rights.push_back(r);
    }
    e.setRights(std::move(rights));
    QTreeWidgetItem* chosen = employeeTeamTree->currentItem();
    std::shared_ptr<TPOTeam> team = chosen && chosen->isSelected() ? teamOf(chosen) : currentTeam;
    // The team tree of the employee is not refreshed, so its team may be gone.
    if (!team || !TTeamMgr::exists(team->getId())) {
        showMessage(noTeamText);
        return;
    }
    e.setTeamId(team->getId());
    e.setBirth(fromQDate(birth->date()));

    if (e.getId() == 0) {
        int id = employeeMgr.insert(e);
        if (id != 0) employeeId->setText(QString::number(id));
    } else if (employeeMgr.update(e)) {
        showMessage(QStringLiteral("保存成功员工(") + e.getUserName() + QStringLiteral(")！"));
    }
    if (currentTeam) loadEmployeeGrid(currentTeam->getId());
}

void TemployeeManageForm::deleteEmployeeClick() {
    if (!askYesNo(QStringLiteral("是否真的要删除(") + userName->text() + QStringLiteral(")?"))) return;
    if (!employeeMgr.Delete(strToInt(employeeId->text()))) return;
    showMessage(QStringLiteral("删除成功！"));
    showEmployee(TPOEmployee());
    deleteEmployee->setEnabled(false);
    saveEmployee->setEnabled(false);
    if (currentTeam) loadEmployeeGrid(currentTeam->getId());
}
