#include "CVitalogApp.h"

#include "CMainFrame.h"
#include "Screen.h"
#include "ScreenClass.h"
#include "platform/DataDirectory.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>

namespace vitalog {

CVitalogApp::CVitalogApp(AppServices& services, ScreenRegistry screens)
    : m_services(services), m_screens(std::move(screens)) {}

CVitalogApp::~CVitalogApp() {
    delete m_mainFrame;
}

bool CVitalogApp::InitInstance(const QStringList& arguments, const QString& dataDirEnvironment) {
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrel Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vitalog"));
    QSettings settings; // the program's profile under "Kestrel Software" / "Vitalog"
    Q_UNUSED(settings);

    const QString directory = DataDirectory::Resolve(arguments, dataDirEnvironment);
    QString error;
    if (!DataDirectory::Prepare(directory, &error)) {
        m_services.prompter->Error(nullptr, error);
        return false;
    }
    m_lock = DataDirectory::Lock(directory);
    if (!m_lock) {
        m_services.prompter->Notice(
            nullptr,
            QStringLiteral("Vitalog is already running with the data folder %1.\n"
                           "Only one Vitalog can use a data folder at a time.")
                .arg(directory),
            QMessageBox::Warning);
        return false;
    }
    m_services.dataDirectory = directory;

    // Dialogs: light grey with black text.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QPalette dialogs = QApplication::palette();
        dialogs.setColor(QPalette::Window, QColor(223, 223, 223));
        dialogs.setColor(QPalette::WindowText, Qt::black);
        QApplication::setPalette(dialogs);
    }

    m_mainFrame = new CMainFrame(m_services, m_screens);
    m_mainFrame->SwitchScreen(ScreenClass::CUser);
    m_mainFrame->show();
    return true;
}

} // namespace vitalog
