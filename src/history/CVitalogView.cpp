#include "CVitalogView.h"

#include "HistoryModel.h"
#include "HistoryReports.h"
#include "HistorySort.h"
#include "SortHeader.h"
#include "platform/AppServices.h"
#include "platform/Prompter.h"
#include "printing/PrintText.h"
#include "printing/ScreenExport.h"
#include "records/RecordFile.h"
#include "records/TextEncoding.h"
#include "shell/CMainFrame.h"

#include <QFile>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace vitalog {

CVitalogView::CVitalogView(CMainFrame& frame, AppServices& services, QWidget* parent)
    : Screen(frame, services, parent) {
    m_model = new HistoryModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("historyTable"));
    m_table->setAccessibleName(QStringLiteral("History"));
    m_header = new SortHeader(m_table);
    m_header->setObjectName(QStringLiteral("historyHeader"));
    m_table->setHorizontalHeader(m_header);
    m_table->setModel(m_model);
    // A list in report mode: whole rows selected, no grid, no row numbers.
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setFrameShape(QFrame::StyledPanel);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setStretchLastSection(false);
    connect(m_header, &QHeaderView::sectionClicked, this, &CVitalogView::SortByColumn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
}

void CVitalogView::InitialUpdate() {
    FillTable();
}

void CVitalogView::ClearTable() {
    m_hasData = false;
    m_shownTable = ShownTable::None;
    m_header->SetArrow(-1, true);
    m_model->Clear();
}

void CVitalogView::FillTable() {
    ClearTable();
    const int mode = Frame().HistoryMode;
    if (mode >= CMainFrame::HistoryBodyFat && mode <= CMainFrame::HistoryBmiBmr) {
        if (FillFor(mode, RowOrder::NewestOnTop))
            ShowSortArrow(0, false, mode);
    } else if (mode == CMainFrame::HistoryAllUsers) {
        FillAllUsers();
        if (m_model->columnCount() > 0)
            m_model->SetHeaderAlignment(0, Qt::AlignHCenter);
    }
}

bool CVitalogView::FillFor(int mode, RowOrder order) {
    switch (mode) {
    case CMainFrame::HistoryBodyFat:
        return FillBodyComposition(order);
    case CMainFrame::HistoryTape:
        return FillTape(order);
    case CMainFrame::HistoryBloodPressure:
        return FillBloodPressure(order);
    case CMainFrame::HistoryBmiBmr:
        return FillBmiBmr(order);
    default:
        return false;
    }
}

int CVitalogView::ColumnWidth(int width) const {
    // The widths fit the texts in a font whose digits are 6 pixels wide; a wider font widens
    // every column alike so that "12/31/2005" and "10:05:30 PM" are not cut.
    const double digits = m_table->fontMetrics().horizontalAdvance(QStringLiteral("0000000000"));
    return qRound(width * std::max(1.0, digits / 60.0));
}

namespace {

// Report texts are Windows-1252, as the records hold them.
QString FromCp1252(const std::string& text) {
    if (const auto utf8 = Cp1252ToUtf8(text))
        return QString::fromStdString(*utf8);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

QString CVitalogView::UserName() const {
    return FromCp1252(Frame().CurrentUser.Name());
}

void CVitalogView::NoRecords(const char* format) {
    Services().prompter->Information(this, QString::fromLatin1(format).arg(UserName()));
}

void CVitalogView::ShowTable(const HistoryTable& table, ShownTable kind) {
    m_model->SetTable(table);
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_header->resizeSection(column, ColumnWidth(m_model->Column(column).width));
    if (table.RowCount() > 0) {
        m_hasData = true;
        m_shownTable = kind;
    }
}

bool CVitalogView::FillBodyComposition(RowOrder order) {
    const UserRecord& user = Frame().CurrentUser;
    RecordList<BodyFatRecord> records;
    if (!BodyFatFile::LoadAll(Services().DataPath(), user.Name(), records)) {
        NoRecords("No body composition records exist for user %1");
        return false;
    }
    ShowTable(BodyCompositionTable(records, user, order), ShownTable::BodyComposition);
    return true;
}

bool CVitalogView::FillTape(RowOrder order) {
    const UserRecord& user = Frame().CurrentUser;
    RecordList<TapeRecord> records;
    if (!TapeFile::LoadAll(Services().DataPath(), user.Name(), records)) {
        NoRecords("No tape measurement records exist for user %1");
        return false;
    }
    ShowTable(TapeTable(records, user, order), ShownTable::Tape);
    return true;
}

bool CVitalogView::FillBloodPressure(RowOrder order) {
    const UserRecord& user = Frame().CurrentUser;
    RecordList<BloodPressureRecord> records;
    if (!BloodPressureFile::LoadAll(Services().DataPath(), user.Name(), records)) {
        NoRecords("No blood pressure records exist for user %1");
        return false;
    }
    ShowTable(BloodPressureTable(records, order), ShownTable::BloodPressure);
    return true;
}

bool CVitalogView::FillBmiBmr(RowOrder order) {
    const UserRecord& user = Frame().CurrentUser;
    RecordList<BmiRecord> bmi;
    if (!BmiFile::LoadAll(Services().DataPath(), user.Name(), bmi)) {
        NoRecords("No BMI/BMR records exist for user %1");
        return false;
    }
    RecordList<BmrRecord> bmr;
    BmrFile::LoadAll(Services().DataPath(), user.Name(), bmr);
    ShowTable(BmiBmrTable(bmi, bmr, user, order), ShownTable::BmiBmr);
    return true;
}

void CVitalogView::FillAllUsers() {
    const auto table = AllUsersTable(Services().DataPath());
    if (!table)
        return; // no "user.bin" to read: nothing at all
    ShowTable(*table, ShownTable::AllUsers);
    if (table->RowCount() == 0)
        Services().prompter->Information(this, QStringLiteral("No user records exist"));
}

std::optional<QString> CVitalogView::PrintTextOfShownTable() {
    const HistoryPrintText print =
        BuildHistoryPrintText(m_shownTable, Services().DataPath(), Frame().CurrentUser);
    switch (print.outcome) {
    case HistoryReportOutcome::Done:
        return FromCp1252(print.text);
    case HistoryReportOutcome::NoRecords:
        Services().prompter->Information(this, FromCp1252(print.text));
        return std::nullopt;
    case HistoryReportOutcome::Nothing:
        break;
    }
    return std::nullopt;
}

void CVitalogView::OnPrint() {
    if (const std::optional<QString> text = PrintTextOfShownTable())
        PrintText(Services(), this, *text);
}

void CVitalogView::OnExport() {
    const HistoryReportNames names = HistoryReportNamesOf(m_shownTable);
    if (names.fileName.empty())
        return;
    ScreenExport report(*this);
    if (!report.ExportOpen(
            QString::fromLatin1(names.fileName.data(), qsizetype(names.fileName.size()))))
        return;
    const HistoryExportBody body = WriteHistoryExportBody(
        report.Writer(), m_shownTable, Services().DataPath(), Frame().CurrentUser);
    if (body.outcome == HistoryReportOutcome::Done) {
        report.ExportFooter();
        return;
    }
    // The records went away since the table was filled: a report of a title and a header
    // row is of no use, so it goes before the user is told why.
    QFile::remove(report.FilePath());
    if (body.outcome == HistoryReportOutcome::NoRecords)
        Services().prompter->Information(this, FromCp1252(body.message));
}

void CVitalogView::SortByColumn(int column) {
    const int mode = Frame().HistoryMode;
    const bool ascending = HistorySortState::Program().Click(column);
    if (RefillsByDate(mode, column)) {
        // The walk from the newest record puts the oldest on top.
        ClearTable();
        if (!FillFor(mode, ascending ? RowOrder::OldestOnTop : RowOrder::NewestOnTop))
            return;
    } else {
        m_model->SortRows(column, SortsAsText(mode, column), ascending);
    }
    ShowSortArrow(column, ascending, mode);
}

void CVitalogView::ShowSortArrow(int column, bool ascending, int mode) {
    for (int i = 0; i < m_model->columnCount(); ++i) {
        Qt::Alignment alignment = Qt::AlignRight;
        switch (mode) {
        case CMainFrame::HistoryBodyFat:
            alignment = i == 0 ? Qt::AlignLeft : i == 1 ? Qt::AlignHCenter : Qt::AlignRight;
            break;
        case CMainFrame::HistoryBloodPressure:
            alignment = i == 0 || i == 5 ? Qt::AlignLeft : Qt::AlignRight;
            break;
        case CMainFrame::HistoryAllUsers:
            alignment = i <= 1 ? Qt::AlignHCenter : Qt::AlignRight;
            break;
        default:
            alignment = i == 0 ? Qt::AlignLeft : Qt::AlignRight;
            break;
        }
        m_model->SetHeaderAlignment(i, alignment);
    }
    m_header->SetArrow(column, ascending);
}

} // namespace vitalog
