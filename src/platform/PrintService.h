#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace vitalog {

// Printers for print jobs. Tests hand out PDF printers into a temporary folder.
class PrintService {
public:
    virtual ~PrintService() = default;
    // The default printer; null when there is none at all.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
    // The print dialog for the printer, offering pages minPage..maxPage; with 0, 0 it prints
    // all pages and offers no range nor selection. False when the user cancelled.
    virtual bool ShowPrintDialog(QPrinter& printer, QWidget* parent, int minPage = 0,
                                 int maxPage = 0) = 0;
    // After the job's painter has ended: false when the print system refused the job (a queue
    // that rejects jobs), which Qt itself does not report.
    virtual bool JobAccepted(const QPrinter& printer) {
        (void)printer;
        return true;
    }
};

class QtPrintService : public PrintService {
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override;
    bool ShowPrintDialog(QPrinter& printer, QWidget* parent, int minPage, int maxPage) override;
    bool JobAccepted(const QPrinter& printer) override;
};

} // namespace vitalog
