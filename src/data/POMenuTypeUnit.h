#pragma once
#include <QString>

// One row of `menu_type`: a dish category, placed in its button grid by `seq`.
class TPOMenuType {
public:
    int getId() const { return id; }
    void setId(int v) { id = v; }
    QString getName() const { return name; }
    void setName(const QString& v) { name = v; }
    QString getTypeCode() const { return typeCode; }
    void setTypeCode(const QString& v) { typeCode = v; }
    int getX() const { return x; }
    void setX(int v) { x = v; }
    int getY() const { return y; }
    void setY(int v) { y = v; }
    int getSeq() const { return seq; }
    void setSeq(int v) { seq = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    QString name;
    QString typeCode;
    int x = 0;
    int y = 0;
    int seq = 0;
    QString description;
};
