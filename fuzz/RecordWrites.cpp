// Append, Overwrite and Remove, decoded from the fuzzed bytes, on a file that is itself
// fuzzed. Afterwards every record that was live before and whose key no operation named must
// read back exactly as it was.
//
// Input: a kind byte, two bytes of file length, the file, then operations of three bytes
// each (a dozen at most): what (append, overwrite, remove), which key (one of sixteen), a mark
// for the record.

#include "FuzzTarget.h"

#include "records/RecordFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <vector>

namespace vitalog::fuzz {
namespace {

DateKey KeyFor(DateKey*, int i) {
    return MakeDateKey(2020, 1, 1 + i);
}
DateTimeKey KeyFor(DateTimeKey*, int i) {
    return MakeDateTimeKey(2020, 1, 1 + i, 8, 0, 0);
}

void SetKey(BodyFatRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(TapeRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(BmiRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(BmrRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(BloodPressureRecord& r, DateTimeKey k) {
    r.when = k;
}
void SetKey(PictureRecord& r, DateKey k) {
    r.date = k;
}

template <class Kind> std::vector<std::uint8_t> Bytes(const typename Kind::Record& r) {
    std::vector<std::uint8_t> b(Kind::Size);
    Kind::Encode(r, b.data());
    return b;
}

template <class Kind> void Run(const std::uint8_t* data, std::size_t size) {
    using File = RecordFile<Kind>;
    using Key = typename Kind::Key;
    if (size < 2)
        return;
    const std::size_t length = std::min<std::size_t>(size - 2, data[0] | data[1] << 8);
    data += 2;
    size -= 2;
    const std::filesystem::path dir = DataDir();
    {
        std::ofstream out(dir / (std::string(Kind::Prefix) + "Ann.bin"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));
    }
    data += length;
    size -= length;

    std::vector<typename Kind::Record> before;
    File::LoadAll(dir, "Ann", before);

    // A dozen operations say as much as hundreds would, at a fraction of the file calls.
    std::vector<Key> touched;
    for (int ops = 0; size >= 3 && ops < 12; data += 3, size -= 3, ++ops) {
        const Key key = KeyFor(static_cast<Key*>(nullptr), data[1] % 16);
        touched.push_back(key);
        typename Kind::Record r{};
        r.user.SetName("Ann");
        r.user.age = data[2];
        SetKey(r, key);
        switch (data[0] % 3) {
        case 0:
            File::Append(dir, r);
            break;
        case 1:
            File::Overwrite(dir, r, key);
            break;
        default:
            File::Remove(dir, "Ann", key);
            break;
        }
    }

    std::vector<typename Kind::Record> after;
    File::LoadAll(dir, "Ann", after);
    std::multiset<std::vector<std::uint8_t>> left;
    for (const auto& r : after)
        left.insert(Bytes<Kind>(r));
    for (const auto& r : before) {
        const Key key = Kind::KeyOf(r);
        if (std::any_of(touched.begin(), touched.end(), [&](const Key& t) { return t == key; }))
            continue;
        const auto it = left.find(Bytes<Kind>(r));
        if (it == left.end())
            Broken("a record no operation named was lost or changed");
        left.erase(it);
    }
}

} // namespace

int TestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    ClearDataDir();
    const std::uint8_t which = data[0] % 6;
    ++data;
    --size;
    switch (which) {
    case 0:
        Run<BodyFatKind>(data, size);
        break;
    case 1:
        Run<TapeKind>(data, size);
        break;
    case 2:
        Run<BmiKind>(data, size);
        break;
    case 3:
        Run<BmrKind>(data, size);
        break;
    case 4:
        Run<BloodPressureKind>(data, size);
        break;
    default:
        Run<PictureKind>(data, size);
        break;
    }
    return 0;
}

} // namespace vitalog::fuzz
