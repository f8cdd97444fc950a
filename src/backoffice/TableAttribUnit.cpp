#include "backoffice/TableAttribUnit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "data/TableInsMgrUnit.h"
#include "data/TableItemUnit.h"
#include "data/TableMgrUnit.h"
#include "platform/DrawnImages.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"

void TtableAttribForm::showReadOnly(TTableItem* item) {
    TtableAttribForm form;
    form.setTableItem(item);
    form.confirmButton->setEnabled(false);
    form.stateGroupBox->setEnabled(false);
    form.basicInformationGroupBox->setEnabled(false);
    form.showExclusive();
}

TtableAttribForm::TtableAttribForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("table"));
    auto* outer = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget;
    tabs->addTab(page, QStringLiteral("常规"));
    outer->addWidget(tabs);
    auto* pageLayout = new QVBoxLayout(page);

    auto* head = new QHBoxLayout;
    Image1 = new QLabel(page);
    Image1->setPixmap(tableIconImage(TableIcon::White));
    namePTable = new QLineEdit(page);
    namePTable->setEnabled(false);
    head->addWidget(Image1);
    head->addSpacing(12);
    head->addWidget(namePTable, 1);
    pageLayout->addLayout(head);

    basicInformationGroupBox = new QGroupBox(QStringLiteral("基本信息"), page);
    auto* form = new QFormLayout(basicInformationGroupBox);
    numberTable = new QLineEdit(basicInformationGroupBox);
    numberTable->setEnabled(false);
    nameTable = new QLineEdit(basicInformationGroupBox);
    seatTable = new QLineEdit(basicInformationGroupBox);
    typeTable = new QLineEdit(basicInformationGroupBox);
    descriptionTable = new QPlainTextEdit(basicInformationGroupBox);
    descriptionTable->setFixedHeight(60);
    form->addRow(QStringLiteral("编号:"), numberTable);
    form->addRow(QStringLiteral("名称:"), nameTable);
    form->addRow(QStringLiteral("座位数:"), seatTable);
    form->addRow(QStringLiteral("类别:"), typeTable);
    form->addRow(QStringLiteral("备注:"), descriptionTable);
    pageLayout->addWidget(basicInformationGroupBox);

    stateGroupBox = new QGroupBox(QStringLiteral("状态"), page);
    auto* states = new QHBoxLayout(stateGroupBox);
    leisureRadio = new QRadioButton(QStringLiteral("空闲"), stateGroupBox);
    useRadio = new QRadioButton(QStringLiteral("使用中"), stateGroupBox);
    reserveRadio = new QRadioButton(QStringLiteral("预定"), stateGroupBox);
    imprisonRadio = new QRadioButton(QStringLiteral("禁用"), stateGroupBox);
    leisureRadio->setChecked(true);
    useRadio->setEnabled(false);
    reserveRadio->setEnabled(false);
    imprisonRadio->setVisible(false);
    for (QRadioButton* r : {leisureRadio, useRadio, reserveRadio, imprisonRadio}) states->addWidget(r);
    states->addStretch();
    pageLayout->addWidget(stateGroupBox);
    pageLayout->addStretch();

    confirmButton = new QPushButton(QStringLiteral("确定"), this);
    cancelButton = new QPushButton(QStringLiteral("取消"), this);
    applyButton = new QPushButton(QStringLiteral("应用"), this);
    applyButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(applyButton);
    outer->addLayout(buttons);

    // Loading the fields in code counts as an edit too; showing a table disables
    // "应用" again afterwards.
    for (QLineEdit* e : {nameTable, seatTable, typeTable})
        connect(e, &QLineEdit::textChanged, this, [this] { infoChange(); });
    connect(descriptionTable, &QPlainTextEdit::textChanged, this, [this] { infoChange(); });
    // The radios react to being checked, in code as well as by a click.
    connect(leisureRadio, &QRadioButton::toggled, this, [this](bool on) {
        if (on) runGuarded([this] { leisureRadioClick(); });
    });
    connect(imprisonRadio, &QRadioButton::toggled, this, [this](bool on) {
        if (on) runGuarded([this] { imprisonRadioClick(); });
    });
    connect(applyButton, &QPushButton::clicked, this, [this] { runGuarded([this] { applyButtonClick(); }); });
    connect(confirmButton, &QPushButton::clicked, this, [this] { confirmButtonClick(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelButtonClick(); });
    setFixedSize(380, 440);
}

void TtableAttribForm::showEvent(QShowEvent* event) {
    TexclusiveForm::showEvent(event);
    runGuarded([this] { FormShow(); });
}

void TtableAttribForm::FormShow() {
    state = QStringLiteral("TS001");
    if (!tableItem && !listView) {
        closeSoon();
        return;
    }
    if (!tableItem) return;  // a new table: empty fields, "应用" enabled
    setWindowTitle(tableItem->caption());
    std::optional<TPOTable> table = TTableMgr::getTableById(tableItem->getTableId());
    if (!table) {
        closeSoon();
        return;
    }
    tableId = table->getId();
    numberTable->setText(QString::number(tableId));
    nameTable->setText(table->getTableName());
    namePTable->setText(table->getTableName());
    seatTable->setText(QString::number(table->getSeat()));
    typeTable->setText(table->getType());
    descriptionTable->setPlainText(table->getDescription());
    state = table->getState();
    x = table->getX();
    y = table->getY();
    floor = table->getFloor();
    if (state != QLatin1String("TS001"))
        imprisonRadio->setChecked(true);
    else
        leisureRadio->setChecked(true);
    applyButton->setEnabled(false);
}

// Closing from inside the show would leave a modal loop that has not started yet
// waiting forever, so the close is queued.
void TtableAttribForm::closeSoon() {
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) reject();
    });
}

void TtableAttribForm::infoChange() { applyButton->setEnabled(true); }

void TtableAttribForm::leisureRadioClick() {
    state = QStringLiteral("TS001");
    applyButton->setEnabled(true);
}

void TtableAttribForm::imprisonRadioClick() {
    if (tableId != 0 && TTableInsMgr::getTableInsByTableId(tableId, QStringLiteral("TIS001"))) {
        showMessage(QStringLiteral("桌子在使用中,不能禁用!"));
        leisureRadio->setChecked(true);
        return;
    }
    state = QStringLiteral("TS002");
    applyButton->setEnabled(true);
}

bool TtableAttribForm::save(QPushButton* clicked) {
    TPOTable table;
    table.setId(tableId);
    table.setTableName(nameTable->text());
    table.setFloor(floor);
    table.setSeat(strToInt(seatTable->text()));  // a bad text ends the action here
    table.setState(state);
    table.setType(typeTable->text());
    table.setX(x);
    table.setY(y);
    table.setDescription(descriptionTable->toPlainText());
    bool saved;
    if (tableId != 0) {
        saved = TTableMgr::update(table);
    } else {
        tableId = TTableMgr::insert(table);
        saved = tableId >= 1;
        if (saved) numberTable->setText(QString::number(tableId));
    }
    if (saved) {
        namePTable->setText(nameTable->text());
        setWindowTitle(nameTable->text());
        clicked->setEnabled(false);
    }
    return saved;
}

void TtableAttribForm::applyButtonClick() { save(applyButton); }

void TtableAttribForm::confirmButtonClick() {
    // A seat count that is not a number or a row the database refused keeps the
    // dialog open with what was typed, as "应用" does.
    bool saved = false;
    runGuarded([this, &saved] { saved = save(confirmButton); });
    if (saved) accept();
}

void TtableAttribForm::cancelButtonClick() { reject(); }

void TtableAttribForm::done(int result) {
    // Only a table that was loaded or saved touches the caller's plan, and never
    // in the read-only view.
    if (!closed && stateGroupBox->isEnabled() && tableId != 0) {
        closed = true;
        runGuarded([this] {
            if (!tableItem && listView) {
                auto* item = listView->addItemOf<TTableItem>();
                item->setTableId(tableId);
                item->setLeft(x);
                item->setTop(y);
                listView->setSelectedItem(item);
                tableItem = item;
            }
            if (tableItem) {
                tableItem->setCaption(namePTable->text());
                std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
                if (table) tableItem->setImageIndex(table->getState() == QLatin1String("TS001") ? 0 : 3);
            }
        });
    }
    TexclusiveForm::done(result);
}
