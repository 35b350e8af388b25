#include "ScreenExport.h"

#include "help/VendorConfig.h"
#include "platform/AppServices.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"
#include "records/TextEncoding.h"
#include "shell/CMainFrame.h"
#include "shell/Screen.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QScreen>

#include <cstring>

namespace vitalog {

namespace {

const QString SaveDialogTitle = QStringLiteral("Save Exported file");
const QString SaveDialogFilter = QStringLiteral("RTF (rtf)|*.rtf|All Files (*.*)|*.*||");

// Pictures are measured in the primary screen's pixels; 96 dpi without one.
int ScreenDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return LoaderPixelsPerInch;
    return qRound(horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY());
}

} // namespace

ScreenExport::ScreenExport(Screen& screen)
    : m_parent(&screen), m_services(screen.Services()),
      m_userName(screen.Frame().CurrentUser.Name()),
      m_writer(
          [dataDirectory = screen.Services().dataDirectory](std::string_view fileName) {
              return LoadPicture(dataDirectory + QLatin1Char('/') +
                                 QString::fromUtf8(fileName.data(), qsizetype(fileName.size())));
          },
          ScreenDpi(true), ScreenDpi(false)) {}

bool ScreenExport::ExportOpen(const QString& defaultFileName) {
    const SaveFileAnswer answer = m_services.fileDialogs->SaveFile(
        m_parent, {SaveDialogTitle, SaveDialogFilter, QStringLiteral("rtf"), defaultFileName});
    if (answer.outcome == SaveFileAnswer::Cancelled)
        return false;
    if (answer.outcome != SaveFileAnswer::Chosen) {
        m_services.prompter->Show(m_parent, QStringLiteral("Can not save export file"),
                                  QStringLiteral("Error saving exported file\t"),
                                  QMessageBox::Critical, QMessageBox::Ok);
        return false;
    }
    const std::filesystem::path file(QFile::encodeName(answer.path).toStdString());
    if (m_writer.OpenDocument(file, ExportFonts, ExportColours) != RtfResult::RtfSuccess) {
        m_services.prompter->Error(
            m_parent, QStringLiteral("Error opening file, make sure the file is not opened by "
                                     "another program"));
        return false;
    }
    m_path = answer.path;
    return true;
}

void ScreenExport::ExportTitle(const QString& title) {
    vitalog::ExportTitle(m_writer, DocumentText(title) + m_userName);
}

void ScreenExport::ComparisonTable(const std::vector<ComparisonRow>& rows) {
    vitalog::ComparisonTable(m_writer, rows);
}

void ScreenExport::ExportFooter() {
    ExportFooter(FooterText());
}

void ScreenExport::ExportFooter(const QString& footerText) {
    if (vitalog::ExportFooter(m_writer, DocumentText(footerText)) == RtfResult::RtfSuccess) {
        m_services.prompter->Information(m_parent, QStringLiteral("Export successful"));
        return;
    }
    m_services.prompter->Error(m_parent, QStringLiteral("Error in Exporting file\n Make sure the "
                                                        "exported file is not open before "
                                                        "exporting"));
}

RtfResult ScreenExport::InsertPictureFitted(const RtfPicture& picture) {
    const RtfFittedResult fitted = m_writer.InsertPictureFitted(picture);
    if (!fitted.message.empty())
        m_services.prompter->Error(
            m_parent, QString::fromLatin1(fitted.message.data(), qsizetype(fitted.message.size())));
    return fitted.result;
}

std::string ScreenExport::DocumentText(const QString& text) {
    if (auto whole = Utf8ToCp1252(text.toStdString()))
        return *whole;
    std::string bytes;
    for (const char32_t code : text.toUcs4()) {
        const auto one = Utf8ToCp1252(QString::fromUcs4(&code, 1).toStdString());
        bytes += one ? *one : std::string("?");
    }
    return bytes;
}

ComparisonRow ScreenExport::Row(const QString& label, const QString& current, const QString& last) {
    return {DocumentText(label), DocumentText(current), DocumentText(last)};
}

std::optional<RtfPicture> ScreenExport::LoadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return PictureFromImage(image);
}

RtfPicture ScreenExport::PictureFromImage(const QImage& decoded) {
    const QImage image = decoded.convertToFormat(QImage::Format_RGB888);
    RtfPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    const std::size_t rowBytes = std::size_t(picture.width) * 3;
    picture.rgb.resize(rowBytes * std::size_t(picture.height));
    // QImage pads its rows; the writer's rows follow one another.
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(picture.rgb.data() + rowBytes * std::size_t(y), image.constScanLine(y),
                    rowBytes);
    return picture;
}

QString ScreenExport::FooterText() {
    return QStringLiteral("Vitalog - ") + QLatin1String(VendorWebAddress);
}

} // namespace vitalog
