#pragma once
#include <QString>

#include "frame/ExclusiveUnit.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TIconListView;
class TTableItem;

// Shows, edits or creates one dining table. The layout editor uses it editable, for
// an item of its plan or, with a list view and a position, for a new table; the
// service and reservation windows show an item read-only by disabling
// confirmButton, stateGroupBox and basicInformationGroupBox before showing it.
class TtableAttribForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TtableAttribForm(QWidget* parent = nullptr);

    // The read-only view of the service and reservation maps, shown modally.
    static void showReadOnly(TTableItem* item);

    void setTableItem(TTableItem* item) { tableItem = item; }
    void setListView(TIconListView* view) { listView = view; }
    void setX(int value) { x = value; }
    void setY(int value) { y = value; }
    // The floor of a new table, set by the caller.
    int floor = 0;

    QLabel* Image1;
    QLineEdit* namePTable;
    QGroupBox* basicInformationGroupBox;
    QLineEdit* numberTable;
    QLineEdit* nameTable;
    QLineEdit* seatTable;
    QLineEdit* typeTable;
    QPlainTextEdit* descriptionTable;
    QGroupBox* stateGroupBox;
    QRadioButton* leisureRadio;
    QRadioButton* useRadio;
    QRadioButton* reserveRadio;
    QRadioButton* imprisonRadio;
    QPushButton* confirmButton;
    QPushButton* cancelButton;
    QPushButton* applyButton;

    void applyButtonClick();
    void confirmButtonClick();
    void cancelButtonClick();

    void done(int result) override;  // every way of closing passes here

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void infoChange();
    void leisureRadioClick();
    void imprisonRadioClick();
    // Saves the dialog's table; true when the database took it.
    bool save(QPushButton* clicked);
    void closeSoon();

    TTableItem* tableItem = nullptr;
    TIconListView* listView = nullptr;
    int tableId = 0;
    QString state = QStringLiteral("TS001");
    int x = 0;
    int y = 0;
    bool closed = false;
};
