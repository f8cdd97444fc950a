#pragma once
#include <QString>

// A team of the staff tree; parent_id 0 marks a root team.
class TPOTeam {
public:
    int getId() const { return id; }
    void setId(int v) { id = v; }
    int getParentId() const { return parentId; }
    void setParentId(int v) { parentId = v; }
    QString getName() const { return name; }
    void setName(const QString& v) { name = v; }
    QString getDescription() const { return description; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    int parentId = 0;
    QString name;
    QString description;
};
