#pragma once
#include <QString>

class QBoxLayout;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What the dish and category dialogs share.

// The dialog's picture from a compiled-in JPEG; a picture that is missing or cannot be
// decoded leaves the place empty.
QLabel* newDialogPicture(const QString& resource, QWidget* parent);

// The top of a dialog added to `layout`: the picture beside the disabled edit that
// shows the name as stored, a sunken line under them, and the form of the fields
// (returned, empty, labels right-aligned) below.
QFormLayout* addNameHeader(QBoxLayout* layout, QLabel* picture, QLineEdit* storedName);

// "确定", "取消" (also the Esc key) and "应用" at the right of a bottom row; Enter
// presses none of them. The buttons are stored where the arguments point; the row is
// returned.
QBoxLayout* newAttrButtons(QWidget* parent, QPushButton*& confirm, QPushButton*& cancel, QPushButton*& apply);
