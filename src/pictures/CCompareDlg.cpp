#include "CCompareDlg.h"

#include "CPicture.h"
#include "PictureRecords.h"
#include "SlideshowArtwork.h"
#include "WaitCursor.h"
#include "controls/CXPGroupBox.h"
#include "controls/HoverButton.h"
#include "help/HelpWindowRegistry.h"
#include "help/HelpWindows.h"
#include "help/ProductArtwork.h"
#include "platform/AppServices.h"
#include "platform/DialogUnits.h"
#include "platform/Prompter.h"
#include "records/RecordFile.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vitalog {

namespace {

const QColor FormBackground(191, 219, 255);
const QColor BoxTitle(201, 201, 151);
const QColor BoxBody(255, 255, 204);

} // namespace

CCompareDlg::CCompareDlg(AppServices& services, const UserRecord& user, QWidget* parent)
    : QDialog(parent), m_services(services), m_user(user) {
    setWindowTitle(QStringLiteral("Compare Two Pictures"));
    setObjectName(QStringLiteral("compareDialog"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, FormBackground);
    setPalette(pal);
    setMinimumSize(DialogUnitsToPixels(367, 147));

    auto* layout = new QVBoxLayout(this);
    auto* boxes = new QHBoxLayout;
    layout->addLayout(boxes);
    const QString captions[2] = {QStringLiteral("Select First Picture"),
                                 QStringLiteral("Select Second Picture")};
    const QString dateCaptions[2] = {QStringLiteral("Select a first date to compare:"),
                                     QStringLiteral("Select a second date to compare:")};
    const char* const sides[2] = {"first", "second"};
    for (int side = 0; side < 2; ++side) {
        auto* box = new CXPGroupBox(captions[side], this);
        box->SetBoxStyle(CXPGroupBox::WindowStyle)
            .SetBackgroundColor(BoxTitle, BoxBody)
            .SetFontBold(true);
        box->setAccessibleName(captions[side]);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(12, 10, 12, 12);
        m_dateLists[side] = new QComboBox(box);
        m_dateLists[side]->setObjectName(QLatin1String(sides[side]) + QStringLiteral("DateList"));
        m_fileLists[side] = new QComboBox(box);
        m_fileLists[side]->setObjectName(QLatin1String(sides[side]) + QStringLiteral("FileList"));
        m_fileLists[side]->setMinimumContentsLength(16);
        m_fileLists[side]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        auto* dateLabel = new QLabel(dateCaptions[side], box);
        dateLabel->setBuddy(m_dateLists[side]);
        m_dateLists[side]->setAccessibleName(dateCaptions[side].chopped(1));
        auto* fileLabel = new QLabel(QStringLiteral("Select filename:"), box);
        fileLabel->setBuddy(m_fileLists[side]);
        m_fileLists[side]->setAccessibleName(QStringLiteral("Select filename"));
        grid->addWidget(dateLabel, 0, 0);
        grid->addWidget(m_dateLists[side], 1, 0);
        grid->addWidget(fileLabel, 2, 0);
        grid->addWidget(m_fileLists[side], 3, 0);
        boxes->addWidget(box);
        connect(m_dateLists[side], &QComboBox::activated, this, [this, side] { DateChosen(side); });
        connect(m_fileLists[side], &QComboBox::activated, this, [this, side] { FileChosen(side); });
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* help = new HoverButton(this);
    help->setObjectName(QStringLiteral("helpButton"));
    help->SetIcon(HelpIcon(), QSize(24, 24));
    help->SetAlign(1);
    help->SetDrawTransparent();
    help->SetTooltipText(QStringLiteral("Help"));
    help->setAccessibleName(QStringLiteral("Help"));
    connect(help, &QPushButton::clicked, this,
            [this] { OpenHelpPage(parentWidget() ? parentWidget() : this, HelpSlideshowTopic); });
    auto* compare = new HoverButton(this);
    compare->setObjectName(QStringLiteral("compareButton"));
    compare->SetIcon(CompareIcon(), QSize(24, 24));
    compare->SetAlign(1);
    compare->SetDrawTransparent();
    compare->SetTooltipText(QStringLiteral("Compare two pictures"));
    compare->setAccessibleName(QStringLiteral("Compare"));
    connect(compare, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(help);
    buttons->addWidget(compare);
    layout->addLayout(buttons);

    FillDateLists();
}

void CCompareDlg::reject() {
    HelpWindowRegistry::Close(HelpWindowRegistry::Kind::HelpPage, HelpSlideshowTopic);
    QDialog::reject();
}

void CCompareDlg::FillDateLists() {
    RecordList<PictureRecord> list;
    if (!PictureFile::LoadAll(m_services.DataPath(), m_user.Name(), list))
        return;
    // Oldest first: the list comes newest first.
    for (auto record = list.rbegin(); record != list.rend(); ++record) {
        QString text = QString::fromStdString(FormatDateKey(record->date, 1));
        if (m_dateLists[0]->findText(text, Qt::MatchStartsWith) >= 0)
            continue;
        const int count = CountPicturesForDate(m_services.DataPath(), m_user.Name(), record->date);
        if (count > 0)
            text += QStringLiteral(" (%1)").arg(count);
        for (QComboBox* dates : m_dateLists)
            dates->addItem(text);
    }
    for (QComboBox* dates : m_dateLists)
        dates->setCurrentIndex(-1);
}

void CCompareDlg::DateChosen(int side) {
    QComboBox* dates = m_dateLists[side];
    const QString text = dates->currentText();
    if (text.isEmpty()) {
        dates->setFocus();
        return;
    }
    m_dates[side] = ParseDateKey(text.toStdString());
    RecordList<PictureRecord> list;
    if (!PictureFile::LoadAll(m_services.DataPath(), m_user.Name(), list))
        return;
    QComboBox* files = m_fileLists[side];
    files->clear();
    for (const PictureRecord& record : list)
        if (record.date == m_dates[side])
            files->addItem(PictureFileName(PathFromStored(record.Path())));
    files->setCurrentIndex(-1);
}

void CCompareDlg::FileChosen(int side) {
    const WaitCursor wait;
    QComboBox* files = m_fileLists[side];
    const QString name = files->currentText();
    if (name.isEmpty()) {
        files->setFocus();
        return;
    }
    const QString path = FindPicturePath(m_services.DataPath(), m_user.Name(), name, m_dates[side]);
    if (path.isEmpty())
        m_services.prompter->Error(this, QStringLiteral("Internal error - Picture missing"));
    CPicture& slot = PictureSlots()[std::size_t(side)];
    if (!slot.LoadFromFile(path))
        slot.Release();
}

} // namespace vitalog
