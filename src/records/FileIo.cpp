#include "FileIo.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vitalog::detail {

namespace {

// The calls outside the standard library: a saved record must be on disk before the caller
// is told so, and only a regular file may be opened as a record file.
bool SyncToDisk(std::FILE* f) {
    return ::fsync(::fileno(f)) == 0;
}

bool FinishWriting(FilePtr f) {
    bool ok = std::fflush(f.get()) == 0;
    ok = SyncToDisk(f.get()) && ok;
    ok = std::fclose(f.release()) == 0 && ok;
    return ok;
}

bool SeekTo(std::FILE* f, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()))
        return false;
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0;
}

bool IsRecordFile(const struct stat& st) {
    return S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) <= MaxRecordFileSize;
}

FilePtr Wrap(int fd, const char* mode) {
    if (fd < 0)
        return nullptr;
    FilePtr f(::fdopen(fd, mode));
    if (!f)
        ::close(fd);
    return f;
}

// Opens what the name refers to now. O_NONBLOCK keeps a FIFO put there since the caller
// looked from waiting for a writer; fstat then tells what was really opened.
int OpenExisting(const std::filesystem::path& file, int access) {
    const int fd = ::open(file.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st;
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !IsRecordFile(st) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

FilePtr Open(const std::filesystem::path& file, int access, const char* mode, bool create) {
    // Looked at before opening, so that a device is never opened at all.
    struct stat st;
    if (::stat(file.c_str(), &st) == 0) {
        if (!IsRecordFile(st))
            return nullptr;
    } else if (errno != ENOENT || !create) {
        return nullptr;
    } else {
        // O_EXCL never follows a symlink: a dangling one is an entry of that name, and the
        // file it points to (maybe outside the data directory) is not created. Nor is a file
        // that appeared meanwhile truncated; it is opened as found.
        const int fd = ::open(file.c_str(), access | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd >= 0)
            return Wrap(fd, mode);
        if (errno != EEXIST)
            return nullptr;
    }
    return Wrap(OpenExisting(file, access), mode);
}

} // namespace

FilePtr OpenForReading(const std::filesystem::path& file) {
    return Open(file, O_RDONLY, "rb", true);
}

std::optional<std::uint64_t> SizeOf(std::FILE* f) {
    struct stat st;
    if (::fstat(::fileno(f), &st) != 0 || st.st_size < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

bool WritePatches(const std::filesystem::path& file, std::span<const Patch> patches,
                  std::optional<std::uint64_t> length) {
    if (length && *length > MaxRecordFileSize)
        return false;
    for (const Patch& p : patches) {
        if (p.size > MaxRecordFileSize || p.offset > MaxRecordFileSize - p.size)
            return false;
    }
    FilePtr f = Open(file, O_RDWR, "r+b", false);
    if (!f)
        return false;
    if (length && ::ftruncate(::fileno(f.get()), static_cast<off_t>(*length)) != 0)
        return false;
    for (const Patch& p : patches) {
        if (!SeekTo(f.get(), p.offset) || std::fwrite(p.data, 1, p.size, f.get()) != p.size)
            return false;
    }
    return FinishWriting(std::move(f));
}

bool EnsureFileHeader(const std::filesystem::path& file, std::int32_t version) {
    static_assert(std::endian::native == std::endian::little);
    std::size_t got = 0;
    {
        FilePtr f = OpenForReading(file);
        if (!f)
            return false;
        unsigned char header[4];
        got = std::fread(header, 1, sizeof header, f.get());
        if (std::ferror(f.get()))
            return false;
    }
    if (got == 4)
        return true;
    // One to three stray bytes are no header: the header is written over them.
    const Patch header{0, &version, sizeof version};
    return WritePatches(file, {&header, 1});
}

} // namespace vitalog::detail
