#pragma once
#include <QString>
#include <functional>

class QWidget;

// The save-file dialog. `filter` is written as pairs "shown|pattern", separated by
// '|' ("*.xls|*.xls"). The chosen path as the user gave it (no extension added), or
// "" when the user cancels.
QString askSaveFileName(const QString& filter, const QString& initialName, QWidget* parent = nullptr);

// Tests answer the dialog instead of a person; an empty handler restores it.
using SaveDialogHandler = std::function<QString(const QString& filter, const QString& initialName)>;
void setSaveDialogHandler(SaveDialogHandler handler);

// The filter in the dialog's own form: "*.xls|*.xls" -> "*.xls (*.xls)".
QString dialogFilter(const QString& filter);
