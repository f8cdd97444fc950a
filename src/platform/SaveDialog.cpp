#include "platform/SaveDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace {
SaveDialogHandler currentHandler;
}

QString dialogFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) entries << parts[i] + " (" + parts[i + 1] + ")";
    return entries.join(";;");
}

QString askSaveFileName(const QString& filter, const QString& initialName, QWidget* parent) {
    if (currentHandler) return currentHandler(filter, initialName);
    return QFileDialog::getSaveFileName(parent, QString(), initialName, dialogFilter(filter));
}

void setSaveDialogHandler(SaveDialogHandler handler) { currentHandler = std::move(handler); }
