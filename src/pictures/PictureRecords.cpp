#include "PictureRecords.h"

#include "records/RecordFile.h"

#include <QFile>

namespace vitalog {

int CountPicturesForDate(const std::filesystem::path& dataDir, std::string_view userName,
                         DateKey date) {
    RecordList<PictureRecord> list;
    if (!PictureFile::LoadAll(dataDir, userName, list))
        return 0;
    int count = 0;
    for (const PictureRecord& record : list)
        count += record.date == date ? 1 : 0;
    return count;
}

QString FindPicturePath(const std::filesystem::path& dataDir, std::string_view userName,
                        const QString& name, DateKey date) {
    RecordList<PictureRecord> list;
    if (!PictureFile::LoadAll(dataDir, userName, list))
        return {};
    // The records of a date lie together; the first whose path holds the name wins, so a name
    // that is part of another (a.jpg in banana.jpg) may find the other.
    for (const PictureRecord& record : list) {
        if (record.date != date)
            continue;
        const QString path = PathFromStored(record.Path());
        if (path.contains(name))
            return path;
    }
    return {};
}

QString PictureFileName(const QString& path) {
    const qsizetype slash =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

std::string PathToStored(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathFromStored(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace vitalog
