#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vitalog {

// A gzip-compressed tar archive (ustar) of files of one folder, each under its plain file name,
// as tar and every archive manager open it.
class BackupArchive {
public:
    // Writes the files `names` of `folder` into `archive`: first under a temporary name beside
    // it, renamed into place only once the whole archive is on disk. False with the reason
    // otherwise; then neither name holds a file of ours (a file `archive` named before stays).
    static bool Write(const std::filesystem::path& folder, const std::vector<std::string>& names,
                      const std::filesystem::path& archive, std::string& error);

    // Reads the whole archive into `folder`, an empty folder, and lists the names read. Every
    // entry must be a regular file with a plain file name (no folder, "..", link or device),
    // each name once, and the archive sound to its last byte. False with the reason at the
    // first fault; the files written by then stay in `folder` for the caller to remove.
    static bool Extract(const std::filesystem::path& archive, const std::filesystem::path& folder,
                        std::vector<std::string>& names, std::string& error);

    // Whether an archive entry's name may become a file of one folder as it is.
    static bool IsPlainFileName(const std::string& name);

    // Makes the folder's new, renamed and removed names durable.
    static void SyncFolder(const std::filesystem::path& folder);
};

} // namespace vitalog
