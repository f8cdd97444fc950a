#pragma once
#include <QString>

// One row of `menu`: a dish of the catalogue, placed within its category's grid by `seq`.
class TPOMenu {
public:
    static inline const QString stateNormal = QStringLiteral("M001");
    static inline const QString stateGift = QStringLiteral("M002");
    static inline const QString stateForbidden = QStringLiteral("M003");

    // "正常"/"赠送"/"禁售" -> code; any other text gives "".
    static QString getStateCode(const QString& text);
    // Code -> "正常"/"赠送"/"禁售"; any other code gives "".
    static QString getStateName(const QString& code);

    int getId() const { return id; }
    void setId(int v) { id = v; }
    QString getMenuName() const { return menuName; }
    void setMenuName(const QString& v) { menuName = v; }
    int getMenuTypeId() const { return menuTypeId; }
    void setMenuTypeId(int v) { menuTypeId = v; }
    double getPrice() const { return price; }
    void setPrice(double v) { price = v; }
    double getRebate() const { return rebate; }
    void setRebate(double v) { rebate = v; }
    QString getUnit() const { return unit; }
    void setUnit(const QString& v) { unit = v; }
    QString getState() const { return state; }
    void setState(const QString& v) { state = v; }
    int getX() const { return x; }
    void setX(int v) { x = v; }
    int getY() const { return y; }
    void setY(int v) { y = v; }
    int getSeq() const { return seq; }
    void setSeq(int v) { seq = v; }
    QString getPrinterCode() const { return printerCode; }
    void setPrinterCode(const QString& v) { printerCode = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    QString menuName;
    int menuTypeId = 0;
    double price = 0;
    double rebate = 0;
    QString unit;
    QString state;
    int x = 0;
    int y = 0;
    int seq = 0;
    QString printerCode;
    QString description;
};
