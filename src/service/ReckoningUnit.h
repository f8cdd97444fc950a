#pragma once
#include <memory>
#include <vector>

#include "data/POMenuInsUnit.h"
#include "data/POOrderUnit.h"
#include "data/POTableInsUnit.h"
#include "frame/ExclusiveUnit.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class TStringGrid;

// "结账": the bill of one or several tables in use. Every amount is computed from the
// amounts as shown ("0.00"), so what the cashier sees is what is stored. "销帐" writes
// one order for all the tables and checks them out, in one transaction.
class TReckoningForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TReckoningForm(QWidget* parent = nullptr);

    // Lists the dish lines of the instances, shows the dialog modally; true when the
    // order was written. The instances are the caller's; a successful checkout leaves
    // them with the order id and TIS002.
    bool showReckoning(std::vector<TPOTableIns>& tableIns);
    // The first half of showReckoning: the bill filled, nothing shown.
    void loadReckoning(std::vector<TPOTableIns>& tableIns);

    QGroupBox* GroupBox3;
    TStringGrid* menuInsGrid;
    QWidget* Panel1;
    QLineEdit* price;
    QComboBox* rebateType;
    QLineEdit* rebateValue;
    QComboBox* guestType;
    QLineEdit* associatorCode;
    QComboBox* invoice;
    QLineEdit* price1;
    QLineEdit* price2;
    QLineEdit* giveChange;
    QPlainTextEdit* description;
    QPushButton* BitBtn3;
    QPushButton* cancelAccountBtn;
    QPushButton* Button1;
    QPushButton* returnBtn;

    // Total, due and change; the paid amount starts at the total only when asked
    // (as the dialog opens).
    void computeBill(bool presetPaid = false);
    void rebateTypeChange();
    void changeValue(QLineEdit* edit);
    void guestTypeChange();
    void menuInsGridDblClick();
    void cancelAccountBtnClick();
    void BitBtnClick();
    void returnBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lists the instances' dish lines in the grid; true when one is not served yet.
    bool fillGrid();
    // The grid still shows the stored dish lines of the instances, as billed.
    bool billIsCurrent() const;
    // The dish lines changed elsewhere: says so, lists them afresh and recomputes.
    void showChangedBill();
    void setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, const QString& tableName, int row);
    // Leaving an amount edit: empty, a rebate out of range, or paid below due takes the focus back.
    void ExitEdit(QLineEdit* edit);
    // Paid below due: says so and gives false.
    bool paidCoversDue();
    // A discount outside 0..10 or a cash rebate outside 0..total: says so and gives false.
    bool rebateInRange();

    std::vector<TPOTableIns>* tableInsList = nullptr;
    TPOOrder order;
    bool done = false;
    bool checkingExit = false;
};
