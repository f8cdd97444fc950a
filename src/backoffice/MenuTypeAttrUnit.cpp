#include "backoffice/MenuTypeAttrUnit.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "backoffice/AttrDialogCommon.h"
#include "data/MenuTypeMgrUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

TMenuTypeAttrForm::TMenuTypeAttrForm(QWidget* parent) : TexclusiveForm(parent) {
    Image1 = newDialogPicture(QStringLiteral(":/pictures/menu_type.jpg"), this);
    namePMenuType = new QLineEdit(this);
    namePMenuType->setEnabled(false);
    namePMenuType->setReadOnly(true);
    menuTypeId = new QLineEdit(this);
    menuTypeId->setEnabled(false);
    menuTypeId->setReadOnly(true);
    menuTypeName = new QLineEdit(this);
    descriptionMemo = new QPlainTextEdit(this);
    descriptionMemo->setTabChangesFocus(true);

    auto* layout = new QVBoxLayout(this);
    QFormLayout* fields = addNameHeader(layout, Image1, namePMenuType);
    fields->addRow(QStringLiteral("编号:"), menuTypeId);
    fields->addRow(QStringLiteral("名称:"), menuTypeName);
    fields->addRow(QStringLiteral("备注:"), descriptionMemo);

    layout->addLayout(newAttrButtons(this, confirmButton, cancelButton, applyButton));
    applyButton->setEnabled(false);

    connect(menuTypeName, &QLineEdit::textEdited, this, [this] { applyButton->setEnabled(true); });
    connect(descriptionMemo, &QPlainTextEdit::textChanged, this, [this] { applyButton->setEnabled(true); });
    connect(confirmButton, &QPushButton::clicked, this, [this] { runGuarded([this] { confirmButtonClick(); }); });
    connect(applyButton, &QPushButton::clicked, this, [this] { runGuarded([this] { applyButtonClick(); }); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelButtonClick(); });
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
    setFixedSize(360, 300);
}

void TMenuTypeAttrForm::showEvent(QShowEvent* event) {
    TexclusiveForm::showEvent(event);
    if (loaded) return;
    loaded = true;
    if (!runGuarded([this] { FormShow(); })) closeWhenShown();
}

void TMenuTypeAttrForm::closeWhenShown() {
    QTimer::singleShot(0, this, [this] { reject(); });
}

void TMenuTypeAttrForm::FormShow() {
    if (!menuTypeButton) {
        showMessage(QStringLiteral("menuTypeButton 为空"));
        closeWhenShown();
        return;
    }
    menuType = TMenuTypeMgr::getMenuTypeById(menuTypeButton->getId());
    if (!menuType) {
        showMessage(QStringLiteral("没有找到菜类"));
        closeWhenShown();
        return;
    }
    const QSignalBlocker block(descriptionMemo);
    namePMenuType->setText(menuType->getName());
    menuTypeName->setText(menuType->getName());
    menuTypeId->setText(QString::number(menuType->getId()));
    descriptionMemo->setPlainText(menuType->getDescription());
    setWindowTitle(menuType->getName());
    applyButton->setEnabled(false);
}

bool TMenuTypeAttrForm::saveMenuType() {
    if (!menuType) return true;
    if (menuTypeName->text().trimmed().isEmpty()) {
        showMessage(QStringLiteral("菜单类型不能为空！"));
        return true;
    }
    menuType->setName(menuTypeName->text());
    menuType->setDescription(descriptionMemo->toPlainText());
    if (!TMenuTypeMgr::update(*menuType)) return false;
    namePMenuType->setText(menuType->getName());
    setWindowTitle(menuType->getName());
    return true;
}

void TMenuTypeAttrForm::applyButtonClick() {
    saveMenuType();
    applyButton->setEnabled(false);
}

void TMenuTypeAttrForm::confirmButtonClick() {
    // A name the database refused keeps the dialog open with what was typed.
    if (saveMenuType()) accept();
}

void TMenuTypeAttrForm::cancelButtonClick() { reject(); }

void TMenuTypeAttrForm::FormClose() {
    // Only a category that was loaded may put its name on the button.
    if (!menuType || !menuTypeButton) return;
    menuTypeButton->setName(namePMenuType->text());
    menuTypeButton->setToolTip(namePMenuType->text());
    menuTypeButton->setFocus();
}
