// File > "Import from Scale App...": the file dialog, the preview dialog and its buttons, and
// the shown screen afterwards, through the main window's seams.
#include "MainWindowFixture.h"
#include "history/CVitalogView.h"
#include "platform/AppServices.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/ScaleImportDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vitalog;
using namespace vitalog::test;

namespace {

struct Window {
    Window() {
        user = MainWindowFixture::MakeUser("Ann");
        UserRecord stored = user;
        AddUser(Dir(), stored);
    }

    std::filesystem::path Dir() const { return f.services.services.DataPath(); }

    QString WriteCsv(const QByteArray& text) {
        const QString path = f.services.DataDir() + QStringLiteral("/scale.csv");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return path;
    }

    // Runs the command; `act` works the preview dialog once it is up.
    void Import(const QString& path, std::function<void(ScaleImportDialog&)> act) {
        f.services.fileDialogs.NextFileName(path);
        bool seen = false;
        std::function<void()> answer = [&] {
            auto* dialog = qobject_cast<ScaleImportDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, answer);
                return;
            }
            seen = true;
            act(*dialog);
        };
        QTimer::singleShot(0, answer);
        f.Frame().Action(CommandId::FileImportScale)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(seen);
    }

    static QString Field(ScaleImportDialog& dialog, const QString& caption) {
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (widget->accessibleName() == caption) {
                if (auto* label = qobject_cast<QLabel*>(widget))
                    return label->text();
                if (auto* box = qobject_cast<QComboBox*>(widget))
                    return box->currentText();
            }
        }
        return QStringLiteral("<no field %1>").arg(caption);
    }

    MainWindowFixture f;
    UserRecord user;
};

} // namespace

class ScaleImportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theCommandNeedsAUser();
    void previewThenImportShowsTheRecordsAtOnce();
    void cancelWritesNothing();
    void theOlderLayoutsFixTheUnits();
    void aLargeFileShowsProgress();
};

void ScaleImportWindowTest::theCommandNeedsAUser() {
    Window w;
    QAction* action = w.f.Frame().Action(CommandId::FileImportScale);
    QCOMPARE(action->text(), QStringLiteral("Import from Scale App..."));
    w.f.Frame().UpdateCommandStates();
    QVERIFY(!action->isEnabled());
    w.f.SelectUser(w.user);
    QVERIFY(action->isEnabled());
    // A cancelled file dialog ends the command quietly.
    w.f.services.fileDialogs.NextFileName(QString());
    action->trigger();
    QCOMPARE(w.f.services.fileDialogs.titles.last(), QStringLiteral("Import from Scale App"));
    QVERIFY(w.f.Prompter().Boxes().isEmpty());
}

void ScaleImportWindowTest::previewThenImportShowsTheRecordsAtOnce() {
    Window w;
    w.f.SelectUser(w.user);
    BodyFatRecord earlier{};
    earlier.user = w.user;
    earlier.SetMethod("Other");
    earlier.bodyFat = 25;
    earlier.date = 20240101;
    QCOMPARE(BodyFatFile::Append(w.Dir(), earlier), StoreResult::Done);
    w.f.Frame().Action(CommandId::HistoryBodyFat)->trigger();
    const QString path = w.WriteCsv("DATE,TIME,BODY_FAT,WAIST,WEIGHT\n"
                                    "2024-03-04,07:00,24,84,72.5\n"
                                    "2024-03-05,07:00,23.5,,72\n"
                                    "2024-03-05,19:00,23.8,,72.4\n");
    w.f.Prompter().ExpectOk();
    w.Import(path, [&](ScaleImportDialog& d) {
        QCOMPARE(Window::Field(d, "Layout found"), QStringLiteral("3.x, DATE and TIME columns"));
        QCOMPARE(Window::Field(d, "Rows read"), QStringLiteral("3"));
        QCOMPARE(Window::Field(d, "Dates"), QStringLiteral("03/04/2024 to 03/05/2024"));
        QCOMPARE(Window::Field(d, "Weight unit"), QStringLiteral("kg"));
        QCOMPARE(Window::Field(d, "Body composition records"),
                 QStringLiteral("2 to write, 0 to overwrite, 0 skipped (date already recorded)"));
        QCOMPARE(Window::Field(d, "Tape records"),
                 QStringLiteral("1 to write, 0 to overwrite, 0 skipped (date already recorded)"));
        QVERIFY(Window::Field(d, "Merged").startsWith("1 rows"));
        QVERIFY(d.WeightUnitBox()->isEnabled());
        // Kilograms read as stones are far too heavy: refused until the units are right.
        d.WeightUnitBox()->setCurrentIndex(2);
        QVERIFY(!d.ImportButton()->isEnabled());
        QVERIFY(Window::Field(d, "Refused").contains("not a plausible weight"));
        QVERIFY(Window::Field(d, "Refused").contains("were the readings in kg"));
        QVERIFY(Window::Field(d, "Refused").endsWith("(and 2 more rows refused)"));
        d.WeightUnitBox()->setCurrentIndex(0);
        QVERIFY(d.ImportButton()->isEnabled());
        QCOMPARE(d.ImportButton()->accessibleName(), QStringLiteral("Import"));
        d.ImportButton()->click();
    });
    QVERIFY(w.f.Prompter().Unexpected().isEmpty());
    QVERIFY(w.f.Prompter().Last().text.contains("Body composition records: 2 written"));
    QCOMPARE(BodyFatFile::Find(w.Dir(), "Ann", 20240305).bodyFat, 23.8);
    QCOMPARE(TapeFile::Find(w.Dir(), "Ann", 20240304).waist, 84 * CmToIn);
    // The history was built again and lists the new records.
    auto* view = qobject_cast<CVitalogView*>(w.f.Frame().CurrentScreen());
    QVERIFY(view);
    QCOMPARE(view->Table()->model()->rowCount(), 3);
}

void ScaleImportWindowTest::cancelWritesNothing() {
    Window w;
    w.f.SelectUser(w.user);
    const QString path = w.WriteCsv("DATE,TIME,WEIGHT\n2024-03-04,07:00,72.5\n");
    const QStringList before = QDir(w.f.services.DataDir()).entryList(QDir::Files);
    w.Import(path, [](ScaleImportDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    QCOMPARE(QDir(w.f.services.DataDir()).entryList(QDir::Files), before);
    QVERIFY(w.f.Prompter().Boxes().isEmpty());
}

void ScaleImportWindowTest::theOlderLayoutsFixTheUnits() {
    Window w;
    w.f.SelectUser(w.user);
    const QString path = w.WriteCsv("\"weight\",\"dateTime\"\n\"72.5\",\"04.03.2024 07:00\"\n");
    w.Import(path, [](ScaleImportDialog& d) {
        QCOMPARE(Window::Field(d, "Layout found"), QStringLiteral("2.x, dateTime column"));
        QVERIFY(!d.WeightUnitBox()->isEnabled());
        QVERIFY(!d.LengthUnitBox()->isEnabled());
        QCOMPARE(d.WeightUnitBox()->currentText(), QStringLiteral("kg"));
        d.reject();
    });
}

void ScaleImportWindowTest::aLargeFileShowsProgress() {
    Window w;
    w.f.SelectUser(w.user);
    QByteArray text = "DATE,TIME,WEIGHT\n";
    for (int day = 0; day < ScaleImportDialog::LargeFileRows; ++day)
        text += QDate(2020, 1, 1).addDays(day).toString(Qt::ISODate).toLatin1() + ",07:00,72\n";
    const QString path = w.WriteCsv(text);
    w.Import(path, [](ScaleImportDialog& d) {
        auto* bar = d.findChild<QProgressBar*>();
        QVERIFY(bar && bar->isVisible());
        QCOMPARE(bar->accessibleName(), QStringLiteral("Progress"));
        d.reject();
    });
}

QTEST_MAIN(ScaleImportWindowTest)
#include "ScaleImportTest.moc"
