#pragma once

#include <QString>

class QWidget;

namespace vitalog {

// Save and open dialogs. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& defaultName,
                                 const QString& filter) = 0;
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
};

class QtFileDialogs : public FileDialogs {
public:
    QString SaveFileName(QWidget* parent, const QString& title, const QString& defaultName,
                         const QString& filter) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
};

} // namespace vitalog
