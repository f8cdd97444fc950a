#pragma once
#include <memory>

#include "data/EmployeeMgrUnit.h"
#include "data/POTeamUnit.h"
#include "frame/ParentUnit.h"

class QAction;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TStringGrid;

// Staff administration: the team tree, the employees of the chosen team, one
// employee's data and the rights that decide what the employee may open.
class TemployeeManageForm : public TparentForm {
    Q_OBJECT
public:
    explicit TemployeeManageForm(QWidget* parent = nullptr);

    // Components.
    QTreeWidget* teamTree;
    QMenu* teamMenu;
    QAction* addTeam;
    QAction* delTeam;
    QAction* changeName;
    QAction* refreshTeam;
    TStringGrid* employeeGrid;
    QLineEdit* employeeId;
    QLineEdit* loginName;
    QLineEdit* password;
    QLineEdit* userName;
    QComboBox* sex;
    QComboBox* statusStudent;
    QLineEdit* idCard;
    QDateEdit* birth;
    QLineEdit* address;
    QLineEdit* telephone;
    QLineEdit* roleName;
    QLineEdit* teamName;
    QTreeWidget* employeeTeamTree;
    QPlainTextEdit* description;
    QListWidget* rightList;
    QListWidget* selectRightList;
    QPushButton* selectRightBtn;
    QPushButton* cancelRightBtn;
    QPushButton* createEmployee;
    QPushButton* saveEmployee;
    QPushButton* deleteEmployee;

    // Handlers (each runs inside the error funnel when the user triggers it).
    void loadTeamTree(QTreeWidget* tree, int parentId, QTreeWidgetItem* parentNode);
    void teamTreeClick(QTreeWidgetItem* node);
    void teamTreeEdited(QTreeWidgetItem* node);
    void addTeamClick();
    void delTeamClick();
    void changeNameClick();
    void refreshTeamClick();
    void loadEmployeeGrid(int teamId);
    void employeeGridSelect(int row);
    void showEmployee(const TPOEmployee& employee);
    void employeeTeamTreeClick(QTreeWidgetItem* node);
    void selectRightBtnClick();
    void cancelRightBtnClick();
    void createEmployeeClick();
    void saveEmployeeClick();
    void deleteEmployeeClick();

    // The team of a node of either tree; nullptr for none.
    static std::shared_ptr<TPOTeam> teamOf(QTreeWidgetItem* node);

private:
    QWidget* buildEmployeePanel();
    void fillAttribs(QComboBox* combo, const QString& type);
    void selectAttrib(QComboBox* combo, const QString& number);
    void teamMenuPopup(const QPoint& pos);
    void changed();  // any edit by the user

    TEmployeeMgr employeeMgr;
    std::shared_ptr<TPOTeam> currentTeam;  // the team last clicked in teamTree
};
