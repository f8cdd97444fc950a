#pragma once
#include <QString>
#include <memory>
#include <vector>

// One row of `menu_instance`: a dish booked or ordered, owned by a reservation, a
// reserved table or a table instance (`rela_type` + `consult_id`). Id 0 marks a
// line not yet stored.
class TPOMenuIns {
public:
    // The line's own state.
    static inline const QString stateNormal = QStringLiteral("MI001");
    static inline const QString stateGift = QStringLiteral("MI002");
    static inline const QString stateReturned = QStringLiteral("MI005");
    static inline const QString stateNoDiscount = QStringLiteral("MI006");
    // Serving.
    static inline const QString servingDone = QStringLiteral("MI003");
    static inline const QString servingWaiting = QStringLiteral("MI004");
    // Kitchen ticket.
    static inline const QString printWaiting = QStringLiteral("MIP001");
    static inline const QString printDone = QStringLiteral("MIP002");
    static inline const QString printNone = QStringLiteral("MIP003");
    // Owner kinds.
    static inline const QString relaReserve = QStringLiteral("MIR001");
    static inline const QString relaReserveTable = QStringLiteral("MIR002");
    static inline const QString relaTableIns = QStringLiteral("MIR003");

    // Texts of this line's codes; an unknown state or serving gives "", an unknown
    // print state "未打印".
    QString getStateText() const;
    QString getServingText() const;
    QString getPrintStateText() const;
    // Texts back to codes; an unknown text gives "".
    static QString stateTextToCode(const QString& text);
    static QString servingTextToCode(const QString& text);
    static QString printStateTextToCode(const QString& text);

    // Every column equal: the line has not changed since it was read.
    bool operator==(const TPOMenuIns& o) const {
        return id == o.id && consultId == o.consultId && relaType == o.relaType && menuId == o.menuId &&
               menuName == o.menuName && menuTypeId == o.menuTypeId && menuTypeName == o.menuTypeName &&
               price == o.price && quantity == o.quantity && unit == o.unit && state == o.state &&
               rebate == o.rebate && serving == o.serving && printerCode == o.printerCode &&
               printState == o.printState && description == o.description;
    }
    bool operator!=(const TPOMenuIns& o) const { return !(*this == o); }

    int getId() const { return id; }
    void setId(int v) { id = v; }
    int getConsultId() const { return consultId; }
    void setConsultId(int v) { consultId = v; }
    QString getRelaType() const { return relaType; }
    void setRelaType(const QString& v) { relaType = v; }
    int getMenuId() const { return menuId; }
    void setMenuId(int v) { menuId = v; }
    QString getMenuName() const { return menuName; }
    void setMenuName(const QString& v) { menuName = v; }
    int getMenuTypeId() const { return menuTypeId; }
    void setMenuTypeId(int v) { menuTypeId = v; }
    QString getMenuTypeName() const { return menuTypeName; }
    void setMenuTypeName(const QString& v) { menuTypeName = v; }
    double getPrice() const { return price; }
    void setPrice(double v) { price = v; }
    double getQuantity() const { return quantity; }
    void setQuantity(double v) { quantity = v; }
    QString getUnit() const { return unit; }
    void setUnit(const QString& v) { unit = v; }
    QString getState() const { return state; }
    void setState(const QString& v) { state = v; }
    double getRebate() const { return rebate; }
    void setRebate(double v) { rebate = v; }
    QString getServing() const { return serving; }
    void setServing(const QString& v) { serving = v; }
    QString getPrinterCode() const { return printerCode; }
    void setPrinterCode(const QString& v) { printerCode = v; }
    QString getPrintState() const { return printState; }
    void setPrintState(const QString& v) { printState = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    int consultId = 0;
    QString relaType;
    int menuId = 0;
    QString menuName;
    int menuTypeId = 0;
    QString menuTypeName;
    double price = 0;
    double quantity = 0;
    QString unit;
    QString state;
    double rebate = 0;
    QString serving;
    QString printerCode;
    QString printState;
    QString description;
};

// The dish lines of one owner. The windows share the line objects with their grid
// rows, so a line changed in a grid is the line that gets saved and receives its id.
using TMenuInsList = std::vector<std::shared_ptr<TPOMenuIns>>;
