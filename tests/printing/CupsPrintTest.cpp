// Every Print command end to end through a real print system: a private CUPS server whose
// default queue is a PostScript printer writing to a file. The program's own print service
// finds the default printer; only the print dialog is answered without showing it. Each job is
// read back as PDF: pages, paper size, title and values as text, and the ink kept inside the
// printer's printable area.
#include "CupsTestServer.h"
#include "MainWindowFixture.h"
#include "TestPictures.h"
#include "calc/OtherCalc.h"
#include "controls/HoverButton.h"
#include "graphs/CMSChart.h"
#include "help/CaliperHelpWindow.h"
#include "platform/PrintService.h"
#include "platform/PrintedPage.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/CFormPTView.h"
#include "shell/Commands.h"
#include "shell/ScreenClass.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <functional>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// The program's own print service with the dialog answered instead of shown.
class AnsweringPrintService : public QtPrintService {
public:
    bool ShowPrintDialog(QPrinter& printer, QWidget*, int, int maxPage) override {
        ++dialogs;
        lastMaxPage = maxPage;
        printerName = printer.printerName();
        return accept;
    }
    bool accept = true;
    int dialogs = 0;
    int lastMaxPage = 0;
    QString printerName;
};

QString Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The rectangle of everything drawn on a page image (not white), empty when nothing is.
QRect Inked(const QImage& image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(line[x]) < 250) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

constexpr int RenderDpi = 100;

// One printed job as read back.
struct PrintedJob {
    int pages = 0;
    QString pageSize;
    QString text;
    QImage firstPage; // at RenderDpi
};

PrintedJob ReadJob(const QString& pdf) {
    PrintedJob job;
    const QString info = Tool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            job.pages = line.mid(6).trimmed().toInt();
        if (line.startsWith(QLatin1String("Page size:")))
            job.pageSize = line.mid(10).trimmed();
    }
    job.text = Tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    const QString png = pdf + QStringLiteral("-page");
    Tool(QStringLiteral("pdftoppm"),
         {QStringLiteral("-r"), QString::number(RenderDpi), QStringLiteral("-f"),
          QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
          QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, png});
    job.firstPage.load(png + QStringLiteral(".png"));
    job.firstPage = job.firstPage.convertToFormat(QImage::Format_RGB32);
    if (!qEnvironmentVariableIsEmpty("VITALOG_KEEP_PRINTS")) // to look at the pages
        job.firstPage.save(qEnvironmentVariable("VITALOG_KEEP_PRINTS") + QLatin1Char('/') +
                           QFileInfo(pdf).completeBaseName() + QStringLiteral(".png"));
    return job;
}

// A stored user selected in the main window.
void SelectStoredUser(MainWindowFixture& f, UserRecord user) {
    AddUser(f.services.services.DataPath(), user);
    FindUser(f.services.services.DataPath(), user);
    f.SelectUser(user);
}

template <class W> W* Find(MainWindowFixture& f, const char* name) {
    return f.Frame().CurrentScreen()->findChild<W*>(QString::fromLatin1(name));
}

void Type(MainWindowFixture& f, const char* field, const QString& text) {
    auto* edit = Find<QLineEdit>(f, field);
    QVERIFY2(edit, field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void OpenScreen(MainWindowFixture& f, ScreenClass screen) {
    f.Frame().SwitchScreen(screen);
    QCoreApplication::processEvents();
}

void PrintCommand(MainWindowFixture& f) {
    f.Frame().UpdateCommandStates();
    QVERIFY2(f.Frame().Action(CommandId::FilePrint)->isEnabled(), "Print is disabled");
    f.Frame().Execute(CommandId::FilePrint);
}

void PrintCaliperHowTo(MainWindowFixture& f) {
    f.SelectUser(MainWindowFixture::MakeUser("Gus"));
    f.Frame().Action(CommandId::HelpMeasurementSites)->trigger();
    CaliperHelpWindow* shown = nullptr;
    for (CaliperHelpWindow* window : f.Frame().findChildren<CaliperHelpWindow*>())
        if (window->isVisible())
            shown = window;
    QVERIFY(shown);
    QTest::mouseClick(shown->PrintButton(), Qt::LeftButton);
}

void PrintBloodPressure(MainWindowFixture& f) {
    SelectStoredUser(f, MainWindowFixture::MakeUser("Ann"));
    OpenScreen(f, ScreenClass::CBloodPressure);
    Find<QDateEdit>(f, "datePicker")->setDate(QDate(2026, 12, 9));
    Find<QTimeEdit>(f, "timePicker")->setTime(QTime(19, 5, 9));
    Type(f, "systolicEdit", QStringLiteral("135"));
    Type(f, "diastolicEdit", QStringLiteral("88"));
    Type(f, "pulseEdit", QStringLiteral("72"));
    QTest::keyClicks(Find<QPlainTextEdit>(f, "notesEdit"), QStringLiteral("after the walk"));
    PrintCommand(f);
}

void PrintBmiBmr(MainWindowFixture& f) {
    SelectStoredUser(f, MainWindowFixture::MakeUser("Ann"));
    OpenScreen(f, ScreenClass::CBMI_BMR);
    Find<QDateEdit>(f, "datePicker")->setDate(QDate(2026, 12, 9));
    Type(f, "heightFeetEdit", QStringLiteral("5"));
    Type(f, "heightInchesEdit", QStringLiteral("9"));
    Type(f, "weightEdit", QStringLiteral("180.5"));
    Type(f, "ageEdit", QStringLiteral("31"));
    auto* radio = Find<QRadioButton>(f, "moderateRadio");
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    f.Frame().UpdateCommandStates();
    QTest::mouseClick(Find<QToolButton>(f, "calculateButton"), Qt::LeftButton);
    PrintCommand(f);
}

void PrintTape(MainWindowFixture& f) {
    SelectStoredUser(f, MainWindowFixture::MakeUser("Ann"));
    OpenScreen(f, ScreenClass::CTapeMeasurement);
    Find<QDateEdit>(f, "datePicker")->setDate(QDate(2026, 12, 9));
    Type(f, "weightEdit", QStringLiteral("139.5"));
    const char* const edits[] = {"bicepEdit", "forearmOrHipEdit", "chestEdit", "waistEdit",
                                 "neckEdit",  "calfEdit",         "thighEdit"};
    const QStringList sites = QString("11.25 35.5 33.75 27.5 12.75 13.5 20").split(' ');
    for (int i = 0; i < 7; ++i)
        Type(f, edits[i], sites[i]);
    PrintCommand(f);
}

void PrintBodyFatResults(MainWindowFixture& f) {
    SelectStoredUser(f, MainWindowFixture::MakeUser("Ann"));
    auto calc = std::make_unique<OtherCalc>(f.Frame().CurrentUser, 22);
    calc->Calculate();
    calc->record.date = MakeDateKey(2026, 12, 9);
    f.Frame().PendingCalculation = std::move(calc);
    f.Frame().ResultsMode = CMainFrame::ResultsPending;
    OpenScreen(f, ScreenClass::CBodyFatResults);
    PrintCommand(f);
}

void PrintHistory(MainWindowFixture& f) {
    SelectStoredUser(f, MainWindowFixture::MakeUser("Ann"));
    for (const DateKey date : {20050307, 20060101}) {
        TapeRecord tape;
        tape.user = f.Frame().CurrentUser;
        tape.date = date;
        tape.neck = 14.5;
        tape.waist = 33.25;
        QCOMPARE(TapeFile::Append(f.services.services.DataPath(), tape), StoreResult::Done);
    }
    f.Frame().Action(CommandId::HistoryTape)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    PrintCommand(f);
}

void PrintGraph(MainWindowFixture& f) {
    SelectStoredUser(f, MainWindowFixture::MakeUser("Jane"));
    for (const auto& [date, bodyFat, weight] :
         {std::tuple{20250104, 24.6, 182.0}, std::tuple{20250405, 22.1, 176.5},
          std::tuple{20250712, 20.3, 172.0}, std::tuple{20251220, 18.9, 168.25}}) {
        BodyFatRecord r;
        r.user = f.Frame().CurrentUser;
        r.bodyFat = bodyFat;
        r.fatWeight = weight * bodyFat / 100;
        r.leanWeight = weight - r.fatWeight;
        r.user.weight = weight;
        r.SetMethod("Other");
        r.date = date;
        QCOMPARE(BodyFatFile::Append(f.services.services.DataPath(), r), StoreResult::Done);
    }
    f.Frame().UpdateCommandStates();
    f.Frame().Execute(CommandId::OptionsGraph);
    auto* types = Find<QComboBox>(f, "graphTypeList");
    QVERIFY(types);
    const int line = types->findText(QStringLiteral("Body Composition     - Line"));
    QVERIFY(line >= 0);
    types->setCurrentIndex(line);
    emit types->activated(line);
    auto* items = Find<QListWidget>(f, "dataList");
    for (const char* item : {"Body Fat %", "Weight"}) {
        const QList<QListWidgetItem*> found =
            items->findItems(QLatin1String(item), Qt::MatchExactly);
        QVERIFY2(found.size() == 1, item);
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                          items->visualItemRect(found[0]).center());
    }
    QCoreApplication::processEvents();
    QTest::mouseClick(Find<QToolButton>(f, "graphButton"), Qt::LeftButton);
    // The chart lays out its axes and legend once it is shown, as the user sees it before
    // printing.
    QCoreApplication::processEvents();
    PrintCommand(f);
}

CFormPTView* ShowSlideshow(MainWindowFixture& f, const UserRecord& user) {
    f.SelectUser(user);
    f.Frame().SwitchScreen(ScreenClass::CFormPTView);
    return qobject_cast<CFormPTView*>(f.Frame().CurrentScreen());
}

void PrintPictureReport(MainWindowFixture& f) {
    const UserRecord user = MainWindowFixture::MakeUser("Ann");
    const QString dir = f.services.DataDir();
    AddBodyComposition(dir, user, 20040307, 20, 180);
    AddTape(dir, user, 20040307);
    const QString photo = dir + QStringLiteral("/front.png");
    QVERIFY(WritePhoto(photo, {1600, 1200}, Qt::darkGreen, QStringLiteral("Front")));
    AddPicture(dir, user, 20040307, photo);
    CFormPTView* screen = ShowSlideshow(f, user);
    QVERIFY(screen);
    screen->OnPrint();
}

void PrintGettingStarted(MainWindowFixture& f) {
    CFormPTView* screen = ShowSlideshow(f, MainWindowFixture::MakeUser("Ann"));
    QVERIFY(screen);
    screen->OnPrint();
}

using Command = std::function<void(MainWindowFixture&)>;

} // namespace

Q_DECLARE_METATYPE(Command)

class CupsPrintTest : public QObject {
    Q_OBJECT

private:
    // Prints through the command on the queue and reads the job back.
    PrintedJob PrintOn(const QString& queue, const Command& command, bool* ok);

    CupsTestServer m_server;
    bool m_started = false;

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void qtChoosesTheServersDefaultQueue();
    void everyPrintCommandComesOutWhole_data();
    void everyPrintCommandComesOutWhole();
    void widePicturesFitTheQuarterInchEdge_data();
    void widePicturesFitTheQuarterInchEdge();
    void picturesAreFittedToTheLayout_data();
    void picturesAreFittedToTheLayout();
    void cancelledDialogSendsNoJob();
    void rejectingQueueShowsThePrintingError_data();
    void rejectingQueueShowsThePrintingError();
};

void CupsPrintTest::initTestCase() {
    // Before anything asks Qt for a printer: its CUPS support reads CUPS_SERVER once.
    m_started = m_server.Start();
}

void CupsPrintTest::init() {
    QVERIFY2(m_started, qPrintable(QStringLiteral("the private CUPS server did not start: ") +
                                   m_server.Error()));
    QVERIFY2(m_server.SetDefault(QString::fromLatin1(CupsTestServer::NoEdgeQueue)),
             qPrintable(m_server.Error()));
}

void CupsPrintTest::cleanupTestCase() {
    m_server.Stop();
}

PrintedJob CupsPrintTest::PrintOn(const QString& queue, const Command& command, bool* ok) {
    *ok = false;
    if (!m_server.SetDefault(queue)) {
        qWarning("%s", qPrintable(m_server.Error()));
        return {};
    }
    MainWindowFixture f;
    AnsweringPrintService printing;
    f.services.services.printService = &printing;
    command(f);
    if (QTest::currentTestFailed())
        return {};
    if (printing.dialogs != 1 || printing.printerName != queue) {
        qWarning("dialogs %d, printer \"%s\"", printing.dialogs, qPrintable(printing.printerName));
        return {};
    }
    if (!f.Prompter().Boxes().isEmpty()) {
        qWarning("message: %s", qPrintable(f.Prompter().Texts().join(QLatin1Char('|'))));
        return {};
    }
    const QString pdf = m_server.TakeOutput(queue);
    if (pdf.isEmpty()) {
        qWarning("%s", qPrintable(m_server.Error()));
        return {};
    }
    *ok = true;
    return ReadJob(pdf);
}

void CupsPrintTest::qtChoosesTheServersDefaultQueue() {
    const QStringList names = QPrinterInfo::availablePrinterNames();
    QVERIFY2(names.contains(QLatin1String(CupsTestServer::NoEdgeQueue)),
             qPrintable(names.join(QLatin1Char(','))));
    QCOMPARE(QPrinterInfo::defaultPrinterName(), QLatin1String(CupsTestServer::NoEdgeQueue));
    // The queue's unprintable edge reaches the program as the printer's margins.
    QVERIFY(m_server.SetDefault(QString::fromLatin1(CupsTestServer::QuarterInchQueue)));
    QtPrintService service;
    const std::unique_ptr<QPrinter> printer = service.DefaultPrinter();
    QCOMPARE(printer->printerName(), QLatin1String(CupsTestServer::QuarterInchQueue));
    const QRectF paper = printer->paperRect(QPrinter::Point);
    const QRectF page = printer->pageRect(QPrinter::Point);
    QCOMPARE(paper.size(), QSizeF(595, 842));
    QCOMPARE(page, QRectF(18, 18, 559, 806));
}

void CupsPrintTest::everyPrintCommandComesOutWhole_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("texts"); // the title first

    QTest::newRow("caliper help how-to")
        << Command(PrintCaliperHowTo) << 1
        << QStringList{"Body Composition How To", "Which Formula?", "Jackson/Pollock 7 Site",
                       "subscapular, suprailiac, midaxillary", "Vitalog - "};
    QTest::newRow("blood pressure")
        << Command(PrintBloodPressure) << 1
        << QStringList{"Blood Pressure Report for Ann", "135", "88", "after the walk"};
    QTest::newRow("BMI/BMR") << Command(PrintBmiBmr) << 1
                             << QStringList{"BMI/BMR Report for Ann", "180.5", "Moderate"};
    QTest::newRow("tape") << Command(PrintTape) << 1
                          << QStringList{"Tape Measurements Report for Ann", "139.5", "33.75",
                                         "27.5"};
    QTest::newRow("body composition results")
        << Command(PrintBodyFatResults) << 1
        << QStringList{"Body Composition Report for Ann", "22.00", "Other"};
    QTest::newRow("history") << Command(PrintHistory) << 1
                             << QStringList{"Tape Measurements Report for Ann", "Date: 03/07/2005",
                                            "Neck: 14.50", "Waist: 33.25"};
    QTest::newRow("graph") << Command(PrintGraph) << 1
                           << QStringList{"Jane - 12/9/2026", "Vitalog"};
    QTest::newRow("picture report")
        << Command(PrintPictureReport) << 1
        << QStringList{"Picture Record Report for Ann", "Body Fat %: 20.00", "Thigh: 16.00"};
    QTest::newRow("slideshow getting started")
        << Command(PrintGettingStarted) << 1
        << QStringList{"Getting started with the picture slideshow", "Vitalog - "};
}

void CupsPrintTest::everyPrintCommandComesOutWhole() {
    QFETCH(Command, command);
    QFETCH(int, pages);
    QFETCH(QStringList, texts);
    bool ok = false;
    const PrintedJob job =
        PrintOn(QString::fromLatin1(CupsTestServer::QuarterInchQueue), command, &ok);
    QVERIFY(ok);
    QCOMPARE(job.pages, pages);
    QCOMPARE(job.pageSize, QStringLiteral("595 x 842 pts (A4)"));
    const QString text = job.text.simplified();
    for (const QString& expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in: ") + text));
    QVERIFY(!job.firstPage.isNull());
    const QRect inked = Inked(job.firstPage);
    QVERIFY(!inked.isEmpty());
    // A quarter inch at the render resolution; a pixel of grace for anti-aliasing.
    const int edge = RenderDpi / 4 - 1;
    const QRect printable = job.firstPage.rect().adjusted(edge, edge, -edge, -edge);
    QVERIFY2(printable.contains(inked),
             qPrintable(QStringLiteral("ink at %1,%2 %3x%4 on a %5x%6 page")
                            .arg(inked.x())
                            .arg(inked.y())
                            .arg(inked.width())
                            .arg(inked.height())
                            .arg(job.firstPage.width())
                            .arg(job.firstPage.height())));
}

void CupsPrintTest::widePicturesFitTheQuarterInchEdge_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("pictureWidth"); // in screen pixels at 96 dpi
    QTest::newRow("caliper help how-to") << Command(PrintCaliperHowTo) << 745;
    // The widest screen report: its chart is wider than the BMI/BMR one.
    QTest::newRow("blood pressure") << Command(PrintBloodPressure) << 758;
}

void CupsPrintTest::widePicturesFitTheQuarterInchEdge() {
    QFETCH(Command, command);
    QFETCH(int, pictureWidth);
    // Where the layout puts the picture on a queue, in pixels of the rendered page: 200
    // printer pixels in from the printable area's left edge, and at most as wide as the
    // layout, which ends 200 printer pixels before its right edge.
    const auto expected = [pictureWidth](const char* queue) {
        const QPrinter printer(QPrinterInfo::printerInfo(QLatin1String(queue)),
                               QPrinter::HighResolution);
        const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
        const double scale = double(RenderDpi) / printer.logicalDpiX();
        const double natural = pictureWidth * double(printer.logicalDpiX()) / 96;
        return QRect(qRound((printable.left() + 200) * scale), 0,
                     qRound(std::min(natural, printable.width() - 400) * scale), 0);
    };
    // A queue without an unprintable edge keeps the PDF writer's margins: the page is placed
    // as it always was.
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    const QPrinter noEdgePrinter(
        QPrinterInfo::printerInfo(QLatin1String(CupsTestServer::NoEdgeQueue)),
        QPrinter::HighResolution);
    QCOMPARE(noEdgePrinter.pageRect(QPrinter::Point), pdf.pageRect(QPrinter::Point));

    for (const char* queue : {CupsTestServer::NoEdgeQueue, CupsTestServer::QuarterInchQueue}) {
        bool ok = false;
        const PrintedJob job = PrintOn(QString::fromLatin1(queue), command, &ok);
        QVERIFY2(ok, queue);
        const QRect inked = Inked(job.firstPage);
        const QRect layout = expected(queue);
        const QString where = QStringLiteral("%1: ink from x %2, %3 wide; layout from %4, %5 wide")
                                  .arg(QLatin1String(queue))
                                  .arg(inked.left())
                                  .arg(inked.width())
                                  .arg(layout.left())
                                  .arg(layout.width());
        QVERIFY2(qAbs(inked.left() - layout.left()) <= 1, qPrintable(where));
        QVERIFY2(qAbs(inked.width() - layout.width()) <= 2, qPrintable(where));
        const int edge = QLatin1String(queue) == QLatin1String(CupsTestServer::QuarterInchQueue)
                             ? RenderDpi / 4
                             : 0;
        QVERIFY2(inked.right() < job.firstPage.width() - edge, qPrintable(where));
    }
}

void CupsPrintTest::picturesAreFittedToTheLayout_data() {
    QTest::addColumn<int>("pictureWidth"); // screen pixels at 96 dpi, 150 high
    QTest::newRow("narrower than the layout") << 600;
    QTest::newRow("as wide as the caliper help") << 745;
    QTest::newRow("twice the paper") << 1600;
}

void CupsPrintTest::picturesAreFittedToTheLayout() {
    QFETCH(int, pictureWidth);
    const QString queue = QString::fromLatin1(CupsTestServer::QuarterInchQueue);
    QVERIFY2(m_server.SetDefault(queue), qPrintable(m_server.Error()));
    TestServices t;
    AnsweringPrintService printing;
    t.services.printService = &printing;
    constexpr int PictureHeight = 150;
    QSizeF natural;
    PrintedPage::Edges layout{};
    PrintOnePage(t.services, nullptr, pictureWidth,
                 [&](PrintedPage& page, const QPaintDevice& printer) {
                     natural = QSizeF(pictureWidth * printer.logicalDpiX() / 96.0,
                                      PictureHeight * printer.logicalDpiY() / 96.0);
                     layout = page.Layout();
                     page.AddPicture(QPoint(layout.left, layout.top), natural,
                                     [](QPainter& painter, const QRectF& target) {
                                         painter.fillRect(target, Qt::black);
                                     });
                     return true;
                 });
    QVERIFY(t.prompter.Boxes().isEmpty());
    // Fitted, the picture never spans more than the one page printed.
    QCOMPARE(printing.dialogs, 1);
    QCOMPARE(printing.lastMaxPage, 1);
    const QString pdf = m_server.TakeOutput(queue);
    QVERIFY2(!pdf.isEmpty(), qPrintable(m_server.Error()));
    const PrintedJob job = ReadJob(pdf);
    const QRect inked = Inked(job.firstPage);
    const QPrinter printer(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
    const double scale = double(RenderDpi) / printer.logicalDpiX();
    const double left = printer.pageRect(QPrinter::DevicePixel).left();
    const double width = std::min<double>(natural.width(), layout.Width());
    const double height = natural.height() * width / natural.width(); // aspect kept
    const QString where = QStringLiteral("ink %1,%2 %3x%4; expected %5 wide, %6 high")
                              .arg(inked.x())
                              .arg(inked.y())
                              .arg(inked.width())
                              .arg(inked.height())
                              .arg(width * scale)
                              .arg(height * scale);
    QVERIFY2(qAbs(inked.left() - (left + layout.left) * scale) <= 1, qPrintable(where));
    QVERIFY2(qAbs(inked.width() - width * scale) <= 2, qPrintable(where));
    QVERIFY2(qAbs(inked.height() - height * scale) <= 2, qPrintable(where));
    QVERIFY2(inked.right() < job.firstPage.width() - RenderDpi / 4, qPrintable(where));
}

void CupsPrintTest::cancelledDialogSendsNoJob() {
    const QString queue = QString::fromLatin1(CupsTestServer::NoEdgeQueue);
    const int before = m_server.JobCount(queue);
    QVERIFY2(before >= 0, qPrintable(m_server.Error()));
    const Command commands[] = {PrintCaliperHowTo, PrintTape, PrintHistory, PrintGettingStarted};
    for (const Command& command : commands) {
        MainWindowFixture f;
        AnsweringPrintService printing;
        printing.accept = false;
        f.services.services.printService = &printing;
        command(f);
        QCOMPARE(printing.dialogs, 1);
        QVERIFY(f.Prompter().Boxes().isEmpty());
    }
    QCOMPARE(m_server.JobCount(queue), before);
}

void CupsPrintTest::rejectingQueueShowsThePrintingError_data() {
    // One command of each way a page reaches the printer: the shared one-page print, the
    // history's text over pages and the picture report's own page.
    QTest::addColumn<Command>("command");
    QTest::newRow("tape report") << Command(PrintTape);
    QTest::newRow("history") << Command(PrintHistory);
    QTest::newRow("picture report") << Command(PrintPictureReport);
}

void CupsPrintTest::rejectingQueueShowsThePrintingError() {
    QFETCH(Command, command);
    const QString queue = QString::fromLatin1(CupsTestServer::NoEdgeQueue);
    QVERIFY2(m_server.Accept(queue, false), qPrintable(m_server.Error()));
    const auto acceptAgain = qScopeGuard([&] { m_server.Accept(queue, true); });
    const int before = m_server.JobCount(queue);
    MainWindowFixture f;
    AnsweringPrintService printing;
    f.services.services.printService = &printing;
    f.Prompter().ExpectOk();
    command(f);
    QCOMPARE(printing.dialogs, 1);
    QCOMPARE(m_server.JobCount(queue), before);
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    QCOMPARE(f.Prompter().Last().text,
             QStringLiteral("Printing error occured. Unable to find printer."));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
}

QTEST_MAIN(CupsPrintTest)
#include "CupsPrintTest.moc"
