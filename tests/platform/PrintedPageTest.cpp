#include "platform/PrintedPage.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace vitalog;

class PrintedPageTest : public QObject {
    Q_OBJECT

private slots:
    void frameSitsInsideTheMargins();
    void picturesKeepTheirSizeOrShrinkToTheLayout_data();
    void picturesKeepTheirSizeOrShrinkToTheLayout();
    void renderingPaintsEveryItem();
};

namespace {
// A page of a 600 dpi printer with a 50-pixel line: 4800 x 4800 pixels, margin 100.
PrintedPage SquarePage() {
    return PrintedPage(QSize(4800, 4800), PrintedPage::ReportFont(600), 50);
}

int DarkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}
} // namespace

void PrintedPageTest::frameSitsInsideTheMargins() {
    PrintedPage page = SquarePage();
    QCOMPARE(page.Layout().left, 200);
    QCOMPARE(page.Layout().right, 4600);
    QCOMPARE(page.Layout().top, 100);
    QCOMPARE(page.Layout().bottom, 4700);

    // The rule sits a quarter line below the title's line.
    QCOMPARE(page.AddTitle(QStringLiteral("Title")), 100 + 50 + 12);
    page.AddFooter(QStringLiteral("Footer"));
    QCOMPARE(page.Lines().size(), std::size_t(1));
    QCOMPARE(page.Lines()[0], QLine(200, 162, 4600, 162));
    QCOMPARE(page.Texts().size(), std::size_t(2));
    // Both centred on the middle of the layout: between left and right.
    for (const PrintedPage::Text& text : page.Texts()) {
        QCOMPARE(text.rect.left(), 200);
        QCOMPARE(text.rect.width(), 4400);
        QVERIFY(text.flags & Qt::AlignHCenter);
        QVERIFY(text.flags & Qt::TextDontClip);
    }
    QCOMPARE(page.Texts()[0].rect.top(), 100);
    // The footer's top is the layout's bottom: it runs into the margin below.
    QCOMPARE(page.Texts()[1].rect.top(), 4700);
}

void PrintedPageTest::picturesKeepTheirSizeOrShrinkToTheLayout_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<QSizeF>("printed");
    QTest::addColumn<QSize>("placed");
    // The layout is 4400 pixels wide, from 200 to 4600.
    QTest::newRow("fits, truncated") << 200 << QSizeF(1000.7, 500.9) << QSize(1000, 500);
    QTest::newRow("exactly as wide") << 200 << QSizeF(4400, 2000) << QSize(4400, 2000);
    QTest::newRow("twice as wide") << 200 << QSizeF(8800, 3000) << QSize(4400, 1500);
    // The caliper picture: 745 screen pixels at 96 dpi on 1200 dpi paper.
    QTest::newRow("help picture") << 200 << QSizeF(9312.5, 4687.5) << QSize(4400, 2214);
    QTest::newRow("indented") << 1200 << QSizeF(4400, 1000) << QSize(3400, 772);
}

void PrintedPageTest::picturesKeepTheirSizeOrShrinkToTheLayout() {
    QFETCH(int, left);
    QFETCH(QSizeF, printed);
    QFETCH(QSize, placed);
    PrintedPage page = SquarePage();
    const QRect target = page.AddPicture(QPoint(left, 300), printed, {});
    QCOMPARE(target, QRect(QPoint(left, 300), placed));
    QCOMPARE(page.Pictures().size(), std::size_t(1));
    QCOMPARE(page.Pictures()[0].target, target);
    QVERIFY(target.left() + target.width() <= page.Layout().right);
}

void PrintedPageTest::renderingPaintsEveryItem() {
    // A small page at screen resolution, so that the image stays small.
    QImage image(800, 960, QImage::Format_RGB32);
    image.fill(Qt::white);
    PrintedPage page(image.size(), PrintedPage::ReportFont(96), 16);
    const int ruleY = page.AddTitle(QStringLiteral("Report for Ann"));
    const QRect picture = page.AddPicture(
        QPoint(page.Layout().left, ruleY + 10), QSizeF(300, 100),
        [](QPainter& painter, const QRectF& target) { painter.fillRect(target, Qt::blue); });
    const int textTop = picture.bottom() + 50;
    page.AddWrappedText(QRect(200, textTop, 150, 300),
                        QStringLiteral("Words that wrap over more than one line of the page"));
    page.AddFooter(QStringLiteral("Footer"));
    QPainter painter(&image);
    page.Render(painter);
    painter.end();

    QCOMPARE(image.pixel(picture.center()), QColor(Qt::blue).rgb());
    QCOMPARE(image.pixel(400, ruleY), QColor(Qt::black).rgb());
    QVERIFY(DarkPixels(image, QRect(200, page.Layout().top, 400, 16)) > 20); // title
    // Wrapped: ink on the second line of the text too.
    const int lineHeight = QFontMetrics(page.Font()).height();
    QVERIFY(DarkPixels(image, QRect(200, textTop + lineHeight, 150, lineHeight)) > 20);
    QVERIFY(DarkPixels(image, QRect(200, page.Layout().bottom, 400, 16)) > 20); // footer
    // Nothing beside the layout.
    QCOMPARE(DarkPixels(image, QRect(0, 0, 150, image.height())), 0);
}

QTEST_MAIN(PrintedPageTest)
#include "PrintedPageTest.moc"
