// The Export command of the blood pressure, BMI/BMR, tape and body composition results screens
// through the main window:
// the save dialog as the report asks for it, the documents byte for byte against golden files
// (set VITALOG_UPDATE_GOLDEN=1 to rewrite them), the cells that depend on the screen's state,
// and every message of the frame: cancel, a failing dialog, a file that cannot be created or
// closed, and a picture too large to fit.
#include "printing/ScreenExport.h"
#include "MainWindowFixture.h"
#include "calc/DurninCalc.h"
#include "calc/JacksonPollock3FemaleCalc.h"
#include "calc/JacksonPollock3MaleCalc.h"
#include "calc/JacksonPollock4Calc.h"
#include "calc/JacksonPollock7Calc.h"
#include "calc/OtherCalc.h"
#include "calc/ParrilloCalc.h"
#include "calc/TapeFemaleCalc.h"
#include "calc/TapeMaleCalc.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/CBMI_BMR.h"
#include "screens/CBloodPressure.h"
#include "screens/CBodyFatResults.h"
#include "screens/CTapeMeasurement.h"
#include "shell/Commands.h"
#include "shell/ScreenClass.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <sys/fsuid.h>
#include <unistd.h>

#include <functional>
#include <memory>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString Success = QStringLiteral("Export successful");
const QString OpenError =
    QStringLiteral("Error opening file, make sure the file is not opened by another program");
const QString CloseError = QStringLiteral(
    "Error in Exporting file\n Make sure the exported file is not open before exporting");

enum class Kind { BloodPressure, BmiBmr, Tape, BodyComposition };

// One screen of a fixture whose user is stored and selected.
class ExportScreen {
public:
    ExportScreen(MainWindowFixture& fixture, Kind kind, UserRecord user)
        : f(fixture), m_kind(kind) {
        AddUser(f.services.services.DataPath(), user);
        FindUser(f.services.services.DataPath(), user);
        f.SelectUser(user);
        Open();
    }

    // Opens the screen (again: the "Last" values are read as it opens).
    void Open() {
        static const ScreenClass classes[] = {ScreenClass::CBloodPressure, ScreenClass::CBMI_BMR,
                                              ScreenClass::CTapeMeasurement,
                                              ScreenClass::CBodyFatResults};
        f.Frame().SwitchScreen(classes[int(m_kind)]);
        QCoreApplication::processEvents();
        screen = f.Frame().CurrentScreen();
        QVERIFY(screen);
    }

    template <class W> W* Find(const char* name) const {
        auto* widget = screen->findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no widget %s", name);
        return widget;
    }
    void Type(const char* field, const QString& text) const {
        auto* edit = Find<QLineEdit>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void Click(const char* button) const {
        f.Frame().UpdateCommandStates();
        qobject_cast<FormScreen*>(screen)->UpdateActionStates();
        QTest::mouseClick(Find<QToolButton>(button), Qt::LeftButton);
    }
    void Date(int y, int m, int d) const { Find<QDateEdit>("datePicker")->setDate(QDate(y, m, d)); }
    void Choose(const QString& entry) const {
        auto* list = Find<QComboBox>("dateList");
        const int index = list->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    // Saves what the fields hold, acknowledges the saved message and opens the screen again.
    void Save() {
        f.Prompter().ExpectOk();
        Click("saveButton");
        QCOMPARE(f.Prompter().PendingAnswers(), 0);
        Open();
    }

    // Blood pressure.
    void Reading(QTime time, const QString& s, const QString& d, const QString& p) const {
        Find<QTimeEdit>("timePicker")->setTime(time);
        Type("systolicEdit", s);
        Type("diastolicEdit", d);
        Type("pulseEdit", p);
    }
    // BMI/BMR: fills the fields and calculates.
    void Calculate(const QString& ft, const QString& in, const QString& w, const QString& a,
                   const QString& activity) const {
        Type("heightFeetEdit", ft);
        Type("heightInchesEdit", in);
        Type("weightEdit", w);
        Type("ageEdit", a);
        auto* radio = Find<QRadioButton>(qPrintable(activity.toLower() + QStringLiteral("Radio")));
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        Click("calculateButton");
    }
    // Tape: weight and the seven sites in record order.
    void Sites(const QString& weight, const QStringList& sites) const {
        static const char* const edits[] = {"bicepEdit", "forearmOrHipEdit", "chestEdit",
                                            "waistEdit", "neckEdit",         "calfEdit",
                                            "thighEdit"};
        Type("weightEdit", weight);
        for (int i = 0; i < 7; ++i)
            Type(edits[i], sites.value(i));
    }

    // Body composition: hands a calculation over as the calculator does.
    void Hand(std::unique_ptr<BodyFatCalculation> calc, DateKey date) {
        calc->Calculate();
        calc->record.date = date;
        f.Frame().PendingCalculation = std::move(calc);
        f.Frame().ResultsMode = CMainFrame::ResultsPending;
        Open();
    }

    // Values that enable Export, whatever the screen.
    void FillSomething() {
        switch (m_kind) {
        case Kind::BloodPressure:
            Reading(QTime(9, 0), QStringLiteral("120"), QStringLiteral("80"), QStringLiteral("60"));
            break;
        case Kind::BmiBmr:
            Calculate(QStringLiteral("5"), QStringLiteral("9"), QStringLiteral("170"),
                      QStringLiteral("40"), QStringLiteral("Sedentary"));
            break;
        case Kind::Tape:
            Sites(QStringLiteral("170"), QString("1 2 3 4 5 6 7").split(QLatin1Char(' ')));
            break;
        case Kind::BodyComposition:
            Hand(std::make_unique<OtherCalc>(f.Frame().CurrentUser, 25), MakeDateKey(2026, 12, 9));
            break;
        }
    }

    // Runs Export as the main window's command does.
    void Export() const {
        f.Frame().UpdateCommandStates();
        QVERIFY2(f.Frame().Action(CommandId::FileExport)->isEnabled(), "Export is disabled");
        f.Frame().Execute(CommandId::FileExport);
    }
    // Exports into the data folder and expects the success message.
    QByteArray ExportTo(const QString& name) const {
        const QString path = f.services.FilePath(name);
        f.services.fileDialogs.NextFileName(path);
        f.Prompter().ExpectOk();
        Export();
        if (f.Prompter().Boxes().isEmpty() || f.Prompter().Last().text != Success)
            qWarning("no success message");
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    MainWindowFixture& f;
    Screen* screen = nullptr;

private:
    Kind m_kind;
};

UserRecord User(const char* name, int sex = Male) {
    UserRecord user = MainWindowFixture::MakeUser(name);
    user.sex = sex;
    return user;
}

// The texts of the table cells, in document order: header first.
QStringList CellTexts(const QByteArray& document) {
    static const QRegularExpression cell(QStringLiteral("\\\\ulnone ([^\\r]*)\\r\\n\\\\cell "));
    QStringList texts;
    for (const auto& match : cell.globalMatch(QString::fromLatin1(document)))
        texts << match.captured(1);
    return texts;
}

// The cell texts of the row that starts with a label.
QStringList Row(const QByteArray& document, const QString& label) {
    const QStringList cells = CellTexts(document);
    const qsizetype at = cells.indexOf(label);
    return at < 0 ? QStringList() : cells.mid(at, 3);
}

void CompareWithGolden(const QByteArray& actual, const QString& name) {
    // Beside this source file; Qt Test knows its folder.
    const QString golden = QStringLiteral(QT_TESTCASE_SOURCEDIR "/golden/") + name;
    if (qEnvironmentVariableIsSet("VITALOG_UPDATE_GOLDEN")) {
        QFile out(golden);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(actual);
        return;
    }
    QFile file(golden);
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(QStringLiteral("no golden file ") + golden));
    const QByteArray expected = file.readAll();
    if (actual != expected) {
        const QString kept = QDir::temp().filePath(name);
        QFile out(kept);
        if (out.open(QIODevice::WriteOnly))
            out.write(actual);
        QFAIL(qPrintable(
            QStringLiteral("%1 differs from its golden file; written to %2").arg(name, kept)));
    }
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class ScreenExportTest : public QObject {
    Q_OBJECT

private slots:
    void bloodPressure_matchesGolden();
    void bmiBmr_matchesGolden();
    void tape_matchesGolden();
    void bodyComposition_matchesGolden_data();
    void bodyComposition_matchesGolden();
    void bodyCompositionSiteLines_data();
    void bodyCompositionSiteLines();
    void bodyCompositionExport_followsSave();

    void cancelledDialog_writesNothingAndShowsNothing_data();
    void cancelledDialog_writesNothingAndShowsNothing();
    void failingDialog_showsItsBox();
    void notesWithoutWindows1252Form_areRefusedBeforeTheDialog();
    void fileThatCannotBeCreated_showsOpenError_data();
    void fileThatCannotBeCreated_showsOpenError();
    void closeThatFails_showsExportError();

    void bloodPressureDate_isTheChosenReadingsOrThePickers_data();
    void bloodPressureDate_isTheChosenReadingsOrThePickers();
    void tapeDate_isThePickersEvenForAChosenRecord();
    void bmiHeight_data();
    void bmiHeight();

    void pictureTooLarge_showsTheWritersRefusal();
    void loadedPicture_hasRowsWithoutPadding();
    void saveDialogFilter_data();
    void saveDialogFilter();
};

// Notes with the characters RTF reserves, on two lines; a small chart of the test's own in
// db/, so the golden file holds a whole picture and stays readable.
void ScreenExportTest::bloodPressure_matchesGolden() {
    MainWindowFixture f;
    QImage chart(4, 3, QImage::Format_RGB32);
    chart.fill(Qt::white);
    chart.setPixel(0, 0, qRgb(255, 0, 0));
    chart.setPixel(3, 2, qRgb(0, 0, 255));
    QVERIFY(chart.save(f.services.FilePath(QStringLiteral("db/bloodpressure.bmp")), "BMP"));

    ExportScreen s(f, Kind::BloodPressure, User("Ann"));
    s.Date(2026, 12, 1);
    s.Reading(QTime(8, 15, 0), QStringLiteral("128"), QStringLiteral("84"), QStringLiteral("70"));
    s.Save();

    s.Date(2026, 12, 9);
    s.Reading(QTime(19, 5, 9), QStringLiteral("135"), QStringLiteral("88"), QStringLiteral("72"));
    auto* notes = s.Find<QPlainTextEdit>("notesEdit");
    QTest::keyClicks(notes, QStringLiteral("After {run} C:\\temp"));
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, QStringLiteral("felt fine"));

    const QByteArray document = s.ExportTo(QStringLiteral("BloodPressure.rtf"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
    CompareWithGolden(document, QStringLiteral("BloodPressure.rtf"));
}

// Without its chart file the report leaves the picture out and still succeeds.
void ScreenExportTest::bmiBmr_matchesGolden() {
    MainWindowFixture f;
    QVERIFY(QFile::remove(f.services.FilePath(QStringLiteral("db/BMI.bmp"))));
    ExportScreen s(f, Kind::BmiBmr, User("Ben"));
    s.Date(2026, 12, 1);
    s.Calculate(QStringLiteral("5"), QStringLiteral("9"), QStringLiteral("175"),
                QStringLiteral("30"), QStringLiteral("Moderate"));
    s.Save();

    s.Date(2026, 12, 9);
    s.Calculate(QStringLiteral("5"), QStringLiteral("10.4"), QStringLiteral("180.5"),
                QStringLiteral("31"), QStringLiteral("Light"));
    const QByteArray document = s.ExportTo(QStringLiteral("BMI_BMR.rtf"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
    CompareWithGolden(document, QStringLiteral("BMI_BMR.rtf"));
}

// A woman's report names the hip; no picture, and the footer is not bold.
void ScreenExportTest::tape_matchesGolden() {
    MainWindowFixture f;
    ExportScreen s(f, Kind::Tape, User("Cora", Female));
    s.Date(2026, 12, 1);
    s.Sites(QStringLiteral("140"), QString("11 36 34 28 13 14 21").split(QLatin1Char(' ')));
    s.Save();

    s.Date(2026, 12, 9);
    s.Sites(QStringLiteral("139.5"),
            QString("11.25 35.5 33.75 27.5 12.75 13.5 20.25").split(QLatin1Char(' ')));
    const QByteArray document = s.ExportTo(QStringLiteral("TapeM.rtf"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
    QCOMPARE(
        Row(document, QStringLiteral("Hip:")),
        QStringList({QStringLiteral("Hip:"), QStringLiteral("35.50"), QStringLiteral("36.00")}));
    CompareWithGolden(document, QStringLiteral("TapeM.rtf"));
}

using Calculation = std::function<std::unique_ptr<BodyFatCalculation>(const UserRecord&)>;
Q_DECLARE_METATYPE(Calculation)

void ScreenExportTest::bodyComposition_matchesGolden_data() {
    QTest::addColumn<int>("sex");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<Calculation>("calculation");
    QTest::addColumn<QString>("golden");
    // chest, abdominal, thigh, bicep, tricep, subscapular, suprailiac, lower back, calf
    QTest::newRow("Parrillo: nine site lines")
        << int(Male) << false << Calculation([](const UserRecord& user) {
               return std::make_unique<ParrilloCalc>(user, 12, 20, 14, 5, 9, 11, 13, 15, 7);
           })
        << QStringLiteral("BodyComp_Parrillo.rtf");
    QTest::newRow("Other: no site lines")
        << int(Male) << false
        << Calculation([](const UserRecord& user) { return std::make_unique<OtherCalc>(user, 22); })
        << QStringLiteral("BodyComp_Other.rtf");
    // Waist 80 cm, height 165 cm, hip 100 cm, neck 33 cm.
    QTest::newRow("tape, metric woman")
        << int(Female) << true << Calculation([](const UserRecord& user) {
               return std::make_unique<TapeFemaleCalc>(user, 80, 165, 100, 33);
           })
        << QStringLiteral("BodyComp_TapeMetric.rtf");
}

// Beside a stored record for the "Last" column; the chart is a small one of the test's own, and
// its double-size variant, which the report must not take, differs from it.
void ScreenExportTest::bodyComposition_matchesGolden() {
    QFETCH(int, sex);
    QFETCH(bool, metric);
    QFETCH(Calculation, calculation);
    QFETCH(QString, golden);
    MainWindowFixture f;
    QImage chart(3, 2, QImage::Format_RGB32);
    chart.fill(Qt::white);
    chart.setPixel(0, 0, qRgb(0, 128, 0));
    QVERIFY(chart.save(f.services.FilePath(QStringLiteral("db/bodyfatchart.bmp")), "BMP"));
    chart.fill(Qt::black);
    QVERIFY(chart.save(f.services.FilePath(QStringLiteral("db/bodyfatchart@2x.bmp")), "BMP"));

    UserRecord user = User("Dana", sex);
    user.weight = 180;
    if (metric) {
        user.units = Metric;
        user.lengthUnits = Centimetres;
        user.weight = 70;
    }
    ExportScreen s(f, Kind::BodyComposition, user);
    OtherCalc older(f.Frame().CurrentUser, 27.5);
    older.Calculate();
    older.record.date = MakeDateKey(2026, 11, 2);
    QCOMPARE(older.Save(f.services.services.DataPath()), StoreResult::Done);

    s.Hand(calculation(f.Frame().CurrentUser), MakeDateKey(2026, 12, 9));
    const QByteArray document = s.ExportTo(QStringLiteral("BodyComp.rtf"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
    QCOMPARE(
        Row(document, QStringLiteral("Desired Body Fat %:")),
        QStringList({QStringLiteral("Desired Body Fat %:"), QStringLiteral("15.00%"), QString()}));
    QCOMPARE(Row(document, QStringLiteral("Date:")),
             QStringList(
                 {QStringLiteral("Date:"), QStringLiteral("12/9/26"), QStringLiteral("11/2/26")}));
    CompareWithGolden(document, golden);
}

void ScreenExportTest::bodyCompositionSiteLines_data() {
    QTest::addColumn<int>("sex");
    QTest::addColumn<int>("lengthUnits");
    QTest::addColumn<Calculation>("calculation");
    QTest::addColumn<QString>("method"); // stored over the calculation's own when not empty
    QTest::addColumn<QStringList>("lines");
    const auto jp7 = [](const UserRecord& user) {
        return std::make_unique<JacksonPollock7Calc>(user, 1, 2, 3, 4, 5, 6, 7);
    };
    const QStringList seven{"Chest:  1 mm\n",      "Abdominal:  2 mm\n",   "Thigh:  3 mm\n",
                            "Tricep:  4 mm\n",     "Subscapular:  5 mm\n", "Suprailiac:  6 mm\n",
                            "Midaxillary:  7 mm\n"};
    QTest::newRow("Jackson/Pollock 7")
        << int(Male) << int(Inches) << Calculation(jp7) << QString() << seven;
    QTest::newRow("Seven Site Caliper") << int(Male) << int(Inches) << Calculation(jp7)
                                        << QStringLiteral("Seven Site Caliper") << seven;
    QTest::newRow("Jackson/Pollock 4")
        << int(Female) << int(Inches) << Calculation([](const UserRecord& user) {
               return std::make_unique<JacksonPollock4Calc>(user, 21, 22, 23, 24);
           })
        << QString()
        << QStringList{"Abdominal:  21 mm\n", "Thigh:  22 mm\n", "Tricep:  23 mm\n",
                       "Suprailiac:  24 mm\n"};
    const auto jp3Male = [](const UserRecord& user) {
        return std::make_unique<JacksonPollock3MaleCalc>(user, 31, 32, 33);
    };
    const QStringList threeMale{"Chest:  31 mm\n", "Abdominal:  32 mm\n", "Thigh:  33 mm\n"};
    QTest::newRow("Jackson/Pollock 3, man")
        << int(Male) << int(Inches) << Calculation(jp3Male) << QString() << threeMale;
    QTest::newRow("Three Site Caliper, man") << int(Male) << int(Inches) << Calculation(jp3Male)
                                             << QStringLiteral("Three Site Caliper") << threeMale;
    QTest::newRow("Jackson/Pollock 3, woman")
        << int(Female) << int(Inches) << Calculation([](const UserRecord& user) {
               return std::make_unique<JacksonPollock3FemaleCalc>(user, 41, 42, 43);
           })
        << QString() << QStringList{"Tricep:  41 mm\n", "Suprailiac:  42 mm\n", "Thigh:  43 mm\n"};
    QTest::newRow("Durnin") << int(Male) << int(Inches) << Calculation([](const UserRecord& user) {
        return std::make_unique<DurninCalc>(user, 51, 52, 53, 54);
    }) << QString()
                            << QStringList{"Bicep:  51 mm\n", "Tricep:  52 mm\n",
                                           "Subscapular:  53 mm\n", "Suprailiac:  54 mm\n"};
    // Waist 34.5, height 5 ft 10.25 in, neck 15.75, in inches.
    QTest::newRow("tape, imperial man")
        << int(Male) << int(Inches) << Calculation([](const UserRecord& user) {
               return std::make_unique<TapeMaleCalc>(user, 34.5, 70.25, 15.75);
           })
        << QString()
        << QStringList{"Height:  5 ' 10.25 ''\n", "Abdomen:  34.50\n", "Neck:  15.75\n"};
    QTest::newRow("tape, imperial, whole feet")
        << int(Male) << int(Inches) << Calculation([](const UserRecord& user) {
               return std::make_unique<TapeMaleCalc>(user, 34.5, 72, 15.75);
           })
        << QString() << QStringList{"Height:  6 ' 0 ''\n", "Abdomen:  34.50\n", "Neck:  15.75\n"};
    QTest::newRow("tape, metric woman")
        << int(Female) << int(Centimetres) << Calculation([](const UserRecord& user) {
               return std::make_unique<TapeFemaleCalc>(user, 80, 165, 100, 33);
           })
        << QString()
        << QStringList{"Height:  165.00\n", "Waist:  80.00\n", "Neck:  33.00\n", "Hip:  100.00\n"};
    QTest::newRow("Other") << int(Female) << int(Inches) << Calculation([](const UserRecord& user) {
        return std::make_unique<OtherCalc>(user, 20);
    }) << QString() << QStringList();
}

void ScreenExportTest::bodyCompositionSiteLines() {
    QFETCH(int, sex);
    QFETCH(int, lengthUnits);
    QFETCH(Calculation, calculation);
    QFETCH(QString, method);
    QFETCH(QStringList, lines);
    MainWindowFixture f;
    UserRecord user = User("Eve", sex);
    user.lengthUnits = lengthUnits;
    ExportScreen s(f, Kind::BodyComposition, user);
    std::unique_ptr<BodyFatCalculation> calc = calculation(f.Frame().CurrentUser);
    calc->Calculate();
    if (!method.isEmpty())
        QVERIFY(calc->record.SetMethod(method.toStdString()));
    f.Frame().PendingCalculation = std::move(calc);
    f.Frame().ResultsMode = CMainFrame::ResultsPending;
    s.Open();
    QStringList actual;
    for (const std::string& line : qobject_cast<CBodyFatResults*>(s.screen)->ReportSiteLines())
        actual << QString::fromStdString(line);
    QCOMPARE(actual, lines);
}

// Export goes with Save: a save attempt ends it, and delete mode never has it.
void ScreenExportTest::bodyCompositionExport_followsSave() {
    MainWindowFixture f;
    ExportScreen s(f, Kind::BodyComposition, User("Fay"));
    f.Frame().UpdateCommandStates();
    QVERIFY(!f.Frame().Action(CommandId::FileExport)->isEnabled());
    s.FillSomething();
    f.Frame().UpdateCommandStates();
    QVERIFY(f.Frame().Action(CommandId::FileExport)->isEnabled());
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    f.Frame().UpdateCommandStates();
    QVERIFY(!f.Frame().Action(CommandId::FileExport)->isEnabled());

    f.Frame().Execute(CommandId::CalcDeleteBodyFat);
    s.screen = f.Frame().CurrentScreen();
    s.Choose(QStringLiteral("12/09/2026"));
    f.Frame().UpdateCommandStates();
    QVERIFY(!f.Frame().Action(CommandId::FileExport)->isEnabled());
    // Called anyway, the handler asks nothing and writes nothing.
    f.Prompter().Clear();
    s.screen->OnExport();
    QVERIFY(f.services.fileDialogs.titles.isEmpty());
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void ScreenExportTest::cancelledDialog_writesNothingAndShowsNothing_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("defaultName");
    QTest::newRow("blood pressure") << Kind::BloodPressure << QStringLiteral("BloodPressure.rtf");
    QTest::newRow("BMI/BMR") << Kind::BmiBmr << QStringLiteral("BMI_BMR.rtf");
    QTest::newRow("tape") << Kind::Tape << QStringLiteral("TapeM.rtf");
    QTest::newRow("body composition") << Kind::BodyComposition << QStringLiteral("BodyComp.rtf");
}

// The dialog is asked with the report's own title, filter, extension and name.
void ScreenExportTest::cancelledDialog_writesNothingAndShowsNothing() {
    QFETCH(Kind, kind);
    QFETCH(QString, defaultName);
    MainWindowFixture f;
    ExportScreen s(f, kind, User("Ann"));
    s.FillSomething();
    f.Prompter().Clear();
    const QStringList before = QDir(f.services.DataDir()).entryList(QDir::Files);

    s.Export(); // the scripted dialog is cancelled when it has no answer

    ScriptedFileDialogs& dialogs = f.services.fileDialogs;
    QCOMPARE(dialogs.titles.value(0), QStringLiteral("Save Exported file"));
    QCOMPARE(dialogs.filters.value(0), QStringLiteral("RTF (rtf)|*.rtf|All Files (*.*)|*.*||"));
    QCOMPARE(dialogs.defaultExtensions.value(0), QStringLiteral("rtf"));
    QCOMPARE(dialogs.defaultNames.value(0), defaultName);
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QCOMPARE(QDir(f.services.DataDir()).entryList(QDir::Files), before);
}

void ScreenExportTest::failingDialog_showsItsBox() {
    MainWindowFixture f;
    ExportScreen s(f, Kind::Tape, User("Ann"));
    s.FillSomething();
    f.Prompter().Clear();
    f.services.fileDialogs.NextFailure();
    f.Prompter().ExpectOk();
    s.Export();
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Can not save export file"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Error saving exported file\t"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Critical);
}

// As on save: the document is Windows-1252, and a character it cannot hold is not altered.
void ScreenExportTest::notesWithoutWindows1252Form_areRefusedBeforeTheDialog() {
    MainWindowFixture f;
    ExportScreen s(f, Kind::BloodPressure, User("Ann"));
    s.FillSomething();
    // QTest types ASCII keys only; the arrow goes in as an input method would put it.
    s.Find<QPlainTextEdit>("notesEdit")->insertPlainText(QStringLiteral("dizzy \u2192 sat"));
    f.Prompter().Clear();
    f.Prompter().ExpectOk();
    s.Export();
    QCOMPARE(f.Prompter().Texts(), QStringList{QStringLiteral("Notes may not contain the character "
                                                              "\"\u2192\": it cannot be stored in "
                                                              "Vitalog's files.")});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QVERIFY(f.services.fileDialogs.titles.isEmpty());
}

void ScreenExportTest::fileThatCannotBeCreated_showsOpenError_data() {
    QTest::addColumn<QString>("folder");   // made in the data folder first; empty for none
    QTest::addColumn<bool>("readOnly");    // the folder loses its write permission
    QTest::addColumn<QString>("fileName"); // relative to the data folder
    QTest::newRow("folder without write permission")
        << QStringLiteral("locked") << true << QStringLiteral("locked/TapeM.rtf");
    QTest::newRow("name of a folder")
        << QStringLiteral("TapeM.rtf") << false << QStringLiteral("TapeM.rtf");
    QTest::newRow("folder that does not exist")
        << QString() << false << QStringLiteral("missing/TapeM.rtf");
}

void ScreenExportTest::fileThatCannotBeCreated_showsOpenError() {
    QFETCH(QString, folder);
    QFETCH(bool, readOnly);
    QFETCH(QString, fileName);
    MainWindowFixture f;
    if (!folder.isEmpty())
        QVERIFY(QDir(f.services.DataDir()).mkdir(folder));
    const QFile::Permissions readAndEnter =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    if (readOnly) {
        QVERIFY(QFile::setPermissions(f.services.DataDir(), readAndEnter | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(f.services.FilePath(folder), readAndEnter));
    }
    ExportScreen s(f, Kind::Tape, User("Ann"));
    s.FillSomething();
    f.Prompter().Clear();
    f.services.fileDialogs.NextFileName(f.services.FilePath(fileName));
    f.Prompter().ExpectOk();
    // Permissions do not bind the superuser: a test run as root writes as nobody meanwhile.
    const bool asNobody = readOnly && geteuid() == 0;
    if (asNobody) {
        setfsgid(65534);
        setfsuid(65534);
    }
    s.Export();
    if (asNobody) {
        setfsuid(0);
        setfsgid(0);
    }
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(f.Prompter().Last().text, OpenError);
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Critical);
    QVERIFY(!QFileInfo(f.services.FilePath(fileName)).isFile());
    if (readOnly)
        QFile::setPermissions(f.services.FilePath(folder), readAndEnter | QFile::WriteOwner);
}

// A device that takes the file but not its bytes: the close reports the loss.
void ScreenExportTest::closeThatFails_showsExportError() {
    if (!QFileInfo(QStringLiteral("/dev/full")).isWritable())
        QSKIP("no /dev/full to write to");
    MainWindowFixture f;
    ExportScreen s(f, Kind::BloodPressure, User("Ann"));
    s.FillSomething();
    f.Prompter().Clear();
    f.services.fileDialogs.NextFileName(QStringLiteral("/dev/full"));
    f.Prompter().ExpectOk();
    s.Export();
    QCOMPARE(f.Prompter().Texts(), QStringList{CloseError});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Critical);
}

void ScreenExportTest::bloodPressureDate_isTheChosenReadingsOrThePickers_data() {
    QTest::addColumn<bool>("chooseStored");
    QTest::addColumn<QStringList>("dateRow");
    QTest::addColumn<QStringList>("timeRow");
    const QString last = QStringLiteral("11/20/2026");
    QTest::newRow("new reading: the picker's date")
        << false << QStringList{QStringLiteral("Date:"), QStringLiteral("12/09/2026"), last}
        << QStringList{QStringLiteral("Time:"), QStringLiteral("9:00:00 AM"),
                       QStringLiteral("11:45:30 PM")};
    QTest::newRow("stored reading: its own date")
        << true << QStringList{QStringLiteral("Date:"), QStringLiteral("11/02/2026"), last}
        << QStringList{QStringLiteral("Time:"), QStringLiteral("7:05:00 AM"),
                       QStringLiteral("11:45:30 PM")};
}

void ScreenExportTest::bloodPressureDate_isTheChosenReadingsOrThePickers() {
    QFETCH(bool, chooseStored);
    QFETCH(QStringList, dateRow);
    QFETCH(QStringList, timeRow);
    MainWindowFixture f;
    ExportScreen s(f, Kind::BloodPressure, User("Ann"));
    s.Date(2026, 11, 2);
    s.Reading(QTime(7, 5, 0), QStringLiteral("121"), QStringLiteral("81"), QStringLiteral("61"));
    s.Save();
    s.Date(2026, 11, 20);
    s.Reading(QTime(23, 45, 30), QStringLiteral("122"), QStringLiteral("82"), QStringLiteral("62"));
    s.Save();

    s.Date(2026, 12, 9);
    if (chooseStored)
        s.Choose(QStringLiteral("11/2/2026 7:05:00 AM"));
    else
        s.Reading(QTime(9, 0), QStringLiteral("120"), QStringLiteral("80"), QStringLiteral("60"));
    const QByteArray document = s.ExportTo(QStringLiteral("bp.rtf"));
    QCOMPARE(Row(document, QStringLiteral("Date:")), dateRow);
    QCOMPARE(Row(document, QStringLiteral("Time:")), timeRow);
}

void ScreenExportTest::tapeDate_isThePickersEvenForAChosenRecord() {
    MainWindowFixture f;
    ExportScreen s(f, Kind::Tape, User("Ann"));
    s.Date(2026, 11, 2);
    s.Sites(QStringLiteral("170"), QString("1 2 3 4 5 6 7").split(QLatin1Char(' ')));
    s.Save();
    s.Date(2026, 12, 9);
    s.Choose(QStringLiteral("11/02/2026"));
    const QByteArray document = s.ExportTo(QStringLiteral("tape.rtf"));
    QCOMPARE(Row(document, QStringLiteral("Date:")),
             QStringList({QStringLiteral("Date:"), QStringLiteral("12/09/2026"),
                          QStringLiteral("11/02/2026")}));
    QCOMPARE(
        Row(document, QStringLiteral("Forearm:")),
        QStringList({QStringLiteral("Forearm:"), QStringLiteral("2.00"), QStringLiteral("2.00")}));
}

void ScreenExportTest::bmiHeight_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("feetOrCentimetres");
    QTest::addColumn<QString>("inches");
    QTest::addColumn<QString>("expected");
    QTest::newRow("inches rounded to whole inches") << false << "5"
                                                    << "10.4"
                                                    << "5 ' 10''";
    QTest::newRow("inches rounded up") << false << "5"
                                       << "10.6"
                                       << "5 ' 11''";
    QTest::newRow("no inches") << false << "6"
                               << "0"
                               << "6 ' 0''";
    QTest::newRow("centimetres") << true << "177.8"
                                 << ""
                                 << "177.80";
}

void ScreenExportTest::bmiHeight() {
    QFETCH(bool, metric);
    QFETCH(QString, feetOrCentimetres);
    QFETCH(QString, inches);
    QFETCH(QString, expected);
    MainWindowFixture f;
    UserRecord user = User("Ann");
    if (metric) {
        user.units = Metric;
        user.lengthUnits = Centimetres;
    }
    ExportScreen s(f, Kind::BmiBmr, user);
    if (metric) {
        s.Type("heightCentimetresEdit", feetOrCentimetres);
        s.Type("weightEdit", QStringLiteral("80"));
        s.Type("ageEdit", QStringLiteral("40"));
        s.Click("calculateButton");
    } else {
        s.Calculate(feetOrCentimetres, inches, QStringLiteral("170"), QStringLiteral("40"),
                    QStringLiteral("Very"));
    }
    const QByteArray document = s.ExportTo(QStringLiteral("bmi.rtf"));
    QCOMPARE(Row(document, QStringLiteral("Height:")).value(1), expected);
    // No BMR record yet: the "Last" activity is empty.
    QCOMPARE(Row(document, QStringLiteral("Activity Factor (AF):")).value(2), QString());
}

// The writer refuses the picture and says why; the frame shows it and the report goes on.
void ScreenExportTest::pictureTooLarge_showsTheWritersRefusal() {
    MainWindowFixture f;
    ExportScreen s(f, Kind::Tape, User("Ann"));
    f.services.fileDialogs.NextFileName(f.services.FilePath(QStringLiteral("large.rtf")));
    ScreenExport report(*s.screen);
    QVERIFY(report.ExportOpen(QStringLiteral("Large.rtf")));
    RtfPicture picture;
    picture.width = 5000;
    picture.height = 10;
    picture.rgb.assign(std::size_t(5000) * 10 * 3, 0x80);
    f.Prompter().ExpectOk();
    QCOMPARE(report.InsertPictureFitted(picture), RtfResult::RtfPictureError);
    QCOMPARE(f.Prompter().Texts(),
             QStringList{QStringLiteral("Error inserting image - image too large to be exported")});
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Critical);
    f.Prompter().ExpectOk();
    report.ExportFooter();
    QCOMPARE(f.Prompter().Last().text, Success);
}

// Three pixels make a row of 9 bytes, which an image pads to 12; the writer takes them packed.
void ScreenExportTest::loadedPicture_hasRowsWithoutPadding() {
    QTemporaryDir dir;
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb colours[2][3] = {{qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)},
                                {qRgb(10, 11, 12), qRgb(13, 14, 15), qRgb(16, 17, 18)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, colours[y][x]);
    const QString path = dir.filePath(QStringLiteral("chart.bmp"));
    QVERIFY(image.save(path, "BMP"));

    const std::optional<RtfPicture> picture = ScreenExport::LoadPicture(path);
    QVERIFY(picture);
    QCOMPARE(picture->width, 3);
    QCOMPARE(picture->height, 2);
    std::vector<std::uint8_t> expected;
    for (std::uint8_t value = 1; value <= 18; ++value)
        expected.push_back(value);
    QVERIFY(picture->rgb == expected);
    QVERIFY(!ScreenExport::LoadPicture(dir.filePath(QStringLiteral("missing.bmp"))));
}

void ScreenExportTest::saveDialogFilter_data() {
    QTest::addColumn<QString>("programFilter");
    QTest::addColumn<QString>("qtFilter");
    QTest::newRow("export") << "RTF (rtf)|*.rtf|All Files (*.*)|*.*||"
                            << "RTF (rtf) (*.rtf);;All Files (*.*)";
    QTest::newRow("description without pattern") << "Bitmaps|*.bmp||"
                                                 << "Bitmaps (*.bmp)";
    QTest::newRow("two patterns") << "Pictures (*.bmp;*.jpg)|*.bmp;*.jpg||"
                                  << "Pictures (*.bmp *.jpg)";
}

void ScreenExportTest::saveDialogFilter() {
    QFETCH(QString, programFilter);
    QFETCH(QString, qtFilter);
    QCOMPARE(FileDialogs::QtFilter(programFilter), qtFilter);
}

QTEST_MAIN(ScreenExportTest)
#include "ScreenExportTest.moc"
