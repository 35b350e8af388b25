#pragma once

#include "records/DateKey.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace vitalog {

// The picture records of one user as the slideshow and the compare dialog read them.

// Live picture records of the date; 0 when there are none.
int CountPicturesForDate(const std::filesystem::path& dataDir, std::string_view userName,
                         DateKey date);

// The path of the first record of the date whose path contains name, searching from the first
// record of that date; empty when there is none. Stored paths are Windows-1252.
QString FindPicturePath(const std::filesystem::path& dataDir, std::string_view userName,
                        const QString& name, DateKey date);

// The file name of a stored path: what follows the last '/' or '\'.
QString PictureFileName(const QString& path);

// Records keep a path as the file system names it (its bytes), so that any file the user can
// open can be found again.
std::string PathToStored(const QString& path);
QString PathFromStored(const std::string& bytes);

} // namespace vitalog
