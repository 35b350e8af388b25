#pragma once

#include "cli/ScaleImport.h"

#include <QDialog>

#include <filesystem>
#include <string>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QProgressBar;

namespace vitalog {

class CMainFrame;
struct AppServices;

// The preview of a scale app's export before it is written: what was found and what an
// import would do, with the units the file does not state. Import writes, Cancel does not.
class ScaleImportDialog : public QDialog {
    Q_OBJECT
public:
    ScaleImportDialog(AppServices& services, std::filesystem::path dataDir, std::string userName,
                      std::string csvText, QWidget* parent = nullptr);

    QComboBox* WeightUnitBox() const { return m_weightUnit; }
    QComboBox* LengthUnitBox() const { return m_lengthUnit; }
    QPushButton* ImportButton() const;
    const cli::ScaleReport& Preview() const { return m_preview; }

    // Files at least this many rows long show a progress bar while they are read.
    static constexpr int LargeFileRows = 2000;

protected:
    void accept() override;

private:
    void UpdatePreview();
    cli::ScaleOptions ChosenOptions(bool dryRun) const;
    cli::ScaleReport Run(const cli::ScaleOptions& options);

    AppServices& m_services;
    std::filesystem::path m_dataDir;
    std::string m_userName, m_text;
    bool m_large = false;
    cli::ScaleReport m_preview;
    QLabel *m_layout, *m_rows, *m_dates, *m_bodyComposition, *m_tape, *m_merged, *m_dropped,
        *m_problem;
    QComboBox *m_weightUnit, *m_lengthUnit;
    QProgressBar* m_progress;
    QDialogButtonBox* m_buttons;
};

// File > "Import from Scale App...": the file dialog, the preview and the import for the
// current user; the shown screen is built again to show the new records.
void ImportFromScaleApp(CMainFrame& frame, AppServices& services);

} // namespace vitalog
