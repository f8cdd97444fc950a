#include "backoffice/OptionUnit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "data/EatMgrUnit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

ToptionForm::ToptionForm(QWidget* parent) : TexclusiveForm(parent) {
    setWindowTitle(QStringLiteral("选项"));
    setSizeGripEnabled(true);
    auto* root = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    root->addWidget(pages);

    auto* page = new QWidget(pages);
    pages->addTab(page, QStringLiteral("餐次"));
    auto* pageLayout = new QHBoxLayout(page);
    eatList = new QListWidget(page);
    eatList->setSelectionMode(QAbstractItemView::SingleSelection);
    eatList->setFixedWidth(180);
    pageLayout->addWidget(eatList);

    auto* side = new QVBoxLayout;
    GroupBox1 = new QGroupBox(QStringLiteral("餐次信息"), page);
    auto* fields = new QGridLayout(GroupBox1);
    eatName = new QLineEdit(GroupBox1);
    startTime = new QTimeEdit(GroupBox1);
    endTime = new QTimeEdit(GroupBox1);
    for (QTimeEdit* t : {startTime, endTime}) t->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    fields->addWidget(new QLabel(QStringLiteral("餐次名称:"), GroupBox1), 0, 0);
    fields->addWidget(eatName, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("开始时间:"), GroupBox1), 1, 0);
    fields->addWidget(startTime, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("结束时间:"), GroupBox1), 2, 0);
    fields->addWidget(endTime, 2, 1);
    fields->setColumnStretch(1, 1);
    side->addWidget(GroupBox1);
    side->addStretch();
    auto* buttons = new QHBoxLayout;
    addEatBtn = new QPushButton(QStringLiteral("添加"), page);
    applyBtn = new QPushButton(QStringLiteral("应用"), page);
    deleteBtn = new QPushButton(QStringLiteral("删除"), page);
    buttons->addStretch();
    for (QPushButton* b : {addEatBtn, applyBtn, deleteBtn}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    side->addLayout(buttons);
    pageLayout->addLayout(side, 1);
    resize(520, 320);

    auto on = [this](void (ToptionForm::*handler)()) {
        return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(eatList, &QListWidget::itemClicked, this, on(&ToptionForm::eatListClick));
    connect(addEatBtn, &QPushButton::clicked, this, on(&ToptionForm::addEatBtnClick));
    connect(applyBtn, &QPushButton::clicked, this, on(&ToptionForm::applyBtnClick));
    connect(deleteBtn, &QPushButton::clicked, this, on(&ToptionForm::deleteBtnClick));
    runGuarded([this] { refreshEatList(); });
}

void ToptionForm::showEat(const TPOEat& eat) {
    eatName->setText(eat.getName());
    startTime->setTime(toQTime(eat.getStartTime()));
    endTime->setTime(toQTime(eat.getEndTime()));
    currentEat = eat;
}

void ToptionForm::refreshEatList() {
    eatList->clear();
    eats = TEatMgr::getEatList();
    for (const TPOEat& eat : eats) eatList->addItem(eat.getName());
    if (!eats.empty()) showEat(eats.front());
}

void ToptionForm::eatListClick() {
    int row = eatList->currentRow();
    if (row >= 0 && row < int(eats.size())) showEat(eats[size_t(row)]);
}

void ToptionForm::addEatBtnClick() {
    eatName->clear();
    QTime now = toQTime(Time());
    startTime->setTime(now);
    endTime->setTime(now);
    currentEat = TPOEat();
}

void ToptionForm::applyBtnClick() {
    if (eatName->text().trimmed().isEmpty()) {
        showMessage(QStringLiteral("名称不能为空!"));
        return;
    }
    // Nothing to write to before a period is shown or "添加" is pressed.
    if (!currentEat) return;
    currentEat->setName(eatName->text());
    // Times of day on day 0, or the period would never be current.
    currentEat->setStartTime(fromQTime(startTime->time()));
    currentEat->setEndTime(fromQTime(endTime->time()));
    bool saved;
    if (currentEat->getId() == 0) {
        currentEat->setId(TEatMgr::insert(*currentEat));
        saved = currentEat->getId() != 0;
    } else {
        saved = TEatMgr::update(*currentEat);
    }
    // A refused save keeps the fields on the period being edited: a reload would
    // show the first period, and the user's retry would be written over it.
    if (saved) refreshEatList();
}

void ToptionForm::deleteBtnClick() {
    if (!currentEat || currentEat->getId() == 0) return;
    if (!askYesNo(QStringLiteral("是否真的要删除?"))) return;
    TEatMgr::Delete(currentEat->getId());
    refreshEatList();
}
