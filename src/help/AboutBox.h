#pragma once

#include "controls/BackdropDialog.h"

class QLabel;

namespace vitalog {

class LinkLabel;
struct AppServices;

// Who makes the program: the logo, the name and version, the vendor's web and mail links.
// Shown application-modal; Escape or the close box ends it.
class AboutBox : public BackdropDialog {
    Q_OBJECT

public:
    AboutBox(AppServices& services, QWidget* parent);

    QLabel* VersionLabel() const { return m_version; }
    LinkLabel* WebLink() const { return m_webLink; }
    LinkLabel* MailLink() const { return m_mailLink; }

private:
    QLabel* m_version;
    LinkLabel* m_webLink;
    LinkLabel* m_mailLink;
};

} // namespace vitalog
