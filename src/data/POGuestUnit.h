#pragma once
#include <QString>

#include "platform/DateTime.h"

// A guest of the register, found again by telephone number.
class TPOGuest {
public:
    int getId() const { return id; }
    void setId(int v) { id = v; }
    QString getName() const { return name; }
    void setName(const QString& v) { name = v; }
    QString getAddress() const { return address; }
    void setAddress(const QString& v) { address = v; }
    QString getGuestTypeName() const { return guestTypeName; }
    void setGuestTypeName(const QString& v) { guestTypeName = v; }
    QString getIdCard() const { return idCard; }
    void setIdCard(const QString& v) { idCard = v; }
    QString getTelephone() const { return telephone; }
    void setTelephone(const QString& v) { telephone = v; }
    TDateTime getCreateTime() const { return createTime; }
    void setCreateTime(TDateTime v) { createTime = v; }
    QString getAssociatorNum() const { return associatorNum; }
    void setAssociatorNum(const QString& v) { associatorNum = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    QString name;
    QString address;
    QString guestTypeName;
    QString idCard;
    QString telephone;
    TDateTime createTime;
    QString associatorNum;
    QString description;
};
