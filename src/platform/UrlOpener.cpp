#include "UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace vitalog {

namespace {
class DesktopUrlOpener : public UrlOpener {
public:
    bool Open(const QString& address) override {
        return QDesktopServices::openUrl(QUrl::fromUserInput(address));
    }
};
} // namespace

UrlOpener& UrlOpener::System() {
    static DesktopUrlOpener opener;
    return opener;
}

} // namespace vitalog
