#include "reservation/ReserveUnit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "backoffice/TableAttribUnit.h"
#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/GuestMgrUnit.h"
#include "data/GuestTypeMgrUnit.h"
#include "data/MenuInsMgrUnit.h"
#include "data/ReserveMgrUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/SequenceMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/ReserveViewAreaUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"
#include "service/CarteUnit.h"

namespace {
enum Column { colNumber = 0, colName, colState, colDate, colEat, colMenu };

// Blanks and control characters off both ends, as a typed name is checked.
QString trimmed(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= ' ') ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ') --end;
    return text.mid(begin, end - begin);
}

QString menuMark(const TMenuInsList& lines) { return lines.empty() ? QString() : QStringLiteral("√"); }

// Appends the statement that writes the record: an update when its id is stored,
// an insert under a newly drawn id when the id is 0 or not stored (an id drawn by a
// failed save). False when the lookup fails or no id can be drawn, each reported by
// its manager: the save must then write nothing, or a stored reservation would be
// inserted a second time.
template <class Record, class Lookup, class Insert, class Update>
bool appendWrite(Record& record, const QString& key, Lookup isStored, Insert insertSQL, Update updateSQL,
                 TSequenceMgr& sequence, QStringList& texts) {
    if (record.getId() != 0) {
        bool failed = false;
        const bool stored = isStored(record.getId(), &failed);
        if (failed) return false;
        if (stored) {
            texts << updateSQL(record);
            return true;
        }
    }
    const int id = sequence.getNextValue(key);
    if (id == 0) return false;
    record.setId(id);
    texts << insertSQL(record);
    return true;
}

bool appendMenuInsWrites(TMenuInsList& lines, int consultId, const QString& relaType, TSequenceMgr& sequence,
                         QStringList& texts, QStringList& keptIds) {
    for (const std::shared_ptr<TPOMenuIns>& line : lines) {
        line->setConsultId(consultId);
        line->setRelaType(relaType);
        const bool ok = appendWrite(
            *line, QStringLiteral("menu_instance.id"),
            [](int id, bool* failed) { return TMenuInsMgr::getMenuInsById(id, failed).has_value(); },
            TMenuInsMgr::getInsertSQL, TMenuInsMgr::getUpdateSQL, sequence, texts);
        if (!ok) return false;
        keptIds << QString::number(line->getId());
    }
    return true;
}

// A table the sell window has taken over (RT002) belongs to its table instance now:
// the dialog's copy, loaded before, must neither revert nor delete it.
const QString notTakenOver = QStringLiteral(" and state<>'RT002'");

const QString staleReserveText = QStringLiteral("预订信息已变化，请刷新后重试！");
}  // namespace

TreserveForm::TreserveForm(QWidget* parent) : TexclusiveForm(parent) {
    buildLayout();
    runGuarded([this] { FormCreate(); });
}

void TreserveForm::buildLayout() {
    setWindowTitle(QStringLiteral("预订"));
    auto* outer = new QHBoxLayout(this);

    viewArea = new TReserveViewArea(140, this);
    yearComboBox = viewArea->yearComboBox;
    monthComboBox = viewArea->monthComboBox;
    Calendar = viewArea->Calendar;
    eatComboBox = viewArea->eatComboBox;
    floorButtons = viewArea->floorButtons;
    tableListView = viewArea->tableListView;
    outer->addWidget(viewArea, 1);

    PopupMenu = new QMenu(this);
    tableAttribMenu = PopupMenu->addAction(QStringLiteral("属性"));

    auto* Panel1 = new QWidget(this);
    Panel1->setFixedWidth(332);
    auto* right = new QVBoxLayout(Panel1);
    right->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(Panel1);
    auto* reserveInfoPage = new QWidget;
    PageControl1->addTab(reserveInfoPage, QStringLiteral("预订信息"));
    auto* page = new QVBoxLayout(reserveInfoPage);

    selectStringGrid = new TStringGrid(6, reserveInfoPage);
    selectStringGrid->setFixedHeight(177);
    page->addWidget(selectStringGrid);

    functionBtnArea = newCommandBox(reserveInfoPage, 41,
                                    {{&addMenu, QStringLiteral("同点")},
                                     {&singleAddMenu, QStringLiteral("单桌点菜")},
                                     {&deleteReserveButton, QStringLiteral("删除")}});
    page->addWidget(functionBtnArea);

    guestInforArea = new QGroupBox(QStringLiteral("预订基本信息"), reserveInfoPage);
    auto* form = new QFormLayout(guestInforArea);
    guestName = new QLineEdit(guestInforArea);
    telephone = new QLineEdit(guestInforArea);
    guestType = new QComboBox(guestInforArea);
    guestNum = new QLineEdit(guestInforArea);
    reserveState = new QComboBox(guestInforArea);
    description = new QPlainTextEdit(guestInforArea);
    form->addRow(QStringLiteral("预定人:"), guestName);
    form->addRow(QStringLiteral("联系电话:"), telephone);
    form->addRow(QStringLiteral("用户类型:"), guestType);
    form->addRow(QStringLiteral("人数:"), guestNum);
    form->addRow(QStringLiteral("状态:"), reserveState);
    form->addRow(QStringLiteral("备注:"), description);
    page->addWidget(guestInforArea, 1);
    right->addWidget(PageControl1, 1);

    confirmButton = new QPushButton(QStringLiteral("确定"), Panel1);
    cancelButton = new QPushButton(QStringLiteral("取消"), Panel1);
    applyButton = new QPushButton(QStringLiteral("应用"), Panel1);
    applyButton->setDefault(true);
    applyButton->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {confirmButton, cancelButton, applyButton}) buttons->addWidget(b);
    right->addLayout(buttons);
    outer->addWidget(Panel1);
    resize(930, 512);

    auto guarded = [this](auto handler) { return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); }; };
    connect(tableListView, &TIconListView::doubleClicked, this, guarded(&TreserveForm::tableListViewDblClick));
    connect(tableListView, &TIconListView::contextMenuRequested, this,
            [this](const QPoint&, const QPoint& global) { PopupMenu->popup(global); });
    connect(tableAttribMenu, &QAction::triggered, this, guarded(&TreserveForm::tableAttribMenuClick));
    connect(addMenu, &QPushButton::clicked, this, guarded(&TreserveForm::addMenuClick));
    connect(singleAddMenu, &QPushButton::clicked, this, guarded(&TreserveForm::singleAddMenuClick));
    connect(deleteReserveButton, &QPushButton::clicked, this, guarded(&TreserveForm::deleteReserveButtonClick));
    connect(confirmButton, &QPushButton::clicked, this, guarded(&TreserveForm::confirmButtonClick));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(applyButton, &QPushButton::clicked, this, guarded(&TreserveForm::applyButtonClick));
    // Any change the user makes to the guest data is a change to save.
    for (QLineEdit* edit : {guestName, telephone, guestNum})
        connect(edit, &QLineEdit::textEdited, this, [this] { inforChange(); });
    for (QComboBox* box : {guestType, reserveState})
        connect(box, &QComboBox::activated, this, [this] { inforChange(); });
    connect(description, &QPlainTextEdit::textChanged, this, [this] { inforChange(); });
}

void TreserveForm::FormCreate() {
    reserve = TPOReserve();
    selectStringGrid->setTitles({"编号", "名称", "状态", "时间", "餐次", "单点"});
    // The titles as wide as they need, the state and the date whole in this font, so
    // that the name keeps its 80 pixels and all six columns fit the page.
    selectStringGrid->fitColumns({30, 80, 44, 78, 30, 30});
    for (const QString& state : {TPOReserve::stateBooked, TPOReserve::stateCancelled, TPOReserve::stateNoShow})
        reserveState->addItem(TPOReserve::getStateName(state));
    viewArea->loadEats();
    guestType->addItems(TGuestTypeMgr::getGuestTypeNames());
    guestType->setCurrentIndex(guestType->count() > 0 ? 0 : -1);
    showCallerGuest();
}

void TreserveForm::showEvent(QShowEvent* event) {
    TexclusiveForm::showEvent(event);
    runGuarded([this] {
        growToShowPlans(this, tableListView);
        viewArea->refreshTables();
    });
}

void TreserveForm::showCallerGuest() {
    const QString oldName = guestName->text(), oldTelephone = telephone->text();
    if (std::optional<TPOGuest> guest = TGuestMgr::getGuestByTelephone(incomingTelephone)) {
        guestName->setText(guest->getName());
        telephone->setText(guest->getTelephone());
        guestType->setCurrentIndex(guestType->findText(guest->getGuestTypeName()));
    } else {
        telephone->setText(incomingTelephone);
    }
    // Filled in for the user: a reservation worth saving as it stands.
    if (guestName->text() != oldName || telephone->text() != oldTelephone) inforChange();
}

const TPOEat& TreserveForm::currentEat() const { return viewArea->currentEat(); }

void TreserveForm::setEatComboBox(const QComboBox* eatList) { viewArea->copyEats(eatList); }

void TreserveForm::setYearComboBox(const QComboBox* yearList) { viewArea->copyYear(yearList); }

void TreserveForm::setCalendarDate(const QCalendarWidget* calendar) { viewArea->copyCalendarDate(calendar); }

void TreserveForm::setReadOnly() {
    tableListView->setEnabled(false);
    functionBtnArea->setEnabled(false);
    guestInforArea->setEnabled(false);
}

void TreserveForm::reserveTable(int tableId) {
    runGuarded([&] { addReserveTable(tableId); });
    showExclusive();
}

void TreserveForm::tableAttribMenuClick() {
    if (TTableItem* item = tableListView->selectedTableItem()) TtableAttribForm::showReadOnly(item);
}

void TreserveForm::tableListViewDblClick() {
    TTableItem* item = tableListView->selectedTableItem();
    if (!item) return;
    if (TTableMgr::getTableState(item->getTableId(), currentEat().getId(), viewArea->calendarDate()) == "TS001") {
        addReserveTable(item->getTableId());
        inforChange();
    } else {
        showMessage(QStringLiteral("只能预订空闲的台桌!"));
    }
}

void TreserveForm::addReserveTable(int tableId) {
    if (!viewArea->hasEat()) {
        showMessage(QStringLiteral("没有餐次信息!"));
        return;
    }
    const QString eatText = eatComboBox->currentText();
    const TDateTime date = viewArea->calendarDate();
    const QString dateText = formatDateTime("yyyy-MM-dd", date);
    std::optional<TPOTable> table = TTableMgr::getTableById(tableId);
    if (!table) return;  // deleted since the map was drawn
    for (int row = 1; row < selectStringGrid->rowCount(); ++row) {
        std::shared_ptr<TReserveTableRow> booked = tableRow(row);
        if (booked && booked->reserveTable.getTableId() == tableId && selectStringGrid->cell(colDate, row) == dateText &&
            selectStringGrid->cell(colEat, row) == eatText) {
            showMessage("台桌(" + table->getTableName() + ")已经被选择！");
            return;
        }
    }
    auto booked = std::make_shared<TReserveTableRow>();
    TPOReserveTable& rt = booked->reserveTable;
    rt.setTableName(table->getTableName());
    rt.setTableId(table->getId());
    rt.setState(TPOReserveTable::stateBooked);
    rt.setEatDate(date);
    rt.setEat(currentEat().getName());
    rt.setEatId(currentEat().getId());
    rt.setStartTime(currentEat().getStartTime());
    rt.setEndTime(currentEat().getEndTime());
    const int row = selectStringGrid->rowCount();
    selectStringGrid->setRowCount(row + 1);
    setTableRow(row, booked, dateText);
    selectStringGrid->setFixedRows(1);
    selectStringGrid->setRow(row);
}

void TreserveForm::setTableRow(int row, const std::shared_ptr<TReserveTableRow>& booked, const QString& dateText) {
    const TPOReserveTable& rt = booked->reserveTable;
    selectStringGrid->setObject(row, booked);
    selectStringGrid->setCell(colNumber, row, QString::number(row));
    selectStringGrid->setCell(colName, row, rt.getTableName());
    selectStringGrid->setCell(colState, row, TPOReserveTable::getStateName(rt.getState()));
    selectStringGrid->setCell(colDate, row, dateText);
    selectStringGrid->setCell(colEat, row, rt.getEat());
    selectStringGrid->setCell(colMenu, row, menuMark(booked->menuIns));
}

std::shared_ptr<TReserveTableRow> TreserveForm::tableRow(int row) const {
    return row >= 1 ? selectStringGrid->object<TReserveTableRow>(row) : nullptr;
}

void TreserveForm::deleteReserveButtonClick() {
    const int row = selectStringGrid->row();
    if (row < 1 || row >= selectStringGrid->rowCount()) return;
    if (!askYesNo(QStringLiteral("是否真的要删除?"))) return;
    if (tableRow(row)->reserveTable.getState() == TPOReserveTable::stateDone) {
        showMessage(QStringLiteral("只有状态为预订中的台桌才可以删除！"));
        return;
    }
    selectStringGrid->removeRow(row);
    inforChange();
}

void TreserveForm::addMenuClick() {
    TcarteForm carte;
    carte.selectMenuIns(wholeMenuIns);
    inforChange();
}

void TreserveForm::singleAddMenuClick() {
    const int row = selectStringGrid->row();
    if (row < 1 || row >= selectStringGrid->rowCount()) return;
    std::shared_ptr<TReserveTableRow> booked = tableRow(row);
    if (booked->reserveTable.getState() == TPOReserveTable::stateDone) {
        showMessage(QStringLiteral("只有状态为预订中的台桌才可以点菜！"));
        return;
    }
    TcarteForm carte;
    carte.selectMenuIns(booked->menuIns);
    selectStringGrid->setCell(colMenu, row, menuMark(booked->menuIns));
    inforChange();
}

void TreserveForm::inforChange() { applyButton->setEnabled(true); }

void TreserveForm::applyButtonClick() {
    applyButton->setEnabled(false);
    if (!saveReserve()) applyButton->setEnabled(true);
}

void TreserveForm::confirmButtonClick() {
    if (!applyButton->isEnabled() || saveReserve()) accept();
}

void TreserveForm::loadReserve(int reserveId) {
    std::optional<TPOReserve> loaded = TReserveMgr::getReserveById(reserveId);
    if (!loaded) return;
    reserve = *loaded;
    storedState = reserve.getState();
    guestName->setText(reserve.getGuestName());
    guestNum->setText(reserve.getGuestNum());
    if (reserve.getState() == TPOReserve::stateCompleted) {
        reserveState->addItem(TPOReserve::getStateName(reserve.getState()));
        setReadOnly();
        showMessage(QStringLiteral("完成状态的预订单不能修改!"));
    }
    reserveState->setCurrentIndex(reserveState->findText(TPOReserve::getStateName(reserve.getState())));
    telephone->setText(reserve.getTelephone());
    guestType->setCurrentIndex(guestType->findText(reserve.getGuestType()));
    description->setPlainText(reserve.getDescription());

    const std::vector<TPOReserveTable> tables = TReserveTableMgr::getReserveTablesByReserve(reserve.getId());
    selectStringGrid->setRowCount(int(tables.size()) + 1);
    int row = 1;
    for (const TPOReserveTable& rt : tables) {
        auto booked = std::make_shared<TReserveTableRow>(TReserveTableRow{rt, TMenuInsMgr::getReserveTableMenuIns(rt.getId())});
        setTableRow(row++, booked, formatDateTime("yyyy-MM-dd", rt.getEatDate()));
    }
    wholeMenuIns = TMenuInsMgr::getReserveMenuIns(reserve.getId());
    selectStringGrid->setFixedRows(1);
    applyButton->setEnabled(false);  // what was just read is nothing to save
    showExclusive();
}

std::optional<std::vector<int>> TreserveForm::newBookingRows() const {
    std::vector<int> rows;
    if (TPOReserve::getStateCode(reserveState->currentText()) != TPOReserve::stateBooked) return rows;
    bool failed = false;
    const std::optional<TPOReserve> storedReserve =
        reserve.getId() != 0 ? TReserveMgr::getReserveById(reserve.getId(), &failed) : std::nullopt;
    if (failed) return std::nullopt;
    const bool wasBooked = storedReserve && storedReserve->getState() == TPOReserve::stateBooked;
    for (int row = 1; row < selectStringGrid->rowCount(); ++row) {
        const TPOReserveTable& rt = tableRow(row)->reserveTable;
        if (rt.getState() != TPOReserveTable::stateBooked) continue;
        const std::optional<TPOReserveTable> stored =
            rt.getId() != 0 ? TReserveTableMgr::getReserveTableById(rt.getId(), &failed) : std::nullopt;
        if (failed) return std::nullopt;
        if (stored && stored->getState() == TPOReserveTable::stateDone) continue;  // not written back
        const bool wasOpen = wasBooked && stored && stored->getState() == TPOReserveTable::stateBooked &&
                             stored->getTableId() == rt.getTableId() && stored->getEatId() == rt.getEatId() &&
                             stored->getEatDate() == rt.getEatDate();
        if (!wasOpen) rows.push_back(row);
    }
    return rows;
}

bool TreserveForm::newBookingsFree(const std::vector<int>& rows) {
    auto sameBooking = [](const TPOReserveTable& a, const TPOReserveTable& b) {
        return a.getTableId() == b.getTableId() && a.getEatId() == b.getEatId() && a.getEatDate() == b.getEatDate();
    };
    for (int row : rows) {
        const TPOReserveTable& rt = tableRow(row)->reserveTable;
        QString refusal;
        for (int other = 1; other < selectStringGrid->rowCount() && refusal.isEmpty(); ++other) {
            const TPOReserveTable& o = tableRow(other)->reserveTable;
            if (other != row && o.getState() == TPOReserveTable::stateBooked && sameBooking(o, rt))
                refusal = "台桌(" + rt.getTableName() + ")已经被选择！";
        }
        if (refusal.isEmpty() &&
            TReserveTableMgr::countOpenBookings(rt.getTableId(), rt.getEatId(), rt.getEatDate(), reserve.getId()) > 0)
            refusal = QStringLiteral("只能预订空闲的台桌!");
        if (!refusal.isEmpty()) {
            selectStringGrid->setRow(row);
            showMessage(refusal);
            return false;
        }
    }
    return true;
}

bool TreserveForm::storedStateUnchanged() {
    if (reserve.getId() == 0) return true;
    bool failed = false;
    const std::optional<TPOReserve> stored = TReserveMgr::getReserveById(reserve.getId(), &failed);
    if (failed) return false;
    // Not stored: an id drawn by a failed first save, inserted afresh.
    if (!stored || stored->getState() == storedState) return true;
    showMessage(staleReserveText);
    return false;
}

void TreserveForm::saveGuest() {
    TPOGuest guest = TGuestMgr::getGuestByTelephone(telephone->text()).value_or(TPOGuest());
    guest.setName(guestName->text());
    guest.setTelephone(telephone->text());
    guest.setCreateTime(Now());
    if (guest.getId() != 0)
        TGuestMgr::update(guest);
    else
        TGuestMgr::insert(guest);
}

bool TreserveForm::saveReserve() {
    if (selectStringGrid->rowCount() < 2) {
        showMessage(QStringLiteral("没有选择预订的桌子！"));
        return false;
    }
    if (trimmed(guestName->text()).isEmpty()) {
        showMessage(QStringLiteral("客户名称不能为空"));
        return false;
    }
    if (trimmed(telephone->text()).isEmpty()) {
        showMessage(QStringLiteral("联系电话不能为空"));
        return false;
    }

    // A reservation completed by the sell window meanwhile must not be booked again.
    if (!storedStateUnchanged()) return false;
    // Another station may have booked a table since it was added here.
    const std::optional<std::vector<int>> newRows = newBookingRows();
    if (!newRows || !newBookingsFree(*newRows)) return false;
    const std::vector<int>& bookingRows = *newRows;

    TSequenceMgr sequence;
    QStringList texts, keptMenuIds, keptTableIds;
    reserve.setGuestName(guestName->text());
    reserve.setGuestType(guestType->currentText());
    reserve.setTelephone(telephone->text());
    reserve.setGuestNum(guestNum->text());
    reserve.setState(TPOReserve::getStateCode(reserveState->currentText()));
    reserve.setDescription(description->toPlainText());
    bool reserveStored = false;
    if (!appendWrite(
            reserve, QStringLiteral("reserve.id"),
            [&](int id, bool* failed) { return reserveStored = TReserveMgr::getReserveById(id, failed).has_value(); },
            TReserveMgr::getInsertSQL,
            [&](const TPOReserve& r) { return TReserveMgr::getUpdateSQLFromState(r, storedState); }, sequence, texts))
        return false;
    const int rid = reserve.getId();

    for (int row = 1; row < selectStringGrid->rowCount(); ++row) {
        std::shared_ptr<TReserveTableRow> booked = tableRow(row);
        TPOReserveTable& rt = booked->reserveTable;
        rt.setReserveId(rid);
        const bool ok = appendWrite(
            rt, QStringLiteral("reserve_table.id"),
            [](int id, bool* failed) { return TReserveTableMgr::getReserveTableById(id, failed).has_value(); },
            TReserveTableMgr::getInsertSQL,
            [](const TPOReserveTable& r) { return TReserveTableMgr::getUpdateSQL(r) + notTakenOver; }, sequence, texts);
        if (!ok) return false;
        keptTableIds << QString::number(rt.getId());
        if (!appendMenuInsWrites(booked->menuIns, rt.getId(), TPOMenuIns::relaReserveTable, sequence, texts, keptMenuIds))
            return false;
    }
    if (!appendMenuInsWrites(wholeMenuIns, rid, TPOMenuIns::relaReserve, sequence, texts, keptMenuIds)) return false;

    const QString reserveId = QString::number(rid);
    QString removeMenuIns = "delete from menu_instance where (rela_type='" + TPOMenuIns::relaReserve +
                            "' and consult_id=" + reserveId +
                            " or consult_id in(select id from reserve_table where reserve_id=" + reserveId +
                            notTakenOver + ") and rela_type='" + TPOMenuIns::relaReserveTable + "')";
    if (!keptMenuIds.isEmpty()) removeMenuIns += " and id not in(" + keptMenuIds.join(',') + ")";
    texts << removeMenuIns;
    texts << "delete from reserve_table where reserve_id=" + reserveId + " and id not in(" + keptTableIds.join(',') +
                 ")" + notTakenOver;

    QList<CheckedSQL> statements;
    for (const QString& text : texts) statements << CheckedSQL{text};
    if (reserveStored) statements.front().rows = 1;  // none when its state changed
    saveGuest();
    // Checked again under the write lock, for a booking made since the check above.
    int takenRow = 0;
    TDatabaseCtrl ctrl;
    const WriteOutcome outcome = runWriteBatch(ctrl, statements, [&] {
        for (int row : bookingRows) {
            const TPOReserveTable& rt = tableRow(row)->reserveTable;
            if (TReserveTableMgr::countOpenBookings(rt.getTableId(), rt.getEatId(), rt.getEatDate(), rid) > 0) {
                takenRow = row;
                return false;
            }
        }
        return true;
    });
    if (outcome == WriteOutcome::Failed) {
        showMessage(QStringLiteral("保存预订信息时出现异常！"));
    } else if (takenRow != 0) {
        selectStringGrid->setRow(takenRow);
        showMessage(QStringLiteral("只能预订空闲的台桌!"));
    } else if (outcome == WriteOutcome::Refused) {
        showMessage(staleReserveText);
    } else {
        storedState = reserve.getState();
    }
    return outcome == WriteOutcome::Done;
}

void TreserveForm::done(int result) {
    incomingTelephone.clear();  // the call has been dealt with
    TexclusiveForm::done(result);
}
