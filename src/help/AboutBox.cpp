#include "AboutBox.h"

#include "ProductArtwork.h"
#include "VendorConfig.h"
#include "controls/LinkLabel.h"
#include "platform/AppServices.h"
#include "platform/DialogUnits.h"

#include <QLabel>

namespace vitalog {

AboutBox::AboutBox(AppServices& services, QWidget* parent)
    : BackdropDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About Vitalog"));
    const QSize client = DialogUnitsToPixels(222, 108);
    setFixedSize(client);

    SetBackdropMode(Centre);
    SetDrawnBackdrop(
        [](qreal devicePixelRatio) { return QPixmap::fromImage(LogoPicture(devicePixelRatio)); });
    // The texts sit over the places the logo leaves free for them.
    const QPoint logo((client.width() - LogoSize.width()) / 2,
                      (client.height() - LogoSize.height()) / 2);

    m_version = new QLabel(QStringLiteral("Vitalog Version 6.4"), this);
    m_version->setObjectName(QStringLiteral("versionLabel"));
    QFont bold = m_version->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    m_version->setFont(bold);
    m_version->move(logo + LogoTextPlace());
    m_version->adjustSize();

    m_webLink = new LinkLabel(QLatin1String(VendorWebAddress), this);
    m_webLink->setObjectName(QStringLiteral("webLink"));
    m_webLink->SetUrlOpener(services.urlOpener);
    m_webLink->move(logo + LogoLinksPlace());
    m_webLink->SizeToText();

    m_mailLink = new LinkLabel(QStringLiteral("Email Kestrel Software"), this);
    m_mailLink->setObjectName(QStringLiteral("mailLink"));
    m_mailLink->SetPrefix(QStringLiteral("mailto:"));
    m_mailLink->SetAddress(QLatin1String(VendorMailAddress));
    m_mailLink->SetTooltipText(QStringLiteral("Send mail to author"));
    m_mailLink->SetUrlOpener(services.urlOpener);
    m_mailLink->move(logo + LogoLinksPlace() + QPoint(0, 22));
    m_mailLink->SizeToText();
}

} // namespace vitalog
