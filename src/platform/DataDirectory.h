#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace vitalog {

// Where the record files and db/ live: --data-dir DIR, else VITALOG_DATA_DIR, else the
// per-user application data folder.
class DataDirectory {
public:
    // option: the value of --data-dir, empty when it was not given.
    static QString Resolve(const QString& option, const QString& environmentValue);

    // Creates the folder (mode 0700) when it is missing, and installs the shipped db/ files
    // when it has no db/ folder, new or not. An existing db/ is left as it is. False with a
    // reason when the folder cannot be made or is not a folder.
    static bool Prepare(const QString& directory, QString* error);

    // Copies the shipped db/ files that are missing from directory/db.
    static bool InstallDbFiles(const QString& directory);

    // One running program per data directory; null when another one holds the lock.
    static std::unique_ptr<QLockFile> Lock(const QString& directory);
};

} // namespace vitalog
