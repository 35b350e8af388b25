#include "help/HelpWindows.h"
#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "controls/HoverButton.h"
#include "controls/LinkLabel.h"
#include "controls/MarkedComboBox.h"
#include "help/AboutBox.h"
#include "help/CaliperHelpWindow.h"
#include "help/HelpPageWindow.h"
#include "help/HelpPages.h"
#include "help/HelpWindowRegistry.h"
#include "platform/PrintedPage.h"
#include "help/ProductArtwork.h"
#include "help/PurchaseDialog.h"
#include "help/SitePictures.h"
#include "help/VendorConfig.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QTest>

using namespace vitalog;
using namespace vitalog::test;
using Kind = HelpWindowRegistry::Kind;

namespace {

// Help page windows of the topic that are still open.
QList<HelpPageWindow*> OpenPages(CMainFrame& frame, int topic) {
    QList<HelpPageWindow*> pages;
    for (HelpPageWindow* page : frame.findChildren<HelpPageWindow*>())
        if (page->Topic() == topic && page->isVisible())
            pages << page;
    return pages;
}

QList<CaliperHelpWindow*> OpenCaliperWindows(CMainFrame& frame) {
    QList<CaliperHelpWindow*> windows;
    for (CaliperHelpWindow* window : frame.findChildren<CaliperHelpWindow*>())
        if (window->isVisible())
            windows << window;
    return windows;
}

QList<PurchaseDialog*> OpenPurchaseDialogs(CMainFrame& frame) {
    QList<PurchaseDialog*> dialogs;
    for (PurchaseDialog* dialog : frame.findChildren<PurchaseDialog*>())
        if (dialog->isVisible())
            dialogs << dialog;
    return dialogs;
}

QImage Shown(const CaliperHelpWindow* window) {
    return window->PictureFrame()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

UserRecord Woman(const char* name) {
    UserRecord user = MainWindowFixture::MakeUser(name);
    user.sex = 2;
    return user;
}

// Opens the caliper help through the Help menu and returns its window.
CaliperHelpWindow* OpenSitesHelp(MainWindowFixture& f) {
    f.Frame().Action(CommandId::HelpMeasurementSites)->trigger();
    const QList<CaliperHelpWindow*> windows = OpenCaliperWindows(f.Frame());
    return windows.size() == 1 ? windows.first() : nullptr;
}

const QString PrinterMissing =
    QStringLiteral("Can not find printer. Please check installed/default printers.");

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void helpMenuOpensOneWindowPerTopic_data();
    void helpMenuOpensOneWindowPerTopic();
    void topicWithoutPageOpensEmptyWindow();
    void helpTextsParseAndFitTheirPages();
    void sitePicturesCoverTheListAndFit();

    void caliperWindowIgnoresFurtherRequests();
    void caliperListFollowsSex();
    void siteChoiceShowsItsPicture_data();
    void siteChoiceShowsItsPicture();
    void helpButtonOpensBodyFatHelpAndClosesWithWindow();
    void caliperWindowCentresItsContentAndScrollsWhenSmall();

    void printWithoutDefaultPrinterWarns();
    void printOfHeadingReportsPrintingError();
    void printWritesPageAfterOfferingPageRange();
    void printCancelledWritesNothing();
    void pageCountCoversPictureWidth_data();
    void pageCountCoversPictureWidth();

    void aboutBoxShowsLinksAndClosesWithEscape();
    void buyOpensOneDialogWithAccessoryLinks();
};

void HelpWindowsTest::helpMenuOpensOneWindowPerTopic_data() {
    QTest::addColumn<CommandId>("command");
    QTest::addColumn<int>("topic");
    QTest::newRow("User Profile") << CommandId::HelpUserProfile << 1;
    QTest::newRow("Calculate BMI/BMR") << CommandId::HelpBmiBmr << 2;
    QTest::newRow("Body Composition Results") << CommandId::HelpBodyCompositionResults << 3;
    QTest::newRow("Calculate Body Fat") << CommandId::HelpCalculateBodyFat << 4;
    QTest::newRow("Graphing") << CommandId::HelpGraphing << 5;
    QTest::newRow("History") << CommandId::HelpHistory << 6;
    QTest::newRow("Slideshow") << CommandId::HelpSlideshow << 7;
    QTest::newRow("Record Tape Measurements") << CommandId::HelpTapeMeasurements << 8;
    QTest::newRow("Blood Pressure") << CommandId::HelpBloodPressure << 9;
}

void HelpWindowsTest::helpMenuOpensOneWindowPerTopic() {
    QFETCH(CommandId, command);
    QFETCH(int, topic);
    MainWindowFixture f;
    QAction* help = f.Frame().Action(command);

    help->trigger();
    help->trigger();
    QList<HelpPageWindow*> pages = OpenPages(f.Frame(), topic);
    QCOMPARE(pages.size(), 1);
    QPointer<HelpPageWindow> first = pages.first();
    QVERIFY(!first->isModal());
    QCOMPARE(first->size(), QSize(348, 419));
    QCOMPARE(first->minimumSize(), first->maximumSize()); // not resizable
    QVERIFY(first->windowTitle().isEmpty());
    QCOMPARE(first->BackdropMode(), int(BackdropDialog::Centre));
    QCOMPARE(first->Backdrop().toImage().convertToFormat(QImage::Format_RGB32),
             RenderHelpPage(topic));
    QCOMPARE(first->accessibleName(), LoadHelpPage(topic).heading);

    first->close();
    QTRY_VERIFY(first.isNull()); // deletes itself
    QVERIFY(!HelpWindowRegistry::Find(Kind::HelpPage, topic));
    help->trigger();
    pages = OpenPages(f.Frame(), topic);
    QCOMPARE(pages.size(), 1);
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::topicWithoutPageOpensEmptyWindow() {
    MainWindowFixture f;
    OpenHelpPage(&f.Frame(), 12);
    OpenHelpPage(&f.Frame(), 12);
    const QList<HelpPageWindow*> pages = OpenPages(f.Frame(), 12);
    QCOMPARE(pages.size(), 1);
    QVERIFY(!pages.first()->HasPage());
    QCOMPARE(pages.first()->size(), QSize(348, 419));

    // Escape closes it like the close box, and the topic can be opened again.
    QTest::keyClick(pages.first(), Qt::Key_Escape);
    QVERIFY(!HelpWindowRegistry::Find(Kind::HelpPage, 12));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::helpTextsParseAndFitTheirPages() {
    const HelpPageText parsed = ParseHelpPage(QStringLiteral("Title\n\n"
                                                             "First paragraph\n"
                                                             "goes on here.\n\n"
                                                             "## Section\n"
                                                             "- bullet one\n"
                                                             "  continued\n"
                                                             "- bullet two\n"
                                                             "12. step twelve\n"));
    QCOMPARE(parsed.heading, QStringLiteral("Title"));
    QCOMPARE(parsed.blocks.size(), 5);
    QCOMPARE(parsed.blocks[0].text, QStringLiteral("First paragraph goes on here."));
    QCOMPARE(parsed.blocks[1].kind, TextBlock::Subheading);
    QCOMPARE(parsed.blocks[2].kind, TextBlock::Bullet);
    QCOMPARE(parsed.blocks[2].text, QStringLiteral("bullet one continued"));
    QCOMPARE(parsed.blocks[3].text, QStringLiteral("bullet two"));
    QCOMPARE(parsed.blocks[4].kind, TextBlock::Numbered);
    QCOMPARE(parsed.blocks[4].marker, QStringLiteral("12"));

    for (int topic = 1; topic <= 9; ++topic) {
        const HelpPageText page = LoadHelpPage(topic);
        QVERIFY2(!page.heading.isEmpty() && page.blocks.size() >= 5,
                 qPrintable(HelpPageSource(topic)));
        const TextBlocksFit fit = FitHelpPage(page);
        QVERIFY2(fit.fits, qPrintable(page.heading));
        QCOMPARE(RenderHelpPage(topic).size(), HelpPageSize);
    }
    QVERIFY(RenderHelpPage(0).isNull());
    QVERIFY(RenderHelpPage(10).isNull());
}

void HelpWindowsTest::sitePicturesCoverTheListAndFit() {
    // Every item of the site list but the two headings has a picture; the formula table is
    // shared. That is 14 pictures for men and 15 for women.
    QStringList common = CaliperHelpWindow::CommonSites;
    common.removeAll(QStringLiteral("Caliper Method"));
    common.removeAll(QStringLiteral("Tape Method"));
    QCOMPARE(SitePictureItems(1), common + QStringList({"Abdomen", "Neck"}));
    QCOMPARE(SitePictureItems(2), common + QStringList({"Waist", "Neck", "Hip"}));
    QCOMPARE(SitePicture(1, QStringLiteral("Which Formula?")),
             SitePicture(2, QStringLiteral("Which Formula?")));
    QVERIFY(SitePicture(1, QStringLiteral("Entire Body Diagram")) !=
            SitePicture(2, QStringLiteral("Entire Body Diagram")));

    for (const int sex : {1, 2}) {
        for (const QString& item : SitePictureItems(sex)) {
            QStringList overflow;
            const QImage picture = SitePicture(sex, item, &overflow);
            QCOMPARE(picture.size(), SitePictureSize);
            QVERIFY2(overflow.isEmpty(), qPrintable(item + QStringLiteral(": ") +
                                                    overflow.join(QStringLiteral(" | "))));
        }
    }
    for (const QString& none : {QStringLiteral("Caliper Method"), QStringLiteral("Tape Method"),
                                QStringLiteral(""), QStringLiteral("Elbow")})
        QVERIFY(SitePicture(1, none).isNull());
    QVERIFY(SitePicture(1, QStringLiteral("Hip")).isNull());     // women only
    QVERIFY(SitePicture(2, QStringLiteral("Abdomen")).isNull()); // men only

    QStringList overflow;
    QCOMPARE(AccessoriesPicture(&overflow).size(), AccessoriesSize);
    QVERIFY(overflow.isEmpty());
    QCOMPARE(LogoPicture().size(), LogoSize);
}

void HelpWindowsTest::caliperWindowIgnoresFurtherRequests() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Ann"));
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Fat Caliper Help"));
    QCOMPARE(window->size(), QSize(768, 536));
    QVERIFY(!window->isModal());
    QVERIFY(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->SiteList()->currentText(), QStringLiteral("Which Formula?"));

    // A site's button on the calculator while it is open: nothing changes.
    OpenCaliperHelp(&f.Frame(), f.Frame().Services(), f.Frame().CurrentUser.sex, 5);
    QCOMPARE(OpenCaliperWindows(f.Frame()), QList<CaliperHelpWindow*>{window});
    QCOMPARE(window->SiteList()->currentText(), QStringLiteral("Which Formula?"));

    QPointer<CaliperHelpWindow> closed = window;
    window->close();
    QTRY_VERIFY(closed.isNull());
    OpenCaliperHelp(&f.Frame(), f.Frame().Services(), f.Frame().CurrentUser.sex, 5);
    const QList<CaliperHelpWindow*> reopened = OpenCaliperWindows(f.Frame());
    QCOMPARE(reopened.size(), 1);
    QCOMPARE(reopened.first()->SiteList()->currentText(), QStringLiteral("Thigh"));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::caliperListFollowsSex() {
    MainWindowFixture f;
    f.SelectUser(Woman("Beth"));
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);
    MarkedComboBox* sites = window->SiteList();
    QCOMPARE(window->SexList()->currentText(), QStringLiteral("Female"));
    QCOMPARE(CaliperHelpWindow::CaliperSex, 2);
    QCOMPARE(ItemTexts(*sites),
             CaliperHelpWindow::CommonSites + QStringList({"Waist", "Neck", "Hip"}));
    QCOMPARE(ItemTexts(*sites).mid(13), (QStringList{"Tape Method", "Waist", "Neck", "Hip"}));
    QVERIFY(sites->ItemBold(2));
    QVERIFY(sites->ItemBold(13));
    QVERIFY(!sites->ItemBold(3));

    window->SexList()->setCurrentIndex(window->SexList()->findText(QStringLiteral("Male")));
    QCOMPARE(CaliperHelpWindow::CaliperSex, 1);
    QCOMPARE(ItemTexts(*sites).mid(13), (QStringList{"Tape Method", "Abdomen", "Neck"}));
    QCOMPARE(sites->currentIndex(), 1);
    QCOMPARE(Shown(window), SitePicture(1, QStringLiteral("Entire Body Diagram")));

    window->SexList()->setCurrentIndex(window->SexList()->findText(QStringLiteral("Female")));
    QCOMPARE(CaliperHelpWindow::CaliperSex, 2);
    QCOMPARE(ItemTexts(*sites).mid(13), (QStringList{"Tape Method", "Waist", "Hip", "Neck"}));
    QCOMPARE(sites->currentIndex(), 1);
    QCOMPARE(Shown(window), SitePicture(2, QStringLiteral("Entire Body Diagram")));

    // The pictures now follow the chosen sex, not the user's.
    sites->setCurrentIndex(sites->findText(QStringLiteral("Hip")));
    QCOMPARE(Shown(window), SitePicture(2, QStringLiteral("Hip")));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::siteChoiceShowsItsPicture_data() {
    QTest::addColumn<int>("sex");
    QTest::newRow("men") << 1;
    QTest::newRow("women") << 2;
}

void HelpWindowsTest::siteChoiceShowsItsPicture() {
    QFETCH(int, sex);
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Cleo");
    user.sex = sex;
    f.SelectUser(user);
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);
    MarkedComboBox* sites = window->SiteList();
    QCOMPARE(sites->count(), sex == 1 ? 16 : 17);

    for (int i = sites->count() - 1; i >= 0; --i) {
        sites->setCurrentIndex(i);
        const QString item = sites->itemText(i);
        if (item == QLatin1String("Caliper Method") || item == QLatin1String("Tape Method")) {
            QVERIFY2(window->PictureFrame()->pixmap().isNull(), qPrintable(item));
            QVERIFY(window->Picture().isNull());
        } else {
            QVERIFY2(Shown(window) == SitePicture(sex, item), qPrintable(item));
        }
    }
    // The picture sits in the middle of the sunken frame.
    QCOMPARE(window->PictureFrame()->size(), QSize(747, 489));
    QCOMPARE(window->PictureFrame()->frameShadow(), QFrame::Sunken);
    QCOMPARE(window->PictureFrame()->alignment(), Qt::AlignCenter);
}

void HelpWindowsTest::helpButtonOpensBodyFatHelpAndClosesWithWindow() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Dan"));
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);
    QCOMPARE(window->HelpButton()->Align(), 1);
    QCOMPARE(window->HelpButton()->ImageSize(), QSize(24, 24));
    QVERIFY(window->HelpButton()->DrawsTransparent());

    QTest::mouseClick(window->HelpButton(), Qt::LeftButton);
    QTest::mouseClick(window->HelpButton(), Qt::LeftButton);
    QCOMPARE(OpenPages(f.Frame(), 4).size(), 1);
    f.Frame().Action(CommandId::HelpUserProfile)->trigger();

    window->close();
    QVERIFY(OpenPages(f.Frame(), 4).isEmpty());
    QVERIFY(!HelpWindowRegistry::Find(Kind::HelpPage, 4));
    QCOMPARE(OpenPages(f.Frame(), 1).size(), 1); // other topics stay
    f.Frame().Action(CommandId::HelpCalculateBodyFat)->trigger();
    QCOMPARE(OpenPages(f.Frame(), 4).size(), 1);
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::caliperWindowCentresItsContentAndScrollsWhenSmall() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Dora"));
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);
    const QSize designed = window->size();
    const auto shown = [window](QWidget* widget) {
        return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
    };
    const QRect frame = shown(window->PictureFrame());
    const QRect row = shown(window->SiteList());

    // Enlarged, the controls keep their places relative to each other in the middle.
    window->resize(designed + QSize(300, 200));
    QTRY_COMPARE(window->size(), designed + QSize(300, 200));
    QCOMPARE(shown(window->PictureFrame()), frame.translated(150, 100));
    QCOMPARE(shown(window->SiteList()), row.translated(150, 100));
    QCOMPARE(window->PictureFrame()->size(), QSize(747, 489));

    // Made smaller, it scrolls from the top-left corner to the picture's far corner.
    window->resize(500, 400);
    QTRY_COMPARE(window->size(), QSize(500, 400));
    QCOMPARE(shown(window->SiteList()), row);
    window->Scroll(Qt::Horizontal, ScrollingDialog::ScrollRequest::Bottom);
    window->Scroll(Qt::Vertical, ScrollingDialog::ScrollRequest::Bottom);
    QVERIFY(window->rect().contains(shown(window->PictureFrame()).bottomRight()));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::printWithoutDefaultPrinterWarns() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Eve"));
    f.services.printService.hasPrinter = false;
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);

    f.Prompter().ExpectOk();
    QTest::mouseClick(window->PrintButton(), Qt::LeftButton);
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Vitalog"));
    QCOMPARE(f.Prompter().Last().text, PrinterMissing);
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
    QCOMPARE(f.Prompter().Last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(f.services.printService.dialogs, 0);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void HelpWindowsTest::printOfHeadingReportsPrintingError() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Finn"));
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);
    window->SiteList()->setCurrentIndex(
        window->SiteList()->findText(QStringLiteral("Caliper Method")));
    QVERIFY(window->PictureFrame()->pixmap().isNull());

    f.Prompter().ExpectOk();
    QTest::mouseClick(window->PrintButton(), Qt::LeftButton);
    QCOMPARE(f.services.printService.dialogs, 1);
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Printing Error"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Critical);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void HelpWindowsTest::printWritesPageAfterOfferingPageRange() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Gus"));
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);

    QTest::mouseClick(window->PrintButton(), Qt::LeftButton);
    QVERIFY(f.Prompter().Boxes().isEmpty());
    PdfPrintService& printing = f.services.printService;
    QCOMPARE(printing.dialogs, 1);

    // The same kind of printer the service hands out decides the page count offered.
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const int expected =
        PrintedPage::PageCount(reference.logicalDpiX(), reference.widthMM(),
                                      SitePictureSize.width(), window->logicalDpiX());
    QVERIFY(expected >= 1);
    QCOMPARE(printing.lastMinPage, 1);
    QCOMPARE(printing.lastMaxPage, expected);

    QFile pdf(printing.files.last());
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 20000); // the picture went onto the page
    // ... drawn at the printer's resolution, not pasted as a screen bitmap.
    QVERIFY(!bytes.contains("/Subtype /Image"));
}

void HelpWindowsTest::printCancelledWritesNothing() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Hal"));
    f.services.printService.acceptDialog = false;
    CaliperHelpWindow* window = OpenSitesHelp(f);
    QVERIFY(window);
    window->Print();
    QCOMPARE(f.services.printService.dialogs, 1);
    QVERIFY(!QFile::exists(f.services.printService.files.last()));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::pageCountCoversPictureWidth_data() {
    QTest::addColumn<int>("printerDpi");
    QTest::addColumn<double>("widthMm");
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("screenDpi");
    QTest::addColumn<int>("pages");
    // printable = dpi x mm / 25.4; printed = width x dpi / screen dpi.
    QTest::newRow("fits across") << 600 << 200.0 << 745 << 96 << 1;    // 4724 vs 4656
    QTest::newRow("twice as wide") << 600 << 100.0 << 745 << 96 << 2;  // 2362 vs 4656
    QTest::newRow("narrow page") << 300 << 50.0 << 745 << 96 << 4;     // 590 vs 2328
    QTest::newRow("just fits") << 600 << 100.0 << 378 << 96 << 1;      // 2362 vs 2362
    QTest::newRow("one pixel over") << 600 << 100.0 << 379 << 96 << 2; // 2362 vs 2368
    QTest::newRow("no picture") << 600 << 200.0 << 0 << 96 << 0;
}

void HelpWindowsTest::pageCountCoversPictureWidth() {
    QFETCH(int, printerDpi);
    QFETCH(double, widthMm);
    QFETCH(int, pictureWidth);
    QFETCH(int, screenDpi);
    QFETCH(int, pages);
    QCOMPARE(PrintedPage::PageCount(printerDpi, widthMm, pictureWidth, screenDpi), pages);
}

void HelpWindowsTest::aboutBoxShowsLinksAndClosesWithEscape() {
    MainWindowFixture f;
    f.Frame().Action(CommandId::HelpAbout)->trigger();
    QPointer<AboutBox> box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QCOMPARE(box->windowTitle(), QStringLiteral("About Vitalog"));
    QCOMPARE(box->size(), QSize(333, 176));
    QVERIFY(box->VersionLabel()->text().contains(QStringLiteral("Vitalog")));
    QVERIFY(box->VersionLabel()->text().contains(QStringLiteral("6.4")));
    QCOMPARE(box->WebLink()->text(), QString::fromLatin1(VendorWebAddress));
    QCOMPARE(box->MailLink()->text(), QStringLiteral("Email Kestrel Software"));
    QCOMPARE(box->MailLink()->toolTip(), QStringLiteral("Send mail to author"));
    for (LinkLabel* link : {box->WebLink(), box->MailLink()}) {
        QVERIFY(link->focusPolicy() & Qt::TabFocus);
        QCOMPARE(link->accessibleName(), link->text());
        QVERIFY(box->rect().contains(link->geometry())); // sized to its text, and all shown
    }

    QTest::mouseClick(box->WebLink(), Qt::LeftButton);
    box->MailLink()->setFocus();
    QTest::keyClick(box->MailLink(), Qt::Key_Space);
    QCOMPARE(f.services.urlOpener.opened,
             (QStringList{QString::fromLatin1(VendorWebAddress),
                          QStringLiteral("mailto:") + QString::fromLatin1(VendorMailAddress)}));

    QTest::keyClick(box, Qt::Key_Escape);
    QTRY_VERIFY(box.isNull());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void HelpWindowsTest::buyOpensOneDialogWithAccessoryLinks() {
    MainWindowFixture f; // no user selected: "Buy" needs none
    QAction* buy = f.Frame().Action(CommandId::ToolbarBuy);
    QVERIFY(buy->isEnabled());
    buy->trigger();
    buy->trigger();
    QList<PurchaseDialog*> dialogs = OpenPurchaseDialogs(f.Frame());
    QCOMPARE(dialogs.size(), 1);
    PurchaseDialog* dialog = dialogs.first();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Buy"));
    QCOMPARE(dialog->size(), QSize(468, 410));
    QVERIFY(!dialog->isModal());

    QCOMPARE(dialog->Links().size(), int(AccessoryLinks.size()));
    for (int i = 0; i < dialog->Links().size(); ++i) {
        LinkLabel* link = dialog->Links()[i];
        const AccessoryLink& product = AccessoryLinks[std::size_t(i)];
        QCOMPARE(link->text(), QString::fromLatin1(product.name));
        QCOMPARE(link->toolTip(), QString::fromLatin1(product.tooltip));
        QCOMPARE(link->accessibleName(), link->text());
        QVERIFY(link->focusPolicy() & Qt::TabFocus);
        QVERIFY(dialog->rect().contains(link->geometry()));
    }
    QTest::mouseClick(dialog->Links()[2], Qt::LeftButton);
    dialog->Links()[4]->setFocus();
    QTest::keyClick(dialog->Links()[4], Qt::Key_Return);
    QCOMPARE(f.services.urlOpener.opened,
             (QStringList{QString::fromLatin1(AccessoryLinks[2].address),
                          QString::fromLatin1(AccessoryLinks[4].address)}));
    QCOMPARE(OpenPurchaseDialogs(f.Frame()).size(), 1); // Return did not close it

    QPointer<PurchaseDialog> closed = dialog;
    dialog->close();
    QTRY_VERIFY(closed.isNull());
    buy->trigger();
    dialogs = OpenPurchaseDialogs(f.Frame());
    QCOMPARE(dialogs.size(), 1);
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
