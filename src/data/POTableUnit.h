#pragma once
#include <QString>

// One dining table (a row of table_spec).
class TPOTable {
public:
    int getId() const { return id; }
    void setId(int v) { id = v; }
    QString getTableName() const { return tableName; }
    void setTableName(const QString& v) { tableName = v; }
    int getFloor() const { return floor; }
    void setFloor(int v) { floor = v; }
    int getSeat() const { return seat; }
    void setSeat(int v) { seat = v; }
    QString getType() const { return type; }
    void setType(const QString& v) { type = v; }
    QString getState() const { return state; }
    void setState(const QString& v) { state = v; }
    int getX() const { return x; }
    void setX(int v) { x = v; }
    int getY() const { return y; }
    void setY(int v) { y = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    QString tableName;
    int floor = 0;
    int seat = 0;
    QString type;
    QString state;
    int x = 0;
    int y = 0;
    QString description;
};
