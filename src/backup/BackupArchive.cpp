#include "BackupArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vitalog {

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

struct ReaderFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

// Closes a descriptor that is still open when a step fails.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now: a failed close can mean data that never reached the disk.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string SystemError(int error) {
    return std::strerror(error);
}

std::string ArchiveError(archive* a) {
    const char* text = archive_error_string(a);
    return text ? text : "its end is missing or damaged";
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// One file into the open archive, read in chunks.
bool AddFile(archive* a, const std::filesystem::path& file, const std::string& name,
             std::string& error) {
    // Non-blocking: a FIFO put in the place of a record file must not hang the backup.
    Descriptor in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0) {
        error = file.string() + " cannot be read: " + SystemError(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = file.string() + " is not a regular file";
        return false;
    }
    std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
    // ustar keeps a name's bytes as they are (UTF-8 on disk) whatever the locale; pax would
    // convert them through it, and fails on them under "C". Names built from user names
    // stay below ustar's 100 bytes.
    archive_entry_copy_pathname(entry.get(), name.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0600);
    archive_entry_set_size(entry.get(), info.st_size);
    archive_entry_set_mtime(entry.get(), info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    if (archive_write_header(a, entry.get()) != ARCHIVE_OK) {
        error = name + " cannot be archived: " + ArchiveError(a);
        return false;
    }
    std::vector<char> buffer(ChunkSize);
    std::int64_t total = 0;
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = file.string() + " cannot be read: " + SystemError(errno);
            return false;
        }
        if (got == 0)
            break;
        // More than the header promised would spill into the next entry.
        if (total + got > info.st_size) {
            error = file.string() + " grew while it was archived";
            return false;
        }
        if (archive_write_data(a, buffer.data(), static_cast<std::size_t>(got)) != got) {
            error = ArchiveError(a);
            return false;
        }
        total += got;
    }
    if (total != info.st_size) {
        error = file.string() + " shrank while it was archived";
        return false;
    }
    if (archive_write_finish_entry(a) != ARCHIVE_OK) {
        error = ArchiveError(a);
        return false;
    }
    return true;
}

bool WriteArchive(int fd, const std::filesystem::path& folder,
                  const std::vector<std::string>& names, std::string& error) {
    std::unique_ptr<archive, WriterFree> a(archive_write_new());
    if (!a || archive_write_add_filter_gzip(a.get()) != ARCHIVE_OK ||
        archive_write_set_format_ustar(a.get()) != ARCHIVE_OK ||
        archive_write_open_fd(a.get(), fd) != ARCHIVE_OK) {
        error = a ? ArchiveError(a.get()) : "out of memory";
        return false;
    }
    for (const std::string& name : names) {
        if (!AddFile(a.get(), folder / name, name, error))
            return false;
    }
    // The last blocks and the gzip trailer are written here: a full disk shows here too.
    if (archive_write_close(a.get()) != ARCHIVE_OK) {
        error = ArchiveError(a.get());
        return false;
    }
    if (::fsync(fd) != 0) {
        error = SystemError(errno);
        return false;
    }
    return true;
}

// One entry's data into a new file of the folder, synced to disk. damaged: the start of the
// reason when the archive is at fault.
bool ExtractEntry(archive* a, const std::filesystem::path& file, const std::string& damaged,
                  std::string& error) {
    Descriptor out(
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.get() < 0) {
        error = file.string() + " cannot be written: " + SystemError(errno);
        return false;
    }
    std::vector<char> buffer(ChunkSize);
    for (;;) {
        const la_ssize_t got = archive_read_data(a, buffer.data(), buffer.size());
        if (got < 0) {
            error = damaged + ArchiveError(a);
            return false;
        }
        if (got == 0)
            break;
        if (!WriteAll(out.get(), buffer.data(), static_cast<std::size_t>(got))) {
            error = file.string() + " cannot be written: " + SystemError(errno);
            return false;
        }
    }
    if (::fsync(out.get()) != 0 || !out.Close()) {
        error = file.string() + " cannot be written: " + SystemError(errno);
        return false;
    }
    return true;
}

// The tar reader stops at its end marker and may never look at what follows; reading the
// decompressed stream to its end finds a cut or damaged gzip trailer as well.
bool StreamIsWhole(const std::filesystem::path& file, std::string& error) {
    std::unique_ptr<archive, ReaderFree> a(archive_read_new());
    archive_read_support_filter_gzip(a.get());
    archive_read_support_format_raw(a.get());
    archive_entry* entry = nullptr;
    if (archive_read_open_filename(a.get(), file.c_str(), ChunkSize) != ARCHIVE_OK ||
        archive_read_next_header(a.get(), &entry) != ARCHIVE_OK) {
        error = ArchiveError(a.get());
        return false;
    }
    std::vector<char> buffer(ChunkSize);
    for (;;) {
        const la_ssize_t got = archive_read_data(a.get(), buffer.data(), buffer.size());
        if (got < 0) {
            error = ArchiveError(a.get());
            return false;
        }
        if (got == 0)
            return true;
    }
}

} // namespace

void BackupArchive::SyncFolder(const std::filesystem::path& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

bool BackupArchive::IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

bool BackupArchive::Write(const std::filesystem::path& folder,
                          const std::vector<std::string>& names,
                          const std::filesystem::path& archive, std::string& error) {
    const std::filesystem::path place =
        archive.has_parent_path() ? archive.parent_path() : std::filesystem::path(".");
    // A dot name that no backup name matches: an interrupted backup is never taken for one.
    std::string temporary = (place / ("." + archive.filename().string() + ".XXXXXX")).string();
    Descriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) {
        error = "cannot write in " + place.string() + ": " + SystemError(errno);
        return false;
    }
    std::string why;
    bool done = WriteArchive(fd.get(), folder, names, why);
    if (!fd.Close() && done) {
        done = false;
        why = SystemError(errno);
    }
    if (done) {
        std::error_code ec;
        std::filesystem::rename(temporary, archive, ec);
        if (ec) {
            done = false;
            why = ec.message();
        }
    }
    if (!done) {
        ::unlink(temporary.c_str());
        error = archive.string() + " cannot be written: " + why;
        return false;
    }
    SyncFolder(place);
    return true;
}

bool BackupArchive::Extract(const std::filesystem::path& file, const std::filesystem::path& folder,
                            std::vector<std::string>& names, std::string& error) {
    const std::string damaged = file.string() + " is damaged or not a .tar.gz archive: ";
    std::unique_ptr<archive, ReaderFree> a(archive_read_new());
    archive_read_support_filter_gzip(a.get());
    archive_read_support_format_tar(a.get());
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = file.string() + " cannot be read: it is no file";
        return false;
    }
    if (archive_read_open_filename(a.get(), file.c_str(), ChunkSize) != ARCHIVE_OK) {
        error = damaged + ArchiveError(a.get());
        return false;
    }
    std::set<std::string> seen;
    for (;;) {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(a.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK) {
            error = damaged + ArchiveError(a.get());
            return false;
        }
        const char* raw = archive_entry_pathname(entry);
        const std::string name = raw ? raw : "";
        if (!IsPlainFileName(name)) {
            error = file.string() + ": the entry \"" + name +
                    "\" is not a plain file name; only files of one folder are restored";
            return false;
        }
        if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry) ||
            archive_entry_symlink(entry)) {
            error = file.string() + ": the entry \"" + name + "\" is not a regular file";
            return false;
        }
        if (!seen.insert(name).second) {
            error = file.string() + " holds \"" + name + "\" twice";
            return false;
        }
        if (!ExtractEntry(a.get(), folder / name, damaged, error))
            return false;
        names.push_back(name);
    }
    std::string why;
    if (!StreamIsWhole(file, why)) {
        error = damaged + why;
        return false;
    }
    SyncFolder(folder);
    return true;
}

} // namespace vitalog
