// The picture slideshow and its compare dialog, driven through their widgets on the real main
// window. What they store is read back through the record files' own readers; the picture
// files themselves must never change.
#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "TestPictures.h"
#include "controls/MarkedComboBox.h"
#include "pictures/CCompareDlg.h"
#include "pictures/CPicture.h"
#include "pictures/PictureDrawing.h"
#include "pictures/PictureRecords.h"
#include "platform/DialogUnits.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "screens/CFormPTView.h"
#include "shell/ScreenClass.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

using namespace vitalog;
using namespace vitalog::test;

namespace {

constexpr DateKey March1 = 20040301;
constexpr DateKey March7 = 20040307;
constexpr DateKey March14 = 20040314;

const QString Saved = QStringLiteral("Saving completed");

// The slideshow of a user with measurements on 1, 7 and 14 March 2004.
struct Slideshow {
    explicit Slideshow(UserRecord who = MainWindowFixture::MakeUser("Ann")) : user(who) {
        dir = f.services.DataDir();
        for (const DateKey date : {March1, March7, March14}) {
            AddBodyComposition(dir, user, date, 20, 180);
            AddTape(dir, user, date);
        }
    }

    void Show() {
        f.SelectUser(user);
        f.frame->SwitchScreen(ScreenClass::CFormPTView);
        screen = qobject_cast<CFormPTView*>(f.frame->CurrentScreen());
        QVERIFY(screen);
        dates = screen->findChild<MarkedComboBox*>(QStringLiteral("dateList"));
        QVERIFY(dates);
    }

    // A picture file of its own colour in the data folder.
    QString Picture(const QString& name, const QColor& color = Qt::red, QSize size = {40, 30}) {
        const QString path = dir + QLatin1Char('/') + name;
        if (!WritePicture(path, size, color))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QAction* Command(const char* name) const {
        return screen->findChild<QAction*>(QLatin1String(name) + QStringLiteral("Action"));
    }
    bool Enabled(const char* name) const { return Command(name)->isEnabled(); }
    void Press(const char* name) const {
        QVERIFY2(Enabled(name), name);
        Command(name)->trigger();
    }
    QLineEdit* Field(const char* row, int column = 1) const {
        return screen->findChild<QLineEdit*>(QLatin1String(row) + QStringLiteral("Edit") +
                                             QString::number(column));
    }

    void OpenPicture(const QString& path) {
        f.services.fileDialogs.NextFileName(path);
        Press("open");
    }

    RecordList<PictureRecord> Stored() const {
        RecordList<PictureRecord> list;
        PictureFile::LoadAll(f.services.services.DataPath(), user.Name(), list);
        return list;
    }
    int StoredFor(DateKey date) const {
        int count = 0;
        for (const PictureRecord& record : Stored())
            count += record.date == date;
        return count;
    }

    // Runs the compare dialog: inside chooses in it, then the compare button is clicked.
    void Compare(const std::function<void(CCompareDlg&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CCompareDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            ran = true;
            inside(*dialog);
            dialog->findChild<QPushButton*>(QStringLiteral("compareButton"))->click();
        });
        Press("compare");
        QVERIFY(ran);
    }

    MainWindowFixture f;
    UserRecord user;
    QString dir;
    CFormPTView* screen = nullptr;
    MarkedComboBox* dates = nullptr;
};

QComboBox& List(CCompareDlg& dialog, const char* name) {
    return *dialog.findChild<QComboBox*>(QLatin1String(name));
}

QColor SlotColour(int slot) {
    return PictureSlots()[std::size_t(slot)].PictureHandle().pixelColor(0, 0);
}

} // namespace

class SlideshowScreenTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ReleasePictureSlots(); }

    void startsWithGettingStartedWhenNoPictureIsSaved() {
        Slideshow s;
        s.Show();
        QCOMPARE(ItemTexts(*s.dates), QStringList({"03/01/2004", "03/07/2004", "03/14/2004"}));
        QCOMPARE(s.dates->currentIndex(), -1);
        QVERIFY(s.screen->findChild<QWidget*>(QStringLiteral("gettingStartedFrame"))->isVisible());
        // Nothing to scroll to, yet the form never shrinks below its working size.
        QVERIFY(s.screen->Content().width >= 1000);
        QVERIFY(s.screen->Content().height >= 600);
        QVERIFY(s.screen->Content().height >= DialogUnitsY(368));
        for (const char* name : {"save", "delete", "zoomOut", "zoomIn", "previous", "next"})
            QVERIFY2(!s.Enabled(name), name);
        for (const char* name : {"open", "compare", "help"})
            QVERIFY2(s.Enabled(name), name);
        QVERIFY(s.screen->CanPrint());
        QVERIFY(s.screen->CanExport());
        QVERIFY(s.f.Prompter().Boxes().isEmpty());
    }

    void savesOpenedPictureToChosenDateAndCountsRepeats() {
        Slideshow s;
        s.Show();
        const QString path = s.Picture(QStringLiteral("front.png"));
        s.OpenPicture(path);
        QCOMPARE(s.dates->currentText(), CFormPTView::SelectDatePlaceholder);
        QVERIFY(!s.Enabled("save"));
        QVERIFY(!s.screen->CanPrint());
        QVERIFY(!s.screen->findChild<QWidget*>(QStringLiteral("gettingStartedFrame"))->isVisible());

        ChooseEntry(*s.dates, QStringLiteral("03/07/2004"));
        QVERIFY(s.dates->findText(CFormPTView::SelectDatePlaceholder) < 0);
        QCOMPARE(s.Field("date")->text(), QStringLiteral("3/7/04"));
        QCOMPARE(s.Field("bodyFat")->text(), QStringLiteral("20.00"));
        QCOMPARE(s.Field("thigh")->text(), QStringLiteral("16.00"));
        s.f.Prompter().ExpectOk();
        s.Press("save");
        QCOMPARE(s.f.Prompter().Last().title, QStringLiteral("Information"));
        QCOMPARE(s.f.Prompter().Last().text, Saved);
        QCOMPARE(s.dates->currentText(), QStringLiteral("03/07/2004 (1)"));
        QVERIFY(s.dates->ItemBold(s.dates->currentIndex()));
        QCOMPARE(s.dates->ItemImage(s.dates->currentIndex()), 0);
        QVERIFY(!s.dates->ItemBold(0));

        // Save stays available: the same picture becomes a second record of the date.
        s.f.Prompter().ExpectOk();
        s.Press("save");
        QCOMPARE(s.dates->currentText(), QStringLiteral("03/07/2004 (2)"));
        const RecordList<PictureRecord> stored = s.Stored();
        QCOMPARE(stored.size(), std::size_t(2));
        for (const PictureRecord& record : stored) {
            QCOMPARE(record.date, March7);
            QCOMPARE(QFile::decodeName(QByteArray::fromStdString(record.Path())), path);
            QCOMPARE(record.user.Name(), std::string("Ann"));
        }
        QVERIFY(s.f.Prompter().Unexpected().isEmpty());
    }

    void refusesToSave_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::newRow("no user") << "no user"
                                 << "No user selected - Cannot save";
        QTest::newRow("no date") << "no date"
                                 << "No date selected - Cannot save";
        QTest::newRow("no picture opened")
            << "no picture"
            << "Please open a picture to associate with a date before saving";
        QTest::newRow("ninth picture of the date")
            << "ninth"
            << "Maximum number of pictures (8) have been saved for this date";
        QTest::newRow("path of 300 bytes")
            << "long path"
            << "The path of this picture is longer than 299 characters and cannot be saved. Move "
               "the picture to a folder with a shorter path and open it again.";
    }
    void refusesToSave() {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        Slideshow s;
        const QString kept = s.Picture(QStringLiteral("kept.png"));
        if (situation == "ninth")
            for (int i = 0; i < 8; ++i)
                AddPicture(s.dir, s.user, March7, kept);
        s.Show();
        s.f.Prompter().Clear();

        QString path = s.Picture(QStringLiteral("new.png"));
        if (situation == "long path") {
            // Nested folders take the path to exactly 300 bytes.
            QString folder = s.dir;
            int needed = 300 - int(QFile::encodeName(s.dir).size()) - 6; // "/a.png"
            while (needed > 0) {
                const int part = qMin(needed - 1, 100);
                folder += QLatin1Char('/') + QString(part, QLatin1Char('d'));
                needed -= part + 1;
            }
            QVERIFY(QDir().mkpath(folder));
            path = folder + QStringLiteral("/a.png");
            QVERIFY(WritePicture(path, QSize(8, 8)));
            QCOMPARE(QFile::encodeName(path).size(), 300);
        }
        if (situation != "no picture")
            s.OpenPicture(path);
        if (situation != "no date")
            ChooseEntry(*s.dates, situation == "ninth" ? QStringLiteral("03/07/2004 (8)")
                                                       : QStringLiteral("03/07/2004"));
        if (situation == "no user")
            s.f.frame->CurrentUser.active = 0;
        // Save is offered whenever a date is chosen for an opened picture, or for a date
        // without pictures; the refusals must hold even when it is pressed.
        s.Command("save")->setEnabled(true);
        s.f.Prompter().ExpectOk();
        s.Command("save")->trigger();

        QCOMPARE(s.f.Prompter().Boxes().size(), 1);
        QCOMPARE(s.f.Prompter().Last().title, QStringLiteral("Error"));
        QCOMPARE(s.f.Prompter().Last().icon, QMessageBox::Critical);
        QCOMPARE(s.f.Prompter().Last().text, message);
        QCOMPARE(s.StoredFor(March7), situation == "ninth" ? 8 : 0);
    }

    void showsNewestDateUpToFirstMissingPicture() {
        Slideshow s;
        const QString first = s.Picture(QStringLiteral("1.png"), Qt::red, {40, 30});
        const QString second = s.Picture(QStringLiteral("2.png"), Qt::green, {50, 30});
        const QString third = s.Picture(QStringLiteral("3.png"), Qt::blue, {60, 30});
        for (const QString& path : {first, second, third})
            AddPicture(s.dir, s.user, March14, path);
        AddPicture(s.dir, s.user, March1, first);
        QVERIFY(QFile::remove(second));
        s.f.Prompter().ExpectOk(); // the loader's own word on the missing file
        s.Show();

        QCOMPARE(s.f.Prompter().Boxes().size(), 1);
        QCOMPARE(s.f.Prompter().Last().title, QStringLiteral("CPicture Error"));
        QCOMPARE(s.dates->currentText(), QStringLiteral("03/14/2004 (3)"));
        QCOMPARE(s.screen->SelectedDate(), March14);
        QCOMPARE(SlotColour(0), QColor(Qt::red));
        QVERIFY(!PictureSlots()[1].IsLoaded());
        QCOMPARE(SlotColour(2), QColor(Qt::blue)); // loaded, but after the gap
        QCOMPARE(LoadedSlotCount(), 1);
        // Only the first picture is drawn: 40 pixels from the left edge of the pictures.
        QCOMPARE(s.screen->ZoomLevel(), 0);
        QCOMPARE(s.screen->Content().width, 40 + PicturesLeft - 2);
        QVERIFY(s.Enabled("delete"));
        QVERIFY(!s.Enabled("save"));
        QVERIFY(s.dates->ItemBold(0));
        QVERIFY(!s.dates->ItemBold(1));
    }

    // Pictures of one date lie side by side; each gap is 10 pixels wider than the one before.
    void drawingPassKeepsGapsAndExtent_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        // 40, 50 and 60 pixels wide, 30, 90 and 20 high.
        QTest::newRow("natural size") << 0 << 188 + 40 + (10 + 50 - 2) + (20 + 60 - 2) << 600;
        QTest::newRow("twice") << 1 << 188 + 80 + (10 + 100 - 2) + (20 + 120 - 2) << 600;
        QTest::newRow("half") << -1 << 190 + 20 + 25 + 30 + 30 << 600;
    }
    void drawingPassKeepsGapsAndExtent() {
        QFETCH(int, zoom);
        QFETCH(int, width);
        QFETCH(int, height);
        QTemporaryDir dir;
        auto& table = PictureSlots();
        const QSize sizes[] = {{40, 30}, {50, 90}, {60, 20}};
        for (int k = 0; k < 3; ++k) {
            const QString path = dir.filePath(QString::number(k) + QStringLiteral(".png"));
            QVERIFY(WritePicture(path, sizes[k]));
            QVERIFY(table[std::size_t(k)].LoadFromFile(path));
        }
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(3780);
        device.setDotsPerMeterY(3780);
        const ContentExtent extent = DrawPictures(nullptr, &device, zoom, 600);
        QCOMPARE(extent.width, width);
        QCOMPARE(extent.height, height);
        // Without the form's height the tallest picture decides.
        QCOMPARE(DrawPictures(nullptr, &device, zoom, 0).height,
                 zoom >= 0 ? qMax((zoom + 1) * 30 + PicturesTop - 2, (zoom + 1) * 90 - 2)
                           : 90 / (1 - zoom) + PicturesTop);
    }

    void fitsPicturesIntoArea_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("zoom");
        QTest::newRow("fits as it is") << QSize(400, 300) << QSize(990, 670) << 0 << 0;
        // 800 wide reaches the width limit 990 - 190: half size fits.
        QTest::newRow("just too wide") << QSize(800, 300) << QSize(990, 670) << 0 << -1;
        QTest::newRow("tall") << QSize(300, 1300) << QSize(990, 670) << 0 << -2;
        // Each picture of the date widens the limit by 10.
        QTest::newRow("wide, date of one") << QSize(805, 300) << QSize(990, 670) << 1 << 0;
        QTest::newRow("12 megapixels") << QSize(4000, 3000) << QSize(990, 670) << 0 << -6;
    }
    void fitsPicturesIntoArea() {
        QFETCH(QSize, picture);
        QFETCH(QSize, area);
        QFETCH(int, count);
        QFETCH(int, zoom);
        QTemporaryDir dir;
        QVERIFY(WritePicture(dir.filePath("p.png"), picture));
        QVERIFY(PictureSlots()[0].LoadFromFile(dir.filePath("p.png")));
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(3780);
        device.setDotsPerMeterY(3780);
        QCOMPARE(FitToArea(0, area, count, &device), zoom);
    }

    void stepsThroughDatesWithPictures() {
        Slideshow s;
        AddPicture(s.dir, s.user, March1, s.Picture(QStringLiteral("old.png"), Qt::blue));
        AddPicture(s.dir, s.user, March14, s.Picture(QStringLiteral("new.png"), Qt::red));
        AddPicture(s.dir, s.user, March14, s.Picture(QStringLiteral("new2.png"), Qt::green));
        s.Show();
        QCOMPARE(s.screen->SelectedDate(), March14);

        // Next on the newest date shows it again.
        s.Press("next");
        QCOMPARE(s.screen->SelectedDate(), March14);
        QCOMPARE(LoadedSlotCount(), 2);
        // Previous skips the date without pictures.
        s.Press("previous");
        QCOMPARE(s.screen->SelectedDate(), March1);
        QCOMPARE(s.dates->currentText(), QStringLiteral("03/01/2004 (1)"));
        QCOMPARE(s.Field("date")->text(), QStringLiteral("3/1/04"));
        QCOMPARE(SlotColour(0), QColor(Qt::blue));
        QCOMPARE(LoadedSlotCount(), 1);
        // Previous on the oldest date does nothing.
        s.Press("previous");
        QCOMPARE(s.screen->SelectedDate(), March1);
        s.Press("next");
        QCOMPARE(s.screen->SelectedDate(), March14);
        QCOMPARE(SlotColour(0), QColor(Qt::red));

        // A date without pictures cannot be stepped from.
        ChooseEntry(*s.dates, QStringLiteral("03/07/2004"));
        QVERIFY(!s.Enabled("next"));
        s.Command("next")->setEnabled(true);
        s.f.Prompter().ExpectOk();
        s.Command("next")->trigger();
        QCOMPARE(s.f.Prompter().Last().text,
                 QStringLiteral("You must select a saved picture to use 'Next' or 'Prev' buttons"));
        QCOMPARE(s.f.Prompter().Last().title, QStringLiteral("Information"));
        QVERIFY(s.f.Prompter().Unexpected().isEmpty());
    }

    // Pictures of a date without measurements are shown, but the date is not listed.
    void newestPicturesWithoutMeasurementsAreShownUnlisted() {
        Slideshow s;
        constexpr DateKey March20 = 20040320;
        AddPicture(s.dir, s.user, March20, s.Picture(QStringLiteral("late.png")));
        s.Show();
        QCOMPARE(ItemTexts(*s.dates), QStringList({"03/01/2004", "03/07/2004", "03/14/2004"}));
        QCOMPARE(s.dates->currentIndex(), -1);
        QCOMPARE(LoadedSlotCount(), 1);
        QCOMPARE(s.screen->SelectedDate(), March20);
        QCOMPARE(s.Field("date")->text(), QStringLiteral("3/20/04"));
        QCOMPARE(s.Field("bodyFat")->text(), QStringLiteral("---"));
        QCOMPARE(s.Field("calf")->text(), QStringLiteral("---"));
        QVERIFY(s.Enabled("delete"));
    }

    void zoomStaysWithinLimits() {
        Slideshow s;
        AddPicture(s.dir, s.user, March7, s.Picture(QStringLiteral("z.png")));
        s.Show();
        QCOMPARE(s.screen->ZoomLevel(), 0);
        for (int i = 0; i < 60; ++i)
            s.Press("zoomIn");
        QCOMPARE(s.screen->ZoomLevel(), 50);
        QCOMPARE(s.screen->Content().width, 51 * 40 + PicturesLeft - 2);
        for (int i = 0; i < 110; ++i)
            s.Press("zoomOut");
        QCOMPARE(s.screen->ZoomLevel(), -50);
    }

    void deleteRemovesEveryAssociationOfDate() {
        Slideshow s;
        QStringList files;
        for (const char* name : {"a.png", "b.png", "c.png"}) {
            files << s.Picture(QLatin1String(name));
            AddPicture(s.dir, s.user, March14, files.last());
        }
        files << s.Picture(QStringLiteral("old.png"), Qt::blue);
        AddPicture(s.dir, s.user, March1, files.last());
        s.Show();
        QCOMPARE(s.screen->SelectedDate(), March14);

        // No keeps everything.
        s.f.Prompter().Answer(QMessageBox::No);
        s.Press("delete");
        QCOMPARE(s.StoredFor(March14), 3);

        s.f.Prompter().Answer(QMessageBox::Yes);
        s.Press("delete");
        const ShownBox question = s.f.Prompter().Last();
        QCOMPARE(question.title, QStringLiteral("Question"));
        QCOMPARE(question.text,
                 QStringLiteral("Are you sure you want to delete 03/14/2004 picture record from "
                                "memory?\n\nNote: This will only delete the picture/date "
                                "association - this will not delete the picture from your "
                                "computer."));
        QCOMPARE(s.StoredFor(March14), 0);
        QCOMPARE(s.StoredFor(March1), 1);
        for (const QString& file : files)
            QVERIFY2(QFile::exists(file), qPrintable(file));
        // The newest remaining date is shown; the deleted one is a plain date again.
        QCOMPARE(s.screen->SelectedDate(), March1);
        QCOMPARE(SlotColour(0), QColor(Qt::blue));
        QCOMPARE(ItemTexts(*s.dates), QStringList({"03/01/2004 (1)", "03/07/2004", "03/14/2004"}));
        QVERIFY(!s.dates->ItemBold(2));
        QCOMPARE(s.dates->ItemImage(2), -1);
        QVERIFY(s.f.Prompter().Unexpected().isEmpty());
    }

    void deletingLastDateLeavesNothingToStepThrough() {
        Slideshow s;
        AddPicture(s.dir, s.user, March7, s.Picture(QStringLiteral("only.png")));
        s.Show();
        s.f.Prompter().Answer(QMessageBox::Yes);
        s.Press("delete");
        QCOMPARE(s.Stored().size(), std::size_t(0));
        QCOMPARE(LoadedSlotCount(), 0);
        for (const char* name : {"save", "delete", "zoomIn", "next"})
            QVERIFY2(!s.Enabled(name), name);
        QVERIFY(s.screen->Content().width >= 1000);
    }

    void openingNoPictureSaysSo() {
        Slideshow s;
        s.Show();
        const QString path = s.dir + QStringLiteral("/notes.jpg");
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("shopping list\n");
        text.close();
        s.f.Prompter().ExpectOk();
        s.OpenPicture(path);
        QCOMPARE(s.f.Prompter().Boxes().size(), 1);
        QCOMPARE(s.f.Prompter().Last().title, QStringLiteral("Can not load picture"));
        QCOMPARE(s.f.Prompter().Last().text,
                 QStringLiteral("Picture data is not a known picture type\t\t\n(.BMP .DIB .EMF "
                                ".GIF .ICO .JPG .WMF)\n\nFile may be CORRUPTED or MISSING\t"));
        QVERIFY(!s.Enabled("save"));
        QVERIFY(!s.screen->CanPrint());
        QVERIFY(s.dates->findText(CFormPTView::SelectDatePlaceholder) < 0);
    }

    void usesHipForWomenAndMetricUnits() {
        UserRecord ann = MainWindowFixture::MakeUser("Ann");
        ann.sex = Female;
        ann.units = Metric;
        ann.lengthUnits = Centimetres;
        Slideshow s(ann);
        AddPicture(s.dir, s.user, March7, s.Picture(QStringLiteral("w.png")));
        s.Show();
        QVERIFY(s.screen->findChildren<QLabel*>().size() > 0);
        bool hip = false;
        for (const QLabel* label : s.screen->findChildren<QLabel*>())
            hip = hip || label->text() == QStringLiteral("Hip:");
        QVERIFY(hip);
        QCOMPARE(s.Field("forearmOrHip")->accessibleName(), QStringLiteral("Hip"));
        // 180 lb shown in kilograms; the tape record of a metric user was taken in
        // centimetres, kept in inches and is shown in centimetres again.
        QCOMPARE(s.Field("weight")->text(), QStringLiteral("81.65"));
        QCOMPARE(s.Field("forearmOrHip")->text(), QStringLiteral("11.00"));
        QCOMPARE(PictureReportText(s.screen->ReportContent()).count(QStringLiteral("Hip: ")), 1);
    }

    // A name is found as a part of a stored path, from the first record of its date on: a.jpg
    // is found inside banana.jpg when that was saved first.
    void compareFindsNameWithinPath_data() {
        QTest::addColumn<QStringList>("savedOrder");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("banana first, a chosen") << QStringList{"banana.jpg", "a.jpg"} << "a.jpg"
                                                << "banana.jpg";
        QTest::newRow("a first, a chosen") << QStringList{"a.jpg", "banana.jpg"} << "a.jpg"
                                           << "a.jpg";
        QTest::newRow("a first, banana chosen")
            << QStringList{"a.jpg", "banana.jpg"} << "banana.jpg"
            << "banana.jpg";
    }
    void compareFindsNameWithinPath() {
        QFETCH(QStringList, savedOrder);
        QFETCH(QString, chosen);
        QFETCH(QString, loaded);
        Slideshow s;
        const QMap<QString, QColor> colours{{"banana.jpg", Qt::yellow}, {"a.jpg", Qt::blue}};
        for (const QString& name : savedOrder)
            AddPicture(s.dir, s.user, March7, s.Picture(name, colours[name], {40, 30}));
        s.Show();
        s.Compare([&](CCompareDlg& dialog) {
            QCOMPARE(ItemTexts(List(dialog, "firstDateList")), QStringList{"03/07/2004 (2)"});
            ChooseEntry(List(dialog, "firstDateList"), QStringLiteral("03/07/2004 (2)"));
            QCOMPARE(ItemTexts(List(dialog, "firstFileList")), savedOrder);
            ChooseEntry(List(dialog, "firstFileList"), chosen);
        });
        // JPEG shifts colours a little: compare by the strongest channel.
        const QColor got = SlotColour(0);
        if (loaded == "banana.jpg")
            QVERIFY(got.red() > 200 && got.green() > 200 && got.blue() < 80);
        else
            QVERIFY(got.blue() > 200 && got.red() < 80);
        QVERIFY(s.screen->CompareMode());
        QCOMPARE(LoadedSlotCount(), 1);
        QVERIFY(!s.Field("date", 2)->isVisible());
        QVERIFY(s.f.Prompter().Unexpected().isEmpty());
    }

    void comparesSamePictureInBothLists() {
        Slideshow s;
        AddPicture(s.dir, s.user, March1, s.Picture(QStringLiteral("old.png"), Qt::blue));
        AddPicture(s.dir, s.user, March14, s.Picture(QStringLiteral("new.png"), Qt::red));
        s.Show();
        s.Compare([&](CCompareDlg& dialog) {
            // Both lists hold every date with pictures, oldest first.
            const QStringList both{"03/01/2004 (1)", "03/14/2004 (1)"};
            QCOMPARE(ItemTexts(List(dialog, "firstDateList")), both);
            QCOMPARE(ItemTexts(List(dialog, "secondDateList")), both);
            for (const char* side : {"first", "second"}) {
                ChooseEntry(List(dialog, (QByteArray(side) + "DateList").constData()),
                            QStringLiteral("03/01/2004 (1)"));
                ChooseEntry(List(dialog, (QByteArray(side) + "FileList").constData()),
                            QStringLiteral("old.png"));
            }
        });
        QCOMPARE(LoadedSlotCount(), 2);
        QCOMPARE(SlotColour(0), QColor(Qt::blue));
        QCOMPARE(SlotColour(1), QColor(Qt::blue));
        QVERIFY(s.screen->CompareMode());
        QCOMPARE(s.dates->currentIndex(), -1);
        QVERIFY(s.Field("date", 2)->isVisible());
        QCOMPARE(s.Field("date", 2)->text(), QStringLiteral("3/1/04"));
        QVERIFY(!s.Enabled("save"));
        QVERIFY(!s.Enabled("delete"));
        QVERIFY(s.Enabled("zoomIn"));
        QVERIFY(s.screen->CanPrint());
    }

    // The dialog's file list was filled from the records; a record gone before the name is
    // chosen leaves nothing to find.
    void compareSaysWhenChosenPictureIsGone() {
        Slideshow s;
        AddPicture(s.dir, s.user, March7, s.Picture(QStringLiteral("gone.png")));
        s.Show();
        s.Compare([&](CCompareDlg& dialog) {
            ChooseEntry(List(dialog, "firstDateList"), QStringLiteral("03/07/2004 (1)"));
            QCOMPARE(PictureFile::Remove(s.f.services.services.DataPath(), s.user.Name(), March7),
                     StoreResult::Done);
            s.f.Prompter().ExpectOk();
            s.f.Prompter().ExpectOk();
            ChooseEntry(List(dialog, "firstFileList"), QStringLiteral("gone.png"));
            QCOMPARE(dialog.FirstDate(), March7);
        });
        const QList<ShownBox> boxes = s.f.Prompter().Boxes();
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0].title, QStringLiteral("Error"));
        QCOMPARE(boxes[0].text, QStringLiteral("Internal error - Picture missing"));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[1].title, QStringLiteral("CPicture Error"));
        QCOMPARE(LoadedSlotCount(), 0);
        QVERIFY(!s.screen->CompareMode());
    }

    void pictureFileNameFollowsLastSeparator_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("Linux path") << "/home/ann/pictures/front.jpg"
                                    << "front.jpg";
        QTest::newRow("Windows path") << "C:\\Pictures\\front.jpg"
                                      << "front.jpg";
        QTest::newRow("backslash in a Linux name") << "/home/ann/old\\front.jpg"
                                                   << "front.jpg";
        QTest::newRow("slash after backslash") << "D:\\pics/front.jpg"
                                               << "front.jpg";
        QTest::newRow("no folder") << "front.jpg"
                                   << "front.jpg";
    }
    void pictureFileNameFollowsLastSeparator() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(PictureFileName(path), name);
    }

    void compareWithoutPicturesChangesNothing() {
        Slideshow s;
        s.Show();
        s.Compare([&](CCompareDlg& dialog) {
            QVERIFY(ItemTexts(List(dialog, "firstDateList")).isEmpty());
            QVERIFY(ItemTexts(List(dialog, "secondDateList")).isEmpty());
        });
        QVERIFY(!s.screen->CompareMode());
        QCOMPARE(LoadedSlotCount(), 0);
        QVERIFY(s.f.Prompter().Boxes().isEmpty());
    }

    void exportEmbedsEachLoadedPictureBeforeTables_data() {
        QTest::addColumn<bool>("compared");
        QTest::newRow("one date of three pictures") << false;
        QTest::newRow("two compared pictures") << true;
    }
    void exportEmbedsEachLoadedPictureBeforeTables() {
        QFETCH(bool, compared);
        Slideshow s;
        for (const char* name : {"a.png", "b.png", "c.png"})
            AddPicture(s.dir, s.user, March7, s.Picture(QLatin1String(name)));
        s.Show();
        int pictures = 3;
        if (compared) {
            s.Compare([&](CCompareDlg& dialog) {
                for (const char* side : {"first", "second"}) {
                    ChooseEntry(List(dialog, (QByteArray(side) + "DateList").constData()),
                                QStringLiteral("03/07/2004 (3)"));
                    ChooseEntry(List(dialog, (QByteArray(side) + "FileList").constData()),
                                QStringLiteral("b.png"));
                }
            });
            pictures = 2;
        }
        const QString file = s.dir + QStringLiteral("/report.rtf");
        s.f.services.fileDialogs.NextFileName(file);
        s.f.Prompter().ExpectOk();
        s.screen->OnExport();
        QCOMPARE(s.f.services.fileDialogs.defaultNames.last(), QStringLiteral("Pictures.rtf"));
        QCOMPARE(s.f.Prompter().Last().text, QStringLiteral("Export successful"));

        const QByteArray rtf = s.f.services.ReadFile(QStringLiteral("report.rtf"));
        QVERIFY(rtf.contains("Picture for Ann"));
        QCOMPARE(rtf.count("{\\pict"), pictures);
        const qsizetype firstTable = rtf.indexOf("\\trowd");
        QVERIFY(firstTable > rtf.lastIndexOf("{\\pict"));
        QCOMPARE(rtf.count("\\trowd"), 2 * (1 + 5 + 7) / 2 + 1); // 13 rows
        QCOMPARE(rtf.count("\\cellx6250") > 0, compared);
        QCOMPARE(rtf.count("Picture 1"), compared ? 2 : 0);
        QCOMPARE(rtf.count("Current"), compared ? 0 : 2);
        QVERIFY(rtf.contains("Tape Measurements"));
        QVERIFY(rtf.contains("Forearm:"));
    }

    void cancelledExportSaysNothing() {
        Slideshow s;
        s.Show();
        s.f.services.fileDialogs.NextFileName(QString());
        s.screen->OnExport();
        QVERIFY(s.f.Prompter().Boxes().isEmpty());
    }

    void printsComparedPairAndFitsItToPage() {
        Slideshow s;
        AddPicture(s.dir, s.user, March1,
                   s.Picture(QStringLiteral("old.png"), Qt::blue, {800, 600}));
        AddPicture(s.dir, s.user, March14,
                   s.Picture(QStringLiteral("new.png"), Qt::red, {800, 600}));
        s.Show();
        s.Compare([&](CCompareDlg& dialog) {
            ChooseEntry(List(dialog, "firstDateList"), QStringLiteral("03/01/2004 (1)"));
            ChooseEntry(List(dialog, "firstFileList"), QStringLiteral("old.png"));
            ChooseEntry(List(dialog, "secondDateList"), QStringLiteral("03/14/2004 (1)"));
            ChooseEntry(List(dialog, "secondFileList"), QStringLiteral("new.png"));
        });
        const QString text = PictureReportText(s.screen->ReportContent());
        QVERIFY(
            text.startsWith(QStringLiteral("\nPicture Record Report for Ann\n\nBody Composition - "
                                           "Picture 1\nDate:  3/1/04  Body Fat %: 20.00\n")));
        QVERIFY(text.contains(QStringLiteral("\n\nBody Composition - Picture 2\nDate:  3/14/04")));
        QVERIFY(text.contains(QStringLiteral("Bicep: 10.00  Forearm: 11.00\nChest: 12.00  Waist: "
                                             "13.00\nNeck: 14.00  Calf: 15.00\nThigh: 16.00\n")));

        s.screen->OnPrint();
        QCOMPARE(s.f.services.printService.dialogs, 1);
        QCOMPARE(s.f.services.printService.files.size(), 1);
        QVERIFY(QFileInfo(s.f.services.printService.files.first()).size() > 1000);
        // Two 800-pixel pictures fit 990 x 670 at a third of their size.
        QCOMPARE(s.screen->ZoomLevel(), -2);
        QVERIFY(s.f.Prompter().Boxes().isEmpty());
    }

    void printOfSingleDateHasOneSectionWithoutNumbers() {
        Slideshow s;
        AddPicture(s.dir, s.user, March7, s.Picture(QStringLiteral("p.png")));
        s.Show();
        QCOMPARE(PictureReportText(s.screen->ReportContent()),
                 QStringLiteral("\nPicture Record Report for Ann\n\nBody Composition\nDate:  "
                                "3/7/04\nBody Fat %: 20.00\nWeight: 180.00\nLean Body Weight: "
                                "144.00\nBody Fat Weight: 36.00\n\nTape Measurements\nBicep: "
                                "10.00\nForearm: 11.00\nChest: 12.00\nWaist: 13.00\nNeck: "
                                "14.00\nCalf: 15.00\nThigh: 16.00\n"));
    }

    void printWithoutPictureGivesGettingStartedPage() {
        Slideshow s;
        s.Show();
        s.screen->OnPrint();
        QCOMPARE(s.f.services.printService.dialogs, 1);
        QCOMPARE(s.f.services.printService.files.size(), 1);
        QVERIFY(QFile::exists(s.f.services.printService.files.first()));
        QVERIFY(s.f.Prompter().Boxes().isEmpty());
    }

    void commandsCarryTheirNames() {
        Slideshow s;
        s.Show();
        const QStringList names{"Open",     "Save", "Delete",  "Zoom Out", "Zoom In",
                                "Previous", "Next", "Compare", "Help"};
        const QStringList tips{"Open",     "Save", "Delete",  "Zoom Out", "Zoom In",
                               "Previous", "Next", "Compare", "Help"};
        const QStringList prompts{"Open Picture", "Save a date to a picture",
                                  "Delete",       "Zoom Out",
                                  "Zoom In",      "Previous date",
                                  "Next date",    "Compare Pics",
                                  "Help"};
        const auto actions =
            s.screen->findChild<QToolBar*>(QStringLiteral("actionToolBar"))->actions();
        QCOMPARE(actions.size(), names.size());
        for (qsizetype i = 0; i < names.size(); ++i) {
            QCOMPARE(actions[i]->text(), names[i]);
            QCOMPARE(actions[i]->toolTip(), tips[i]);
            QCOMPARE(actions[i]->statusTip(), prompts[i]);
        }
        QCOMPARE(s.screen->findChild<QWidget*>(QStringLiteral("zoomOutButton"))->accessibleName(),
                 QStringLiteral("Zoom Out"));
    }
};

QTEST_MAIN(SlideshowScreenTest)
#include "SlideshowScreenTest.moc"
