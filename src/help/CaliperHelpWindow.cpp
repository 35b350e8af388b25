#include "CaliperHelpWindow.h"

#include "HelpWindowRegistry.h"
#include "HelpWindows.h"
#include "PicturePagePrinter.h"
#include "ProductArtwork.h"
#include "SitePictures.h"
#include "controls/HoverButton.h"
#include "controls/MarkedComboBox.h"
#include "platform/DialogUnits.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace vitalog {

namespace {

const QString Male = QStringLiteral("Male");
const QString Female = QStringLiteral("Female");
const QString Abdomen = QStringLiteral("Abdomen");
const QString Waist = QStringLiteral("Waist");
const QString Neck = QStringLiteral("Neck");
const QString Hip = QStringLiteral("Hip");
const QString EntireBody = QStringLiteral("Entire Body Diagram");

constexpr int CaliperHeading = 2;
constexpr int TapeHeading = 13;
constexpr int HipIndex = 15;

} // namespace

int CaliperHelpWindow::CaliperSex = 2;

const QStringList CaliperHelpWindow::CommonSites{
    QStringLiteral("Which Formula?"), EntireBody,
    QStringLiteral("Caliper Method"), QStringLiteral("Chest"),
    QStringLiteral("Abdominal"),      QStringLiteral("Thigh"),
    QStringLiteral("Tricep"),         QStringLiteral("Subscapular"),
    QStringLiteral("Suprailiac"),     QStringLiteral("Midaxillary"),
    QStringLiteral("Bicep"),          QStringLiteral("Lower Back"),
    QStringLiteral("Calf"),           QStringLiteral("Tape Method"),
};

CaliperHelpWindow::CaliperHelpWindow(QWidget* parent, AppServices& services, int userSex,
                                     int siteIndex)
    : ScrollingDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("caliperHelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Fat Caliper Help"));
    resize(DialogUnitsToPixels(512, 330));
    BuildControls();

    m_siteList->SetColumnCount(1);
    m_siteList->addItems(CommonSites);
    m_siteList->SetItemBold(CaliperHeading, true);
    m_siteList->SetItemBold(TapeHeading, true);
    if (userSex == 1) {
        CaliperSex = 1;
        m_sexList->setCurrentIndex(m_sexList->findText(Male));
        m_siteList->addItems({Abdomen, Neck});
    } else {
        CaliperSex = 2;
        m_sexList->setCurrentIndex(m_sexList->findText(Female));
        m_siteList->addItems({Waist, Neck, Hip});
    }
    m_siteList->setCurrentIndex(siteIndex);
    OnSiteChosen();

    connect(m_siteList, &QComboBox::currentIndexChanged, this, &CaliperHelpWindow::OnSiteChosen);
    connect(m_sexList, &QComboBox::currentIndexChanged, this, &CaliperHelpWindow::OnSexChosen);
    connect(m_printButton, &QAbstractButton::clicked, this, &CaliperHelpWindow::Print);
    connect(m_helpButton, &QAbstractButton::clicked, this,
            [this] { OpenHelpPage(parentWidget(), HelpCalculateBodyFatTopic); });
    // The calculating-body-fat page was most likely opened from here: it goes too.
    connect(this, &QDialog::finished, this, [] {
        HelpWindowRegistry::Close(HelpWindowRegistry::Kind::HelpPage, HelpCalculateBodyFatTopic);
    });

    SetContentCentred(true);
    InitScrolling();
}

void CaliperHelpWindow::BuildControls() {
    QWidget* content = Content();

    auto* row = new QWidget(content);
    row->setGeometry(DialogUnitsX(7), 0, DialogUnitsX(498), DialogUnitsY(27) - 2);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    auto* sexLabel = new QLabel(QStringLiteral("Sex:"), row);
    m_sexList = new QComboBox(row);
    m_sexList->setObjectName(QStringLiteral("sexList"));
    m_sexList->addItems({Male, Female});
    sexLabel->setBuddy(m_sexList);
    m_sexList->setAccessibleName(QStringLiteral("Sex"));

    auto* siteLabel = new QLabel(QStringLiteral("Select measurement site"), row);
    m_siteList = new MarkedComboBox(row);
    m_siteList->setObjectName(QStringLiteral("siteList"));
    m_siteList->setMinimumWidth(DialogUnitsX(110));
    m_siteList->setMaxVisibleItems(17);
    siteLabel->setBuddy(m_siteList);
    m_siteList->setAccessibleName(siteLabel->text());

    const auto makeButton = [row](const QString& caption, const QIcon& icon, const QString& name) {
        auto* button = new HoverButton(caption, row);
        button->setObjectName(name);
        button->SetIcon(icon, QSize(24, 24));
        button->SetAlign(1);
        button->SetDrawTransparent();
        button->setAccessibleName(caption);
        return button;
    };
    m_printButton = makeButton(QStringLiteral("Print"), PrintIcon(), QStringLiteral("printButton"));
    m_helpButton = makeButton(QStringLiteral("Help"), HelpIcon(), QStringLiteral("helpButton"));

    layout->addWidget(sexLabel);
    layout->addWidget(m_sexList);
    layout->addSpacing(DialogUnitsX(10));
    layout->addWidget(siteLabel);
    layout->addWidget(m_siteList);
    layout->addStretch(1);
    layout->addWidget(m_printButton);
    layout->addWidget(m_helpButton);

    m_pictureFrame = new QLabel(content);
    m_pictureFrame->setObjectName(QStringLiteral("pictureFrame"));
    m_pictureFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pictureFrame->setLineWidth(1);
    m_pictureFrame->setAlignment(Qt::AlignCenter);
    m_pictureFrame->setAutoFillBackground(true);
    m_pictureFrame->setAccessibleName(QStringLiteral("Measurement site picture"));
    m_pictureFrame->setGeometry(DialogUnitsRect(7, 27, 498, 301));
    m_pictureFrame->installEventFilter(this);
}

void CaliperHelpWindow::OnSiteChosen() {
    const QString text = m_siteList->currentText();
    if (text.isEmpty()) {
        m_siteList->setFocus();
        return;
    }
    // Headings have no picture: the frame is emptied.
    m_drawing = SiteDrawing(CaliperSex, text);
    ShowPicture();
}

void CaliperHelpWindow::OnSexChosen() {
    const QString text = m_sexList->currentText();
    if (text.isEmpty()) {
        m_sexList->setFocus();
        return;
    }
    {
        // The list is rearranged first; the body diagram is chosen once it is in order.
        const QSignalBlocker blocker(m_siteList);
        if (text != Female) {
            CaliperSex = 1;
            if (const int waist = m_siteList->findText(Waist); waist >= 0)
                m_siteList->setItemText(waist, Abdomen);
            if (const int hip = m_siteList->findText(Hip); hip >= 0)
                m_siteList->removeItem(hip);
        } else {
            CaliperSex = 2;
            if (const int abdomen = m_siteList->findText(Abdomen); abdomen >= 0)
                m_siteList->setItemText(abdomen, Waist);
            if (m_siteList->findText(Hip) < 0)
                m_siteList->insertItem(HipIndex, Hip);
        }
        m_drawing = SiteDrawing(CaliperSex, EntireBody);
        ShowPicture();
    }
    m_siteList->setCurrentIndex(1);
}

void CaliperHelpWindow::ShowPicture() {
    m_picture = QPixmap::fromImage(m_drawing.Render(m_pictureFrame->devicePixelRatioF()));
    if (m_picture.isNull())
        m_pictureFrame->clear();
    else
        m_pictureFrame->setPixmap(m_picture);
    m_pictureFrame->setAccessibleDescription(m_picture.isNull() ? QString()
                                                                : m_siteList->currentText());
}

bool CaliperHelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // A change of screen or scale repaints the whole window: the picture is drawn again for
    // the new ratio before the frame shows it.
    if (watched == m_pictureFrame && event->type() == QEvent::Paint && !m_drawing.IsNull() &&
        m_picture.devicePixelRatio() != m_pictureFrame->devicePixelRatioF())
        ShowPicture();
    return ScrollingDialog::eventFilter(watched, event);
}

void CaliperHelpWindow::Print() {
    PicturePagePrinter(m_services, this)
        .Print(QStringLiteral("Body Composition How To"), m_drawing);
}

} // namespace vitalog
