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
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vitalog::detail {

namespace faults {
namespace {
std::atomic<bool> armed = false;
std::atomic<std::uint64_t> calls = 0;
std::atomic<std::uint64_t> failing = 0;
} // namespace

void Arm(std::uint64_t failingCall) {
    calls = 0;
    failing = failingCall;
    armed = true;
}

void Disarm() {
    armed = false;
    failing = 0;
}

std::uint64_t Calls() {
    return calls;
}

// True when this call is the one to fail.
bool Injected() {
    if (!armed.load(std::memory_order_relaxed))
        return false;
    const std::uint64_t n = ++calls;
    return n == failing;
}
} // namespace faults

namespace {

using faults::Injected;

// The calls outside the standard library: a saved record must be on disk before the caller
// is told so, and only a regular file may be opened as a record file.
bool SyncToDisk(std::FILE* f) {
    return !Injected() && ::fsync(::fileno(f)) == 0;
}

bool FinishWriting(FilePtr f) {
    bool ok = !Injected() && std::fflush(f.get()) == 0;
    ok = SyncToDisk(f.get()) && ok;
    const bool closeFails = Injected();
    ok = std::fclose(f.release()) == 0 && !closeFails && ok;
    return ok;
}

bool SeekTo(std::FILE* f, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()) || Injected())
        return false;
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0;
}

bool WriteBytes(std::FILE* f, const void* data, std::size_t size) {
    if (Injected()) {
        std::fwrite(data, 1, size / 2, f); // a full disk takes part of it
        return false;
    }
    return std::fwrite(data, 1, size, f) == size;
}

bool Truncate(std::FILE* f, std::uint64_t length) {
    return !Injected() && ::ftruncate(::fileno(f), static_cast<off_t>(length)) == 0;
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
    if (Injected())
        return -1;
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
    if (Injected())
        return nullptr;
    if (::stat(file.c_str(), &st) == 0) {
        if (!IsRecordFile(st))
            return nullptr;
    } else if (errno != ENOENT || !create) {
        return nullptr;
    } else {
        // O_EXCL never follows a symlink: a dangling one is an entry of that name, and the
        // file it points to (maybe outside the data directory) is not created. Nor is a file
        // that appeared meanwhile truncated; it is opened as found.
        if (Injected())
            return nullptr;
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
    if (Injected() || ::fstat(::fileno(f), &st) != 0 || st.st_size < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

std::size_t ReadBytes(std::FILE* f, void* data, std::size_t size) {
    if (Injected())
        return 0;
    return std::fread(data, 1, size, f);
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
    return SeekTo(f, offset + begin * recordSize) && ReadBytes(f, buffer, bytes) == bytes;
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

namespace {

// The bytes a write is about to replace, so that a failure part way can put them back.
struct Saved {
    std::uint64_t size = 0; // of the file before
    std::vector<std::pair<std::uint64_t, std::vector<std::uint8_t>>> ranges;
};

bool SaveRange(std::FILE* f, Saved& saved, std::uint64_t from, std::uint64_t to) {
    if (from >= to)
        return true;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(to - from));
    if (!SeekTo(f, from) || ReadBytes(f, bytes.data(), bytes.size()) != bytes.size())
        return false;
    saved.ranges.emplace_back(from, std::move(bytes));
    return true;
}

bool Apply(std::FILE* f, std::span<const Patch> patches, std::optional<std::uint64_t> length) {
    if (length && !Truncate(f, *length))
        return false;
    for (const Patch& p : patches) {
        if (!SeekTo(f, p.offset) || !WriteBytes(f, p.data, p.size))
            return false;
    }
    return true;
}

// Puts the saved bytes back and the file to its old length. Best effort: if the disk fails
// again there is nothing more to try.
void Restore(const std::filesystem::path& file, const Saved& saved) {
    FilePtr f = Open(file, O_RDWR, "r+b", false);
    if (!f)
        return;
    for (const auto& [offset, bytes] : saved.ranges) {
        if (!SeekTo(f.get(), offset) || !WriteBytes(f.get(), bytes.data(), bytes.size()))
            return;
    }
    if (std::fflush(f.get()) == 0)
        Truncate(f.get(), saved.size);
    FinishWriting(std::move(f));
}

} // namespace

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
    Saved saved;
    const auto size = SizeOf(f.get());
    if (!size)
        return false;
    saved.size = *size;
    if (length && !SaveRange(f.get(), saved, *length, saved.size))
        return false;
    for (const Patch& p : patches) {
        if (!SaveRange(f.get(), saved, p.offset, std::min(p.offset + p.size, saved.size)))
            return false;
    }
    if (Apply(f.get(), patches, length) && FinishWriting(std::move(f)))
        return true;
    // Whatever went out so far is taken back: a record is never left half old, half new.
    if (f)
        std::fclose(f.release());
    Restore(file, saved);
    return false;
}

bool EnsureFileHeader(const std::filesystem::path& file, std::int32_t version) {
    static_assert(std::endian::native == std::endian::little);
    std::size_t got = 0;
    {
        FilePtr f = OpenForReading(file);
        if (!f)
            return false;
        unsigned char header[4];
        got = ReadBytes(f.get(), header, sizeof header);
        if (got < sizeof header && (std::ferror(f.get()) || !std::feof(f.get())))
            return false;
    }
    if (got == 4)
        return true;
    // One to three stray bytes are no header: the header is written over them.
    const Patch header{0, &version, sizeof version};
    return WritePatches(file, {&header, 1});
}

} // namespace vitalog::detail
