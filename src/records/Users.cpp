#include "Users.h"

#include "RecordStore.h"
#include "TextEncoding.h"
#include "Units.h"

namespace vitalog {

namespace {

using UserStore = detail::RecordStore<UserKind>;

std::filesystem::path UserFile(const std::filesystem::path& dataDir) {
    return dataDir / UserFileName;
}

} // namespace

bool IsUsableUserName(std::string_view cp1252Name) {
    if (cp1252Name.empty() || cp1252Name.size() > UserRecord::MaxNameLength)
        return false;
    if (cp1252Name.find('/') != std::string_view::npos ||
        cp1252Name.find('\0') != std::string_view::npos)
        return false;
    // The files are named with the name's UTF-8 form; the unassigned bytes have none.
    return Cp1252ToUtf8(cp1252Name).has_value();
}

bool FindUser(const std::filesystem::path& dataDir, UserRecord& record) {
    if (!IsUsableUserName(record.Name()))
        return false;
    const auto m = UserStore::FindFirst(UserFile(dataDir), UserKind::KeyOf(record));
    if (!m.index)
        return false;
    record.weight = m.record.weight;
    record.age = m.record.age;
    record.units = m.record.units;
    record.lengthUnits = m.record.lengthUnits;
    record.desiredBodyFat = m.record.desiredBodyFat;
    record.sex = m.record.sex;
    record.active = m.record.active;
    return true;
}

bool ContainsUser(const std::filesystem::path& dataDir, const UserRecord& record) {
    if (!IsUsableUserName(record.Name()))
        return false;
    return UserStore::FindFirst(UserFile(dataDir), UserKind::KeyOf(record)).index.has_value();
}

StoreResult AddUser(const std::filesystem::path& dataDir, UserRecord& record) {
    if (!IsUsableUserName(record.Name()))
        return StoreResult::FileError;
    // The caller's record holds pounds from here on, also when the write fails: it is the
    // current user, whose weight every screen reads as pounds. A live name converts nothing.
    UserRecord work = record;
    if (work.units == Metric)
        work.weight *= KgToLb;
    const StoreResult result = UserStore::Append(UserFile(dataDir), work);
    if (result != StoreResult::AlreadyExists)
        record = work;
    return result;
}

StoreResult UpdateUser(const std::filesystem::path& dataDir, UserRecord& record, double weight,
                       int age, int units, int lengthUnits, float desiredBodyFat, int sex,
                       int active) {
    record.weight = units == Metric ? weight * KgToLb : weight;
    record.age = age;
    record.units = units;
    record.lengthUnits = lengthUnits;
    record.desiredBodyFat = desiredBodyFat;
    record.sex = sex;
    record.active = active;
    if (!IsUsableUserName(record.Name()))
        return StoreResult::FileError;
    return UserStore::Overwrite(UserFile(dataDir), record, UserKind::KeyOf(record));
}

StoreResult DeleteUser(const std::filesystem::path& dataDir, UserRecord& record) {
    const std::string name = record.Name();
    if (!IsUsableUserName(name))
        return StoreResult::FileError;
    const auto m = UserStore::FindFirst(UserFile(dataDir), UserKind::KeyOf(record));
    if (!m.info.readable)
        return StoreResult::FileError;
    if (!m.index)
        return StoreResult::NotFound;

    // The tombstone goes through UpdateUser with the record's own values. If it cannot be
    // written the caller's record (the current user) stays as it was.
    const UserRecord given = record;
    record.active = 0;
    if (UpdateUser(dataDir, record, record.weight, record.age, record.units, record.lengthUnits,
                   record.desiredBodyFat, record.sex, 0) != StoreResult::Done) {
        record = given;
        return StoreResult::FileError;
    }

    const std::string utf8 = *Cp1252ToUtf8(name);
    for (const char* prefix : {"tm", "bf", "bmi", "bmr", "bp", "pt"}) {
        std::error_code ignored; // a missing or undeletable file is passed over
        std::filesystem::remove(dataDir / (std::string(prefix) + utf8 + ".bin"), ignored);
    }
    return StoreResult::Done;
}

std::vector<std::string> ListUsers(const std::filesystem::path& dataDir) {
    std::vector<std::string> names;
    UserStore::Scan(UserFile(dataDir), [&](std::uint64_t, const std::uint8_t* bytes) {
        if (UserStore::ActiveAt(bytes) != 0) {
            UserRecord r;
            UserKind::Decode(bytes, r);
            names.push_back(r.Name());
        }
        return false;
    });
    return names;
}

} // namespace vitalog
