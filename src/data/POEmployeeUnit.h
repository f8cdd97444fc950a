#pragma once
#include <QString>
#include <vector>

#include "data/PORightUnit.h"
#include "platform/DateTime.h"

// An employee row with the rights it holds (stored as employee_right rows).
class TPOEmployee {
public:
    int getId() const { return id; }
    void setId(int v) { id = v; }
    QString getLoginName() const { return loginName; }
    void setLoginName(const QString& v) { loginName = v; }
    QString getPassword() const { return password; }
    void setPassword(const QString& v) { password = v; }
    QString getUserName() const { return userName; }
    void setUserName(const QString& v) { userName = v; }
    int getTeamId() const { return teamId; }
    void setTeamId(int v) { teamId = v; }
    QString getSex() const { return sex; }
    void setSex(const QString& v) { sex = v; }
    QString getIdCard() const { return idCard; }
    void setIdCard(const QString& v) { idCard = v; }
    TDateTime getBirth() const { return birth; }
    void setBirth(TDateTime v) { birth = v; }
    QString getStatusStudent() const { return statusStudent; }
    void setStatusStudent(const QString& v) { statusStudent = v; }
    QString getAddress() const { return address; }
    void setAddress(const QString& v) { address = v; }
    QString getTelephone() const { return telephone; }
    void setTelephone(const QString& v) { telephone = v; }
    QString getRoleName() const { return roleName; }
    void setRoleName(const QString& v) { roleName = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }
    const std::vector<TPORight>& getRights() const { return rights; }
    void setRights(std::vector<TPORight> v) { rights = std::move(v); }

private:
    int id = 0;
    QString loginName;
    QString password;
    QString userName;
    int teamId = 0;
    QString sex;
    QString idCard;
    TDateTime birth;
    QString statusStudent;
    QString address;
    QString telephone;
    QString roleName;
    QString description;
    std::vector<TPORight> rights;
};
