#pragma once
#include <QLineEdit>

// The password edits of the login, lock and password windows show "*" per character.
QLineEdit* newPasswordEdit(QWidget* parent);
