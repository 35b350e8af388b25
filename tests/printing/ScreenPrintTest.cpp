// The Print command of the blood pressure, BMI/BMR, tape and body composition results screens:
// the report texts the screens build, the page laid out as data for fixed printer figures, the
// messages of the print run, and one report printed into a PDF file through the print seam.
#include "printing/ScreenPrint.h"
#include "MainWindowFixture.h"
#include "calc/DurninCalc.h"
#include "calc/OtherCalc.h"
#include "calc/ParrilloCalc.h"
#include "calc/TapeFemaleCalc.h"
#include "platform/PrintedPage.h"
#include "printing/ScreenExport.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/CBMI_BMR.h"
#include "screens/CBloodPressure.h"
#include "screens/CBodyFatResults.h"
#include "screens/CTapeMeasurement.h"
#include "shell/Commands.h"
#include "shell/ScreenClass.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString PrinterMissing =
    QStringLiteral("Can not find printer. Please check installed/default printers.");
const QString JobFailed = QStringLiteral("Printing error occured. Unable to find printer.");

// A user stored and selected, and one of the four screens open for them.
struct PrintFixture {
    explicit PrintFixture(ScreenClass screenClass, int sex = Male, bool metric = false) {
        UserRecord user = MainWindowFixture::MakeUser("Ann");
        user.sex = sex;
        if (metric) {
            user.units = Metric;
            user.lengthUnits = Centimetres;
            user.weight = 70;
        }
        AddUser(f.services.services.DataPath(), user);
        FindUser(f.services.services.DataPath(), user);
        f.SelectUser(user);
        Open(screenClass);
    }
    void Open(ScreenClass screenClass) {
        f.Frame().SwitchScreen(screenClass);
        QCoreApplication::processEvents();
        screen = f.Frame().CurrentScreen();
    }
    template <class W> W* Find(const char* name) const {
        return screen->findChild<W*>(QString::fromLatin1(name));
    }
    void Type(const char* field, const QString& text) const {
        auto* edit = Find<QLineEdit>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    // Hands a calculation to the results screen as the calculator does.
    void Hand(std::unique_ptr<BodyFatCalculation> calc) {
        calc->Calculate();
        calc->record.date = MakeDateKey(2026, 12, 9);
        f.Frame().PendingCalculation = std::move(calc);
        f.Frame().ResultsMode = CMainFrame::ResultsPending;
        Open(ScreenClass::CBodyFatResults);
    }
    // Runs Print as the main window's command does.
    void Print() {
        f.Frame().UpdateCommandStates();
        QVERIFY2(f.Frame().Action(CommandId::FilePrint)->isEnabled(), "Print is disabled");
        f.Frame().Execute(CommandId::FilePrint);
    }
    std::optional<ScreenPrintReport> Report() const {
        if (auto* s = qobject_cast<CBloodPressure*>(screen))
            return s->PrintedReport();
        if (auto* s = qobject_cast<CBMI_BMR*>(screen))
            return s->PrintedReport();
        if (auto* s = qobject_cast<CTapeMeasurement*>(screen))
            return s->PrintedReport();
        if (auto* s = qobject_cast<CBodyFatResults*>(screen))
            return s->PrintedReport();
        return std::nullopt;
    }

    MainWindowFixture f;
    Screen* screen = nullptr;
};

void Reading(PrintFixture& p, const QString& notes) {
    p.Find<QDateEdit>("datePicker")->setDate(QDate(2026, 12, 9));
    p.Find<QTimeEdit>("timePicker")->setTime(QTime(19, 5, 9));
    p.Type("systolicEdit", QStringLiteral("135"));
    p.Type("diastolicEdit", QStringLiteral("88"));
    p.Type("pulseEdit", QStringLiteral("72"));
    auto* edit = p.Find<QPlainTextEdit>("notesEdit");
    const QStringList lines = notes.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines[i]);
    }
}

void Bmi(PrintFixture& p, const QString& feet, const QString& inches, const char* activity) {
    p.Find<QDateEdit>("datePicker")->setDate(QDate(2026, 12, 9));
    p.Type("heightFeetEdit", feet);
    p.Type("heightInchesEdit", inches);
    p.Type("weightEdit", QStringLiteral("180.5"));
    p.Type("ageEdit", QStringLiteral("31"));
    auto* radio = p.Find<QRadioButton>(activity);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    p.f.Frame().UpdateCommandStates();
    QTest::mouseClick(p.Find<QToolButton>("calculateButton"), Qt::LeftButton);
}

void Tape(PrintFixture& p) {
    p.Find<QDateEdit>("datePicker")->setDate(QDate(2026, 12, 9));
    p.Type("weightEdit", QStringLiteral("139.5"));
    const char* const edits[] = {"bicepEdit", "forearmOrHipEdit", "chestEdit", "waistEdit",
                                 "neckEdit",  "calfEdit",         "thighEdit"};
    const QStringList sites = QString("11.25 35.5 33.75 27.5 12.75 13.5 20").split(' ');
    for (int i = 0; i < 7; ++i)
        p.Type(edits[i], sites[i]);
}

// The shown body composition values of a results screen, as its report lines read them.
QString ResultLines(const CBodyFatResults& screen) {
    const CBodyFatResults::ResultTexts& s = screen.Shown;
    return QStringLiteral("\nDate:  ") + s.date + QStringLiteral("\nBody Fat %:  ") + s.bodyFat +
           QStringLiteral("\nDesired Body Fat:  15.00%\nBody Fat to lose:  ") + s.toLose +
           QStringLiteral("\nTotal Weight:  ") + s.totalWeight +
           QStringLiteral("\nLean Body Weight:  ") + s.leanWeight +
           QStringLiteral("\nBody Fat Weight:  ") + s.fatWeight +
           QStringLiteral("\nGoal Weight:  ") + s.goalWeight +
           QStringLiteral("\n\nType of Measurement:  ");
}

using Setup = std::function<void(PrintFixture&)>;

// Text of a report whose line for the results screen starts with the shown values.
constexpr const char* ResultsPrefix = "<results>";

// Dark pixels along a row of an image, left to right.
int DarkRun(const QImage& image, int y) {
    int longest = 0, run = 0;
    for (int x = 0; x < image.width(); ++x) {
        run = qGray(image.pixel(x, y)) < 160 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(ScreenClass)

class ScreenPrintTest : public QObject {
    Q_OBJECT

private slots:
    void reportTexts_data();
    void reportTexts();
    void pageLayout_data();
    void pageLayout();
    void missingPicture_endsThePageAfterTheRule_data();
    void missingPicture_endsThePageAfterTheRule();
    void pageRangeFollowsThePictureWidth_data();
    void pageRangeFollowsThePictureWidth();
    void failures_showTheirMessages_data();
    void failures_showTheirMessages();
    void cancelledDialog_printsNothing();
    void chosenPageRange_stillPrintsTheOnePage();
    void printedIntoPdf_holdsOnePageWithTitleRuleAndText();
};

void ScreenPrintTest::reportTexts_data() {
    QTest::addColumn<ScreenClass>("screenClass");
    QTest::addColumn<int>("sex");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("blood pressure, notes on two lines")
        << ScreenClass::CBloodPressure << int(Male) << false
        << Setup([](PrintFixture& p) { Reading(p, QStringLiteral("After a run\nfelt fine")); })
        << QStringLiteral("Blood Pressure Report for Ann")
        << QStringLiteral("\nDate:  12/09/2026\nTime:   7:05:09 PM\nSystolic:  135\n"
                          "Diastolic:  88\nPulse:  72\nNotes:  After a run\nfelt fine\n");
    QTest::newRow("blood pressure, empty notes")
        << ScreenClass::CBloodPressure << int(Male) << false
        << Setup([](PrintFixture& p) { Reading(p, QString()); })
        << QStringLiteral("Blood Pressure Report for Ann")
        << QStringLiteral("\nDate:  12/09/2026\nTime:   7:05:09 PM\nSystolic:  135\n"
                          "Diastolic:  88\nPulse:  72\nNotes:  \n");
    // Weight before height; the inches rounded to whole inches.
    QTest::newRow("BMI/BMR, feet and inches")
        << ScreenClass::CBMI_BMR << int(Male) << false << Setup([](PrintFixture& p) {
               Bmi(p, QStringLiteral("5"), QStringLiteral("10.4"), "lightRadio");
           })
        << QStringLiteral("BMI/BMR Report for Ann")
        << QStringLiteral("\nDate:  12/09/2026\nWeight:  180.50\nHeight:  5 ' 10''\nBMI:  25.60\n"
                          "BMR:  1,878 kcal/day\nActivity Factor (AF):  Light\n"
                          "BMR w/AF:  2,582 kcal/day\n");
    QTest::newRow("BMI/BMR, no inches")
        << ScreenClass::CBMI_BMR << int(Male) << false << Setup([](PrintFixture& p) {
               Bmi(p, QStringLiteral("6"), QStringLiteral("0"), "sedentaryRadio");
           })
        << QStringLiteral("BMI/BMR Report for Ann")
        << QStringLiteral("\nDate:  12/09/2026\nWeight:  180.50\nHeight:  6 ' 0''\nBMI:  24.48\n"
                          "BMR:  1,898 kcal/day\nActivity Factor (AF):  Sedentary\n"
                          "BMR w/AF:  2,278 kcal/day\n");
    // Three blanks after "Weight:"; a woman's second site is the hip.
    QTest::newRow("tape, woman")
        << ScreenClass::CTapeMeasurement << int(Female) << false << Setup(Tape)
        << QStringLiteral("Tape Measurements Report for Ann")
        << QStringLiteral("\nDate:  12/09/2026\nWeight:   139.50\nBicep:  11.25\nHip:  35.50\n"
                          "Chest:  33.75\nWaist:  27.50\nNeck:  12.75\nCalf:  13.50\n"
                          "Thigh:  20.00\n");
    QTest::newRow("tape, man")
        << ScreenClass::CTapeMeasurement << int(Male) << false << Setup(Tape)
        << QStringLiteral("Tape Measurements Report for Ann")
        << QStringLiteral("\nDate:  12/09/2026\nWeight:   139.50\nBicep:  11.25\n"
                          "Forearm:  35.50\nChest:  33.75\nWaist:  27.50\nNeck:  12.75\n"
                          "Calf:  13.50\nThigh:  20.00\n");
    QTest::newRow("body composition, Durnin: four site lines")
        << ScreenClass::CBodyFatResults << int(Male) << false << Setup([](PrintFixture& p) {
               p.Hand(std::make_unique<DurninCalc>(p.f.Frame().CurrentUser, 5, 9, 11, 13));
           })
        << QStringLiteral("Body Composition Report for Ann")
        << QString::fromLatin1(ResultsPrefix) +
               QStringLiteral("Durnin\nBicep:  5 mm\nTricep:  9 mm\nSubscapular:  11 mm\n"
                              "Suprailiac:  13 mm\n");
    QTest::newRow("body composition, Parrillo: the last two with one blank")
        << ScreenClass::CBodyFatResults << int(Male) << false << Setup([](PrintFixture& p) {
               p.Hand(std::make_unique<ParrilloCalc>(p.f.Frame().CurrentUser, 12, 20, 14, 5, 9, 11,
                                                     13, 15, 7));
           })
        << QStringLiteral("Body Composition Report for Ann")
        << QString::fromLatin1(ResultsPrefix) +
               QStringLiteral("Parrillo\nChest:  12 mm\nAbdominal:  20 mm\nThigh:  14 mm\n"
                              "Bicep:  5 mm\nTricep:  9 mm\nSubscapular:  11 mm\n"
                              "Suprailiac:  13 mm\nLower Back: 15 mm\nCalf: 7 mm\n");
    QTest::newRow("body composition, Other: no site lines")
        << ScreenClass::CBodyFatResults << int(Male) << false << Setup([](PrintFixture& p) {
               p.Hand(std::make_unique<OtherCalc>(p.f.Frame().CurrentUser, 22));
           })
        << QStringLiteral("Body Composition Report for Ann")
        << QString::fromLatin1(ResultsPrefix) + QStringLiteral("Other\n");
    // Waist 80 cm, height 165 cm, hip 100 cm, neck 33 cm: lengths in centimetres.
    QTest::newRow("body composition, tape method, metric woman")
        << ScreenClass::CBodyFatResults << int(Female) << true << Setup([](PrintFixture& p) {
               p.Hand(std::make_unique<TapeFemaleCalc>(p.f.Frame().CurrentUser, 80, 165, 100, 33));
           })
        << QStringLiteral("Body Composition Report for Ann")
        << QString::fromLatin1(ResultsPrefix) +
               QStringLiteral("Tape Measurement\nHeight:  165.00\nWaist:  80.00\nNeck:  33.00\n"
                              "Hip:  100.00\n");
}

void ScreenPrintTest::reportTexts() {
    QFETCH(ScreenClass, screenClass);
    QFETCH(int, sex);
    QFETCH(bool, metric);
    QFETCH(Setup, setup);
    QFETCH(QString, title);
    QFETCH(QString, text);
    PrintFixture p(screenClass, sex, metric);
    setup(p);
    if (text.startsWith(QLatin1String(ResultsPrefix)))
        text.replace(QLatin1String(ResultsPrefix),
                     ResultLines(*qobject_cast<CBodyFatResults*>(p.screen)));
    const std::optional<ScreenPrintReport> report = p.Report();
    QVERIFY(report);
    QCOMPARE(report->title, title);
    QCOMPARE(report->text, text);
    QVERIFY(p.f.Prompter().Unexpected().isEmpty());

    // The picture is the chart the screen shows; only the results report names its source.
    const std::string_view picture =
        screenClass == ScreenClass::CBloodPressure    ? BloodPressureChartFile
        : screenClass == ScreenClass::CBMI_BMR        ? BmiChartFile
        : screenClass == ScreenClass::CBodyFatResults ? BodyFatChartFile
                                                      : std::string_view();
    QCOMPARE(report->pictureFile, picture);
    QCOMPARE(report->sourceLine.isEmpty(), screenClass != ScreenClass::CBodyFatResults);
}

// A 600 dpi page of 4800 x 6600 printable pixels, a 50-pixel line, a 96 dpi screen: layout
// from 200 to 4600 across and from 137 to 6463 down; the rule at 137 + 50 + 12 = 199.
void ScreenPrintTest::pageLayout_data() {
    QTest::addColumn<QString>("sourceLine");
    QTest::addColumn<bool>("hasPicture");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QRect>("pictureTarget");
    QTest::addColumn<int>("textTop");
    // 758 x 348 screen pixels are 4737.5 x 2175 printer pixels: wider than the layout, so
    // scaled to its 4400 pixels, aspect kept.
    QTest::newRow("chart under the rule, scaled to fit")
        << QString() << true << QSize(758, 348) << QRect(200, 211, 4400, 2020) << 211 + 2020 + 50;
    QTest::newRow("chart that fits is drawn at its size")
        << QString() << true << QSize(628, 314) << QRect(200, 211, 3925, 1962) << 211 + 1962 + 50;
    // Source line one line below the rule, the picture a line and a quarter below that.
    QTest::newRow("source line above the chart")
        << QStringLiteral("Reprinted") << true << QSize(400, 200) << QRect(200, 311, 2500, 1250)
        << 311 + 1250 + 50;
    // No picture: the text starts 600 / 96 + 50 pixels below the rule.
    QTest::newRow("no picture") << QString() << false << QSize() << QRect() << 199 + 6 + 50;
}

void ScreenPrintTest::pageLayout() {
    QFETCH(QString, sourceLine);
    QFETCH(bool, hasPicture);
    QFETCH(QSize, pictureSize);
    QFETCH(QRect, pictureTarget);
    QFETCH(int, textTop);
    QImage picture;
    if (hasPicture) {
        picture = QImage(pictureSize, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    const ScreenPrintReport report{QStringLiteral("Title for Ann"), sourceLine,
                                   hasPicture ? BmiChartFile : std::string_view(),
                                   QStringLiteral("\nDate:  12/09/2026\n")};
    PrintedPage page(QSize(4800, 6600), PrintedPage::ReportFont(600), 50);
    QVERIFY(ScreenPrint::LayOut(page, report, picture, {600, 600, 96, 96}));

    QCOMPARE(page.Lines().size(), std::size_t(1));
    QCOMPARE(page.Lines()[0], QLine(200, 199, 4600, 199));
    QCOMPARE(page.Pictures().size(), std::size_t(hasPicture ? 1 : 0));
    if (hasPicture)
        QCOMPARE(page.Pictures()[0].target, pictureTarget);

    // Title, source line if any, text, footer.
    const std::vector<PrintedPage::Text>& texts = page.Texts();
    QCOMPARE(texts.size(), std::size_t(sourceLine.isEmpty() ? 3 : 4));
    QCOMPARE(texts.front().text, report.title);
    QCOMPARE(texts.front().rect, QRect(200, 137, 4400, 50));
    QVERIFY(texts.front().flags & Qt::AlignHCenter);
    if (!sourceLine.isEmpty()) {
        QCOMPARE(texts[1].text, sourceLine);
        QCOMPARE(texts[1].rect.topLeft(), QPoint(200, 249));
    }
    const PrintedPage::Text& body = texts[texts.size() - 2];
    QCOMPARE(body.text, report.text);
    QCOMPARE(body.rect, QRect(200, textTop, 4400, 6463 - textTop));
    QVERIFY(body.flags & Qt::TextWordWrap);
    QVERIFY(body.flags & Qt::TextExpandTabs);
    QVERIFY(body.flags & Qt::TextDontClip); // a long text runs on past the bottom
    QCOMPARE(texts.back().text, ScreenExport::FooterText());
    QCOMPARE(texts.back().rect, QRect(200, 6463, 4400, 50));
    QVERIFY(texts.back().flags & Qt::AlignHCenter);
}

void ScreenPrintTest::missingPicture_endsThePageAfterTheRule_data() {
    QTest::addColumn<QString>("sourceLine");
    QTest::newRow("chart") << QString();
    QTest::newRow("source line and chart") << QStringLiteral("Reprinted");
}

void ScreenPrintTest::missingPicture_endsThePageAfterTheRule() {
    QFETCH(QString, sourceLine);
    const ScreenPrintReport report{QStringLiteral("Title"), sourceLine, BodyFatChartFile,
                                   QStringLiteral("\nText\n")};
    PrintedPage page(QSize(4800, 6600), PrintedPage::ReportFont(600), 50);
    QVERIFY(!ScreenPrint::LayOut(page, report, QImage(), {600, 600, 96, 96}));
    QCOMPARE(page.Lines().size(), std::size_t(1));
    QVERIFY(page.Pictures().empty());
    QCOMPARE(page.Texts().size(), std::size_t(sourceLine.isEmpty() ? 1 : 2));
    QCOMPARE(page.Texts().back().text, sourceLine.isEmpty() ? report.title : sourceLine);
}

void ScreenPrintTest::pageRangeFollowsThePictureWidth_data() {
    QTest::addColumn<ScreenClass>("screenClass");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("chartWidth"); // 0: no chart
    QTest::newRow("blood pressure") << ScreenClass::CBloodPressure
                                    << Setup([](PrintFixture& p) { Reading(p, QString()); }) << 758;
    QTest::newRow("BMI/BMR") << ScreenClass::CBMI_BMR << Setup([](PrintFixture& p) {
        Bmi(p, QStringLiteral("5"), QStringLiteral("9"), "moderateRadio");
    }) << 628;
    QTest::newRow("tape") << ScreenClass::CTapeMeasurement << Setup(Tape) << 0;
}

void ScreenPrintTest::pageRangeFollowsThePictureWidth() {
    QFETCH(ScreenClass, screenClass);
    QFETCH(Setup, setup);
    QFETCH(int, chartWidth);
    PrintFixture p(screenClass);
    setup(p);
    p.Print();
    QVERIFY(p.f.Prompter().Boxes().isEmpty());
    const PdfPrintService& printing = p.f.services.printService;
    QCOMPARE(printing.dialogs, 1);
    QCOMPARE(printing.lastMinPage, 1);
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const int pages =
        std::max(1, PrintedPage::PageCount(reference.logicalDpiX(), reference.widthMM(), chartWidth,
                                           p.screen->logicalDpiX()));
    QCOMPARE(printing.lastMaxPage, pages);
    if (chartWidth == 0)
        QCOMPARE(printing.lastMaxPage, 1);
    QVERIFY(QFile::exists(printing.files.last()));
}

void ScreenPrintTest::failures_showTheirMessages_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("no default printer") << QStringLiteral("printer") << QStringLiteral("Vitalog")
                                        << PrinterMissing << int(QMessageBox::Warning) << 0;
    QTest::newRow("job cannot start") << QStringLiteral("job") << QStringLiteral("Vitalog")
                                      << JobFailed << int(QMessageBox::Warning) << 1;
    QTest::newRow("chart cannot be drawn")
        << QStringLiteral("picture") << QStringLiteral("Error") << QStringLiteral("Printing Error")
        << int(QMessageBox::Critical) << 1;
}

void ScreenPrintTest::failures_showTheirMessages() {
    QFETCH(QString, failure);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(int, dialogs);
    PrintFixture p(ScreenClass::CBloodPressure);
    Reading(p, QString());
    PdfPrintService& printing = p.f.services.printService;
    if (failure == QLatin1String("printer"))
        printing.hasPrinter = false;
    if (failure == QLatin1String("job")) // the PDF file cannot be created
        QVERIFY(QDir(p.f.services.FilePath(QStringLiteral("prints"))).removeRecursively());
    if (failure == QLatin1String("picture")) {
        const QString chart = p.f.services.FilePath(QStringLiteral("db/bloodpressure"));
        QVERIFY(QFile::remove(chart + QStringLiteral(".bmp")));
        QVERIFY(QFile::remove(chart + QStringLiteral("@2x.bmp")));
    }
    p.f.Prompter().ExpectOk();
    p.Print();
    QCOMPARE(printing.dialogs, dialogs);
    QCOMPARE(p.f.Prompter().Boxes().size(), 1);
    QCOMPARE(p.f.Prompter().Last().title, title);
    QCOMPARE(p.f.Prompter().Last().text, text);
    QCOMPARE(int(p.f.Prompter().Last().icon), icon);
    QCOMPARE(p.f.Prompter().Last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(p.f.Prompter().Unexpected().isEmpty());
    // Without its chart the page still holds the title and the rule, and no more.
    if (failure == QLatin1String("picture")) {
        QVERIFY(QFile::exists(printing.files.last()));
        QCOMPARE(printing.lastMaxPage, 1);
    }
}

void ScreenPrintTest::cancelledDialog_printsNothing() {
    PrintFixture p(ScreenClass::CTapeMeasurement);
    Tape(p);
    p.f.services.printService.acceptDialog = false;
    p.Print();
    QCOMPARE(p.f.services.printService.dialogs, 1);
    QVERIFY(!QFile::exists(p.f.services.printService.files.last()));
    QVERIFY(p.f.Prompter().Boxes().isEmpty());
}

void ScreenPrintTest::chosenPageRange_stillPrintsTheOnePage() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils (scripts/install-deps.sh) are needed to read the PDF");
    // The user asks the dialog for pages 2 to 3.
    class RangeChoosingService : public PdfPrintService {
    public:
        using PdfPrintService::PdfPrintService;
        bool ShowPrintDialog(QPrinter& printer, QWidget* parent, int minPage,
                             int maxPage) override {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            return PdfPrintService::ShowPrintDialog(printer, parent, minPage, maxPage);
        }
    };
    PrintFixture p(ScreenClass::CBloodPressure);
    Reading(p, QString());
    RangeChoosingService service(p.f.services.FilePath(QStringLiteral("prints")));
    p.f.services.services.printService = &service;
    p.Print();
    QVERIFY(p.f.Prompter().Boxes().isEmpty());
    QCOMPARE(service.dialogs, 1);
    QVERIFY(
        RunTool(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {service.files.last()})
            .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

void ScreenPrintTest::printedIntoPdf_holdsOnePageWithTitleRuleAndText() {
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty() || pdftoppm.isEmpty())
        QSKIP("poppler-utils (scripts/install-deps.sh) are needed to read the PDF");

    PrintFixture p(ScreenClass::CBloodPressure);
    Reading(p, QStringLiteral("After a run"));
    p.Print();
    QVERIFY(p.f.Prompter().Boxes().isEmpty());
    const QString file = p.f.services.printService.files.last();
    QVERIFY(QFile::exists(file));

    // Whatever range the dialog offered, one page.
    QVERIFY(
        RunTool(pdfinfo, {file}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    const QString text = RunTool(pdftotext, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    for (const char* expected :
         {"Blood Pressure Report for Ann", "Date: 12/09/2026", "Time: 7:05:09 PM", "Systolic: 135",
          "Diastolic: 88", "Pulse: 72", "Notes: After a run", "Vitalog - "}) {
        QVERIFY2(text.simplified().contains(QLatin1String(expected)), expected);
    }

    // The rule: a dark row across most of the page, near its top, above the chart.
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    RunTool(pdftoppm, {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-gray"),
                       QStringLiteral("-singlefile"), file, prefix});
    const QImage page(prefix + QStringLiteral(".pgm"));
    QVERIFY(!page.isNull());
    int ruleRow = -1;
    for (int y = 0; y < page.height() / 8 && ruleRow < 0; ++y)
        if (DarkRun(page, y) > page.width() * 3 / 4)
            ruleRow = y;
    QVERIFY(ruleRow > 0);
}

QTEST_MAIN(ScreenPrintTest)
#include "ScreenPrintTest.moc"
