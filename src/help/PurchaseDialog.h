#pragma once

#include "controls/BackdropDialog.h"

#include <QList>

namespace vitalog {

class LinkLabel;
struct AppServices;

// Where to buy accessories: a picture of them with a link to each product's page. Modeless;
// deletes itself when closed.
class PurchaseDialog : public BackdropDialog {
    Q_OBJECT

public:
    PurchaseDialog(AppServices& services, QWidget* parent);

    const QList<LinkLabel*>& Links() const { return m_links; }

private:
    QList<LinkLabel*> m_links;
};

} // namespace vitalog
