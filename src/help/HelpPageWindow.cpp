#include "HelpPageWindow.h"

#include "HelpPages.h"
#include "platform/DialogUnits.h"

namespace vitalog {

HelpPageWindow::HelpPageWindow(int topic, QWidget* parent)
    : BackdropDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint),
      m_topic(topic) {
    setObjectName(QStringLiteral("helpPageWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QString());
    setFixedSize(DialogUnitsToPixels(232, 258));

    SetBackdropMode(Centre);
    const HelpPageText page = LoadHelpPage(topic);
    if (!page.IsEmpty()) {
        SetDrawnBackdrop([picture = HelpPageDrawing(page)](qreal devicePixelRatio) {
            return QPixmap::fromImage(picture.Render(devicePixelRatio));
        });
        // The page is a picture: screen readers get its text from here.
        setAccessibleName(page.heading);
        setAccessibleDescription(page.PlainText());
    }
}

} // namespace vitalog
