#include "frame/ExclusiveUnit.h"

#include "platform/AppControl.h"

TexclusiveForm::Driver TexclusiveForm::driver;

TexclusiveForm::TexclusiveForm(QWidget* parent) : QDialog(parent) { resize(696, 480); }

int TexclusiveForm::showExclusive() {
    hide();
    if (!driver) return exec();
    setResult(QDialog::Rejected);
    setModal(true);
    show();
    Driver current = driver;  // the driver may replace itself while it runs
    current(this);
    if (isVisible()) QDialog::done(QDialog::Rejected);
    return result();
}

void TexclusiveForm::setVisible(bool visible) {
    if (visible && !isVisible() && minimumSize() == maximumSize() && !(windowFlags() & Qt::CustomizeWindowHint))
        dropMaximizeButton(this);
    QDialog::setVisible(visible);
}

void TexclusiveForm::setDialogDriver(Driver d) { driver = std::move(d); }

bool TexclusiveForm::hasDialogDriver() { return bool(driver); }
