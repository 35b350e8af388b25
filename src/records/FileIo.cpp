#include "FileIo.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include <unistd.h>

namespace vitalog::detail {

namespace {

// The one call outside the standard library: a saved record must be on disk before the
// caller is told so.
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

} // namespace

FilePtr OpenForReading(const std::filesystem::path& file) {
    FilePtr f(std::fopen(file.c_str(), "rb"));
    if (!f && errno == ENOENT) {
        // "a" creates the file without truncating one that appeared meanwhile.
        if (std::FILE* created = std::fopen(file.c_str(), "ab"))
            std::fclose(created);
        f.reset(std::fopen(file.c_str(), "rb"));
    }
    return f;
}

std::optional<std::uint64_t> SizeOf(std::FILE* f) {
    const long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0)
        return std::nullopt;
    const long end = std::ftell(f);
    if (end < 0 || std::fseek(f, here, SEEK_SET) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(end);
}

bool WritePatches(const std::filesystem::path& file, std::span<const Patch> patches) {
    FilePtr f(std::fopen(file.c_str(), "r+b"));
    if (!f)
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
