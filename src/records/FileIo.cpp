#include "FileIo.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>
#include <semaphore>
#include <system_error>
#include <thread>

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

namespace {

// About a megabyte per chunk: large enough that each read is one long copy, small enough that
// two buffers stay in the cache next to the records being decoded.
constexpr std::size_t ChunkBytes = std::size_t{1} << 20;
// Below this many bytes a second thread costs more than it saves.
constexpr std::uint64_t ThreadedReadBytes = std::uint64_t{4} << 20;

// The chunks of a backwards read: chunk k holds records [Begin(k), End(k)).
struct BackwardChunks {
    std::uint64_t count;
    std::uint64_t perChunk;

    std::uint64_t Chunks() const { return (count + perChunk - 1) / perChunk; }
    std::uint64_t End(std::uint64_t k) const { return count - k * perChunk; }
    std::uint64_t Begin(std::uint64_t k) const { return End(k) > perChunk ? End(k) - perChunk : 0; }
};

bool ReadChunk(std::FILE* f, std::uint64_t offset, std::size_t recordSize,
               const BackwardChunks& chunks, std::uint64_t k, std::uint8_t* buffer) {
    const std::uint64_t begin = chunks.Begin(k);
    const auto bytes = static_cast<std::size_t>((chunks.End(k) - begin) * recordSize);
    return SeekTo(f, offset + begin * recordSize) && std::fread(buffer, 1, bytes, f) == bytes;
}

bool ReadSequentially(std::FILE* f, std::uint64_t offset, std::size_t recordSize,
                      const BackwardChunks& chunks,
                      const std::function<void(const std::uint8_t*, std::size_t)>& take) {
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(
        static_cast<std::size_t>(std::min(chunks.perChunk, chunks.count) * recordSize));
    for (std::uint64_t k = 0; k < chunks.Chunks(); ++k) {
        if (!ReadChunk(f, offset, recordSize, chunks, k, buffer.get()))
            return false;
        take(buffer.get(), static_cast<std::size_t>(chunks.End(k) - chunks.Begin(k)));
    }
    return true;
}

// Two buffers passed between a reader thread and the caller's thread.
class ReadAhead {
public:
    ReadAhead(std::FILE* f, std::uint64_t offset, std::size_t recordSize,
              const BackwardChunks& chunks)
        : m_f(f), m_offset(offset), m_recordSize(recordSize), m_chunks(chunks) {
        for (auto& buffer : m_buffers)
            buffer = std::make_unique_for_overwrite<std::uint8_t[]>(
                static_cast<std::size_t>(chunks.perChunk * recordSize));
        m_reader = std::thread([this] { Read(); });
    }

    ~ReadAhead() {
        m_stop = true;
        for (auto& free : m_free)
            free.release();
        m_reader.join();
    }

    bool Run(const std::function<void(const std::uint8_t*, std::size_t)>& take) {
        for (std::uint64_t k = 0; k < m_chunks.Chunks(); ++k) {
            const std::size_t slot = k % 2;
            m_filled[slot].acquire();
            if (!m_ok[slot])
                return false;
            take(m_buffers[slot].get(),
                 static_cast<std::size_t>(m_chunks.End(k) - m_chunks.Begin(k)));
            m_free[slot].release();
        }
        return true;
    }

private:
    void Read() {
        for (std::uint64_t k = 0; k < m_chunks.Chunks(); ++k) {
            const std::size_t slot = k % 2;
            m_free[slot].acquire();
            if (m_stop)
                return;
            m_ok[slot] = ReadChunk(m_f, m_offset, m_recordSize, m_chunks, k, m_buffers[slot].get());
            m_filled[slot].release();
            if (!m_ok[slot])
                return;
        }
    }

    std::FILE* m_f;
    std::uint64_t m_offset;
    std::size_t m_recordSize;
    BackwardChunks m_chunks;
    std::unique_ptr<std::uint8_t[]> m_buffers[2];
    bool m_ok[2] = {};
    // Counting, not binary: stopping releases a buffer that may be free already.
    std::counting_semaphore<> m_free[2]{std::counting_semaphore<>(1), std::counting_semaphore<>(1)};
    std::counting_semaphore<> m_filled[2]{std::counting_semaphore<>(0),
                                          std::counting_semaphore<>(0)};
    std::atomic<bool> m_stop = false;
    std::thread m_reader;
};

} // namespace

bool ReadRecordsBackwards(std::FILE* f, std::uint64_t offset, std::size_t recordSize,
                          std::uint64_t count,
                          const std::function<void(const std::uint8_t*, std::size_t)>& take) {
    const BackwardChunks chunks{count, std::max<std::uint64_t>(1, ChunkBytes / recordSize)};
    if (count * recordSize >= ThreadedReadBytes) {
        std::unique_ptr<ReadAhead> ahead;
        try {
            ahead = std::make_unique<ReadAhead>(f, offset, recordSize, chunks);
        } catch (const std::system_error&) {
            // No thread to be had: read on this one.
        }
        if (ahead)
            return ahead->Run(take);
    }
    return ReadSequentially(f, offset, recordSize, chunks, take);
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
