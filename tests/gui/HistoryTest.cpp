// The history view through the main window: which table each History command shows, its
// messages, the enabling of Print and Export, sorting by header clicks and the row shading.
#include "MainWindowFixture.h"
#include "history/CVitalogView.h"
#include "history/HistoryModel.h"
#include "history/HistorySort.h"
#include "history/SortHeader.h"
#include "platform/AppServices.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

#include <cstring>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// A main window with Ann selected; records are written through the core.
struct History {
    History() {
        HistorySortState::Program() = {}; // a fresh program run
        user = MainWindowFixture::MakeUser("Ann");
        UserRecord stored = user;
        AddUser(Dir(), stored);
        f.SelectUser(user);
    }

    std::filesystem::path Dir() const { return f.services.services.DataPath(); }

    // Shows the table of the command and answers the one box that may follow.
    CVitalogView* Open(CommandId id) {
        f.Frame().Action(id)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        view = qobject_cast<CVitalogView*>(f.Frame().CurrentScreen());
        return view;
    }

    void AddBodyFat(DateKey date, double bodyFat) {
        BodyFatRecord r;
        r.user = user;
        r.SetMethod("Jackson/Pollock 7");
        r.bodyFat = bodyFat;
        r.date = date;
        QCOMPARE(BodyFatFile::Append(Dir(), r), StoreResult::Done);
    }
    void AddTape(DateKey date, double neck) {
        TapeRecord r;
        r.user = user;
        r.neck = neck;
        r.date = date;
        QCOMPARE(TapeFile::Append(Dir(), r), StoreResult::Done);
    }
    void AddPressure(int day, int hour, int systolic) {
        BloodPressureRecord r;
        r.user = user;
        r.when = MakeDateTimeKey(2005, 3, day, hour, 0, 0);
        r.systolic = systolic;
        r.diastolic = 80;
        r.pulse = 60;
        QCOMPARE(BloodPressureFile::Append(Dir(), r), StoreResult::Done);
    }
    void AddBmiBmr(DateKey date, double bmr) {
        BmiRecord bmi;
        bmi.user = user;
        bmi.bmi = 24;
        bmi.height = 70;
        bmi.date = date;
        QCOMPARE(BmiFile::Append(Dir(), bmi), StoreResult::Done);
        BmrRecord r;
        r.user = user;
        r.bmr = bmr;
        r.bmrWithActivity = bmr * 1.2;
        r.activityFactor = 1.2;
        r.date = date;
        QCOMPARE(BmrFile::Append(Dir(), r), StoreResult::Done);
    }

    // A click on the header of the column.
    void ClickHeader(int column) {
        QHeaderView* header = view->Table()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    QStringList ColumnTexts(int column) const {
        QStringList texts;
        for (int row = 0; row < view->Model()->rowCount(); ++row)
            texts << view->Model()->Text(row, column);
        return texts;
    }
    QStringList Headers() const {
        QStringList headers;
        for (int c = 0; c < view->Model()->columnCount(); ++c)
            headers << view->Model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return headers;
    }
    Qt::Alignment HeaderAlignment(int column) const {
        return view->Model()
                   ->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                   .value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    }
    bool Arrow(int column, bool ascending) const {
        return view->Header()->ArrowColumn() == column &&
               view->Header()->ArrowAscending() == ascending;
    }
    bool PrintAndExportEnabled(bool enabled) {
        f.Frame().UpdateCommandStates();
        for (CommandId id : {CommandId::FilePrint, CommandId::ToolbarPrint, CommandId::FileExport,
                             CommandId::ToolbarExport})
            if (f.Frame().Action(id)->isEnabled() != enabled)
                return false;
        return true;
    }

    MainWindowFixture f;
    UserRecord user;
    CVitalogView* view = nullptr;
};

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT
private slots:
    void tablesWithoutRecordsSayWhy_data();
    void tablesWithoutRecordsSayWhy();
    void allUsersWithoutLiveUsers();
    void clearViewShowsNothing();
    void bodyCompositionTableFromTheFile();
    void allUsersTableNewestUserOnTop();
    void dateClicksRefillAndTheDirectionIsRemembered();
    void systolicTwiceSortsUpThenDown();
    void bmrSortsByItsValueDespiteCommas();
    void theMenuKeySortsLikeAHeaderClick();
    void longestTextsAreNotCut_data();
    void longestTextsAreNotCut();
    void headerAlignmentsOfEachTable_data();
    void headerAlignmentsOfEachTable();
};

void HistoryTest::tablesWithoutRecordsSayWhy_data() {
    QTest::addColumn<CommandId>("command");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("bmrOnly");
    QTest::newRow("body fat") << CommandId::HistoryBodyFat
                              << "No body composition records exist for user Ann" << false;
    QTest::newRow("tape") << CommandId::HistoryTape
                          << "No tape measurement records exist for user Ann" << false;
    QTest::newRow("blood pressure") << CommandId::HistoryBloodPressure
                                    << "No blood pressure records exist for user Ann" << false;
    QTest::newRow("bmi/bmr") << CommandId::HistoryBmiBmr << "No BMI/BMR records exist for user Ann"
                             << false;
    // BMR records alone are no BMI/BMR records.
    QTest::newRow("bmr without bmi")
        << CommandId::HistoryBmiBmr << "No BMI/BMR records exist for user Ann" << true;
}

void HistoryTest::tablesWithoutRecordsSayWhy() {
    QFETCH(CommandId, command);
    QFETCH(QString, message);
    QFETCH(bool, bmrOnly);
    History h;
    if (bmrOnly) {
        BmrRecord r;
        r.user = h.user;
        r.bmr = 1700;
        r.date = 20050101;
        QCOMPARE(BmrFile::Append(h.Dir(), r), StoreResult::Done);
    }
    h.f.Prompter().ExpectOk();
    QVERIFY(h.Open(command));
    QCOMPARE(h.f.Prompter().Texts(), QStringList{message});
    QCOMPARE(h.f.Prompter().Last().title, QStringLiteral("Information"));
    QCOMPARE(h.f.Prompter().Last().icon, QMessageBox::Information);
    QCOMPARE(h.view->Model()->columnCount(), 0);
    QVERIFY(!h.view->HasData());
    QCOMPARE(h.view->Shown(), ShownTable::None);
    QVERIFY(h.PrintAndExportEnabled(false));
}

void HistoryTest::allUsersWithoutLiveUsers() {
    {
        History h;
        UserRecord ann = h.user;
        QCOMPARE(DeleteUser(h.Dir(), ann), StoreResult::Done);
        h.f.Prompter().ExpectOk();
        h.Open(CommandId::HistoryAllUsers);
        QCOMPARE(h.f.Prompter().Texts(), QStringList{QStringLiteral("No user records exist")});
        QCOMPARE(h.view->Model()->columnCount(), 13); // the columns stay
        QCOMPARE(h.view->Model()->rowCount(), 0);
        QVERIFY(h.PrintAndExportEnabled(false));
    }
    {
        // A "user.bin" that cannot be read: nothing at all, and no message.
        History h;
        QDir(h.f.services.DataDir()).remove(QStringLiteral("user.bin"));
        QDir(h.f.services.DataDir()).mkdir(QStringLiteral("user.bin"));
        h.Open(CommandId::NavHistoryAllUsers);
        QVERIFY(h.f.Prompter().Boxes().isEmpty());
        QCOMPARE(h.view->Model()->columnCount(), 0);
        QVERIFY(h.PrintAndExportEnabled(false));
    }
}

void HistoryTest::clearViewShowsNothing() {
    History h;
    h.AddTape(20050101, 15);
    h.Open(CommandId::HistoryTape);
    QVERIFY(h.PrintAndExportEnabled(true));
    h.Open(CommandId::HistoryClearView);
    QVERIFY(h.view);
    QCOMPARE(h.view->Model()->columnCount(), 0);
    QVERIFY(h.f.Prompter().Boxes().isEmpty());
    QVERIFY(h.PrintAndExportEnabled(false));
    QCOMPARE(h.view->Shown(), ShownTable::None);
}

void HistoryTest::bodyCompositionTableFromTheFile() {
    History h;
    h.AddBodyFat(20050101, 20);
    h.AddBodyFat(20070101, 16);
    h.AddBodyFat(20060101, 18); // out of order in the file
    h.Open(CommandId::NavHistoryBodyFat);
    QVERIFY(h.f.Prompter().Boxes().isEmpty());
    QCOMPARE(h.view->Shown(), ShownTable::BodyComposition);
    QVERIFY(h.PrintAndExportEnabled(true));
    QCOMPARE(h.Headers().mid(0, 6), (QStringList{"Date", "Type", "Body Fat %", "Weight lb",
                                                 "Lean Body lb", "Body Fat lb"}));
    QCOMPARE(h.ColumnTexts(0), (QStringList{"01/01/2007", "01/01/2006", "01/01/2005"}));
    QCOMPARE(h.ColumnTexts(2), (QStringList{"16.00 %", "18.00 %", "20.00 %"}));
    QVERIFY(h.Arrow(0, false));
    // Report mode: whole rows, no row numbers, the widths of the table.
    QTableView* table = h.view->Table();
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(table->verticalHeader()->isHidden());
    QCOMPARE(table->horizontalHeader()->sectionSize(1), h.view->ColumnWidth(110));
    QCOMPARE(table->horizontalHeader()->sectionSize(4), h.view->ColumnWidth(85));
    QCOMPARE(table->horizontalHeader()->sectionSize(6), h.view->ColumnWidth(100));
    QVERIFY(h.view->ColumnWidth(75) >= 75);
    // Grey, white, grey by row index.
    const auto shade = [&](int row) {
        return h.view->Model()
            ->data(h.view->Model()->index(row, 3), Qt::BackgroundRole)
            .value<QColor>();
    };
    QCOMPARE(shade(0), QColor(240, 240, 240));
    QCOMPARE(shade(1), QColor(255, 255, 255));
    QCOMPARE(shade(2), QColor(240, 240, 240));
}

void HistoryTest::allUsersTableNewestUserOnTop() {
    History h;
    UserRecord bob = MainWindowFixture::MakeUser("bob");
    bob.age = 0;
    QCOMPARE(AddUser(h.Dir(), bob), StoreResult::Done);
    UserRecord cy = MainWindowFixture::MakeUser("Cy");
    cy.sex = Female;
    QCOMPARE(AddUser(h.Dir(), cy), StoreResult::Done);
    h.AddBodyFat(20050101, 20);
    h.Open(CommandId::HistoryAllUsers);
    QVERIFY(h.f.Prompter().Boxes().isEmpty());
    QCOMPARE(h.view->Shown(), ShownTable::AllUsers);
    QVERIFY(h.PrintAndExportEnabled(true));
    QCOMPARE(h.ColumnTexts(0), (QStringList{"Cy", "bob", "Ann"}));
    QCOMPARE(h.ColumnTexts(1), (QStringList{"Female", "Male", "Male"}));
    QCOMPARE(h.ColumnTexts(4), (QStringList{"-", "-", "20.00 %"}));
    QCOMPARE(h.HeaderAlignment(0), Qt::AlignHCenter);
    QCOMPARE(h.view->Header()->ArrowColumn(), -1);

    h.ClickHeader(0); // names as text, whatever their case
    QCOMPARE(h.ColumnTexts(0), (QStringList{"Ann", "bob", "Cy"}));
    QVERIFY(h.Arrow(0, true));
    h.ClickHeader(2); // "-" lowest
    QCOMPARE(h.ColumnTexts(2), (QStringList{"-", "30", "30"}));
    h.ClickHeader(4);
    QCOMPARE(h.ColumnTexts(4), (QStringList{"-", "-", "20.00 %"}));
    h.ClickHeader(4);
    QCOMPARE(h.ColumnTexts(4).first(), QStringLiteral("20.00 %"));
    QVERIFY(h.Arrow(4, false));
}

void HistoryTest::dateClicksRefillAndTheDirectionIsRemembered() {
    History h;
    h.AddBodyFat(20060101, 18);
    h.AddBodyFat(20050101, 20);
    h.AddBodyFat(20070101, 16);
    h.AddTape(20050101, 15);
    h.AddTape(20060101, 16);
    h.Open(CommandId::HistoryBodyFat);
    const QStringList newest{"01/01/2007", "01/01/2006", "01/01/2005"};
    const QStringList oldest{"01/01/2005", "01/01/2006", "01/01/2007"};
    QCOMPARE(h.ColumnTexts(0), newest);

    h.ClickHeader(0);
    QCOMPARE(h.ColumnTexts(0), oldest);
    QVERIFY(h.Arrow(0, true));
    QCOMPARE(h.ColumnTexts(2), (QStringList{"20.00 %", "18.00 %", "16.00 %"})); // whole rows
    h.ClickHeader(0);
    QCOMPARE(h.ColumnTexts(0), newest);
    QVERIFY(h.Arrow(0, false));
    h.ClickHeader(0); // up again: the remembered direction is now ascending
    QVERIFY(h.Arrow(0, true));

    // Another table starts newest first; its first "Date" click flips the remembered
    // direction to descending and keeps that order, the second sorts ascending.
    h.Open(CommandId::HistoryTape);
    QCOMPARE(h.ColumnTexts(0), (QStringList{"01/01/2006", "01/01/2005"}));
    QVERIFY(h.Arrow(0, false));
    h.ClickHeader(0);
    QCOMPARE(h.ColumnTexts(0), (QStringList{"01/01/2006", "01/01/2005"}));
    QVERIFY(h.Arrow(0, false));
    h.ClickHeader(0);
    QCOMPARE(h.ColumnTexts(0), (QStringList{"01/01/2005", "01/01/2006"}));
    QVERIFY(h.Arrow(0, true));
    QVERIFY(h.view->HasData());
    QVERIFY(h.f.Prompter().Boxes().isEmpty());
}

void HistoryTest::systolicTwiceSortsUpThenDown() {
    History h;
    h.AddPressure(1, 9, 125);
    h.AddPressure(2, 21, 98);
    h.AddPressure(3, 8, 140);
    h.AddPressure(4, 13, 118);
    h.Open(CommandId::HistoryBloodPressure);
    QCOMPARE(h.ColumnTexts(1),
             (QStringList{"1:00:00 PM", "8:00:00 AM", "9:00:00 PM", "9:00:00 AM"}));
    h.ClickHeader(2);
    QCOMPARE(h.ColumnTexts(2), (QStringList{"98", "118", "125", "140"}));
    QCOMPARE(h.ColumnTexts(0), (QStringList{"3/2/2005", "3/4/2005", "3/1/2005", "3/3/2005"}));
    QVERIFY(h.Arrow(2, true));
    h.ClickHeader(2);
    QCOMPARE(h.ColumnTexts(2), (QStringList{"140", "125", "118", "98"}));
    QVERIFY(h.Arrow(2, false));
    // Times sort by the moment of the day, not by the hour's digits.
    h.ClickHeader(1);
    QCOMPARE(h.ColumnTexts(1),
             (QStringList{"8:00:00 AM", "9:00:00 AM", "1:00:00 PM", "9:00:00 PM"}));
    // The shading stays with the row index after a sort.
    HistoryModel* model = h.view->Model();
    QCOMPARE(model->data(model->index(0, 0), Qt::BackgroundRole).value<QColor>(),
             QColor(240, 240, 240));
    QCOMPARE(model->data(model->index(1, 0), Qt::BackgroundRole).value<QColor>(),
             QColor(Qt::white));
    QCOMPARE(model->data(model->index(2, 0), Qt::BackgroundRole).value<QColor>(),
             QColor(240, 240, 240));
}

// The header takes no focus: the table's context menu, opened from the keyboard, names every
// column and sorts as a click on its header does.
void HistoryTest::theMenuKeySortsLikeAHeaderClick() {
    History h;
    h.AddPressure(1, 9, 125);
    h.AddPressure(2, 21, 98);
    h.AddPressure(3, 8, 140);
    h.Open(CommandId::HistoryBloodPressure);
    QStringList offered;
    // Answers the menu once it is up: three steps down to "Systolic", then Return.
    std::function<void()> answer = [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            QTimer::singleShot(10, answer);
            return;
        }
        for (QAction* action : menu->actions())
            offered << action->text();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    };
    QTimer::singleShot(0, answer);
    QWidget* window = h.view->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    h.view->Table()->setFocus();
    QTest::keyClick(h.view->Table(), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(offered, (QStringList{"Sort by Date", "Sort by Time", "Sort by Systolic",
                                   "Sort by Diastolic", "Sort by Pulse", "Sort by Notes"}));
    QCOMPARE(h.ColumnTexts(2), (QStringList{"98", "125", "140"}));
    QVERIFY(h.Arrow(2, true));
}

void HistoryTest::bmrSortsByItsValueDespiteCommas() {
    History h;
    h.AddBmiBmr(20050101, 12000);
    h.AddBmiBmr(20050102, 999.4);
    h.AddBmiBmr(20050103, 1500);
    h.AddBmiBmr(20050104, 9500);
    h.AddBmiBmr(20050105, 1000.4);
    h.Open(CommandId::HistoryBmiBmr);
    h.ClickHeader(2);
    QCOMPARE(h.ColumnTexts(2), (QStringList{"999", "1,000", "1,500", "9,500", "12,000"}));
    h.ClickHeader(2);
    QCOMPARE(h.ColumnTexts(2), (QStringList{"12,000", "9,500", "1,500", "1,000", "999"}));
    h.ClickHeader(3); // the factor's name sorts as text
    QCOMPARE(h.ColumnTexts(3).first(), QStringLiteral("Sedentary"));
}

void HistoryTest::longestTextsAreNotCut_data() {
    QTest::addColumn<CommandId>("command");
    QTest::newRow("body fat") << CommandId::HistoryBodyFat;
    QTest::newRow("tape") << CommandId::HistoryTape;
    QTest::newRow("blood pressure") << CommandId::HistoryBloodPressure;
    QTest::newRow("bmi/bmr") << CommandId::HistoryBmiBmr;
    QTest::newRow("all users") << CommandId::HistoryAllUsers;
}

void HistoryTest::longestTextsAreNotCut() {
    QFETCH(CommandId, command);
    History h;
    BodyFatRecord r;
    r.user = h.user;
    r.user.weight = 999.99;
    r.SetMethod("Tape Measurement");
    r.bodyFat = 55.55;
    r.leanWeight = 888.88;
    r.fatWeight = 111.11;
    r.tape[0] = 55.55;
    r.tape[1] = 70.55;
    r.tape[3] = 22.22;
    r.date = 20051231;
    QCOMPARE(BodyFatFile::Append(h.Dir(), r), StoreResult::Done);
    h.AddTape(20051231, 88.88);
    h.AddPressure(28, 22, 222);
    h.AddBmiBmr(20051231, 88888.8);
    h.Open(command);
    h.ClickHeader(1); // an arrow takes room from a header
    QTableView* table = h.view->Table();
    const QFontMetrics metrics(table->font());
    QStyleOptionViewItem option;
    const int margin =
        2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    for (int c = 0; c < h.view->Model()->columnCount(); ++c) {
        const int width = table->horizontalHeader()->sectionSize(c);
        for (int row = 0; row < h.view->Model()->rowCount(); ++row) {
            const QString text = h.view->Model()->Text(row, c);
            if (c == 5 && command == CommandId::HistoryBloodPressure)
                continue; // notes run on as far as they go
            QVERIFY2(metrics.horizontalAdvance(text) + margin <= width, qPrintable(text));
        }
        const QString header = h.Headers().at(c);
        const int arrow = h.view->Header()->ArrowColumn() == c ? SortHeader::ArrowWidth + 8 : 0;
        QVERIFY2(metrics.horizontalAdvance(header) + 8 + arrow <= width, qPrintable(header));
    }
}

void HistoryTest::headerAlignmentsOfEachTable_data() {
    QTest::addColumn<CommandId>("command");
    QTest::addColumn<QList<int>>("centred");
    QTest::addColumn<QList<int>>("left");
    QTest::newRow("body fat") << CommandId::HistoryBodyFat << QList<int>{1} << QList<int>{0};
    QTest::newRow("tape") << CommandId::HistoryTape << QList<int>{} << QList<int>{0};
    QTest::newRow("blood pressure")
        << CommandId::HistoryBloodPressure << QList<int>{} << QList<int>{0, 5};
    QTest::newRow("bmi/bmr") << CommandId::HistoryBmiBmr << QList<int>{} << QList<int>{0};
    QTest::newRow("all users") << CommandId::HistoryAllUsers << QList<int>{0, 1} << QList<int>{};
}

void HistoryTest::headerAlignmentsOfEachTable() {
    QFETCH(CommandId, command);
    QFETCH(QList<int>, centred);
    QFETCH(QList<int>, left);
    History h;
    h.AddBodyFat(20050101, 20);
    h.AddTape(20050101, 15);
    h.AddPressure(1, 9, 125);
    h.AddBmiBmr(20050101, 1500);
    h.Open(command);
    for (int round = 0; round < 2; ++round) {
        for (int c = 0; c < h.view->Model()->columnCount(); ++c) {
            const Qt::Alignment expected = centred.contains(c) ? Qt::AlignHCenter
                                           : left.contains(c)  ? Qt::AlignLeft
                                                               : Qt::AlignRight;
            QCOMPARE(h.HeaderAlignment(c), expected);
        }
        h.ClickHeader(2); // and the same after a sort
    }
}

QTEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
