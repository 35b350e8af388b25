#include "PrintService.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace vitalog {

std::unique_ptr<QPrinter> QtPrintService::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    // Without an installed printer the job can still go to a PDF file through the dialog.
    if (info.isNull())
        return std::make_unique<QPrinter>(QPrinter::HighResolution);
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool QtPrintService::ShowPrintDialog(QPrinter& printer, QWidget* parent, int minPage, int maxPage) {
    QPrintDialog dialog(&printer, parent);
    if (maxPage > 0) {
        dialog.setMinMax(minPage, maxPage);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    } else {
        // All pages, nothing to choose among them.
        printer.setPrintRange(QPrinter::AllPages);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        // Printing to a file stays where it is the only way to print.
        if (!printer.printerName().isEmpty())
            dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    }
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrintService::JobAccepted(const QPrinter& printer) {
    // Qt hands the finished job to CUPS in QPainter::end() on this thread and ignores the
    // answer; the CUPS library keeps that answer as this thread's last error.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty())
        return true;
    return cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

} // namespace vitalog
