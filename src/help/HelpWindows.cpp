#include "HelpWindows.h"

#include "AboutBox.h"
#include "CaliperHelpWindow.h"
#include "HelpPageWindow.h"
#include "HelpWindowRegistry.h"
#include "PurchaseDialog.h"

#include <QDialog>
#include <QPointer>

#include <map>
#include <utility>

namespace vitalog {

namespace HelpWindowRegistry {

namespace {
using Key = std::pair<Kind, int>;

std::map<Key, QPointer<QDialog>>& Windows() {
    static std::map<Key, QPointer<QDialog>> windows;
    return windows;
}

Key KeyFor(Kind kind, int topic) {
    return {kind, kind == Kind::HelpPage ? topic : 0};
}
} // namespace

QDialog* Find(Kind kind, int topic) {
    const auto it = Windows().find(KeyFor(kind, topic));
    return it == Windows().end() ? nullptr : it->second.data();
}

void Register(Kind kind, int topic, QDialog* window) {
    const Key key = KeyFor(kind, topic);
    Windows()[key] = window;
    // Closing by the close box, Escape or close() ends in finished(); the window itself may
    // only be deleted later.
    QObject::connect(window, &QDialog::finished, window, [key, window] {
        const auto it = Windows().find(key);
        if (it != Windows().end() && it->second == window)
            Windows().erase(it);
    });
}

void Close(Kind kind, int topic) {
    if (QDialog* window = Find(kind, topic))
        window->close();
}

} // namespace HelpWindowRegistry

using HelpWindowRegistry::Kind;

void OpenHelpPage(QWidget* parent, int topic) {
    if (HelpWindowRegistry::Find(Kind::HelpPage, topic))
        return;
    auto* window = new HelpPageWindow(topic, parent);
    HelpWindowRegistry::Register(Kind::HelpPage, topic, window);
    window->show();
}

void OpenCaliperHelp(QWidget* parent, AppServices& services, int userSex, int siteIndex) {
    if (HelpWindowRegistry::Find(Kind::CaliperHelp))
        return;
    auto* window = new CaliperHelpWindow(parent, services, userSex, siteIndex);
    HelpWindowRegistry::Register(Kind::CaliperHelp, 0, window);
    window->show();
}

void ShowAboutBox(QWidget* parent, AppServices& services) {
    // Modal without a nested event loop: the command returns at once and the box blocks the
    // program's other windows until it is closed.
    auto* box = new AboutBox(services, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

void OpenPurchaseDialog(QWidget* parent, AppServices& services) {
    if (HelpWindowRegistry::Find(Kind::Purchase))
        return;
    auto* dialog = new PurchaseDialog(services, parent);
    HelpWindowRegistry::Register(Kind::Purchase, 0, dialog);
    dialog->show();
}

} // namespace vitalog
