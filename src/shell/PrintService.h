#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace vitalog {

// Hands out a configured printer for one print job.
class PrintService {
public:
    virtual ~PrintService() = default;
    // True when a printer (or "print to file") is available at all.
    virtual bool HasPrinter() = 0;
    // The default printer without asking; null when there is none.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
    // Asks the user with the print dialog; null when cancelled.
    virtual std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) = 0;
};

class QtPrintService : public PrintService {
public:
    bool HasPrinter() override;
    std::unique_ptr<QPrinter> DefaultPrinter() override;
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) override;
};

} // namespace vitalog
