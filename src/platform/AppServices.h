#pragma once

#include <filesystem>

#include <QString>

namespace vitalog {

class Clock;
class FileDialogs;
class PrintService;
class Prompter;
class UrlOpener;

// Everything a screen may ask of the outside world. main() wires the real ones; tests wire
// scripted fakes. The objects are owned elsewhere and outlive every window.
struct AppServices {
    Prompter* prompter = nullptr;
    FileDialogs* fileDialogs = nullptr;
    PrintService* printService = nullptr;
    UrlOpener* urlOpener = nullptr;
    Clock* clock = nullptr;
    // Where the record files and db/ live.
    QString dataDirectory;

    std::filesystem::path DataPath() const {
        return std::filesystem::path(dataDirectory.toStdString());
    }
    QString DbFile(const QString& name) const {
        return dataDirectory + QStringLiteral("/db/") + name;
    }
};

} // namespace vitalog
