#pragma once

// The record-file protocol on one file path, for any kind of RecordKinds.h. RecordFile<Kind>
// puts the per-user file names in front of it; Users.cpp runs "user.bin" through it.

#include "DateKey.h"
#include "FileIo.h"
#include "RecordFile.h"
#include "RecordKinds.h"
#include "RecordList.h"
#include "StoreResult.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace vitalog::detail {

inline bool KeyLess(DateKey a, DateKey b) {
    return a < b;
}
inline bool KeyLess(const DateTimeKey& a, const DateTimeKey& b) {
    return DateTimeKeyLess(a, b);
}

// What a read of the file found out about it.
struct FileInfo {
    bool readable = false; // opened, and read without an error
    bool hasHeader = false;
    std::int32_t header = 0;
    std::uint64_t size = 0;

    // A file from a later version is read but never written.
    bool Writable() const { return readable && hasHeader && header <= RecordFileVersion; }
};

template <class Kind> class RecordStore {
public:
    using Record = typename Kind::Record;
    using Key = typename Kind::Key;
    static constexpr std::size_t Size = Kind::Size;

    struct Match {
        FileInfo info;
        std::optional<std::uint64_t> index; // of the first live record with the key
        Record record{};                    // that record; active 0 when there is none
    };

    static std::int32_t ActiveAt(const std::uint8_t* bytes) {
        std::int32_t active;
        std::memcpy(&active, bytes + Kind::ActiveOffset, sizeof active);
        return active;
    }

    static constexpr std::uint64_t OffsetOf(std::uint64_t index) { return 4 + index * Size; }

    // Visits the whole records in file order, visit(index, bytes), until it returns true.
    // A partial record at the end is never visited, nor anything the file grew by after it
    // was opened. Opening creates a missing file.
    template <class Visit> static FileInfo Scan(const std::filesystem::path& file, Visit&& visit) {
        FileInfo info;
        FilePtr f = OpenForReading(file);
        if (!f)
            return info;
        const auto size = SizeOf(f.get());
        if (!size)
            return info;
        info.size = *size;
        std::uint8_t header[4];
        if (info.size < sizeof header) {
            info.readable = true;
            return info;
        }
        if (ReadBytes(f.get(), header, sizeof header) < sizeof header)
            return info; // it had the bytes: a failed read

        info.hasHeader = true;
        std::memcpy(&info.header, header, sizeof header);

        // Chunks of whole records, no bigger than the file needs.
        constexpr std::uint64_t chunkRecords = std::max<std::uint64_t>(1, (256 * 1024) / Size);
        const std::uint64_t fileRecords = (info.size - 4) / Size;
        const auto bufferSize =
            static_cast<std::size_t>(std::min(chunkRecords, fileRecords + 1) * Size);
        const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(bufferSize);
        std::uint64_t index = 0;
        while (index < fileRecords) {
            const auto want = static_cast<std::size_t>(
                std::min<std::uint64_t>(bufferSize, (fileRecords - index) * Size));
            const std::size_t got = ReadBytes(f.get(), buffer.get(), want);
            const std::size_t whole = got / Size;
            for (std::size_t i = 0; i < whole; ++i, ++index) {
                if (visit(index, buffer.get() + i * Size)) {
                    info.readable = true;
                    return info;
                }
            }
            if (got < want)
                return info; // the file shrank or the read failed: nothing to rely on
        }
        info.readable = true;
        return info;
    }

    static Match FindFirst(const std::filesystem::path& file, const Key& key) {
        Match m;
        m.info = Scan(file, [&](std::uint64_t index, const std::uint8_t* bytes) {
            if (ActiveAt(bytes) == 0 || !(Kind::KeyAt(bytes) == key))
                return false;
            m.index = index;
            Kind::Decode(bytes, m.record);
            return true;
        });
        return m;
    }

    // Writes the record behind the last whole record, cutting off a partial one first so
    // that it starts on a record boundary.
    static StoreResult AppendRecord(const std::filesystem::path& file, const Record& record) {
        const FileInfo info = Scan(file, [](std::uint64_t, const std::uint8_t*) { return true; });
        if (!info.Writable())
            return StoreResult::FileError;
        const std::uint64_t end = OffsetOf((info.size - 4) / Size);
        std::uint8_t bytes[Size];
        Kind::Encode(record, bytes);
        const Patch patch{end, bytes, Size};
        const auto cut = end != info.size ? std::optional(end) : std::nullopt;
        return WritePatches(file, {&patch, 1}, cut) ? StoreResult::Done : StoreResult::FileError;
    }

    // The record is converted (BeforeContains, then BeforeWrite) and set live. It keeps the
    // conversions on Done and AlreadyExists (so that an Overwrite that follows does not convert
    // twice) and is left untouched on FileError.
    static StoreResult Append(const std::filesystem::path& file, Record& record) {
        if (!EnsureFileHeader(file, RecordFileVersion))
            return StoreResult::FileError;
        Record work = record;
        Kind::ActiveOf(work) = 1;
        Kind::BeforeContains(work);
        if constexpr (Kind::UniqueKey) {
            const Match m = FindFirst(file, Kind::KeyOf(work));
            if (!m.info.Writable())
                return StoreResult::FileError;
            if (m.index) {
                record = work;
                return StoreResult::AlreadyExists;
            }
        }
        Kind::BeforeWrite(work);
        const StoreResult result = AppendRecord(file, work);
        if (result == StoreResult::Done)
            record = work;
        return result;
    }

    // Writes the record over the first live record with the key; NotFound (the file never
    // opened for writing) when the record's own key is not live.
    static StoreResult Overwrite(const std::filesystem::path& file, Record& record,
                                 const Key& key) {
        const Key own = Kind::KeyOf(record);
        Match m = FindFirst(file, own);
        if (!m.info.readable)
            return StoreResult::FileError;
        if (m.info.hasHeader && !m.info.Writable())
            return StoreResult::FileError;
        if (!m.index)
            return StoreResult::NotFound;
        if (!(own == key)) {
            m = FindFirst(file, key);
            if (!m.info.Writable())
                return StoreResult::FileError;
            if (!m.index)
                return StoreResult::NotFound;
        }
        Record work = record;
        Kind::BeforeWrite(work);
        std::uint8_t bytes[Size];
        Kind::Encode(work, bytes);
        const Patch patch{OffsetOf(*m.index), bytes, Size};
        if (!WritePatches(file, {&patch, 1}))
            return StoreResult::FileError;
        record = work;
        return StoreResult::Done;
    }

    // Tombstones the first live record with the key (every one for kinds without a unique
    // key) by writing 0 into its active flag; the rest of its bytes stay as they are.
    static StoreResult Remove(const std::filesystem::path& file, const Key& key) {
        std::vector<std::uint64_t> hits;
        const FileInfo info = Scan(file, [&](std::uint64_t index, const std::uint8_t* bytes) {
            if (ActiveAt(bytes) == 0 || !(Kind::KeyAt(bytes) == key))
                return false;
            hits.push_back(index);
            return Kind::UniqueKey;
        });
        if (!info.Writable())
            return StoreResult::FileError;
        if (hits.empty())
            return StoreResult::NotFound;
        static constexpr std::int32_t deleted = 0;
        std::vector<Patch> patches;
        patches.reserve(hits.size());
        for (std::uint64_t index : hits)
            patches.push_back({OffsetOf(index) + Kind::ActiveOffset, &deleted, sizeof deleted});
        return WritePatches(file, patches) ? StoreResult::Done : StoreResult::FileError;
    }

    // Adds every live record, newest key first, equal keys in file order; the list, if not
    // empty, is expected in that order already and the new records are merged in after
    // existing records of the same key. False (the list as it was) if nothing was added or
    // the file could not be read.
    static bool LoadAll(const std::filesystem::path& file, RecordList<Record>& list) {
        const std::size_t first = list.size();
        try {
            return LoadInto(file, list);
        } catch (const std::bad_alloc&) {
            // More live records than memory: no partial answer, as for a file cut short.
            list.resize(first);
            return false;
        }
    }

private:
    static bool LoadInto(const std::filesystem::path& file, RecordList<Record>& list) {
        FilePtr f = OpenForReading(file);
        if (!f)
            return false;
        const auto size = SizeOf(f.get());
        if (!size || *size < 4 + Size)
            return false;
        const std::uint64_t count = (*size - 4) / Size;
        const std::size_t first = list.size();
        if (count > list.max_size() - first)
            return false;
        // Room for what a diary holds is made up front; a larger file, of tombstones most
        // likely, lets the list grow as live records come.
        constexpr std::uint64_t reserveLimit =
            std::max<std::uint64_t>(1, (std::uint64_t{64} << 20) / sizeof(Record));
        list.reserve(first + static_cast<std::size_t>(std::min(count, reserveLimit)));

        // The file is read from its end towards its start, so that a diary written oldest
        // first comes out newest first as it is decoded, without a second pass over the
        // records. The flags note the order in which they come.
        bool nonIncreasing = true, nonDecreasing = true, equalNeighbours = false;
        Record decoded{};
        const bool read = ReadRecordsBackwards(
            f.get(), OffsetOf(0), Size, count, [&](const std::uint8_t* chunk, std::size_t n) {
                for (std::size_t i = n; i-- > 0;) {
                    const std::uint8_t* rec = chunk + i * Size;
                    if (ActiveAt(rec) == 0)
                        continue;
                    const bool hasPrevious = list.size() > first;
                    // Decode fills every field; copying a decoded record is cheaper than
                    // default-constructing each one in the list first.
                    Kind::Decode(rec, decoded);
                    const Record& r = list.emplace_back(decoded);
                    if (hasPrevious) {
                        const Key& previous = Kind::KeyOf(list[list.size() - 2]);
                        const Key& current = Kind::KeyOf(r);
                        if (KeyLess(previous, current))
                            nonIncreasing = false;
                        else if (KeyLess(current, previous))
                            nonDecreasing = false;
                        else
                            equalNeighbours = true;
                    }
                }
            });
        if (!read) {
            list.resize(first); // cut short or unreadable: no partial answer
            return false;
        }
        f.reset();
        if (list.size() == first)
            return false;

        // Records are now in reverse file order.
        const auto begin = list.begin() + static_cast<std::ptrdiff_t>(first);
        if (nonIncreasing) {
            // Newest first already; records of one key go back into file order.
            if (equalNeighbours) {
                for (auto run = begin; run != list.end();) {
                    auto next = std::next(run);
                    while (next != list.end() && !KeyLess(Kind::KeyOf(*next), Kind::KeyOf(*run)))
                        ++next;
                    std::reverse(run, next);
                    run = next;
                }
            }
        } else if (nonDecreasing) {
            std::reverse(begin, list.end());
        } else {
            SortNewestFirst(begin, list.end());
        }
        if (first > 0) {
            std::inplace_merge(list.begin(), begin, list.end(),
                               [](const Record& a, const Record& b) {
                                   return KeyLess(Kind::KeyOf(b), Kind::KeyOf(a));
                               });
        }
        return true;
    }

    // Sorts records that lie in reverse file order by key, newest first, equal keys in file
    // order, moving each record once: the keys are sorted, then the permutation is applied
    // cycle by cycle.
    template <class It> static void SortNewestFirst(It begin, It end) {
        struct Entry {
            Key key;
            std::size_t from;
        };
        const auto n = static_cast<std::size_t>(end - begin);
        const auto at = [&](std::size_t i) -> Record& {
            return begin[static_cast<std::ptrdiff_t>(i)];
        };
        std::vector<Entry> order;
        order.reserve(n);
        for (std::size_t i = n; i-- > 0;) // file order
            order.push_back({Kind::KeyOf(at(i)), i});
        std::stable_sort(order.begin(), order.end(),
                         [](const Entry& a, const Entry& b) { return KeyLess(b.key, a.key); });
        std::vector<bool> placed(n);
        for (std::size_t i = 0; i < n; ++i) {
            if (placed[i] || order[i].from == i)
                continue;
            Record held = std::move(at(i));
            for (std::size_t to = i;;) {
                const std::size_t from = order[to].from;
                placed[to] = true;
                if (from == i) {
                    at(to) = std::move(held);
                    break;
                }
                at(to) = std::move(at(from));
                to = from;
            }
        }
    }
};

} // namespace vitalog::detail
