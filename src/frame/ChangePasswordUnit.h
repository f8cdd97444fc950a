#pragma once
#include <QWidget>

#include "frame/GlobalsUnit.h"

class QLineEdit;
class QPushButton;

// The password window: a plain window shown modeless, freed when closed.
class TchangePasswordForm : public QWidget {
    Q_OBJECT
public:
    explicit TchangePasswordForm(QWidget* parent = nullptr);

    QLineEdit* oldPasswrod;
    QLineEdit* newPassword;
    QLineEdit* validatePassword;
    QPushButton* confirmBtn;
    QPushButton* cancelBtn;

    void confirmBtnClick();
    void cancelBtnClick();

private:
    int employeeId = currentEmployeeId;  // the user who opened the form
};
