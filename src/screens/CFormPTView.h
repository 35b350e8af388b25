#pragma once

#include "FormScreen.h"
#include "pictures/PictureDrawing.h"
#include "pictures/PictureReport.h"
#include "records/DateKey.h"
#include "records/RecordList.h"
#include "records/Records.h"

#include <array>

class QLineEdit;
class QScrollArea;

namespace vitalog {

class MarkedComboBox;

// The picture slideshow: progress pictures of the current user by date, up to eight side by
// side beside that date's body composition and tape values; zoom, stepping through the dates
// with pictures, comparing two pictures, and the picture report. Pictures stay where the user
// keeps them; the screen stores only their paths, in picture records.
class CFormPTView : public FormScreen {
    Q_OBJECT
public:
    // The side panel's rows.
    enum Row {
        DateRow,
        BodyFatRow,
        WeightRow,
        LeanWeightRow,
        FatWeightRow,
        BicepRow,
        ForearmOrHipRow,
        ChestRow,
        WaistRow,
        NeckRow,
        CalfRow,
        ThighRow,
        RowCount
    };

    CFormPTView(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);
    ~CFormPTView() override;

    void InitialUpdate() override;

    bool CanPrint() const override { return m_canPrint; }
    void OnPrint() override;
    bool CanExport() const override { return m_canPrint; }
    void OnExport() override;

    int ZoomLevel() const { return m_zoomLevel; }
    DateKey SelectedDate() const { return m_selectedDate; }
    bool CompareMode() const { return m_compareMode; }
    // The extent of the last drawing pass: the form scrolls over it.
    ContentExtent Content() const { return m_content; }
    // What the Print and Export commands report, from the panel as shown.
    PictureReportContent ReportContent() const;

    static const QString SelectDatePlaceholder;
    static const QString GettingStartedTitle;

protected:
    int HelpTopicNumber() const override;

private:
    class PictureForm;
    friend class PictureForm;

    void BuildForm();
    void CreateCommands();
    void UpdateCommandStates();

    void FillDateList();
    void ShowNewestDate();
    void LoadDatePictures(const RecordList<PictureRecord>& list, std::size_t from);
    void FitToScreen(int dateCount);
    void FillColumn(int column, DateKey date);
    void ClearPanel();
    void SelectDateItem(DateKey date);
    int DateItemIndex(DateKey date) const;
    void MarkDateItem(int index, bool marked);
    void HideGettingStarted();
    void Repaint();
    void PaintPictures(QPainter& painter);
    bool IsFemale() const;

    void OnOpen();
    void OnSavePicture();
    void OnDeletePictures();
    void OnZoom(int step);
    void OnStep(bool next);
    void OnCompare();
    void OnDateChosen();

    MarkedComboBox* m_dateList = nullptr;
    std::array<std::array<QLineEdit*, RowCount>, 2> m_fields{};
    QScrollArea* m_scrollArea = nullptr;
    PictureForm* m_form = nullptr;
    QWidget* m_panel = nullptr;
    QWidget* m_gettingStarted = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_zoomOutAction = nullptr;
    QAction* m_zoomInAction = nullptr;
    QAction* m_previousAction = nullptr;
    QAction* m_nextAction = nullptr;

    int m_zoomLevel = 0;
    DateKey m_selectedDate = 0;
    QString m_selectedDateText;
    QString m_openedPicturePath;
    ContentExtent m_content;
    QSize m_formSize;
    bool m_pictureUnsaved = false;
    bool m_canSave = false;
    bool m_canDelete = false;
    bool m_canNavigate = false;
    bool m_canPrint = false;
    bool m_compareMode = false;
};

} // namespace vitalog
