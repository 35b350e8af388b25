#include "PurchaseDialog.h"

#include "ProductArtwork.h"
#include "VendorConfig.h"
#include "controls/LinkLabel.h"
#include "platform/AppServices.h"
#include "platform/DialogUnits.h"

namespace vitalog {

PurchaseDialog::PurchaseDialog(AppServices& services, QWidget* parent)
    : BackdropDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("purchaseDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Buy"));
    const QSize client = DialogUnitsToPixels(312, 252);
    setFixedSize(client);

    SetBackdropMode(Centre);
    SetDrawnBackdrop([](qreal devicePixelRatio) {
        return QPixmap::fromImage(AccessoriesPicture(nullptr, devicePixelRatio));
    });
    const QPoint picture((client.width() - AccessoriesSize.width()) / 2,
                         (client.height() - AccessoriesSize.height()) / 2);

    for (int i = 0; i < int(AccessoryLinks.size()); ++i) {
        const AccessoryLink& product = AccessoryLinks[std::size_t(i)];
        auto* link = new LinkLabel(QLatin1String(product.name), this);
        link->setObjectName(QStringLiteral("accessoryLink%1").arg(i + 1));
        link->SetAddress(QLatin1String(product.address));
        link->SetTooltipText(QLatin1String(product.tooltip));
        link->SetUrlOpener(services.urlOpener);
        QFont font = link->font();
        font.setBold(true);
        link->setFont(font);
        link->move(picture + AccessoryLinkPlace(i));
        link->SizeToText();
        m_links << link;
    }
}

} // namespace vitalog
