#include "DataDirectory.h"

#include "resources/Resources.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vitalog {

QString DataDirectory::Resolve(const QString& option, const QString& environmentValue) {
    if (!option.isEmpty())
        return QDir::cleanPath(QDir(option).absolutePath());
    if (!environmentValue.isEmpty())
        return QDir::cleanPath(QDir(environmentValue).absolutePath());
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool DataDirectory::Prepare(const QString& directory, QString* error) {
    QFileInfo info(directory);
    if (info.exists()) {
        if (!info.isDir()) {
            if (error)
                *error = QStringLiteral("%1 is not a folder.").arg(directory);
            return false;
        }
    } else if (!QDir().mkpath(directory) ||
               !QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner)) {
        if (error)
            *error = QStringLiteral("The data folder %1 could not be created.").arg(directory);
        return false;
    }
    // A folder made by hand or holding only copied record files needs db/ as much as a new
    // one. A db/ that exists is the user's: files missing from it give the icon error.
    const QFileInfo db(directory + QStringLiteral("/db"));
    if (!db.exists() && !db.isSymLink())
        InstallDbFiles(directory);
    return true;
}

bool DataDirectory::InstallDbFiles(const QString& directory) {
    InitResources();
    const QString target = directory + QStringLiteral("/db");
    if (!QDir().mkpath(target))
        return false;
    bool ok = true;
    QDirIterator it(QStringLiteral(":/db"), QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString destination = target + QLatin1Char('/') + it.fileName();
        if (QFile::exists(destination))
            continue;
        if (!QFile::copy(source, destination)) {
            ok = false;
            continue;
        }
        // Resource copies come out read-only.
        QFile::setPermissions(destination, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return ok;
}

std::unique_ptr<QLockFile> DataDirectory::Lock(const QString& directory) {
    auto lock = std::make_unique<QLockFile>(directory + QStringLiteral("/vitalog.lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace vitalog
