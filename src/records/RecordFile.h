#pragma once

#include "RecordKinds.h"
#include "RecordList.h"
#include "StoreResult.h"

#include <filesystem>
#include <string_view>

namespace vitalog {

inline constexpr std::int32_t RecordFileVersion = 600;

// The record-file protocol shared by every kind: a 4-byte header (600), then fixed-size
// records in append order; deleted records stay as tombstones. Every operation opens the
// file in the given data directory, does its work and closes it again.
//
// userName is the stored (Windows-1252) name; the file name is the kind's prefix, the name's
// UTF-8 form and ".bin". A name that would leave the directory (contains '/') or has no UTF-8
// form makes every operation fail (FileError, false or an inactive record) without touching
// the disk.
//
// A file whose header is greater than 600 comes from a later version: it is read, but Append,
// Overwrite and Remove answer FileError and never write it. Before an append, a partial
// record at the end of the file is cut off so that the new record starts on a boundary.
// Done is answered only once the bytes have been flushed to disk.
//
// Only a regular file (a symlink to one is followed) of at most 1 GiB is a record file. For
// anything else of that name (a directory, a FIFO, a device, a dangling symlink, a larger
// file) the reads find nothing and the writes answer FileError, without waiting on it or
// writing to it; a missing file is created only where no entry of its name exists. No append
// takes a file past 1 GiB.
template <class Kind> class RecordFile {
public:
    using Record = typename Kind::Record;
    using Key = typename Kind::Key;

    // Empty path when the name cannot be a file name.
    static std::filesystem::path PathFor(const std::filesystem::path& dataDir,
                                         std::string_view userName);

    // Writes the header into a missing, empty or shorter-than-header file.
    static void EnsureHeader(const std::filesystem::path& file);

    // First live record with the key; active == 0 when there is none.
    static Record Find(const std::filesystem::path& dataDir, std::string_view userName,
                       const Key& key);
    static bool Contains(const std::filesystem::path& dataDir, const Record& record);

    // Converts the record in place as the kind requires, sets it live and appends it. The
    // record keeps its conversions on Done and AlreadyExists (a following Overwrite must not
    // convert again) and is left as it was on FileError.
    static StoreResult Append(const std::filesystem::path& dataDir, Record& record);
    // NotFound, without opening the file for writing, unless the record's own key is live.
    // The body-fat pounds conversion is applied only when the record is written (Done).
    static StoreResult Overwrite(const std::filesystem::path& dataDir, Record& record,
                                 const Key& key);
    // Tombstones the first live record with the key (every one for pictures); FileError for a
    // missing or empty file, which is left behind empty.
    static StoreResult Remove(const std::filesystem::path& dataDir, std::string_view userName,
                              const Key& key);

    // Adds every live record to the list, newest first, equal keys in file order; true if any
    // was added. Records with a key already in the list go after it.
    static bool LoadAll(const std::filesystem::path& dataDir, std::string_view userName,
                        RecordList<Record>& list);
};

using BodyFatFile = RecordFile<BodyFatKind>;
using TapeFile = RecordFile<TapeKind>;
using BmiFile = RecordFile<BmiKind>;
using BmrFile = RecordFile<BmrKind>;
using BloodPressureFile = RecordFile<BloodPressureKind>;
using PictureFile = RecordFile<PictureKind>;

extern template class RecordFile<BodyFatKind>;
extern template class RecordFile<TapeKind>;
extern template class RecordFile<BmiKind>;
extern template class RecordFile<BmrKind>;
extern template class RecordFile<BloodPressureKind>;
extern template class RecordFile<PictureKind>;

} // namespace vitalog
