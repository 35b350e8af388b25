#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

namespace vitalog::detail {

// Small checked wrappers over <cstdio> for the record files. Nothing here shows a message.

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens for reading in binary mode; a missing file is first created empty, as every open of
// a record file does.
FilePtr OpenForReading(const std::filesystem::path& file);

// Size of an open file in bytes.
std::optional<std::uint64_t> SizeOf(std::FILE* f);

// Bytes to put at an offset of an existing file.
struct Patch {
    std::uint64_t offset = 0;
    const void* data = nullptr;
    std::size_t size = 0;
};

// Opens an existing file for reading and writing (never creates it), writes every patch,
// then flushes the stream and the file to disk and closes it. False if any step failed.
bool WritePatches(const std::filesystem::path& file, std::span<const Patch> patches);

// Gives a missing, empty or shorter-than-header file the header `version`; a file that
// already holds 4 bytes is never written. False when the file cannot be read or written.
bool EnsureFileHeader(const std::filesystem::path& file, std::int32_t version);

} // namespace vitalog::detail
