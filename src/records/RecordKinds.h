#pragma once

#include "DateKey.h"
#include "Records.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vitalog {

// Each kind describes one record file: its prefix, record size, where the key and the active
// flag sit, how a record is laid out in bytes, and the unit conversions the kind applies.
// RecordFile<Kind> runs the shared protocol on top of this.
//
//   Encode/Decode   the exact byte layout (little-endian), Size bytes
//   KeyAt           the key read from raw record bytes (no full decode needed for scans)
//   BeforeContains  conversion applied by Append before the existence test
//   BeforeWrite     conversion applied right before the bytes are written (Append, Overwrite)
//   UniqueKey       false: Append never tests for the key, Remove tombstones every match
//
// Decode never trusts a text field to hold a NUL: the last byte of each text field is zeroed.

// The 64-byte user profile at the start of a record (or a record of "user.bin").
void EncodeUser(const UserRecord& u, std::uint8_t* out);
void DecodeUser(const std::uint8_t* in, UserRecord& u);

struct BodyFatKind {
    using Record = BodyFatRecord;
    using Key = DateKey;
    static constexpr const char* Prefix = "bf";
    static constexpr std::size_t Size = 200;
    static constexpr std::size_t KeyOffset = 192;
    static constexpr std::size_t ActiveOffset = 196;
    static constexpr std::size_t UserOffset = 8;
    static constexpr bool UniqueKey = true;

    static void Encode(const Record& r, std::uint8_t* out);
    static void Decode(const std::uint8_t* in, Record& r);
    static Key KeyAt(const std::uint8_t* in);
    static Key KeyOf(const Record& r) { return r.date; }
    static std::int32_t& ActiveOf(Record& r) { return r.active; }
    static void BeforeContains(Record&) {}
    static void BeforeWrite(Record& r); // kilograms to pounds for a metric user
};

struct TapeKind {
    using Record = TapeRecord;
    using Key = DateKey;
    static constexpr const char* Prefix = "tm";
    static constexpr std::size_t Size = 128;
    static constexpr std::size_t KeyOffset = 120;
    static constexpr std::size_t ActiveOffset = 124;
    static constexpr std::size_t UserOffset = 0;
    static constexpr bool UniqueKey = true;

    static void Encode(const Record& r, std::uint8_t* out);
    static void Decode(const std::uint8_t* in, Record& r);
    static Key KeyAt(const std::uint8_t* in);
    static Key KeyOf(const Record& r) { return r.date; }
    static std::int32_t& ActiveOf(Record& r) { return r.active; }
    static void BeforeContains(Record& r); // centimetres to inches for a metric user
    static void BeforeWrite(Record&) {}
};

struct BmiKind {
    using Record = BmiRecord;
    using Key = DateKey;
    static constexpr const char* Prefix = "bmi";
    static constexpr std::size_t Size = 88;
    static constexpr std::size_t KeyOffset = 80;
    static constexpr std::size_t ActiveOffset = 84;
    static constexpr std::size_t UserOffset = 0;
    static constexpr bool UniqueKey = true;

    static void Encode(const Record& r, std::uint8_t* out);
    static void Decode(const std::uint8_t* in, Record& r);
    static Key KeyAt(const std::uint8_t* in);
    static Key KeyOf(const Record& r) { return r.date; }
    static std::int32_t& ActiveOf(Record& r) { return r.active; }
    static void BeforeContains(Record&) {}
    static void BeforeWrite(Record&) {}
};

struct BmrKind {
    using Record = BmrRecord;
    using Key = DateKey;
    static constexpr const char* Prefix = "bmr";
    static constexpr std::size_t Size = 104;
    static constexpr std::size_t KeyOffset = 96;
    static constexpr std::size_t ActiveOffset = 100;
    static constexpr std::size_t UserOffset = 0;
    static constexpr bool UniqueKey = true;

    static void Encode(const Record& r, std::uint8_t* out);
    static void Decode(const std::uint8_t* in, Record& r);
    static Key KeyAt(const std::uint8_t* in);
    static Key KeyOf(const Record& r) { return r.date; }
    static std::int32_t& ActiveOf(Record& r) { return r.active; }
    static void BeforeContains(Record& r); // centimetres back to inches for an imperial user
    static void BeforeWrite(Record&) {}
};

struct BloodPressureKind {
    using Record = BloodPressureRecord;
    using Key = DateTimeKey;
    static constexpr const char* Prefix = "bp";
    static constexpr std::size_t Size = 352;
    static constexpr std::size_t KeyOffset = 332;
    static constexpr std::size_t ActiveOffset = 344;
    static constexpr std::size_t UserOffset = 0;
    static constexpr bool UniqueKey = true;

    static void Encode(const Record& r, std::uint8_t* out);
    static void Decode(const std::uint8_t* in, Record& r);
    static Key KeyAt(const std::uint8_t* in);
    static Key KeyOf(const Record& r) { return r.when; }
    static std::int32_t& ActiveOf(Record& r) { return r.active; }
    static void BeforeContains(Record&) {}
    static void BeforeWrite(Record&) {}
};

struct PictureKind {
    using Record = PictureRecord;
    using Key = DateKey;
    static constexpr const char* Prefix = "pt";
    static constexpr std::size_t Size = 376;
    static constexpr std::size_t KeyOffset = 364;
    static constexpr std::size_t ActiveOffset = 368;
    static constexpr std::size_t UserOffset = 0;
    static constexpr bool UniqueKey = false;

    static void Encode(const Record& r, std::uint8_t* out);
    static void Decode(const std::uint8_t* in, Record& r);
    static Key KeyAt(const std::uint8_t* in);
    static Key KeyOf(const Record& r) { return r.date; }
    static std::int32_t& ActiveOf(Record& r) { return r.active; }
    static void BeforeContains(Record&) {}
    static void BeforeWrite(Record&) {}
};

// "user.bin": keyed by the name, compared byte by byte up to its NUL (case-sensitive).
// The key holds the name's bytes with everything after the first NUL zeroed.
using UserNameKey = std::array<char, UserRecord::NameFieldSize>;

struct UserKind {
    using Record = UserRecord;
    using Key = UserNameKey;
    static constexpr std::size_t Size = 64;
    static constexpr std::size_t KeyOffset = 0;
    static constexpr std::size_t ActiveOffset = 60;
    static constexpr std::size_t UserOffset = 0;
    static constexpr bool UniqueKey = true;

    static void Encode(const Record& r, std::uint8_t* out) { EncodeUser(r, out); }
    static void Decode(const std::uint8_t* in, Record& r) { DecodeUser(in, r); }
    static Key KeyAt(const std::uint8_t* in);
    static Key KeyOf(const Record& r);
    static std::int32_t& ActiveOf(Record& r) { return r.active; }
    // Users.cpp converts weights itself: AddUser after the existence test, UpdateUser before.
    static void BeforeContains(Record&) {}
    static void BeforeWrite(Record&) {}
};

} // namespace vitalog
