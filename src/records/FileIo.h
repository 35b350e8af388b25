#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace vitalog::detail {

// Small checked wrappers over <cstdio> for the record files. Nothing here shows a message.

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The largest file taken for a record file. No diary comes near it (a record a day of the
// largest kind is 140 kB a year); a bigger file is something else, a sparse file for one, and
// reading it through would take minutes.
inline constexpr std::uint64_t MaxRecordFileSize = std::uint64_t{1} << 30;

// Opens for reading in binary mode. Only a regular file of at most MaxRecordFileSize bytes
// is a record file; a symlink to one is followed. A directory, FIFO, device or dangling
// symlink of that name gives null and is never opened for a blocking read. A name with no
// directory entry at all is first created empty, as every open of a record file does.
FilePtr OpenForReading(const std::filesystem::path& file);

// Size of an open file in bytes.
std::optional<std::uint64_t> SizeOf(std::FILE* f);

// Reads up to `size` bytes at the file's position; the count read.
std::size_t ReadBytes(std::FILE* f, void* data, std::size_t size);

// Reads `count` records of `recordSize` bytes that start at `offset`, in chunks from the last
// record towards the first, and hands each chunk to `take` (its bytes, its record count) in
// that order. A large file is read by a second thread one chunk ahead of `take`, so that the
// disk copy and the decoding overlap. False, with no further chunk taken, when a read comes up
// short; an exception from `take` passes through once the reader has stopped.
bool ReadRecordsBackwards(std::FILE* f, std::uint64_t offset, std::size_t recordSize,
                          std::uint64_t count,
                          const std::function<void(const std::uint8_t*, std::size_t)>& take);

// Bytes to put at an offset of an existing file.
struct Patch {
    std::uint64_t offset = 0;
    const void* data = nullptr;
    std::size_t size = 0;
};

// Opens an existing record file (as OpenForReading takes it, but never creates one) for
// reading and writing, cuts it to `length` when given, writes every patch, then flushes the
// stream and the file to disk and closes it. False if any step failed; the bytes written by
// then are taken back as far as the disk allows, so the file keeps its old content. Nothing
// is written when the file would grow past MaxRecordFileSize.
bool WritePatches(const std::filesystem::path& file, std::span<const Patch> patches,
                  std::optional<std::uint64_t> length = std::nullopt);

// Gives a missing, empty or shorter-than-header file the header `version`; a file that
// already holds 4 bytes is never written. False when the file cannot be read or written.
bool EnsureFileHeader(const std::filesystem::path& file, std::int32_t version);

// Test seam for failing disks. Every call the record files make to the system (open, stat,
// seek, read, write, truncate, flush, sync, close) is counted; once armed with n, the nth call
// from then on fails as the system would report it (a write writes half its bytes first).
// Unarmed, only an atomic flag is looked at.
namespace faults {
void Arm(std::uint64_t failingCall); // 0 counts without failing
void Disarm();
std::uint64_t Calls(); // counted since the last Arm
} // namespace faults

} // namespace vitalog::detail
