// The history view's Export and Print commands through the main window: the save dialog's
// default name, a document equal to the one the core writes for the same files whatever the
// sort order on screen, and records that went away after the table was filled.
#include "MainWindowFixture.h"
#include "history/CVitalogView.h"
#include "history/HistoryReports.h"
#include "printing/ScreenExport.h"
#include "records/RecordFile.h"
#include "records/Users.h"
#include "shell/Commands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <filesystem>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// A main window with Ann selected and a few records of every kind, the older ones last in
// their files so that the file order is not the report's order.
struct History {
    History() {
        user = MainWindowFixture::MakeUser("Ann");
        UserRecord stored = user;
        AddUser(Dir(), stored);
        f.SelectUser(user);
        int day = 10;
        for (const DateKey date : {20050307, 20060101, 20050101}) {
            TapeRecord tape;
            tape.user = user;
            tape.date = date;
            tape.neck = date % 100;
            QCOMPARE(TapeFile::Append(Dir(), tape), StoreResult::Done);
            BodyFatRecord bodyFat;
            bodyFat.user = user;
            bodyFat.SetMethod("Parrillo");
            bodyFat.bodyFat = date % 100;
            bodyFat.date = date;
            QCOMPARE(BodyFatFile::Append(Dir(), bodyFat), StoreResult::Done);
            BmiRecord bmi;
            bmi.user = user;
            bmi.bmi = 24;
            bmi.height = 70.5;
            bmi.date = date;
            QCOMPARE(BmiFile::Append(Dir(), bmi), StoreResult::Done);
            BloodPressureRecord pressure;
            pressure.user = user;
            pressure.when = MakeDateTimeKey(2005, 3, day--, 21, 5, 30);
            pressure.systolic = 120 + day;
            pressure.SetNotes("first line\r\nsecond line");
            QCOMPARE(BloodPressureFile::Append(Dir(), pressure), StoreResult::Done);
        }
    }

    std::filesystem::path Dir() const { return f.services.services.DataPath(); }

    CVitalogView* Open(CommandId id) {
        f.Frame().Action(id)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        view = qobject_cast<CVitalogView*>(f.Frame().CurrentScreen());
        return view;
    }
    void Trigger(CommandId id) {
        f.Frame().UpdateCommandStates();
        QAction* action = f.Frame().Action(id);
        QVERIFY(action->isEnabled());
        action->trigger();
    }
    void ClickHeader(int column) {
        QHeaderView* header = view->Table()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // The document the core writes for the same files.
    QByteArray Expected(ShownTable table) const {
        const QString path = f.services.FilePath(QStringLiteral("expected.rtf"));
        const HistoryExportFile result =
            ExportHistory(path.toStdString(), table, Dir(), user,
                          ScreenExport::DocumentText(ScreenExport::FooterText()));
        if (result.result != RtfResult::RtfSuccess)
            return {};
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        file.remove();
        return bytes;
    }

    MainWindowFixture f;
    UserRecord user;
    CVitalogView* view = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(ShownTable)

class HistoryExportTest : public QObject {
    Q_OBJECT
private slots:
    void exportOfTheShownTable_data();
    void exportOfTheShownTable();
    void recordsGoneSinceTheTableWasFilled_data();
    void recordsGoneSinceTheTableWasFilled();
    void cancelledSaveDialogWritesNothing();
};

void HistoryExportTest::exportOfTheShownTable_data() {
    QTest::addColumn<CommandId>("command");
    QTest::addColumn<ShownTable>("table");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("sortColumn");
    QTest::newRow("tape") << CommandId::HistoryTape << ShownTable::Tape << "HistoryTape.rtf" << 0;
    QTest::newRow("blood pressure")
        << CommandId::HistoryBloodPressure << ShownTable::BloodPressure << "HistoryBP.rtf" << 2;
    QTest::newRow("body composition")
        << CommandId::HistoryBodyFat << ShownTable::BodyComposition << "HistoryBodyComp.rtf" << 0;
    QTest::newRow("bmi/bmr") << CommandId::HistoryBmiBmr << ShownTable::BmiBmr
                             << "HistoryBMIBMR.rtf" << 0;
    QTest::newRow("all users") << CommandId::HistoryAllUsers << ShownTable::AllUsers
                               << "HistoryUsers.rtf" << 0;
}

void HistoryExportTest::exportOfTheShownTable() {
    QFETCH(CommandId, command);
    QFETCH(ShownTable, table);
    QFETCH(QString, fileName);
    QFETCH(int, sortColumn);
    History h;
    QVERIFY(h.Open(command));
    QCOMPARE(h.view->Shown(), table);
    // The rows on screen in another order: the reports still go newest first.
    h.ClickHeader(sortColumn);

    const QString path = h.f.services.FilePath(QStringLiteral("out.rtf"));
    h.f.services.fileDialogs.NextFileName(path);
    h.f.Prompter().ExpectOk();
    h.Trigger(CommandId::FileExport);
    QCOMPARE(h.f.services.fileDialogs.defaultNames.last(), fileName);
    QCOMPARE(h.f.Prompter().Texts(), QStringList{QStringLiteral("Export successful")});
    QCOMPARE(h.f.Prompter().Last().title, QStringLiteral("Information"));
    QVERIFY(h.f.Prompter().Unexpected().isEmpty());
    const QByteArray expected = h.Expected(table);
    QVERIFY(expected.contains("Vitalog - "));
    QCOMPARE(h.f.services.ReadFile(QStringLiteral("out.rtf")), expected);

    // Print takes the same records in the same order.
    const HistoryPrintText print = BuildHistoryPrintText(table, h.Dir(), h.user);
    QCOMPARE(h.view->PrintTextOfShownTable().value_or(QString()),
             QString::fromStdString(print.text));
}

void HistoryExportTest::recordsGoneSinceTheTableWasFilled_data() {
    QTest::addColumn<CommandId>("command");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("message"); // empty: nothing is said
    QTest::newRow("tape") << CommandId::HistoryTape << "tmAnn.bin"
                          << "No tape measurement records exist for user Ann";
    QTest::newRow("blood pressure") << CommandId::HistoryBloodPressure << "bpAnn.bin"
                                    << "No blood pressure records exist for user Ann";
    QTest::newRow("body composition") << CommandId::HistoryBodyFat << "bfAnn.bin"
                                      << "No body composition records exist for user Ann";
    QTest::newRow("bmi/bmr") << CommandId::HistoryBmiBmr << "bmiAnn.bin"
                             << "No Bmi records exist for user Ann";
    QTest::newRow("all users") << CommandId::HistoryAllUsers << "user.bin" << QString();
}

// The export leaves no file of a title and a header behind, and says why as the print does.
void HistoryExportTest::recordsGoneSinceTheTableWasFilled() {
    QFETCH(CommandId, command);
    QFETCH(QString, record);
    QFETCH(QString, message);
    History h;
    QVERIFY(h.Open(command));
    QVERIFY(h.view->HasData());
    QDir data(h.f.services.DataDir());
    QVERIFY(data.exists(record));
    QVERIFY(data.remove(record));
    // A folder of that name cannot be read, nor created again as an empty file.
    QVERIFY(data.mkdir(record));

    const QStringList said = message.isEmpty() ? QStringList() : QStringList{message};
    const QString path = h.f.services.FilePath(QStringLiteral("out.rtf"));
    h.f.services.fileDialogs.NextFileName(path);
    if (!message.isEmpty())
        h.f.Prompter().ExpectOk();
    h.Trigger(CommandId::FileExport);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(h.f.Prompter().Texts(), said);
    QVERIFY(h.f.Prompter().Unexpected().isEmpty());

    h.f.Prompter().Clear();
    if (!message.isEmpty())
        h.f.Prompter().ExpectOk();
    h.Trigger(CommandId::FilePrint);
    QCOMPARE(h.f.Prompter().Texts(), said);
    QVERIFY(h.f.Prompter().Unexpected().isEmpty());
    if (!message.isEmpty()) {
        QCOMPARE(h.f.Prompter().Last().title, QStringLiteral("Information"));
        QCOMPARE(h.f.Prompter().Last().icon, QMessageBox::Information);
    }
    QCOMPARE(h.f.services.printService.dialogs, 0);
}

void HistoryExportTest::cancelledSaveDialogWritesNothing() {
    History h;
    QVERIFY(h.Open(CommandId::HistoryTape));
    const QStringList before = QDir(h.f.services.DataDir()).entryList(QDir::Files);
    h.f.services.fileDialogs.NextFileName(QString());
    h.Trigger(CommandId::FileExport);
    QVERIFY(h.f.Prompter().Boxes().isEmpty());
    QCOMPARE(QDir(h.f.services.DataDir()).entryList(QDir::Files), before);
}

QTEST_MAIN(HistoryExportTest)
#include "HistoryExportTest.moc"
