// The graph screen on the real main window: choosing a graph type and data items through the
// widgets, what the chart is handed for stored records, the messages, and the printed page
// and exported report of a drawn chart.
#include "MainWindowFixture.h"
#include "controls/CXPGroupBox.h"
#include "graphs/CMSChart.h"
#include "graphs/GraphData.h"
#include "graphs/GraphReport.h"
#include "help/HelpPageWindow.h"
#include "platform/PrintedPage.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "reports/RtfPicture.h"
#include "screens/CGraphing.h"
#include "shell/Commands.h"
#include "shell/ScreenClass.h"

#include <QAbstractSeries>
#include <QAccessible>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QSet>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

#include <cmath>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString BodyLine = QStringLiteral("Body Composition     - Line");
const QString TapeBar = QStringLiteral("Tape Measurements - Bar");
const QString BmiLine = QStringLiteral("Body Mass Index      - Line");
const QString PressureLine = QStringLiteral("Blood Pressure         - Line");
const QString PressureBar = QStringLiteral("Blood Pressure         - Bar");

using Rows = QList<QList<double>>;

// The graph screen of a fixture whose user is stored and selected.
class GraphScreen {
public:
    explicit GraphScreen(MainWindowFixture& fixture,
                         UserRecord user = MainWindowFixture::MakeUser("Jane"))
        : f(fixture) {
        AddUser(Data(), user);
        FindUser(Data(), user);
        f.SelectUser(user);
    }

    std::filesystem::path Data() const { return f.services.services.DataPath(); }
    const UserRecord& User() const { return f.Frame().CurrentUser; }

    // Records, as the other screens save them (an imperial user's pounds and inches).
    void BodyComposition(DateKey date, double bodyFat, double weight, double fatWeight = 0) {
        BodyFatRecord r;
        r.user = User();
        r.user.units = Imperial;
        r.user.weight = weight;
        r.bodyFat = bodyFat;
        r.fatWeight = fatWeight;
        r.leanWeight = weight - fatWeight;
        r.SetMethod("Other");
        r.date = date;
        QCOMPARE(BodyFatFile::Append(Data(), r), StoreResult::Done);
    }
    void Tape(DateKey date, double waist) {
        TapeRecord r;
        r.user = User();
        r.user.units = Imperial;
        r.user.lengthUnits = Inches;
        r.waist = waist;
        r.date = date;
        QCOMPARE(TapeFile::Append(Data(), r), StoreResult::Done);
    }
    void Bmi(DateKey date, double bmi) {
        BmiRecord r;
        r.user = User();
        r.bmi = bmi;
        r.height = 70;
        r.date = date;
        QCOMPARE(BmiFile::Append(Data(), r), StoreResult::Done);
    }
    void Reading(QDateTime when, int systolic, int diastolic, int pulse) {
        BloodPressureRecord r;
        r.user = User();
        r.systolic = systolic;
        r.diastolic = diastolic;
        r.pulse = pulse;
        r.when = MakeDateTimeKey(when.date().year(), when.date().month(), when.date().day(),
                                 when.time().hour(), when.time().minute(), when.time().second());
        QCOMPARE(BloodPressureFile::Append(Data(), r), StoreResult::Done);
    }

    // Through the Options menu, as the user gets there.
    void Open() {
        f.Frame().UpdateCommandStates();
        f.Frame().Execute(CommandId::OptionsGraph);
        screen = qobject_cast<CGraphing*>(f.Frame().CurrentScreen());
        QVERIFY(screen);
        types = Find<QComboBox>("graphTypeList");
        items = Find<QListWidget>("dataList");
        from = Find<QDateTimeEdit>("fromPicker");
        to = Find<QDateTimeEdit>("toPicker");
        graph = Find<QToolButton>("graphButton");
        help = Find<QToolButton>("helpButton");
        area = Find<QStackedWidget>("chartArea");
        trend = Find<QCheckBox>("trendCheckBox");
        goal = Find<QCheckBox>("goalCheckBox");
        chart = screen->Chart();
    }

    template <class W> W* Find(const char* name) const {
        auto* widget = screen->findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no widget %s", name);
        return widget;
    }

    void ChooseType(const QString& text) {
        const int index = types->findText(text, Qt::MatchExactly);
        QVERIFY2(index >= 0, qPrintable(text));
        types->setCurrentIndex(index);
        emit types->activated(index);
    }
    // Clicks the items in the data list (a click toggles an item's selection).
    void ClickItems(const QStringList& texts) {
        for (const QString& text : texts) {
            const QList<QListWidgetItem*> found = items->findItems(text, Qt::MatchExactly);
            QVERIFY2(found.size() == 1, qPrintable(text));
            QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                              items->visualItemRect(found[0]).center());
        }
    }
    QStringList ItemTexts() const {
        QStringList texts;
        for (int row = 0; row < items->count(); ++row)
            texts << items->item(row)->text();
        return texts;
    }
    bool Enabled(CommandId id) const {
        f.Frame().UpdateCommandStates();
        return f.Frame().Action(id)->isEnabled();
    }
    bool GraphEnabled() const {
        QCoreApplication::processEvents();
        return graph->isEnabled();
    }
    void ClickGraph() {
        QVERIFY(GraphEnabled());
        QTest::mouseClick(graph, Qt::LeftButton);
    }
    bool ChartShown() const { return area->currentWidget() == chart; }

    MainWindowFixture& f;
    CGraphing* screen = nullptr;
    QComboBox* types = nullptr;
    QListWidget* items = nullptr;
    QDateTimeEdit* from = nullptr;
    QDateTimeEdit* to = nullptr;
    QToolButton* graph = nullptr;
    QToolButton* help = nullptr;
    QStackedWidget* area = nullptr;
    QCheckBox* trend = nullptr;
    QCheckBox* goal = nullptr;
    CMSChart* chart = nullptr;
};

QDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// A year of records: body composition on four dates, tape on two, blood pressure three times
// on one day and once on another. No BMI records.
void StoreYear(GraphScreen& s) {
    s.BodyComposition(20250104, 24.6, 182, 44.77);
    s.BodyComposition(20250405, 22.1, 176.5, 39.0);
    s.BodyComposition(20250712, 20.3, 172, 34.92);
    s.BodyComposition(20251220, 18.9, 168.25, 31.8);
    s.Tape(20250301, 36);
    s.Tape(20251101, 33.5);
    s.Reading(At(2025, 6, 2, 7, 5, 0), 131, 85, 72);
    s.Reading(At(2025, 6, 2, 12, 30, 15), 126, 82, 75);
    s.Reading(At(2025, 6, 2, 21, 0, 0), 122, 79, 68);
    s.Reading(At(2025, 6, 9, 8, 0, 0), 128, 84, 70);
}

} // namespace

class GraphScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void opensWithNothingChosen();
    void choosingATypeSetsTheRangeAndTheItems_data();
    void choosingATypeSetsTheRangeAndTheItems();
    void drawsTheChosenItems_data();
    void drawsTheChosenItems();
    void anotherTypeDisablesPrintAndExportButKeepsTheChart();
    void messages_data();
    void messages();
    void optionsGraphDrawsWhileTheScreenIsShown();
    void helpOpensTopicFive();
    void exportWritesOnePictureAndTheFooter();
    void exportCancelledWritesNothing();
    void printRendersOnePage();
    void printMessagesAndCancel();
    void pageLayout_data();
    void pageLayout();
    void chartKeepsEveryRowAndNewDataClearsTheLabels();
    void manyRowsNameOnlyAsManyAsTheWidthHolds();
    void chartDrawsOverlaysOnLineChartsOnly();
    void optionBoxesFollowTheGraphType_data();
    void optionBoxesFollowTheGraphType();
    void optionsAreRemembered();
    void optionsOnlyAddLinesBesideTheGrid();
    void goalLines_data();
    void goalLines();
    void printAndExportShowTheLines();
    void yearOfWeightsWithTrendAndGoal();

private:
    // The program's settings go here, never to the user's own.
    QTemporaryDir m_settings;
};

void GraphScreenTest::initTestCase() {
    QVERIFY(m_settings.isValid());
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrel Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vitalog graph tests"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void GraphScreenTest::init() {
    // Every test starts with the options as a new installation has them: off.
    QSettings().clear();
}

void GraphScreenTest::opensWithNothingChosen() {
    MainWindowFixture f;
    GraphScreen s(f);
    s.Open();
    QStringList types;
    for (int i = 0; i < s.types->count(); ++i)
        types << s.types->itemText(i);
    QCOMPARE(types, (QStringList{BodyLine, QStringLiteral("Body Composition     - Bar"),
                                 QStringLiteral("Tape Measurements - Line"), TapeBar, BmiLine,
                                 QStringLiteral("Body Mass Index      - Bar"), PressureLine,
                                 PressureBar}));
    QCOMPARE(s.types->currentIndex(), -1);
    QCOMPARE(s.items->count(), 0);
    QCOMPARE(s.items->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(s.from->dateTime(), f.services.clock.now);
    QCOMPARE(s.to->dateTime(), f.services.clock.now);
    QVERIFY(!s.ChartShown());
    QCOMPARE(s.area->currentWidget()->objectName(), QStringLiteral("emptyChartFrame"));
    QVERIFY(!s.GraphEnabled());
    QVERIFY(!s.Enabled(CommandId::OptionsGraph));
    QVERIFY(!s.Enabled(CommandId::FilePrint));
    QVERIFY(!s.Enabled(CommandId::FileExport));
    QVERIFY(s.Enabled(CommandId::ToolbarGraph));
    QVERIFY(f.Prompter().Boxes().isEmpty());

    // What a screen reader hears.
    QCOMPARE(s.graph->accessibleName(), QStringLiteral("Graph"));
    QCOMPARE(s.help->accessibleName(), QStringLiteral("Help"));
    const std::pair<QWidget*, QString> captions[] = {
        {s.types, QStringLiteral("Select type of graph:")},
        {s.items, QStringLiteral("Select data to graph:")},
        {s.from, QStringLiteral("From:")},
        {s.to, QStringLiteral("To:")},
    };
    for (const auto& [field, caption] : captions) {
        bool found = false;
        for (const QLabel* label : s.screen->findChildren<QLabel*>())
            found = found || (label->text() == caption && label->buddy() == field);
        QVERIFY2(found, qPrintable(caption));
    }
    for (QCheckBox* option : {s.trend, s.goal}) {
        QCOMPARE(option->accessibleName(), option->text());
        QVERIFY(!option->isChecked());
        QVERIFY(option->isEnabled());
    }
    QCOMPARE(s.trend->text(), QStringLiteral("Trend"));
    QCOMPARE(s.goal->text(), QStringLiteral("Goal"));
    // Tab walks the form top to bottom; the chart takes no stop.
    const QList<QWidget*> expected{s.types, s.items, s.trend, s.goal, s.from, s.to};
    QList<QWidget*> order;
    QWidget* at = s.types;
    do {
        if (expected.contains(at) && !order.contains(at))
            order << at;
        at = at->nextInFocusChain();
    } while (at != s.types);
    QCOMPARE(order, expected);
    QCOMPARE(s.chart->focusPolicy(), Qt::NoFocus);

    auto* attributes = s.Find<CXPGroupBox>("graphingAttributesBox");
    auto* range = s.Find<CXPGroupBox>("selectDateRangeBox");
    QCOMPARE(attributes->title(), QStringLiteral("Graphing Attributes"));
    QCOMPARE(range->title(), QStringLiteral("Select Date Range"));
    QCOMPARE(attributes->BodyBackgroundColor(), QColor(Qt::white));
    QCOMPARE(range->BodyBackgroundColor(), QColor(255, 255, 204));
    QCOMPARE(range->TitleBackgroundColor(), QColor(201, 201, 151));
}

void GraphScreenTest::choosingATypeSetsTheRangeAndTheItems_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("sex");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    const QDateTime now = FixedClock().now;
    QTest::newRow("body composition: dates at midnight")
        << BodyLine << int(Male)
        << QStringList{"Body Fat %", "Body Fat Wt", "Lean Body Wt", "Weight"} << At(2025, 1, 4)
        << At(2025, 12, 20);
    QTest::newRow("tape of a man")
        << TapeBar << int(Male)
        << QStringList{"Bicep", "Calf", "Chest", "Forearm", "Neck", "Thigh", "Waist", "Weight"}
        << At(2025, 3, 1) << At(2025, 11, 1);
    QTest::newRow("tape of a woman")
        << TapeBar << int(Female)
        << QStringList{"Bicep", "Calf", "Chest", "Hip", "Neck", "Thigh", "Waist", "Weight"}
        << At(2025, 3, 1) << At(2025, 11, 1);
    QTest::newRow("BMI without records: the range stays")
        << BmiLine << int(Male) << QStringList{"BMI", "Height", "Weight"} << now << now;
    QTest::newRow("blood pressure: dates and times")
        << PressureBar << int(Male) << QStringList{"Diastolic", "Pulse", "Systolic"}
        << At(2025, 6, 2, 7, 5, 0) << At(2025, 6, 9, 8, 0, 0);
}

void GraphScreenTest::choosingATypeSetsTheRangeAndTheItems() {
    QFETCH(QString, type);
    QFETCH(int, sex);
    QFETCH(QStringList, items);
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Jane");
    user.sex = sex;
    GraphScreen s(f, user);
    StoreYear(s);
    s.Open();
    s.ChooseType(type);
    QCOMPARE(s.ItemTexts(), items);
    QVERIFY(s.items->selectedItems().isEmpty());
    QCOMPARE(s.from->dateTime(), from);
    QCOMPARE(s.to->dateTime(), to);
    QVERIFY(!s.GraphEnabled());
    s.ClickItems({items.first()});
    QVERIFY(s.GraphEnabled());
    QVERIFY(s.Enabled(CommandId::OptionsGraph));
    s.ClickItems({items.first()});
    QVERIFY(!s.GraphEnabled());
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void GraphScreenTest::drawsTheChosenItems_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("clicked");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<int>("chartType");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<Rows>("values");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");

    QTest::newRow("two series in list order")
        << false << BodyLine << QStringList{"Weight", "Body Fat %"} << At(2025, 1, 1)
        << At(2025, 7, 12) << int(CMSChart::Line2d) << QStringList{"Body Fat %", "Weight"}
        << QStringList{"1/4/25", "4/5/25", "7/12/25"} << QStringList{}
        << Rows{{24.6, 182}, {22.1, 176.5}, {20.3, 172}} << 15.0 << 187.0;
    QTest::newRow("From equal to To")
        << false << QStringLiteral("Body Composition     - Bar") << QStringList{"Body Fat %"}
        << At(2025, 4, 5) << At(2025, 4, 5) << int(CMSChart::Bar2d) << QStringList{"Body Fat %"}
        << QStringList{"4/5/25"} << QStringList{} << Rows{{22.1}} << 17.0 << 27.0;
    QTest::newRow("kilograms for a metric user")
        << true << BodyLine << QStringList{"Body Fat Wt", "Weight"} << At(2025, 12, 20)
        << At(2025, 12, 20) << int(CMSChart::Line2d) << QStringList{"Body Fat Wt", "Weight"}
        << QStringList{"12/20/25"} << QStringList{} << Rows{{14.42, 76.32}} << 9.0 << 81.0;
    QTest::newRow("centimetres for a metric user")
        << true << TapeBar << QStringList{"Waist"} << At(2025, 1, 1) << At(2025, 12, 31)
        << int(CMSChart::Bar2d) << QStringList{"Waist"} << QStringList{"3/1/25", "11/1/25"}
        << QStringList{} << Rows{{91.44}, {85.09}} << 80.0 << 96.0;
    QTest::newRow("three readings of one day")
        << false << PressureBar << QStringList{"Systolic", "Pulse"} << At(2025, 6, 2)
        << At(2025, 6, 2, 23, 59, 59) << int(CMSChart::Bar2d) << QStringList{"Pulse", "Systolic"}
        << QStringList{"6/2/2025", "6/2/2025", "6/2/2025"}
        << QStringList{"7:05:00 AM", "12:30:15 PM", "9:00:00 PM"}
        << Rows{{72, 131}, {75, 126}, {68, 122}} << 63.0 << 136.0;
}

void GraphScreenTest::drawsTheChosenItems() {
    QFETCH(bool, metric);
    QFETCH(QString, type);
    QFETCH(QStringList, clicked);
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(int, chartType);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, dates);
    QFETCH(QStringList, times);
    QFETCH(Rows, values);
    QFETCH(double, minimum);
    QFETCH(double, maximum);

    MainWindowFixture f;
    GraphScreen s(f);
    StoreYear(s);
    if (metric) {
        f.Frame().CurrentUser.units = Metric;
        f.Frame().CurrentUser.lengthUnits = Centimetres;
    }
    s.Open();
    s.ChooseType(type);
    s.ClickItems(clicked);
    s.from->setDateTime(from);
    s.to->setDateTime(to);
    s.ClickGraph();

    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(s.ChartShown());
    const CMSChart& chart = *s.chart;
    QCOMPARE(chart.GetChartType(), chartType);
    QCOMPARE(chart.RowCount(), int(values.size()));
    QCOMPARE(chart.ColumnCount(), int(columns.size()));
    for (int row = 0; row < chart.RowCount(); ++row) {
        for (int column = 0; column < chart.ColumnCount(); ++column)
            QCOMPARE(chart.Value(row, column), values[row][column]);
        QCOMPARE(chart.RowLabel(row + 1, 1), dates[row]);
        QCOMPARE(chart.RowLabel(row + 1, 2), times.isEmpty() ? QString() : times[row]);
    }
    QCOMPARE(chart.RowLabelCount(), times.isEmpty() ? 1 : 2);
    for (int column = 0; column < chart.ColumnCount(); ++column)
        QCOMPARE(chart.ColumnLabel(column + 1), columns[column]);
    QVERIFY(chart.LegendShown());
    QCOMPARE(chart.Minimum(), minimum);
    QCOMPARE(chart.Maximum(), maximum);

    // What Qt Charts draws from it: the legend's series, the axes.
    QChart* drawn = s.chart->chart();
    QVERIFY(drawn->legend()->isVisible());
    QStringList legend;
    for (QLegendMarker* marker : drawn->legend()->markers())
        legend << marker->label();
    QCOMPARE(legend, columns);
    auto* valueAxis = qobject_cast<QValueAxis*>(drawn->axes(Qt::Vertical).value(0));
    QVERIFY(valueAxis);
    QCOMPARE(valueAxis->min(), minimum);
    QCOMPARE(valueAxis->max(), maximum);
    auto* categories = qobject_cast<QBarCategoryAxis*>(drawn->axes(Qt::Horizontal).value(0));
    QVERIFY(categories);
    QCOMPARE(categories->count(), int(values.size()));
    // Readings of one day keep their own category each: the date, then the time below.
    QCOMPARE(categories->categories().first(),
             times.isEmpty() ? dates.first()
                             : dates.first() + QStringLiteral("<br>") + times.first());

    QVERIFY(s.Enabled(CommandId::FilePrint));
    QVERIFY(s.Enabled(CommandId::FileExport));
    QVERIFY(s.Enabled(CommandId::ToolbarPrint));
    QVERIFY(s.Enabled(CommandId::ToolbarExport));
}

void GraphScreenTest::anotherTypeDisablesPrintAndExportButKeepsTheChart() {
    MainWindowFixture f;
    GraphScreen s(f);
    StoreYear(s);
    s.Open();
    s.ChooseType(BodyLine);
    s.ClickItems({"Weight"});
    s.ClickGraph();
    QVERIFY(s.Enabled(CommandId::FileExport));
    s.ChooseType(PressureLine);
    QVERIFY(s.ChartShown());
    QCOMPARE(s.chart->ColumnLabel(1), QStringLiteral("Weight"));
    QVERIFY(!s.Enabled(CommandId::FilePrint));
    QVERIFY(!s.Enabled(CommandId::FileExport));
    QVERIFY(!s.GraphEnabled()); // the selection went with the old list
    // Changing the range redraws nothing by itself.
    s.ClickItems({"Pulse"});
    s.from->setDateTime(At(2025, 6, 9));
    QCOMPARE(s.chart->ColumnLabel(1), QStringLiteral("Weight"));
    s.ClickGraph();
    QCOMPARE(s.chart->ColumnLabel(1), QStringLiteral("Pulse"));
    QCOMPARE(s.chart->RowCount(), 1);
}

void GraphScreenTest::messages_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const QString info = QStringLiteral("Information");
    const QString error = QStringLiteral("Error");
    const QDateTime none; // the range the type chose
    QTest::newRow("no body composition records")
        << BodyLine << false << none << none << info
        << QStringLiteral("No body composition records exist for user Jane");
    QTest::newRow("no tape records")
        << TapeBar << false << none << none << info
        << QStringLiteral("No tape measurement records exist for user Jane");
    QTest::newRow("no BMI records") << BmiLine << true << none << none << info
                                    << QStringLiteral("No BMI records exist for user Jane");
    QTest::newRow("no blood pressure records")
        << PressureBar << false << none << none << info
        << QStringLiteral("No blood pressure records exist for user Jane");
    QTest::newRow("From after To, by days")
        << BodyLine << true << At(2025, 7, 13) << At(2025, 7, 12) << error
        << QStringLiteral("'From' date must be less than 'To' date");
    QTest::newRow("From after To, by seconds")
        << PressureLine << true << At(2025, 6, 2, 12, 30, 16) << At(2025, 6, 2, 12, 30, 15) << error
        << QStringLiteral("'From' date must be less than 'To' date");
    QTest::newRow("no body composition in range")
        << BodyLine << true << At(2025, 7, 13) << At(2025, 12, 19) << error
        << QStringLiteral("No body composition records exist for date range specified");
    QTest::newRow("no tape in range")
        << TapeBar << true << At(2025, 3, 2) << At(2025, 10, 31) << error
        << QStringLiteral("No tape measurement records exist for date range specified");
    QTest::newRow("no readings between the times")
        << PressureBar << true << At(2025, 6, 2, 21, 0, 1) << At(2025, 6, 9, 7, 59, 59) << error
        << QStringLiteral("No blood pressure records exist for date range specified");
}

void GraphScreenTest::messages() {
    QFETCH(QString, type);
    QFETCH(bool, stored);
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(QString, title);
    QFETCH(QString, text);
    MainWindowFixture f;
    GraphScreen s(f);
    if (stored)
        StoreYear(s);
    s.Open();
    s.ChooseType(type);
    s.items->item(0)->setSelected(true);
    if (from.isValid()) {
        s.from->setDateTime(from);
        s.to->setDateTime(to);
    }
    f.Prompter().ExpectOk();
    s.ClickGraph();
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    QCOMPARE(f.Prompter().Last().title, title);
    QCOMPARE(f.Prompter().Last().text, text);
    QCOMPARE(f.Prompter().Last().icon,
             title == QStringLiteral("Error") ? QMessageBox::Critical : QMessageBox::Information);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
    QVERIFY(!s.ChartShown());
    QVERIFY(!s.Enabled(CommandId::FilePrint));
    QVERIFY(!s.Enabled(CommandId::FileExport));
}

void GraphScreenTest::optionsGraphDrawsWhileTheScreenIsShown() {
    MainWindowFixture f;
    GraphScreen s(f);
    StoreYear(s);
    s.Open();
    CGraphing* shown = s.screen;
    s.ChooseType(BodyLine);
    s.ClickItems({"Body Fat %"});
    QVERIFY(s.Enabled(CommandId::OptionsGraph));
    f.Frame().Execute(CommandId::OptionsGraph);
    QCOMPARE(f.Frame().CurrentScreen(), shown);
    QVERIFY(s.ChartShown());
    QCOMPARE(s.chart->RowCount(), 4);
    // The toolbar's Graph builds the screen anew.
    f.Frame().Execute(CommandId::ToolbarGraph);
    QVERIFY(f.Frame().CurrentScreen() != shown);
    QVERIFY(qobject_cast<CGraphing*>(f.Frame().CurrentScreen()));
}

void GraphScreenTest::helpOpensTopicFive() {
    MainWindowFixture f;
    GraphScreen s(f);
    s.Open();
    QVERIFY(s.Enabled(CommandId::FileExport) == false);
    QTest::mouseClick(s.help, Qt::LeftButton);
    bool shown = false;
    for (HelpPageWindow* page : f.Frame().findChildren<HelpPageWindow*>())
        shown = shown || (page->Topic() == 5 && page->isVisible());
    QVERIFY(shown);
}

namespace {
// A drawn body composition chart on a screen of its own fixture.
void DrawBodyComposition(GraphScreen& s) {
    StoreYear(s);
    s.Open();
    s.ChooseType(BodyLine);
    s.ClickItems({"Body Fat %", "Weight"});
    s.ClickGraph();
    QVERIFY(s.ChartShown());
}
} // namespace

void GraphScreenTest::exportWritesOnePictureAndTheFooter() {
    MainWindowFixture f;
    GraphScreen s(f);
    DrawBodyComposition(s);
    const QString path = f.services.FilePath(QStringLiteral("exported.rtf"));
    f.services.fileDialogs.NextFileName(path);
    f.Prompter().ExpectOk();
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's own"));
    f.Frame().Execute(CommandId::FileExport);
    // The picture comes from the widget; the user's clipboard keeps what it held.
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("the user's own"));
    QCOMPARE(f.services.fileDialogs.defaultNames, QStringList{"Graph.rtf"});
    QCOMPARE(f.services.fileDialogs.titles, QStringList{"Save Exported file"});
    QCOMPARE(f.Prompter().Texts(), QStringList{"Export successful"});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Information"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    QCOMPARE(rtf.count("{\\pict"), 1);
    const qsizetype title = rtf.indexOf("Graph Report for Jane");
    const qsizetype picture = rtf.indexOf("{\\pict\\wmetafile8");
    const qsizetype footer = rtf.indexOf(" Vitalog - www.kestrel-software.example/");
    QVERIFY(title > 0);
    QVERIFY(picture > title);
    QVERIFY(footer > picture);
    QVERIFY(!rtf.contains("http://"));
    // The chart at half its shown size.
    const QSize shown = s.chart->size();
    const QByteArray goal = "\\picwgoal" + QByteArray::number(PixelsToHimetric(shown.width())) +
                            "\\pichgoal" + QByteArray::number(PixelsToHimetric(shown.height())) +
                            "\\picscalex50\\picscaley50";
    QVERIFY2(rtf.contains(goal), goal.constData());
    QVERIFY(rtf.endsWith("}"));
}

void GraphScreenTest::exportCancelledWritesNothing() {
    MainWindowFixture f;
    GraphScreen s(f);
    DrawBodyComposition(s);
    f.services.fileDialogs.NextFileName(QString());
    f.Frame().Execute(CommandId::FileExport);
    QVERIFY(f.Prompter().Boxes().isEmpty());
    f.services.fileDialogs.NextFailure();
    f.Prompter().ExpectOk();
    f.Frame().Execute(CommandId::FileExport);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Can not save export file"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Error saving exported file\t"));
}

void GraphScreenTest::printRendersOnePage() {
    MainWindowFixture f;
    GraphScreen s(f);
    DrawBodyComposition(s);
    f.Frame().Execute(CommandId::FilePrint);
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QCOMPARE(f.services.printService.dialogs, 1);
    QCOMPARE(f.services.printService.lastMaxPage, 0); // no page range offered
    QFile pdf(f.services.printService.files.value(0));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                 bytes.count("/Type /Page>>") + bytes.count("/Type /Page "),
             1);
}

void GraphScreenTest::printMessagesAndCancel() {
    MainWindowFixture f;
    GraphScreen s(f);
    DrawBodyComposition(s);
    f.services.printService.acceptDialog = false;
    f.Frame().Execute(CommandId::FilePrint);
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(!QFile::exists(f.services.printService.files.value(0)));

    f.services.printService.hasPrinter = false;
    f.Prompter().ExpectOk();
    f.Frame().Execute(CommandId::FilePrint);
    QCOMPARE(f.Prompter().Texts(),
             QStringList{"Can not find printer. Please check installed/default printers."});
}

void GraphScreenTest::pageLayout_data() {
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QRect>("chart");
    // Page 4800 x 6336 with a line height of 100: margin 132, rule at 257, chart top 282,
    // width (4800 - 200) * 0.85 = 3910, footer at 6336 - 132 = 6204, room down to 6179.
    QTest::newRow("shown width fits 4 times: 4 times its height")
        << QSize(800, 500) << QRect(445, 282, 3910, 2000);
    QTest::newRow("wider than the page: page width, aspect kept")
        << QSize(7820, 1000) << QRect(445, 282, 3910, 500);
    QTest::newRow("taller than the room: scaled down to end above the footer")
        << QSize(3910, 10000) << QRect(1247, 282, 2305, 5897);
    QTest::newRow("nothing shown") << QSize() << QRect();
}

void GraphScreenTest::pageLayout() {
    QFETCH(QSize, shown);
    QFETCH(QRect, chart);
    PrintedPage page(QSize(4800, 6336), QFont(), 100);
    LayOutGraphPage(page, QStringLiteral("Jane - 12/9/2026"), shown,
                    [](QPainter&, const QRectF&) {});
    QCOMPARE(page.Texts().size(), std::size_t(2));
    QCOMPARE(page.Texts()[0].text, QStringLiteral("Jane - 12/9/2026"));
    QCOMPARE(page.Texts()[0].rect.top(), 132);
    QCOMPARE(page.Texts()[0].rect.center().x(), 2400 - 1);
    QCOMPARE(page.Lines(), (std::vector<QLine>{QLine(200, 257, 4600, 257)}));
    QCOMPARE(page.Texts()[1].text,
             QStringLiteral("Vitalog - http://www.kestrel-software.example/"));
    QCOMPARE(page.Texts()[1].rect.top(), 6204);
    if (chart.isEmpty()) {
        QVERIFY(page.Pictures().empty());
    } else {
        QCOMPARE(page.Pictures().size(), std::size_t(1));
        QCOMPARE(page.Pictures()[0].target, chart);
    }
    QCOMPARE(GraphPageTitle(QStringLiteral("Jane"), 2026, 3, 7), QStringLiteral("Jane - 3/7/2026"));
}

void GraphScreenTest::chartKeepsEveryRowAndNewDataClearsTheLabels() {
    CMSChart chart;
    chart.SetChartType(CMSChart::Line2d);
    chart.SetChartData({{1, 2}, {3, 4}, {5, 6}});
    // Labels that repeat (a hand-made file may hold one date twice) still give three points.
    for (int row = 1; row <= 3; ++row)
        chart.SetRowLabel(row, 1, QStringLiteral("3/7/04"));
    chart.SetColumnLabel(1, QStringLiteral("Neck"));
    chart.SetColumnLabel(3, QStringLiteral("no such column"));
    chart.Refresh();
    auto* categories =
        qobject_cast<QBarCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(categories);
    QCOMPARE(categories->count(), 3);
    QCOMPARE(chart.chart()->series().size(), 2);
    QCOMPARE(chart.chart()->series().first()->name(), QStringLiteral("Neck"));
    QCOMPARE(chart.ColumnLabel(3), QString());

    chart.SetChartType(CMSChart::Bar2d);
    chart.SetChartData({{7}});
    QCOMPARE(chart.RowLabel(1, 1), QString());
    QCOMPARE(chart.ColumnLabel(1), QString());
    chart.Refresh();
    QCOMPARE(chart.chart()->series().size(), 1); // one bar series of one set
    QCOMPARE(chart.chart()->axes(Qt::Horizontal).size(), 1);
}

void GraphScreenTest::manyRowsNameOnlyAsManyAsTheWidthHolds() {
    CMSChart chart;
    chart.SetChartType(CMSChart::Line2d);
    std::vector<std::vector<double>> values(365, std::vector<double>{180});
    chart.SetChartData(values);
    for (int row = 1; row <= 365; ++row)
        chart.SetRowLabel(row, 1, QStringLiteral("day %1").arg(row));
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.Refresh();
    auto* categories =
        qobject_cast<QBarCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(categories);
    const auto named = [&categories] {
        QList<int> rows;
        const QStringList texts = categories->categories();
        for (int i = 0; i < texts.size(); ++i)
            if (texts[i].startsWith(QStringLiteral("day ")))
                rows << i + 1;
        return rows;
    };
    // Every row keeps its point; the first is named, and the named ones are evenly spaced
    // and few enough to stand side by side upright.
    QCOMPARE(categories->count(), 365);
    QCOMPARE(categories->categories().first(), QStringLiteral("day 1"));
    const QList<int> narrow = named();
    const double lineHeight = QFontMetricsF(categories->labelsFont()).height();
    QVERIFY2(narrow.size() * lineHeight * 1.5 <= 600, qPrintable(QString::number(narrow.size())));
    QVERIFY(narrow.size() > 5);
    for (int i = 1; i < narrow.size(); ++i)
        QCOMPARE(narrow[i] - narrow[i - 1], narrow[1] - narrow[0]);
    // A gridline per row would grey the plot.
    QVERIFY(!categories->isGridLineVisible());
    // A gridline per row would grey the plot.
    QVERIFY(!categories->isGridLineVisible());
    const QStringList texts = categories->categories();
    QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), 365);

    // A wider chart names more of them.
    chart.resize(2400, 400);
    QVERIFY(named().size() > narrow.size());

    // A dozen rows are all named.
    chart.SetChartData(std::vector<std::vector<double>>(12, std::vector<double>{1}));
    for (int row = 1; row <= 12; ++row)
        chart.SetRowLabel(row, 1, QStringLiteral("day %1").arg(row));
    chart.Refresh();
    categories = qobject_cast<QBarCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
    QCOMPARE(named().size(), 12);
    QVERIFY(categories->isGridLineVisible());

    // A year of bars a pixel or two wide: drawn in their colour, not as borders alone.
    chart.resize(600, 400);
    chart.SetChartType(CMSChart::Bar2d);
    chart.SetChartData(values);
    chart.Refresh();
    auto* bars = qobject_cast<QBarSeries*>(chart.chart()->series().value(0));
    QVERIFY(bars);
    QCOMPARE(bars->barSets().first()->pen().color(), bars->barSets().first()->brush().color());
}

void GraphScreenTest::chartDrawsOverlaysOnLineChartsOnly() {
    CMSChart chart;
    const auto names = [&chart] {
        QStringList texts;
        for (QAbstractSeries* series : chart.chart()->series())
            texts << series->name();
        return texts;
    };
    chart.SetChartType(CMSChart::Line2d);
    chart.SetChartData({{36, 180}, {0, 170}, {35, 160}});
    const double none = std::nan("");
    chart.SetOverlays(
        {{QStringLiteral("Waist trend"), 1, CMSChart::Overlay::Trend, {36, none, 35.25}},
         {QStringLiteral("Goal"), 2, CMSChart::Overlay::Goal, {150}},
         {QStringLiteral("no such column"), 3, CMSChart::Overlay::Goal, {1}}});
    chart.Refresh();
    QCOMPARE(names(), (QStringList{"C1", "C2", "Waist trend", "Goal"}));
    const QList<QAbstractSeries*> series = chart.chart()->series();
    // No point where the row has no reading.
    QCOMPARE(qobject_cast<QLineSeries*>(series[2])->points(),
             (QList<QPointF>{{0, 36}, {2, 35.25}}));
    QCOMPARE(qobject_cast<QLineSeries*>(series[3])->points(),
             (QList<QPointF>{{-0.5, 150}, {2.5, 150}}));

    chart.SetChartType(CMSChart::Bar2d);
    chart.Refresh();
    QCOMPARE(series.size(), 4);
    QCOMPARE(chart.chart()->series().size(), 1); // the bars alone
    // New data takes the overlays away.
    chart.SetChartType(CMSChart::Line2d);
    chart.SetChartData({{1}});
    QVERIFY(chart.Overlays().empty());
    chart.Refresh();
    QCOMPARE(names(), QStringList{"C1"});
}

void GraphScreenTest::optionBoxesFollowTheGraphType_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("enabled");
    for (const GraphType& type : GraphTypes) {
        const QString text = QString::fromLatin1(type.text);
        QTest::newRow(qPrintable(text.simplified()))
            << text << (!type.bar && type.kind != GraphKind::BloodPressure);
    }
}

void GraphScreenTest::optionBoxesFollowTheGraphType() {
    QFETCH(QString, type);
    QFETCH(bool, enabled);
    MainWindowFixture f;
    GraphScreen s(f);
    StoreYear(s);
    s.Bmi(20250301, 25.8);
    s.Open();
    s.trend->setChecked(true);
    s.ChooseType(type);
    for (QCheckBox* option : {s.trend, s.goal}) {
        QCOMPARE(option->isEnabled(), enabled);
        // A disabled box says why, to the eye and to a screen reader.
        QCOMPARE(option->accessibleDescription().isEmpty(), enabled);
        QCOMPARE(option->toolTip(), option->accessibleDescription());
        // As assistive technology reads it.
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(option);
        QVERIFY(read);
        QCOMPARE(read->text(QAccessible::Name), option->text());
        QCOMPARE(read->text(QAccessible::Description), option->accessibleDescription());
        QCOMPARE(read->state().disabled, !enabled);
    }
    // The tick stays for the next line graph; a bar or blood pressure graph draws no lines.
    QVERIFY(s.trend->isChecked());
    s.ClickItems({s.ItemTexts().last()});
    s.ClickGraph();
    QCOMPARE(s.chart->Overlays().empty(), !enabled);
    QCOMPARE(int(s.chart->chart()->series().size()),
             enabled ? 2 : 1); // the item, and its trend on a line graph
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void GraphScreenTest::optionsAreRemembered() {
    MainWindowFixture f;
    GraphScreen s(f);
    s.Open();
    QTest::mouseClick(s.goal, Qt::LeftButton);
    QVERIFY(s.goal->isChecked());
    QCOMPARE(QSettings().value(QStringLiteral("Graph/Goal")).toBool(), true);
    // The toolbar's Graph builds the screen anew: it reads the options back.
    f.Frame().Execute(CommandId::ToolbarGraph);
    s.Open();
    QVERIFY(s.goal->isChecked());
    QVERIFY(!s.trend->isChecked());
    s.goal->setFocus();
    QTest::keyClick(s.goal, Qt::Key_Space);
    QTest::keyClick(s.trend, Qt::Key_Space);
    f.Frame().Execute(CommandId::ToolbarGraph);
    s.Open();
    QVERIFY(!s.goal->isChecked());
    QVERIFY(s.trend->isChecked());
}

namespace {
// What the chart was handed and what Qt Charts drew from it.
struct Drawn {
    Rows values;
    QStringList rowLabels;
    QStringList columnLabels;
    double minimum = 0;
    double maximum = 0;
    QStringList series;

    explicit Drawn(CMSChart& chart) {
        for (int row = 0; row < chart.RowCount(); ++row) {
            QList<double> cells;
            for (int column = 0; column < chart.ColumnCount(); ++column)
                cells << chart.Value(row, column);
            values << cells;
            rowLabels << chart.RowLabel(row + 1, 1);
        }
        for (int column = 1; column <= chart.ColumnCount(); ++column)
            columnLabels << chart.ColumnLabel(column);
        minimum = chart.Minimum();
        maximum = chart.Maximum();
        for (QAbstractSeries* drawn : chart.chart()->series())
            series << drawn->name();
    }
};
} // namespace

void GraphScreenTest::optionsOnlyAddLinesBesideTheGrid() {
    MainWindowFixture f;
    GraphScreen s(f);
    StoreYear(s);
    s.Open();
    s.ChooseType(BodyLine);
    s.ClickItems({"Weight", "Lean Body Wt"});
    s.ClickGraph();
    const Drawn off(*s.chart);
    QVERIFY(s.chart->Overlays().empty());
    QCOMPARE(off.series, (QStringList{"Lean Body Wt", "Weight"}));
    QCOMPARE(off.values, (Rows{{182 - 44.77, 182},
                               {176.5 - 39.0, 176.5},
                               {172 - 34.92, 172},
                               {168.25 - 31.8, 168.25}}));

    s.trend->setChecked(true);
    s.goal->setChecked(true);
    s.ClickGraph();
    const Drawn on(*s.chart);
    QCOMPARE(on.values, off.values);
    QCOMPARE(on.rowLabels, off.rowLabels);
    QCOMPARE(on.columnLabels, off.columnLabels);
    QCOMPARE(on.series,
             (QStringList{"Lean Body Wt", "Weight", "Lean Body Wt trend", "Weight trend", "Goal"}));
    // The lines take their series' colour: a thinner, darker shade for a trend, dashed for a
    // goal.
    const QList<QAbstractSeries*> series = s.chart->chart()->series();
    const auto pen = [&](int i) { return qobject_cast<QLineSeries*>(series[i])->pen(); };
    QCOMPARE(pen(2).color().hue(), pen(0).color().hue());
    QCOMPARE(pen(3).color().hue(), pen(1).color().hue());
    QVERIFY(pen(3).color().value() < pen(1).color().value());
    QCOMPARE(pen(4).color(), pen(1).color());
    QVERIFY(pen(3).widthF() < pen(1).widthF());
    QCOMPARE(pen(4).style(), Qt::DashLine);
    QCOMPARE(pen(1).style(), Qt::SolidLine);
    // The goal runs across the whole chart, at one level.
    const auto* goal = qobject_cast<QLineSeries*>(series[4]);
    QCOMPARE(goal->points(), (QList<QPointF>{{-0.5, 136.45 / 0.85}, {3.5, 136.45 / 0.85}}));

    // Off again: exactly what the chart was handed before.
    s.trend->setChecked(false);
    s.goal->setChecked(false);
    s.ClickGraph();
    const Drawn again(*s.chart);
    QCOMPARE(again.values, off.values);
    QCOMPARE(again.rowLabels, off.rowLabels);
    QCOMPARE(again.columnLabels, off.columnLabels);
    QCOMPARE(again.minimum, off.minimum);
    QCOMPARE(again.maximum, off.maximum);
    QCOMPARE(again.series, off.series);
    QVERIFY(s.chart->Overlays().empty());
}

void GraphScreenTest::goalLines_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("clicked");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<double>>("levels");
    // The newest record (12/20/25): lean weight 168.25 - 31.8 = 136.45 lb, desired 15 %.
    const double pounds = 136.45 / 0.85;
    const double kilograms = 61.89 / 0.85;
    const QDateTime all = At(2025, 1, 1);
    QTest::newRow("imperial: body fat and weight, named by their series")
        << false << BodyLine << QStringList{"Weight", "Body Fat %"} << all
        << QStringList{"Body Fat % goal", "Weight goal"} << QList<double>{15, pounds};
    QTest::newRow("metric: the goal weight in kilograms")
        << true << BodyLine << QStringList{"Weight"} << all << QStringList{"Goal"}
        << QList<double>{kilograms};
    QTest::newRow("a range before the newest record: still its goal")
        << false << BodyLine << QStringList{"Weight"} << At(2025, 12, 19) << QStringList{"Goal"}
        << QList<double>{pounds};
    QTest::newRow("tape: the goal weight from the body composition records")
        << false << QStringLiteral("Tape Measurements - Line") << QStringList{"Waist", "Weight"}
        << all << QStringList{"Goal"} << QList<double>{pounds};
    QTest::newRow("no goal for the other items") << false << BodyLine << QStringList{"Lean Body Wt"}
                                                 << all << QStringList{} << QList<double>{};
}

void GraphScreenTest::goalLines() {
    QFETCH(bool, metric);
    QFETCH(QString, type);
    QFETCH(QStringList, clicked);
    QFETCH(QDateTime, from);
    QFETCH(QStringList, names);
    QFETCH(QList<double>, levels);
    MainWindowFixture f;
    GraphScreen s(f);
    StoreYear(s);
    if (metric) {
        f.Frame().CurrentUser.units = Metric;
        f.Frame().CurrentUser.lengthUnits = Centimetres;
    }
    s.Open();
    s.goal->setChecked(true);
    s.ChooseType(type);
    s.ClickItems(clicked);
    if (from.date().month() == 12) {
        // Before the newest record: the range ends on the day before it.
        s.from->setDateTime(At(2025, 7, 1));
        s.to->setDateTime(from);
    }
    s.ClickGraph();
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QStringList shown;
    QList<double> at;
    for (const CMSChart::Overlay& overlay : s.chart->Overlays()) {
        QCOMPARE(overlay.style, CMSChart::Overlay::Goal);
        QCOMPARE(s.chart->ColumnLabel(overlay.column) == QStringLiteral("Weight"),
                 overlay.name != QStringLiteral("Body Fat % goal"));
        shown << overlay.name;
        at << overlay.values.front();
    }
    QCOMPARE(shown, names);
    QCOMPARE(at.size(), levels.size());
    for (qsizetype i = 0; i < at.size(); ++i)
        QVERIFY2(qAbs(at[i] - levels[i]) < 1e-9, qPrintable(QString::number(at[i], 'g', 17)));
    // The axis reaches every goal.
    for (const double level : at)
        QVERIFY(s.chart->Minimum() <= level && level <= s.chart->Maximum());
}

void GraphScreenTest::printAndExportShowTheLines() {
    MainWindowFixture f;
    GraphScreen s(f);
    StoreYear(s);
    s.Open();
    f.Frame().resize(1000, 700);
    s.ChooseType(BodyLine);
    s.ClickItems({"Weight"});
    // The exported picture and the printed drawing, with the options off and then on.
    const auto pictures = [&s] {
        s.ClickGraph();
        QImage printed(s.chart->size(), QImage::Format_ARGB32);
        printed.fill(Qt::white);
        QPainter painter(&printed);
        s.chart->Render(painter, QRectF(printed.rect()));
        painter.end();
        return std::pair{s.chart->Bitmap(), printed};
    };
    const auto [exportedOff, printedOff] = pictures();
    s.trend->setChecked(true);
    s.goal->setChecked(true);
    const auto [exportedOn, printedOn] = pictures();
    QCOMPARE(exportedOn.size(), exportedOff.size());
    QVERIFY(exportedOn != exportedOff);
    QVERIFY(printedOn != printedOff);
    // The same lines as the screen: an export taken now holds them in its legend too.
    QStringList legend;
    for (QLegendMarker* marker : s.chart->chart()->legend()->markers())
        legend << marker->label();
    QCOMPARE(legend, (QStringList{"Weight", "Weight trend", "Goal"}));
    const QString path = f.services.FilePath(QStringLiteral("lines.rtf"));
    f.services.fileDialogs.NextFileName(path);
    f.Prompter().ExpectOk();
    f.Frame().Execute(CommandId::FileExport);
    QCOMPARE(f.Prompter().Texts(), QStringList{"Export successful"});
    f.Frame().Execute(CommandId::FilePrint);
    QCOMPARE(f.services.printService.dialogs, 1);
}

namespace {
// A year of morning weights: a slow decline with up to 1.5 lb either way from day to day, two
// missed weeks and a 90-day pause in the summer. The noise is fixed, so the picture is too.
QList<QDate> StoreYearOfWeights(GraphScreen& s) {
    QList<QDate> dates;
    const QDate first(2025, 1, 1);
    for (int day = 0; day < 365; ++day) {
        const QDate date = first.addDays(day);
        const bool missed = (day >= 40 && day < 47) || (day >= 250 && day < 257);
        const bool pause = day >= 130 && day < 220;
        if (missed || pause)
            continue;
        const double noise = 1.5 * std::sin(day * 12.9898) * std::cos(day * 4.1414);
        const double weight = std::round((192 - day * 0.035 + noise) * 10) / 10;
        s.BodyComposition(date.year() * 10000 + date.month() * 100 + date.day(), 22, weight,
                          weight * 0.22);
        dates << date;
    }
    return dates;
}
} // namespace

void GraphScreenTest::yearOfWeightsWithTrendAndGoal() {
    MainWindowFixture f;
    GraphScreen s(f);
    const QList<QDate> dates = StoreYearOfWeights(s);
    s.Open();
    f.Frame().resize(1200, 800);
    f.Frame().show();
    s.trend->setChecked(true);
    s.goal->setChecked(true);
    s.ChooseType(BodyLine);
    s.ClickItems({"Weight"});
    s.ClickGraph();
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QCOMPARE(s.chart->RowCount(), int(dates.size()));
    const std::vector<CMSChart::Overlay>& overlays = s.chart->Overlays();
    QCOMPARE(overlays.size(), std::size_t(2));
    const std::vector<double>& trend = overlays[0].values;
    QCOMPARE(int(trend.size()), s.chart->RowCount());
    // Smoother than the readings: the day-to-day steps of the trend are far smaller.
    double raw = 0, smooth = 0;
    for (int row = 1; row < s.chart->RowCount(); ++row) {
        if (dates[row - 1].daysTo(dates[row]) != 1)
            continue;
        raw += qAbs(s.chart->Value(row, 0) - s.chart->Value(row - 1, 0));
        smooth += qAbs(trend[std::size_t(row)] - trend[std::size_t(row - 1)]);
    }
    QVERIFY2(smooth * 4 < raw, qPrintable(QStringLiteral("%1 %2").arg(smooth).arg(raw)));
    // After the pause the trend starts at the reading; after a missed week it goes on.
    for (int row = 1; row < s.chart->RowCount(); ++row) {
        const qint64 gap = dates[row - 1].daysTo(dates[row]);
        const double value = s.chart->Value(row, 0);
        if (gap > 60)
            QCOMPARE(trend[std::size_t(row)], value);
        else if (gap > 1)
            QVERIFY(trend[std::size_t(row)] != value);
    }
    // To look at it: VITALOG_KEEP_GRAPHS=DIR keeps the window and the chart as PNG files.
    const QString keep = qEnvironmentVariable("VITALOG_KEEP_GRAPHS");
    if (!keep.isEmpty()) {
        // Let the chart lay out its axes and legend first.
        QTest::qWait(200);
        QVERIFY(f.Frame().grab().save(keep + QStringLiteral("/graph-window.png")));
        QVERIFY(s.chart->grab().save(keep + QStringLiteral("/graph-chart.png")));
    }
}

QTEST_MAIN(GraphScreenTest)
#include "GraphScreenTest.moc"
