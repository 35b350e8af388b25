#include "CFormPTView.h"

#include "FieldText.h"
#include "calc/NumberText.h"
#include "controls/CXPGroupBox.h"
#include "controls/MarkedComboBox.h"
#include "help/HelpWindows.h"
#include "help/PicturePagePrinter.h"
#include "pictures/CCompareDlg.h"
#include "pictures/CPicture.h"
#include "pictures/PictureRecords.h"
#include "pictures/SlideshowArtwork.h"
#include "pictures/WaitCursor.h"
#include "platform/AppServices.h"
#include "platform/DialogUnits.h"
#include "platform/FileDialogs.h"
#include "platform/PrintService.h"
#include "platform/PrintedPage.h"
#include "platform/Prompter.h"
#include "printing/ScreenExport.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "shell/CMainFrame.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace vitalog {

const QString CFormPTView::SelectDatePlaceholder = QStringLiteral("Select date of picture");
const QString CFormPTView::GettingStartedTitle =
    QStringLiteral("Getting started with the picture slideshow");

namespace {

const QString NotPictureTitle = QStringLiteral("Can not load picture");
const QString NotPictureText =
    QStringLiteral("Picture data is not a known picture type\t\t\n(.BMP .DIB .EMF .GIF .ICO .JPG "
                   ".WMF)\n\nFile may be CORRUPTED or MISSING\t");
const QString OpenFilter = QStringLiteral(
    "Picture Files (bmp.dib.emf.gif.ico.jpg.wmf)|*.bmp;*.dib;*.emf;*.gif;*.ico;*.jpg;"
    "*.wmf;*.png;*.tif;*.tiff;*.webp|BMP (*.bmp)|*.bmp|DIB (*.dib)|*.dib|EMF "
    "(*.emf)|*.emf|GIF (*.gif)|*.gif|ICO (*.ico)|*.ico|JPG (*.jpg)|*.jpg|WMF "
    "(*.wmf)|*.wmf|All Files (*.*)|*.*||");
const QString NoRecord = QStringLiteral("---");

struct RowInfo {
    const char* caption;
    const char* name;
};

constexpr RowInfo Rows[CFormPTView::RowCount] = {
    {"Date:", "date"},
    {"Body Fat %:", "bodyFat"},
    {"Weight:", "weight"},
    {"Lean Body Wt:", "leanWeight"},
    {"Body Fat Wt:", "fatWeight"},
    {"Bicep:", "bicep"},
    {"Forearm:", "forearmOrHip"},
    {"Chest:", "chest"},
    {"Waist:", "waist"},
    {"Neck:", "neck"},
    {"Calf:", "calf"},
    {"Thigh:", "thigh"},
};

QString Long(DateKey date) {
    return QString::fromStdString(FormatDateKey(date, 1));
}

QString Short(DateKey date) {
    return QString::fromStdString(FormatDateKey(date, 2));
}

QString TwoDecimals(double value) {
    return QString::fromStdString(FormatText("%.2f", value));
}

// The sunken frame that shows the getting-started picture, drawn at the screen's own scale.
class GettingStartedFrame : public QFrame {
public:
    explicit GettingStartedFrame(QWidget* parent)
        : QFrame(parent), m_picture(GettingStartedPicture()) {
        setObjectName(QStringLiteral("gettingStartedFrame"));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        setAccessibleName(CFormPTView::GettingStartedTitle);
        setAccessibleDescription(
            QStringLiteral("Press Open and choose a picture file, choose its date in Select date "
                           "of picture, and press Save. Choosing a date shows its pictures with "
                           "that day's measurements; Compare shows two pictures side by side."));
        setFixedSize(GettingStartedSize + QSize(4, 4));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        m_picture.Paint(painter, QRectF(QPointF(2, 2), QSizeF(GettingStartedSize)));
    }

private:
    DrawnPicture m_picture;
};

} // namespace

// The scrolled form: the side panel at its left, the pictures drawn beside it.
class CFormPTView::PictureForm : public QWidget {
public:
    PictureForm(CFormPTView& screen, QWidget* parent) : QWidget(parent), m_screen(screen) {
        setObjectName(QStringLiteral("pictureForm"));
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, FormBackground);
        setPalette(pal);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_screen.PaintPictures(painter);
    }

private:
    CFormPTView& m_screen;
};

CFormPTView::CFormPTView(CMainFrame& frame, AppServices& services, QWidget* parent)
    : FormScreen(frame, services, parent) {
    setObjectName(QStringLiteral("slideshowScreen"));
    SetPictureSlotsPrompter(services.prompter, &frame);
    BuildForm();
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CFormPTView::UpdateCommandStates);
}

CFormPTView::~CFormPTView() = default;

int CFormPTView::HelpTopicNumber() const {
    return HelpSlideshowTopic;
}

bool CFormPTView::IsFemale() const {
    return Frame().CurrentUser.sex == Female;
}

void CFormPTView::BuildForm() {
    ContentLayout()->setContentsMargins(0, 0, 0, 0);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("pictureScrollArea"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(false);
    m_form = new PictureForm(*this, m_scrollArea);
    m_scrollArea->setWidget(m_form);
    m_scrollArea->viewport()->setAutoFillBackground(false);
    ContentLayout()->addWidget(m_scrollArea, 1);

    m_panel = new QWidget(m_form);
    m_panel->setObjectName(QStringLiteral("sidePanel"));
    auto* panelLayout = new QVBoxLayout(m_panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(8);

    auto* dateBox = new CXPGroupBox(SelectDatePlaceholder, m_panel);
    StyleWindowBox(*dateBox, Qt::white);
    dateBox->setAccessibleName(SelectDatePlaceholder);
    auto* dateLayout = new QVBoxLayout(dateBox);
    dateLayout->setContentsMargins(8, 10, 8, 8);
    m_dateList = new MarkedComboBox(dateBox);
    m_dateList->setObjectName(QStringLiteral("dateList"));
    m_dateList->setAccessibleName(SelectDatePlaceholder);
    m_dateList->SetColumnCount(1);
    m_dateList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    dateLayout->addWidget(m_dateList);
    connect(m_dateList, &QComboBox::activated, this, &CFormPTView::OnDateChosen);
    panelLayout->addWidget(dateBox);

    const int fieldWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000.00")) + 10;
    const auto addRows = [&](const QString& caption, int first, int last) {
        auto* box = new CXPGroupBox(caption, m_panel);
        StyleWindowBox(*box, BoxBodyColour);
        box->setAccessibleName(caption);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(8, 10, 8, 8);
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(3);
        for (int row = first; row <= last; ++row) {
            QString text = QString::fromLatin1(Rows[row].caption);
            if (row == ForearmOrHipRow && IsFemale())
                text = QStringLiteral("Hip:");
            for (int column = 0; column < 2; ++column) {
                auto* field = new QLineEdit(box);
                field->setReadOnly(true);
                field->setFixedWidth(fieldWidth);
                field->setObjectName(QLatin1String(Rows[row].name) + QStringLiteral("Edit") +
                                     QString::number(column + 1));
                m_fields[std::size_t(column)][std::size_t(row)] = field;
                grid->addWidget(KeepRoom(field), row - first, column + 1);
            }
            auto* label = Caption(text, m_fields[0][std::size_t(row)], box);
            grid->addWidget(label, row - first, 0);
            QString second = text;
            second.chop(1);
            m_fields[1][std::size_t(row)]->setAccessibleName(second +
                                                             QStringLiteral(", second picture"));
            m_fields[1][std::size_t(row)]->hide();
        }
        panelLayout->addWidget(box);
    };
    addRows(QStringLiteral("Body Composition"), DateRow, FatWeightRow);
    addRows(QStringLiteral("Tape Measurement"), BicepRow, ThighRow);
    m_panel->move(8, 8);
    m_panel->adjustSize();

    m_gettingStarted = new GettingStartedFrame(m_form);

    CreateCommands();
}

void CFormPTView::CreateCommands() {
    const auto add = [this](const char* name, const char* prompt, const QIcon& icon,
                            std::function<void()> handler) {
        const QStringList parts = QString::fromLatin1(prompt).split(QLatin1Char('\n'));
        return AddToolbarAction(QString::fromLatin1(name), parts.value(0), parts.value(1), icon,
                                [this, handler = std::move(handler)] {
                                    handler();
                                    UpdateCommandStates();
                                });
    };
    m_openAction = add("Open", "Open Picture\nOpen", OpenPictureIcon(), [this] { OnOpen(); });
    m_saveAction =
        add("Save", "Save a date to a picture\nSave",
            ToolbarIcon(QStringLiteral(":/images/action_save.png")), [this] { OnSavePicture(); });
    m_deleteAction =
        add("Delete", "Delete\nDelete", ToolbarIcon(QStringLiteral(":/images/action_delete.png")),
            [this] { OnDeletePictures(); });
    m_zoomOutAction =
        add("Zoom Out", "Zoom Out\nZoom Out", ZoomIcon(false), [this] { OnZoom(-1); });
    m_zoomInAction = add("Zoom In", "Zoom In\nZoom In", ZoomIcon(true), [this] { OnZoom(1); });
    m_previousAction =
        add("Previous", "Previous date\nPrevious", StepIcon(false), [this] { OnStep(false); });
    m_nextAction = add("Next", "Next date\nNext", StepIcon(true), [this] { OnStep(true); });
    add("Compare", "Compare Pics\nCompare", CompareIcon(), [this] { OnCompare(); });
    add("Help", "Help\nHelp", ToolbarIcon(QStringLiteral(":/images/action_help.png")),
        [this] { OnHelp(); });
    UpdateCommandStates();
}

void CFormPTView::UpdateCommandStates() {
    if (!m_saveAction)
        return;
    m_saveAction->setEnabled(m_canSave);
    m_deleteAction->setEnabled(m_canDelete);
    for (QAction* action : {m_zoomOutAction, m_zoomInAction, m_previousAction, m_nextAction})
        action->setEnabled(m_canNavigate);
}

void CFormPTView::InitialUpdate() {
    ReleasePictureSlots();
    m_formSize = DialogUnitsToPixels(671, 368);
    FillDateList();
    ShowNewestDate();
    Repaint();
    UpdateCommandStates();
}

void CFormPTView::FillDateList() {
    m_compareMode = false;
    m_canDelete = m_canNavigate = m_canSave = false;
    m_canPrint = true;
    const UserRecord& user = Frame().CurrentUser;
    const std::filesystem::path data = Services().DataPath();

    std::vector<DateKey> keys;
    RecordList<BodyFatRecord> bodyFat;
    BodyFatFile::LoadAll(data, user.Name(), bodyFat);
    for (const BodyFatRecord& record : bodyFat)
        keys.push_back(record.date);
    RecordList<TapeRecord> tape;
    TapeFile::LoadAll(data, user.Name(), tape);
    for (const TapeRecord& record : tape)
        keys.push_back(record.date);
    std::sort(keys.begin(), keys.end());

    m_dateList->clear();
    for (const DateKey key : keys) {
        QString text = Long(key);
        if (m_dateList->findText(text, Qt::MatchStartsWith) >= 0)
            continue;
        if (const int count = CountPicturesForDate(data, user.Name(), key); count > 0)
            text += QStringLiteral(" (%1)").arg(count);
        m_dateList->addItem(text);
    }
    m_dateList->setCurrentIndex(-1);

    m_dateList->SetImageList({DateMarker(devicePixelRatioF())});
    RecordList<PictureRecord> pictures;
    PictureFile::LoadAll(data, user.Name(), pictures);
    for (const PictureRecord& record : pictures)
        MarkDateItem(DateItemIndex(record.date), true);
}

int CFormPTView::DateItemIndex(DateKey date) const {
    return m_dateList->findText(Long(date), Qt::MatchStartsWith);
}

void CFormPTView::MarkDateItem(int index, bool marked) {
    m_dateList->SetItemBold(index, marked);
    m_dateList->SetItemImage(index, marked ? 0 : -1);
}

void CFormPTView::SelectDateItem(DateKey date) {
    const int index = DateItemIndex(date);
    m_dateList->setCurrentIndex(index);
    m_selectedDateText = m_dateList->itemText(index);
    m_selectedDate = ParseDateKey(m_selectedDateText.toStdString());
}

void CFormPTView::ShowNewestDate() {
    m_compareMode = false;
    RecordList<PictureRecord> list;
    if (!PictureFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), list)) {
        m_canSave = m_canNavigate = m_canDelete = false;
        return;
    }
    LoadDatePictures(list, 0);
    SelectDateItem(list.front().date);
    // A date whose pictures have no measurement is not in the list; show the record's date.
    const DateKey shown = m_selectedDate > 0 ? m_selectedDate : list.front().date;
    m_selectedDate = shown;
    m_fields[0][DateRow]->setText(Short(shown));
    FillColumn(0, shown);
    HideGettingStarted();
    Repaint();
    m_canPrint = m_canDelete = m_canNavigate = true;
    m_canSave = false;
}

void CFormPTView::LoadDatePictures(const RecordList<PictureRecord>& list, std::size_t from) {
    const WaitCursor wait;
    ReleasePictureSlots();
    auto& table = PictureSlots();
    const DateKey date = list[from].date;
    if (table[0].LoadFromFile(PathFromStored(list[from].Path())))
        m_zoomLevel = 0;
    else
        table[0].Release();
    // Each further record of the date takes a slot, loaded or not: a missing file leaves a gap
    // that ends the row of pictures drawn.
    std::size_t slot = 1;
    for (std::size_t i = from + 1; i < list.size() && slot < table.size(); ++i) {
        if (list[i].date != date)
            continue;
        if (!table[slot].LoadFromFile(PathFromStored(list[i].Path())))
            table[slot].Release();
        ++slot;
    }
    FitToScreen(CountPicturesForDate(Services().DataPath(), Frame().CurrentUser.Name(), date));
}

void CFormPTView::FitToScreen(int dateCount) {
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize area = display ? display->size() : QSize(1024, 768);
    m_zoomLevel = FitToArea(m_zoomLevel, area, dateCount, m_form);
}

void CFormPTView::FillColumn(int column, DateKey date) {
    auto& fields = m_fields[std::size_t(column)];
    const UserRecord& user = Frame().CurrentUser;
    const std::filesystem::path data = Services().DataPath();

    const BodyFatRecord bodyFat = BodyFatFile::Find(data, user.Name(), date);
    if (bodyFat.active) {
        const double weightFactor = user.units == Metric ? LbToKg : 1.0;
        fields[BodyFatRow]->setText(TwoDecimals(bodyFat.bodyFat));
        fields[WeightRow]->setText(TwoDecimals(bodyFat.user.weight * weightFactor));
        fields[LeanWeightRow]->setText(TwoDecimals(bodyFat.leanWeight * weightFactor));
        fields[FatWeightRow]->setText(TwoDecimals(bodyFat.fatWeight * weightFactor));
    } else {
        for (const int row : {BodyFatRow, WeightRow, LeanWeightRow, FatWeightRow})
            fields[std::size_t(row)]->setText(NoRecord);
    }

    const TapeRecord tape = TapeFile::Find(data, user.Name(), date);
    const double lengthFactor = user.lengthUnits == Centimetres ? 2.54 : 1.0;
    const double sites[] = {tape.biceps, tape.forearmOrHip, tape.chest, tape.waist,
                            tape.neck,   tape.calf,         tape.thigh};
    for (int row = BicepRow; row <= ThighRow; ++row)
        fields[std::size_t(row)]->setText(
            tape.active ? TwoDecimals(sites[row - BicepRow] * lengthFactor) : NoRecord);

    // The second column is there only while two pictures are compared.
    for (QLineEdit* field : m_fields[1])
        field->setVisible(column == 1);
}

void CFormPTView::ClearPanel() {
    for (auto& column : m_fields)
        for (QLineEdit* field : column)
            field->clear();
}

void CFormPTView::HideGettingStarted() {
    m_gettingStarted->hide();
}

void CFormPTView::Repaint() {
    // The pictures begin beside the panel; a wide font pushes them further right.
    const int shift = std::max(0, m_panel->geometry().right() + 10 - PicturesLeft);
    m_content = DrawPictures(nullptr, m_form, m_zoomLevel, m_formSize.height());
    QSize size(m_content.width + shift, m_content.height);
    m_gettingStarted->move(PicturesLeft + shift, PicturesTop);
    if (m_gettingStarted->isVisibleTo(m_form))
        size = size.expandedTo(QSize(m_gettingStarted->geometry().right() + 10,
                                     m_gettingStarted->geometry().bottom() + 10));
    size =
        size.expandedTo(QSize(m_panel->geometry().right() + 10, m_panel->geometry().bottom() + 10));
    m_form->setFixedSize(size);
    m_form->update();
}

void CFormPTView::PaintPictures(QPainter& painter) {
    const int shift = std::max(0, m_panel->geometry().right() + 10 - PicturesLeft);
    painter.translate(shift, 0);
    DrawPictures(&painter, m_form, m_zoomLevel, m_formSize.height());
}

void CFormPTView::OnOpen() {
    const WaitCursor wait;
    m_compareMode = false;
    m_canPrint = m_canDelete = m_canSave = false;
    if (const int placeholder = m_dateList->findText(SelectDatePlaceholder); placeholder >= 0)
        m_dateList->removeItem(placeholder);
    const QString path = Services().fileDialogs->OpenFileName(
        this, QStringLiteral("Open a picture file"), OpenFilter);
    if (path.isEmpty())
        return;
    m_openedPicturePath = path;
    ReleasePictureSlots();
    if (!PictureSlots()[0].LoadFromFile(path)) {
        Services().prompter->Show(this, NotPictureTitle, NotPictureText, QMessageBox::Critical,
                                  QMessageBox::Ok);
        return;
    }
    m_pictureUnsaved = true;
    m_zoomLevel = 0;
    m_dateList->addItem(SelectDatePlaceholder);
    m_dateList->setCurrentIndex(m_dateList->count() - 1);
    m_selectedDate = 0;
    ClearPanel();
    HideGettingStarted();
    FitToScreen(0);
    Repaint();
}

void CFormPTView::OnDateChosen() {
    const auto refresh = qScopeGuard([this] { UpdateCommandStates(); });
    m_compareMode = false;
    const bool placeholderChosen = m_dateList->currentText() == SelectDatePlaceholder;
    if (const int placeholder = m_dateList->findText(SelectDatePlaceholder); placeholder >= 0)
        m_dateList->removeItem(placeholder);
    if (placeholderChosen)
        m_dateList->setCurrentIndex(-1);
    m_selectedDateText = m_dateList->currentText();
    if (m_selectedDateText.isEmpty()) {
        m_dateList->setFocus();
        return;
    }
    m_selectedDate = ParseDateKey(m_selectedDateText.toStdString());
    m_fields[0][DateRow]->setText(Short(m_selectedDate));
    FillColumn(0, m_selectedDate);
    Repaint();
    if (m_pictureUnsaved) {
        m_canSave = true;
        return;
    }
    RecordList<PictureRecord> list;
    if (!PictureFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), list)) {
        if (PictureSlots()[0].IsLoaded())
            m_canSave = true;
        m_canDelete = m_canNavigate = false;
        return;
    }
    const auto found = std::find_if(list.begin(), list.end(), [this](const PictureRecord& r) {
        return r.date == m_selectedDate;
    });
    if (found != list.end()) {
        LoadDatePictures(list, std::size_t(found - list.begin()));
        HideGettingStarted();
        Repaint();
    }
    m_canPrint = true;
    m_canDelete = m_canNavigate = found != list.end();
    m_canSave = found == list.end();
}

void CFormPTView::OnSavePicture() {
    Prompter& prompter = *Services().prompter;
    if (!Frame().IsUserSelected()) {
        prompter.Error(this, QStringLiteral("No user selected - Cannot save"));
        return;
    }
    if (m_selectedDate <= 0) {
        prompter.Error(this, QStringLiteral("No date selected - Cannot save"));
        return;
    }
    if (m_openedPicturePath.isEmpty()) {
        prompter.Error(
            this, QStringLiteral("Please open a picture to associate with a date before saving"));
        return;
    }
    PictureRecord record;
    record.user = Frame().CurrentUser;
    record.date = m_selectedDate;
    // The record holds 299 bytes of path; a longer one is refused, never cut.
    if (!record.SetPath(PathToStored(m_openedPicturePath))) {
        prompter.Error(this, QStringLiteral("The path of this picture is longer than %1 characters "
                                            "and cannot be saved. Move the picture to a folder "
                                            "with a shorter path and open it again.")
                                 .arg(PictureRecord::MaxPathLength));
        return;
    }
    const std::filesystem::path data = Services().DataPath();
    const std::string name = Frame().CurrentUser.Name();
    if (CountPicturesForDate(data, name, m_selectedDate) >= PictureSlotCount) {
        prompter.Error(this, QStringLiteral("Maximum number of pictures (8) have been saved for "
                                            "this date"));
        return;
    }
    if (PictureFile::Append(data, record) != StoreResult::Done) {
        prompter.Error(this, QStringLiteral("Saving failed"));
        return;
    }
    prompter.Information(this, QStringLiteral("Saving completed"));
    m_pictureUnsaved = false;
    m_canDelete = m_canNavigate = m_canPrint = true;
    const int index = DateItemIndex(m_selectedDate);
    if (index >= 0) {
        m_dateList->removeItem(index);
        m_dateList->insertItem(index, Long(m_selectedDate) +
                                          QStringLiteral(" (%1)").arg(
                                              CountPicturesForDate(data, name, m_selectedDate)));
        m_dateList->setCurrentIndex(index);
        MarkDateItem(index, true);
    }
}

void CFormPTView::OnDeletePictures() {
    Prompter& prompter = *Services().prompter;
    if (!Frame().IsUserSelected()) {
        prompter.Error(this, QStringLiteral("No user selected - Cannot delete"));
        return;
    }
    if (m_selectedDate <= 0) {
        prompter.Error(this, QStringLiteral("No date selected - Cannot delete"));
        return;
    }
    const QString date = Long(m_selectedDate);
    if (!prompter.AskYesNo(this, QStringLiteral("Are you sure you want to delete ") + date +
                                     QStringLiteral(" picture record from memory?\n\nNote: This "
                                                    "will only delete the picture/date "
                                                    "association - this will not delete the "
                                                    "picture from your computer.")))
        return;
    switch (
        PictureFile::Remove(Services().DataPath(), Frame().CurrentUser.Name(), m_selectedDate)) {
    case StoreResult::NotFound:
        prompter.Warning(this, QStringLiteral("Date does not exists for ") + date);
        return;
    case StoreResult::Done:
        break;
    default:
        prompter.Error(this, QStringLiteral("Deleting user failed"));
        return;
    }
    if (const int index = DateItemIndex(m_selectedDate); index >= 0) {
        m_dateList->setItemText(index, date);
        MarkDateItem(index, false);
    }
    m_openedPicturePath.clear();
    ReleasePictureSlots();
    Repaint();
    ShowNewestDate();
}

void CFormPTView::OnZoom(int step) {
    m_zoomLevel = std::clamp(m_zoomLevel + step, -ZoomLimit, ZoomLimit);
    Repaint();
}

void CFormPTView::OnStep(bool next) {
    RecordList<PictureRecord> list;
    if (!PictureFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), list))
        return;
    const auto first = std::find_if(list.begin(), list.end(), [this](const PictureRecord& r) {
        return r.date == m_selectedDate;
    });
    if (m_selectedDate <= 0 || first == list.end()) {
        Services().prompter->Information(
            this,
            QStringLiteral("You must select a saved picture to use 'Next' or 'Prev' buttons"));
        return;
    }
    // The list runs newest first: Next moves toward its head, Previous toward its tail.
    std::size_t at = std::size_t(first - list.begin());
    if (next) {
        if (at == 0) {
            at = 0; // no newer date: the newest is shown again
        } else {
            const DateKey newer = list[at - 1].date;
            --at;
            while (at > 0 && list[at - 1].date == newer)
                --at;
        }
    } else {
        while (at < list.size() && list[at].date == m_selectedDate)
            ++at;
        if (at == list.size())
            return;
    }
    LoadDatePictures(list, at);
    SelectDateItem(list[at].date);
    const DateKey shown = m_selectedDate > 0 ? m_selectedDate : list[at].date;
    m_selectedDate = shown;
    m_fields[0][DateRow]->setText(Short(shown));
    FillColumn(0, shown);
    HideGettingStarted();
    Repaint();
}

void CFormPTView::OnCompare() {
    ReleasePictureSlots();
    CCompareDlg dialog(Services(), Frame().CurrentUser, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!accepted || !PictureSlots()[0].IsLoaded()) {
        Repaint();
        return;
    }
    m_fields[0][DateRow]->setText(Short(dialog.FirstDate()));
    FillColumn(0, dialog.FirstDate());
    m_dateList->setCurrentIndex(-1);
    if (LoadedSlotCount() > 1) {
        m_fields[1][DateRow]->setText(Short(dialog.SecondDate()));
        FillColumn(1, dialog.SecondDate());
    }
    m_zoomLevel = 0;
    FitToScreen(0);
    HideGettingStarted();
    Repaint();
    m_canDelete = m_canSave = false;
    m_canPrint = m_canNavigate = m_compareMode = true;
}

PictureReportContent CFormPTView::ReportContent() const {
    PictureReportContent content;
    content.userName = FromStoredText(Frame().CurrentUser.Name());
    content.female = IsFemale();
    content.twoColumns = m_compareMode && LoadedSlotCount() > 1;
    for (std::size_t column = 0; column < 2; ++column) {
        PanelColumn& c = content.columns[column];
        const auto& f = m_fields[column];
        c = {f[DateRow]->text(),         f[BodyFatRow]->text(),   f[WeightRow]->text(),
             f[LeanWeightRow]->text(),   f[FatWeightRow]->text(), f[BicepRow]->text(),
             f[ForearmOrHipRow]->text(), f[ChestRow]->text(),     f[WaistRow]->text(),
             f[NeckRow]->text(),         f[CalfRow]->text(),      f[ThighRow]->text()};
    }
    return content;
}

void CFormPTView::OnPrint() {
    if (!PictureSlots()[0].IsLoaded()) {
        PicturePagePrinter(Services(), this).Print(GettingStartedTitle, GettingStartedPicture());
        return;
    }
    Prompter& prompter = *Services().prompter;
    std::unique_ptr<QPrinter> printer = Services().printService->DefaultPrinter();
    if (!printer) {
        prompter.Notice(this,
                        QStringLiteral("Can not find printer. Please check installed/default "
                                       "printers."),
                        QMessageBox::Warning);
        return;
    }
    if (!Services().printService->ShowPrintDialog(*printer, this))
        return;
    printer->setDocName(QStringLiteral("Vitalog"));

    // The page is laid out in the form's pixels (96 to the inch), so that the 990 x 670 fit
    // means the same on paper as on the screen.
    QImage form(1, 1, QImage::Format_RGB32);
    form.setDotsPerMeterX(3780);
    form.setDotsPerMeterY(3780);
    m_zoomLevel = 0;
    m_zoomLevel = FitToArea(m_zoomLevel, PrintingArea, 0, &form);
    Repaint();

    QPainter painter;
    if (!painter.begin(printer.get())) {
        prompter.Notice(this, QStringLiteral("Printing error occured. Unable to find printer."),
                        QMessageBox::Warning);
        return;
    }
    const ContentExtent extent = DrawPictures(nullptr, &form, m_zoomLevel, m_formSize.height());
    const QRect page = painter.viewport();
    qreal scale = printer->logicalDpiX() / 96.0;
    // Nothing is lost at the paper's edge: a wider layout is scaled down to the page.
    if (extent.width * scale > page.width())
        scale = page.width() / qreal(extent.width);
    painter.scale(scale, scale);
    DrawPictures(&painter, &form, m_zoomLevel, m_formSize.height());

    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF textArea(QPointF(PicturesLeft, extent.height),
                          QPointF(page.width() / scale, page.height() / scale));
    painter.drawText(textArea, Qt::TextWordWrap | Qt::TextExpandTabs,
                     PictureReportText(ReportContent()));
    painter.end();
    if (!Services().printService->JobAccepted(*printer))
        ShowPrintJobFailed(Services(), this);
}

void CFormPTView::OnExport() {
    ScreenExport exporter(*this);
    if (!exporter.ExportOpen(QStringLiteral("Pictures.rtf")))
        return;
    RtfWriter& writer = exporter.Writer();
    const PictureReportContent content = ReportContent();
    PictureExportTitle(writer, content);
    for (const CPicture& slot : PictureSlots()) {
        if (!slot.IsLoaded())
            continue;
        const RtfFittedResult fitted =
            writer.InsertPictureFitted(ScreenExport::PictureFromImage(slot.PictureHandle()));
        if (fitted.result != RtfResult::RtfSuccess) {
            Services().prompter->Error(
                this,
                fitted.message.empty()
                    ? QStringLiteral("Error inserting image")
                    : QString::fromLatin1(fitted.message.data(), qsizetype(fitted.message.size())));
            writer.CloseDocument();
            return;
        }
        writer.StartParagraph("", true);
    }
    PictureExportTables(writer, content);
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    paragraph.breakBefore = 0;
    paragraph.bulletSet = false;
    writer.StartParagraph("", true);
    exporter.ExportFooter();
}

} // namespace vitalog
