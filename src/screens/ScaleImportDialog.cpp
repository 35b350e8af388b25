#include "ScaleImportDialog.h"

#include "platform/AppServices.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"
#include "records/TextEncoding.h"
#include "shell/CMainFrame.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vitalog {

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString Counts(const cli::ScaleRecordCounts& c) {
    return QStringLiteral("%1 to write, %2 to overwrite, %3 skipped (date already recorded)")
        .arg(c.written)
        .arg(c.overwritten)
        .arg(c.skipped);
}

QString ReportText(const cli::ScaleReport& report) {
    QStringList lines;
    for (const std::string& line : cli::ScaleReportLines(report))
        lines << Text(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

ScaleImportDialog::ScaleImportDialog(AppServices& services, std::filesystem::path dataDir,
                                     std::string userName, std::string csvText, QWidget* parent)
    : QDialog(parent), m_services(services), m_dataDir(std::move(dataDir)),
      m_userName(std::move(userName)), m_text(std::move(csvText)) {
    setWindowTitle(QStringLiteral("Import from Scale App"));
    setObjectName(QStringLiteral("scaleImportDialog"));
    m_large = std::count(m_text.begin(), m_text.end(), '\n') >= LargeFileRows;

    auto* form = new QFormLayout;
    const auto row = [&](const QString& caption, QWidget* field) {
        field->setAccessibleName(caption);
        auto* label = new QLabel(caption + QLatin1Char(':'), this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    const auto value = [&](const QString& caption) {
        auto* label = new QLabel(this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus);
        row(caption, label);
        return label;
    };
    m_layout = value(QStringLiteral("Layout found"));
    m_rows = value(QStringLiteral("Rows read"));
    m_dates = value(QStringLiteral("Dates"));
    m_weightUnit = new QComboBox(this);
    m_weightUnit->addItems({QStringLiteral("kg"), QStringLiteral("lb"), QStringLiteral("st")});
    row(QStringLiteral("&Weight unit"), m_weightUnit);
    m_weightUnit->setAccessibleName(QStringLiteral("Weight unit"));
    m_lengthUnit = new QComboBox(this);
    m_lengthUnit->addItems({QStringLiteral("cm"), QStringLiteral("in")});
    row(QStringLiteral("&Length unit"), m_lengthUnit);
    m_lengthUnit->setAccessibleName(QStringLiteral("Length unit"));
    m_bodyComposition = value(QStringLiteral("Body composition records"));
    m_tape = value(QStringLiteral("Tape records"));
    m_merged = value(QStringLiteral("Merged"));
    m_dropped = value(QStringLiteral("Dropped"));

    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setAccessibleName(QStringLiteral("Refused"));
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setVisible(m_large);

    m_buttons = new QDialogButtonBox(this);
    m_buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_buttons->addButton(QDialogButtonBox::Cancel);
    ImportButton()->setAccessibleName(QStringLiteral("Import"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &ScaleImportDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &ScaleImportDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(m_progress);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    // The older layouts are always kilograms and centimetres: the choice is preset and fixed.
    const cli::ScaleLayout found = cli::FindScaleLayout(m_text);
    m_weightUnit->setEnabled(!found.unitsFixed);
    m_lengthUnit->setEnabled(!found.unitsFixed);
    UpdatePreview();
    connect(m_weightUnit, &QComboBox::currentIndexChanged, this, &ScaleImportDialog::UpdatePreview);
    connect(m_lengthUnit, &QComboBox::currentIndexChanged, this, &ScaleImportDialog::UpdatePreview);
}

QPushButton* ScaleImportDialog::ImportButton() const {
    return qobject_cast<QPushButton*>(m_buttons->buttons().first());
}

cli::ScaleOptions ScaleImportDialog::ChosenOptions(bool dryRun) const {
    cli::ScaleOptions options;
    options.weightUnit = static_cast<cli::ScaleWeightUnit>(m_weightUnit->currentIndex());
    options.lengthUnit = static_cast<cli::ScaleLengthUnit>(m_lengthUnit->currentIndex());
    options.dryRun = dryRun;
    return options;
}

cli::ScaleReport ScaleImportDialog::Run(const cli::ScaleOptions& options) {
    const auto progress = [this](int done, int total) {
        if (!m_large)
            return;
        m_progress->setRange(0, total);
        m_progress->setValue(done);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    return cli::ImportScale(m_dataDir, m_userName, m_text, options, progress);
}

void ScaleImportDialog::UpdatePreview() {
    m_preview = Run(ChosenOptions(true));
    const cli::ScaleReport& r = m_preview;
    m_layout->setText(r.layout.name.empty() ? QStringLiteral("not recognised")
                                            : Text(r.layout.name));
    m_rows->setText(QString::number(r.rowsRead));
    m_dates->setText(r.firstDate > 0
                         ? Text(FormatDateKey(r.firstDate, 1)) + QStringLiteral(" to ") +
                               Text(FormatDateKey(r.lastDate, 1))
                         : QString());
    m_bodyComposition->setText(Counts(r.bodyComposition));
    m_tape->setText(Counts(r.tape));
    m_merged->setText(QStringLiteral("%1 rows (the last reading of a day counts)").arg(r.merged));
    m_dropped->setText(QStringLiteral("%1 hip readings of a man, %2 days without a weight")
                           .arg(r.droppedHips)
                           .arg(r.droppedNoWeight));
    // The first refusal names the fault; the rest would only push the buttons off the screen.
    QString problem;
    if (!r.problems.empty())
        problem = QStringLiteral("Nothing can be imported: ") + Text(r.problems.front());
    if (r.refusedRows > 1)
        problem += QStringLiteral("\n(and %1 more rows refused)").arg(r.refusedRows - 1);
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    ImportButton()->setEnabled(r.ok && r.bodyComposition.written + r.tape.written > 0);
}

void ScaleImportDialog::accept() {
    m_progress->setVisible(m_large);
    const cli::ScaleReport report = Run(ChosenOptions(false));
    if (!report.ok) {
        QStringList problems;
        for (const std::string& problem : report.problems)
            problems << Text(problem);
        m_services.prompter->Error(this, QStringLiteral("The import was not completed:\n") +
                                             problems.join(QLatin1Char('\n')));
        reject();
        return;
    }
    m_services.prompter->Information(this, ReportText(report));
    QDialog::accept();
}

void ImportFromScaleApp(CMainFrame& frame, AppServices& services) {
    const QString path = services.fileDialogs->OpenFileName(
        &frame, QStringLiteral("Import from Scale App"),
        QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        services.prompter->Error(&frame, QStringLiteral("Unable to read the file ") + path);
        return;
    }
    const QByteArray bytes = file.readAll();
    const std::string name = frame.CurrentUser.Name();
    ScaleImportDialog dialog(services, services.DataPath(), Cp1252ToUtf8(name).value_or(name),
                             bytes.toStdString(), &frame);
    if (dialog.exec() == QDialog::Accepted)
        frame.SwitchScreen(frame.CurrentScreenClass());
}

} // namespace vitalog
