// PrintText: pages cut by character count on a small page, and whole texts printed into PDF
// files through the print seam (nothing lost or repeated, a job abandoned at a page that cannot
// be ended, a cancelled dialog).
#include "printing/PrintText.h"
#include "TestServices.h"
#include "platform/PrintedPage.h"

#include <QFile>
#include <QFontMetrics>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace vitalog;
using namespace vitalog::test;

namespace {

constexpr int Flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

// The height a text needs word-wrapped into a page of the given width, in a screen font.
std::function<int(const QString&)> Wrapped(int width) {
    return [width, metrics = QFontMetrics(PrintedPage::ReportFont(96))](const QString& text) {
        return metrics.boundingRect(QRect(0, 0, width, 100000), Flags, text).height();
    };
}

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QLatin1String(name));
}

QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& file) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(RunTool(Tool("pdfinfo"), {file}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString WithoutBlanks(QString text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.remove(blanks);
}

// A history-like text of numbered blocks.
QString Blocks(int count) {
    QString text = QStringLiteral("\nTape Measurements Report for Ann\n\n");
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("Date: 12/%1/2026\nWeight: %2.50\nNotes: block number %1\n\n")
                    .arg(i)
                    .arg(100 + i);
    return text;
}

// Hands out PDF printers that cannot end a page.
class PrinterThatCannotEndPages : public QPrinter {
public:
    PrinterThatCannotEndPages() : QPrinter(QPrinter::HighResolution) {}
    bool newPage() override {
        ++pagesAsked;
        return false;
    }
    static inline int pagesAsked = 0;
};

class FailingPageService : public PdfPrintService {
public:
    using PdfPrintService::PdfPrintService;
    std::unique_ptr<QPrinter> DefaultPrinter() override {
        auto printer = std::make_unique<PrinterThatCannotEndPages>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        return printer;
    }
    QString file;
};

} // namespace

class PrintTextTest : public QObject {
    Q_OBJECT

private slots:
    void pagesAreCutByCharacters();
    void pagesEndInsideWords();
    void tinyPages_stillTakeOneCharacterEach();
    void emptyText_hasNoPages();
    void longText_isNeverMeasuredWhole();
    void printedIntoPdf_losesAndRepeatsNothing();
    void pageThatCannotBeEnded_abandonsTheJob();
    void cancelledDialog_printsNothing();
};

void PrintTextTest::pagesAreCutByCharacters() {
    const auto height = Wrapped(160);
    const int lineHeight = height(QStringLiteral("X"));
    const int pageHeight = 4 * lineHeight;
    const QString text = QStringLiteral(
        "Date: 12/09/2026\nBody Fat Percentage:  21.50%\nLean Body Weight:  141.30\n"
        "Body Fat:  38.70\nTotal Body Weight:  180.00\nMeasurement Type: Parrillo\nChest: 12   "
        "Abdominal: 20   Thigh: 14   Bicep: 5\nTricep: 9   Subscapular: 11   Suprailiac: 13");
    QVERIFY(height(text) > 2 * pageHeight);

    // Three pages or more, as the font wraps the lines.
    const QStringList pages = PageTexts(text, pageHeight, height);
    QVERIFY(pages.size() >= 3);
    QCOMPARE(pages.join(QString()), text); // nothing lost, nothing repeated
    qsizetype start = 0;
    for (const QString& page : pages) {
        QVERIFY(height(page) <= pageHeight);
        // Each page is as long as the page allows: one more character would not fit.
        start += page.size();
        if (start < text.size())
            QVERIFY(height(page + text.at(start)) > pageHeight);
    }
}

void PrintTextTest::pagesEndInsideWords() {
    // Long words wrap whole onto the next line, but part of one still fits on the last line.
    const auto height = Wrapped(200);
    const QString text = QStringLiteral("Measurements documented repeatedly: "
                                        "circumference, subscapular, suprailiac, "
                                        "measurement, documentation, characteristics, "
                                        "interpretation, comparability, reproducibility")
                             .repeated(3);
    const QStringList pages = PageTexts(text, 2 * height(QStringLiteral("X")), height);
    QVERIFY(pages.size() > 2);
    QCOMPARE(pages.join(QString()), text);
    int insideWords = 0;
    for (qsizetype i = 0; i + 1 < pages.size(); ++i)
        insideWords += pages[i].back().isLetter() && pages[i + 1].front().isLetter();
    QVERIFY(insideWords > 0);
}

void PrintTextTest::tinyPages_stillTakeOneCharacterEach() {
    const auto height = Wrapped(160);
    const QStringList pages =
        PageTexts(QStringLiteral("abc"), height(QStringLiteral("X")) / 2, height);
    QCOMPARE(pages, QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

void PrintTextTest::emptyText_hasNoPages() {
    QVERIFY(PageTexts(QString(), 100, Wrapped(160)).isEmpty());
}

void PrintTextTest::longText_isNeverMeasuredWhole() {
    // A history of thousands of records would take minutes if every page measured the rest.
    const QString text = Blocks(3000);
    const auto height = Wrapped(400);
    qsizetype longest = 0;
    const QStringList pages =
        PageTexts(text, 30 * height(QStringLiteral("X")), [&](const QString& piece) {
            longest = std::max(longest, piece.size());
            return height(piece);
        });
    QCOMPARE(pages.join(QString()), text);
    QVERIFY(pages.size() > 100);
    QVERIFY2(longest < 10 * pages.first().size(), qPrintable(QString::number(longest)));
}

void PrintTextTest::printedIntoPdf_losesAndRepeatsNothing() {
    if (Tool("pdfinfo").isEmpty() || Tool("pdftotext").isEmpty())
        QSKIP("poppler-utils (scripts/install-deps.sh) are needed to read the PDF");
    TestServices t;
    const QString text = Blocks(40);
    PrintText(t.services, nullptr, text);
    QVERIFY(t.prompter.Boxes().isEmpty());
    // All pages: no range offered.
    QCOMPARE(t.printService.dialogs, 1);
    QCOMPARE(t.printService.lastMaxPage, 0);
    const QString file = t.printService.files.last();
    const int pages = PdfPages(file);
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    const QString printed = RunTool(Tool("pdftotext"), {file, QStringLiteral("-")});
    QCOMPARE(printed.count(QLatin1Char('\f')), pages);
    QCOMPARE(WithoutBlanks(printed), WithoutBlanks(text));
}

void PrintTextTest::pageThatCannotBeEnded_abandonsTheJob() {
    TestServices t;
    FailingPageService service(t.DataDir());
    service.file = t.FilePath(QStringLiteral("abandoned.pdf"));
    t.services.printService = &service;
    PrinterThatCannotEndPages::pagesAsked = 0;
    PrintText(t.services, nullptr, Blocks(40));
    // Asked once for the second page, then nothing more; no message.
    QCOMPARE(PrinterThatCannotEndPages::pagesAsked, 1);
    QVERIFY(t.prompter.Boxes().isEmpty());
    if (QFile::exists(service.file) && !Tool("pdfinfo").isEmpty())
        QVERIFY(PdfPages(service.file) <= 1);
}

void PrintTextTest::cancelledDialog_printsNothing() {
    TestServices t;
    t.printService.acceptDialog = false;
    PrintText(t.services, nullptr, Blocks(3));
    QCOMPARE(t.printService.dialogs, 1);
    QVERIFY(!QFile::exists(t.printService.files.last()));
    QVERIFY(t.prompter.Boxes().isEmpty());
}

QTEST_MAIN(PrintTextTest)
#include "PrintTextTest.moc"
