#include "CGraphing.h"

#include "FieldText.h"
#include "controls/CXPGroupBox.h"
#include "graphs/CMSChart.h"
#include "graphs/GraphData.h"
#include "graphs/GraphReport.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "records/RecordFile.h"
#include "records/Records.h"
#include "records/Units.h"
#include "shell/CMainFrame.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vitalog {

namespace {

const QString DateFormat = QStringLiteral("MM/dd/yyyy");
// Readings are told apart by their time, so the blood pressure range shows it.
const QString DateTimeFormat = QStringLiteral("MM/dd/yyyy h:mm:ss AP");

GraphMoment MomentOf(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

QDateTime DateTimeOf(const GraphMoment& m) {
    return QDateTime(QDate(m.year, m.month, m.day), QTime(m.hour, m.minute, m.second));
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The options are the user's taste rather than a record: kept in the program's settings.
const QString TrendKey = QStringLiteral("Graph/Trend");
const QString GoalKey = QStringLiteral("Graph/Goal");
const QString NoOverlays =
    QStringLiteral("Trend and goal lines are drawn on the line graphs of body composition, tape "
                   "measurements and body mass index.");

} // namespace

CGraphing::CGraphing(CMainFrame& frame, AppServices& services, QWidget* parent)
    : FormScreen(frame, services, parent) {
    setObjectName(QStringLiteral("graphScreen"));
    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(BuildAttributesBox());
    left->addWidget(BuildDateRangeBox());
    left->addStretch(1);
    columns->addLayout(left, 0);
    columns->addWidget(BuildChartArea(), 1);
    ContentLayout()->addLayout(columns, 1);
}

QWidget* CGraphing::BuildAttributesBox() {
    auto* box = new CXPGroupBox(QStringLiteral("Graphing Attributes"), this);
    box->setObjectName(QStringLiteral("graphingAttributesBox"));
    StyleWindowBox(*box, Qt::white);
    m_typeList = new QComboBox(box);
    m_typeList->setObjectName(QStringLiteral("graphTypeList"));
    for (const GraphType& type : GraphTypes)
        m_typeList->addItem(QString::fromLatin1(type.text));
    m_typeList->setCurrentIndex(-1);
    m_typeList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_typeList, &QComboBox::activated, this, &CGraphing::ChooseGraphType);

    m_dataList = new QListWidget(box);
    m_dataList->setObjectName(QStringLiteral("dataList"));
    m_dataList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_dataList->setSortingEnabled(true);
    // Room for the longest list (tape: eight items) without a scroll bar.
    m_dataList->setMinimumHeight(m_dataList->fontMetrics().height() * 8 +
                                 2 * m_dataList->frameWidth() + 8);
    connect(m_dataList, &QListWidget::itemSelectionChanged, this, &CGraphing::SelectionChanged);

    // A change counts at the next Graph command, as a new range does.
    const QSettings settings;
    const auto option = [this, box, &settings](const QString& caption, const QString& name,
                                               const QString& key) {
        auto* check = new QCheckBox(caption, box);
        check->setObjectName(name);
        check->setAccessibleName(caption);
        check->setChecked(settings.value(key, false).toBool());
        connect(check, &QCheckBox::toggled, this, [this, key](bool on) { OptionToggled(key, on); });
        return check;
    };
    m_trendBox = option(QStringLiteral("Trend"), QStringLiteral("trendCheckBox"), TrendKey);
    m_goalBox = option(QStringLiteral("Goal"), QStringLiteral("goalCheckBox"), GoalKey);
    UpdateOptionBoxes();

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(12, 28, 12, 12);
    layout->setSpacing(6);
    layout->addWidget(Caption(QStringLiteral("Select type of graph:"), m_typeList, box));
    layout->addWidget(m_typeList);
    layout->addSpacing(4);
    layout->addWidget(Caption(QStringLiteral("Select data to graph:"), m_dataList, box));
    layout->addWidget(m_dataList);
    auto* options = new QHBoxLayout;
    options->setSpacing(16);
    options->addWidget(m_trendBox);
    options->addWidget(m_goalBox);
    options->addStretch(1);
    layout->addLayout(options);
    return box;
}

QWidget* CGraphing::BuildDateRangeBox() {
    auto* box = new CXPGroupBox(QStringLiteral("Select Date Range"), this);
    box->setObjectName(QStringLiteral("selectDateRangeBox"));
    StyleWindowBox(*box, BoxBodyColour);
    const auto picker = [box](const QString& name) {
        auto* edit = new QDateTimeEdit(box);
        edit->setObjectName(name);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(DateFormat);
        return edit;
    };
    m_fromPicker = picker(QStringLiteral("fromPicker"));
    m_toPicker = picker(QStringLiteral("toPicker"));
    // The chart is never redrawn by itself: a new range counts at the next Graph command.
    connect(m_fromPicker, &QDateTimeEdit::dateTimeChanged, this,
            [this](const QDateTime& when) { m_from = when; });
    connect(m_toPicker, &QDateTimeEdit::dateTimeChanged, this,
            [this](const QDateTime& when) { m_to = when; });

    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(12, 28, 12, 12);
    layout->setHorizontalSpacing(8);
    layout->addWidget(Caption(QStringLiteral("From:"), m_fromPicker, box), 0, 0);
    layout->addWidget(m_fromPicker, 0, 1);
    layout->addWidget(Caption(QStringLiteral("To:"), m_toPicker, box), 1, 0);
    layout->addWidget(m_toPicker, 1, 1);
    layout->setColumnStretch(1, 1);
    return box;
}

QWidget* CGraphing::BuildChartArea() {
    m_chartArea = new QStackedWidget(this);
    m_chartArea->setObjectName(QStringLiteral("chartArea"));
    auto* empty = new QFrame(m_chartArea);
    empty->setObjectName(QStringLiteral("emptyChartFrame"));
    empty->setFrameShape(QFrame::Box);
    empty->setFrameShadow(QFrame::Sunken);
    m_chart = new CMSChart(m_chartArea);
    m_chartArea->addWidget(empty);
    m_chartArea->addWidget(m_chart);
    m_chartArea->setCurrentWidget(empty);
    m_chartArea->setMinimumSize(400, 300);
    return m_chartArea;
}

void CGraphing::InitialUpdate() {
    SetRange(Services().clock->Now(), Services().clock->Now());
    m_graph = AddToolbarAction(
        QStringLiteral("Graph"), QStringLiteral("Draw the graph of the chosen data"),
        QStringLiteral("Graph"), ToolbarIcon(QStringLiteral(":/images/toolbar_graph.png")),
        [this] { DrawGraph(); });
    AddToolbarAction(QStringLiteral("Help"), QStringLiteral("Help for this screen"),
                     QStringLiteral("Help"),
                     ToolbarIcon(QStringLiteral(":/images/action_help.png")), [this] { OnHelp(); });
    UpdateGraphAction();
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CGraphing::UpdateGraphAction);
}

void CGraphing::UpdateGraphAction() {
    if (m_graph)
        m_graph->setEnabled(CanGraph());
}

bool CGraphing::IsBloodPressure() const {
    return m_typeIndex >= 0 &&
           GraphTypes[std::size_t(m_typeIndex)].kind == GraphKind::BloodPressure;
}

void CGraphing::SetRange(const QDateTime& from, const QDateTime& to) {
    const QString format = IsBloodPressure() ? DateTimeFormat : DateFormat;
    for (QDateTimeEdit* picker : {m_fromPicker, m_toPicker})
        picker->setDisplayFormat(format);
    m_fromPicker->setDateTime(from);
    m_toPicker->setDateTime(to);
    m_from = from;
    m_to = to;
}

void CGraphing::UpdateOptionBoxes() {
    const bool takes = m_typeIndex < 0 || GraphTakesOverlays(GraphTypes[std::size_t(m_typeIndex)]);
    for (QCheckBox* check : {m_trendBox, m_goalBox}) {
        check->setEnabled(takes);
        // Says why the box cannot be ticked, to the eye and to a screen reader.
        check->setToolTip(takes ? QString() : NoOverlays);
        check->setAccessibleDescription(takes ? QString() : NoOverlays);
    }
}

void CGraphing::OptionToggled(const QString& key, bool on) {
    QSettings().setValue(key, on);
}

void CGraphing::ChooseGraphType(int index) {
    if (index < 0 || index >= int(GraphTypes.size()))
        return;
    m_typeIndex = index;
    m_drawn = false;
    const UserRecord& user = Frame().CurrentUser;
    const GraphKind kind = GraphTypes[std::size_t(index)].kind;
    const GraphRecords records = GraphRecords::Load(Services().DataPath(), user.Name(), kind);
    if (const auto span = RecordSpan(records))
        SetRange(DateTimeOf(span->oldest), DateTimeOf(span->newest));
    else
        SetRange(m_from, m_to);
    // Refilling the list forgets the selection.
    m_dataList->clear();
    m_selectedItems.clear();
    for (const std::string& item : GraphItems(kind, user.sex == Female))
        m_dataList->addItem(Text(item));
    UpdateOptionBoxes();
    UpdateGraphAction();
}

void CGraphing::SelectionChanged() {
    m_selectedItems.clear();
    for (int row = 0; row < m_dataList->count(); ++row) {
        if (m_dataList->item(row)->isSelected())
            m_selectedItems << m_dataList->item(row)->text();
    }
    UpdateGraphAction();
}

void CGraphing::DrawGraph() {
    if (m_typeIndex < 0 || !CanGraph())
        return;
    const GraphType& type = GraphTypes[std::size_t(m_typeIndex)];
    m_chart->SetChartType(type.bar ? CMSChart::Bar2d : CMSChart::Line2d);
    const UserRecord& user = Frame().CurrentUser;
    const GraphRecords records = GraphRecords::Load(Services().DataPath(), user.Name(), type.kind);
    std::vector<std::string> items;
    for (const QString& item : m_selectedItems)
        items.push_back(item.toStdString());
    GraphOptions options;
    GraphGoals goals;
    if (GraphTakesOverlays(type)) {
        options = {m_trendBox->isChecked(), m_goalBox->isChecked()};
        // The goal weight comes from the body composition records whatever the graph's kind.
        if (options.goal) {
            RecordList<BodyFatRecord> bodyFat;
            const bool loaded = type.kind == GraphKind::BodyComposition;
            if (!loaded)
                BodyFatFile::LoadAll(Services().DataPath(), user.Name(), bodyFat);
            goals = UserGoals(user, loaded ? records.bodyFat : bodyFat);
        }
    }
    const GraphSelection selection =
        SelectGraphData(records, user, items, MomentOf(m_from), MomentOf(m_to), options, goals);
    const QString kindName = Text(GraphKindName(type.kind));
    Prompter& prompter = *Services().prompter;
    switch (selection.outcome) {
    case GraphOutcome::NoRecords:
        prompter.Information(this, QStringLiteral("No %1 records exist for user %2")
                                       .arg(kindName, FromStoredText(user.Name())));
        return;
    case GraphOutcome::FromAfterTo:
        prompter.Error(this, QStringLiteral("'From' date must be less than 'To' date"));
        return;
    case GraphOutcome::NoneInRange:
        prompter.Error(
            this, QStringLiteral("No %1 records exist for date range specified").arg(kindName));
        return;
    case GraphOutcome::Drawn:
        break;
    }

    const GraphGrid& grid = selection.grid;
    m_chartArea->setCurrentWidget(m_chart);
    m_drawn = true;
    m_chart->SetChartData(grid.values);
    if (!grid.rowTimeLabels.empty())
        m_chart->SetRowLabelCount(2);
    for (std::size_t row = 0; row < grid.rowLabels.size(); ++row) {
        m_chart->SetRowLabel(int(row) + 1, 1, Text(grid.rowLabels[row]));
        if (row < grid.rowTimeLabels.size())
            m_chart->SetRowLabel(int(row) + 1, 2, Text(grid.rowTimeLabels[row]));
    }
    for (std::size_t column = 0; column < grid.columnLabels.size(); ++column)
        m_chart->SetColumnLabel(int(column) + 1, Text(grid.columnLabels[column]));
    std::vector<CMSChart::Overlay> overlays;
    for (const GraphOverlay& overlay : selection.overlays) {
        overlays.push_back({Text(overlay.name), int(overlay.column) + 1,
                            overlay.style == GraphOverlay::Style::Goal ? CMSChart::Overlay::Goal
                                                                       : CMSChart::Overlay::Trend,
                            overlay.values});
    }
    m_chart->SetOverlays(overlays);
    m_chart->SetShowLegend(true);
    m_chart->SetValueScale(grid.minimum, grid.maximum);
    m_chart->Refresh();
}

void CGraphing::OnPrint() {
    PrintGraph(*this, *m_chart, FromStoredText(Frame().CurrentUser.Name()));
}

void CGraphing::OnExport() {
    ExportGraph(*this, *m_chart);
}

} // namespace vitalog
