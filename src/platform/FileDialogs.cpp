#include "FileDialogs.h"

#include <QFileDialog>

namespace vitalog {

QString QtFileDialogs::SaveFileName(QWidget* parent, const QString& title,
                                    const QString& defaultName, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, defaultName, filter);
}

QString QtFileDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

} // namespace vitalog
