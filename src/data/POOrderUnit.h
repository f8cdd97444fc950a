#pragma once
#include <QString>

#include "platform/DateTime.h"

// The settled bill of one checkout (a row of o_order). The id is written only:
// the checkout never hands it back through the record.
class TPOOrder {
public:
    static inline const QString stateCheckedOut = QStringLiteral("ORD001");  // not yet closed
    static inline const QString stateClosed = QStringLiteral("ORD003");

    void setId(int v) { id = v; }
    int getGuestId() const { return guestId; }
    void setGuestId(int v) { guestId = v; }
    QString getGuestName() const { return guestName; }
    void setGuestName(const QString& v) { guestName = v; }
    QString getGuestType() const { return guestType; }
    void setGuestType(const QString& v) { guestType = v; }
    QString getGuestNum() const { return guestNum; }
    void setGuestNum(const QString& v) { guestNum = v; }
    QString getAssociatorNum() const { return associatorNum; }
    void setAssociatorNum(const QString& v) { associatorNum = v; }
    TDateTime getCreateTime() const { return createTime; }
    void setCreateTime(TDateTime v) { createTime = v; }
    QString getRebateType() const { return rebateType; }
    void setRebateType(const QString& v) { rebateType = v; }
    double getRebateValue() const { return rebateValue; }
    void setRebateValue(double v) { rebateValue = v; }
    double getPrice() const { return price; }
    void setPrice(double v) { price = v; }
    double getPrice1() const { return price1; }
    void setPrice1(double v) { price1 = v; }
    double getPrice2() const { return price2; }
    void setPrice2(double v) { price2 = v; }
    double getGiveChange() const { return giveChange; }
    void setGiveChange(double v) { giveChange = v; }
    QString getInvoice() const { return invoice; }
    void setInvoice(const QString& v) { invoice = v; }
    QString getState() const { return state; }
    void setState(const QString& v) { state = v; }
    int getOperatorId() const { return operatorId; }
    void setOperatorId(int v) { operatorId = v; }
    QString getOperatorName() const { return operatorName; }
    void setOperatorName(const QString& v) { operatorName = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    int guestId = 0;
    QString guestName;
    QString guestType;
    QString guestNum;
    QString associatorNum;
    TDateTime createTime;
    QString rebateType;
    double rebateValue = 0.0;
    double price = 0.0;
    double price1 = 0.0;
    double price2 = 0.0;
    double giveChange = 0.0;
    QString invoice;
    QString state;
    int operatorId = 0;
    QString operatorName;
    QString description;
};
