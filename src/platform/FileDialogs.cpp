#include "FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace vitalog {

QString QtFileDialogs::SaveFileName(QWidget* parent, const QString& title,
                                    const QString& defaultName, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, defaultName, filter);
}

QString QtFileDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

SaveFileAnswer FileDialogs::SaveFile(QWidget* parent, const SaveFileRequest& request) {
    const QString path =
        SaveFileName(parent, request.title, request.defaultName, QtFilter(request.filter));
    if (path.isEmpty())
        return {SaveFileAnswer::Cancelled, {}};
    return {SaveFileAnswer::Chosen, path};
}

QString FileDialogs::QtFilter(const QString& programFilter) {
    const QStringList items = programFilter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        const QString shown = QStringLiteral("(%1)").arg(items[i + 1]);
        // Qt separates patterns by blanks, not semicolons.
        const QString patterns = QStringLiteral("(%1)").arg(
            QString(items[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
        // A description that already shows its patterns shows them once.
        QString description = items[i];
        if (description.endsWith(shown))
            description.chop(shown.size());
        else
            description += QLatin1Char(' ');
        filters << description + patterns;
    }
    return filters.join(QStringLiteral(";;"));
}

SaveFileAnswer QtFileDialogs::SaveFile(QWidget* parent, const SaveFileRequest& request) {
    // The dialog object rather than getSaveFileName: only it adds a default extension. Qt's
    // dialogs leave the working directory alone and have no read-only box to hide.
    QFileDialog dialog(parent, request.title, request.defaultName, QtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted)
        return {SaveFileAnswer::Cancelled, {}};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return {SaveFileAnswer::Failed, {}};
    return {SaveFileAnswer::Chosen, chosen.first()};
}

} // namespace vitalog
