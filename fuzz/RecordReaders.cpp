// Every reader on a file of fuzzed bytes: the first byte picks the file, the rest is the file.
// Readers must not crash, must return only live records, newest first, and never more than
// the file holds.

#include "FuzzTarget.h"

#include "records/RecordFile.h"
#include "records/Users.h"

#include <fstream>
#include <vector>

namespace vitalog::fuzz {
namespace {

void WriteFile(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

template <class Key> bool Newer(const Key& a, const Key& b);
template <> bool Newer(const DateKey& a, const DateKey& b) {
    return b < a;
}
template <> bool Newer(const DateTimeKey& a, const DateTimeKey& b) {
    return DateTimeKeyLess(b, a);
}

template <class Kind> void ReadAll(const std::uint8_t* data, std::size_t size) {
    using File = RecordFile<Kind>;
    const std::filesystem::path dir = DataDir();
    WriteFile(dir / (std::string(Kind::Prefix) + "Ann.bin"), data, size);

    std::vector<typename Kind::Record> list;
    const bool any = File::LoadAll(dir, "Ann", list);
    if (any != !list.empty())
        Broken("LoadAll answered true without records, or false with some");
    if (size >= 4 && list.size() > (size - 4) / Kind::Size)
        Broken("LoadAll returned more records than the file holds");
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (Kind::ActiveOf(list[i]) == 0)
            Broken("LoadAll returned a deleted record");
        if (i > 0 && Newer(Kind::KeyOf(list[i]), Kind::KeyOf(list[i - 1])))
            Broken("LoadAll out of order");
    }
    // Merging into a list that holds records keeps the order too.
    std::vector<typename Kind::Record> merged(list.begin(), list.begin() + (list.size() + 1) / 2);
    File::LoadAll(dir, "Ann", merged);
    for (std::size_t i = 1; i < merged.size(); ++i)
        if (Newer(Kind::KeyOf(merged[i]), Kind::KeyOf(merged[i - 1])))
            Broken("merged LoadAll out of order");

    for (const auto& r : list) {
        if (!(Kind::KeyOf(r) == Kind::KeyOf(r)))
            continue; // a time stamp that is no number equals nothing, itself included
        const auto found = File::Find(dir, "Ann", Kind::KeyOf(r));
        if (found.active == 0 || !(Kind::KeyOf(found) == Kind::KeyOf(r)))
            Broken("Find missed a record LoadAll returned");
        // Contains looks in the file of the record's own user.
        if (r.user.Name() == "Ann" && !File::Contains(dir, r))
            Broken("Contains missed a record LoadAll returned");
        break; // one lookup per input keeps the run fast
    }
}

void ReadUsers(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path dir = DataDir();
    WriteFile(dir / UserFileName, data, size);
    const std::vector<std::string> names = ListUsers(dir);
    if (size >= 4 && names.size() > (size - 4) / 64)
        Broken("more users than the file holds");
    for (const std::string& name : names) {
        if (name.size() > UserRecord::MaxNameLength + 1)
            Broken("a user name longer than its field");
        UserRecord u;
        if (!u.SetName(name))
            continue; // a stored name this program would not have written
        if (IsUsableUserName(name) && !FindUser(dir, u))
            Broken("FindUser missed a listed user");
    }
}

} // namespace

int TestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    ClearDataDir();
    const std::uint8_t which = data[0] % 7;
    ++data;
    --size;
    switch (which) {
    case 0:
        ReadAll<BodyFatKind>(data, size);
        break;
    case 1:
        ReadAll<TapeKind>(data, size);
        break;
    case 2:
        ReadAll<BmiKind>(data, size);
        break;
    case 3:
        ReadAll<BmrKind>(data, size);
        break;
    case 4:
        ReadAll<BloodPressureKind>(data, size);
        break;
    case 5:
        ReadAll<PictureKind>(data, size);
        break;
    default:
        ReadUsers(data, size);
        break;
    }
    return 0;
}

} // namespace vitalog::fuzz
