#include "RecordKinds.h"

#include "Units.h"

#include <bit>
#include <cstring>

namespace vitalog {

// The files are little-endian; on such a host a scalar's bytes are its bytes on disk.
static_assert(std::endian::native == std::endian::little, "record layouts assume little-endian");
static_assert(sizeof(double) == 8 && sizeof(float) == 4);

namespace {

template <class T> void Put(std::uint8_t* out, std::size_t offset, T value) {
    std::memcpy(out + offset, &value, sizeof value);
}

template <class T> T Get(const std::uint8_t* in, std::size_t offset) {
    T value;
    std::memcpy(&value, in + offset, sizeof value);
    return value;
}

void PutText(std::uint8_t* out, std::size_t offset, const char* field, std::size_t size) {
    std::memcpy(out + offset, field, size);
}

// Copies the field's bytes and zeroes its last byte, so the text always ends inside it.
void GetText(const std::uint8_t* in, std::size_t offset, char* field, std::size_t size) {
    std::memcpy(field, in + offset, size);
    field[size - 1] = '\0';
}

DateKey GetDateKey(const std::uint8_t* in, std::size_t offset) {
    return Get<std::int32_t>(in, offset);
}

DateTimeKey GetDateTimeKey(const std::uint8_t* in, std::size_t offset) {
    return DateTimeKey{Get<double>(in, offset), Get<std::int32_t>(in, offset + 8)};
}

void PutDateTimeKey(std::uint8_t* out, std::size_t offset, const DateTimeKey& key) {
    Put(out, offset, key.when);
    Put(out, offset + 8, key.status);
}

UserNameKey NameKey(const char* bytes) {
    UserNameKey key{};
    for (std::size_t i = 0; i < key.size() && bytes[i] != '\0'; ++i)
        key[i] = bytes[i];
    return key;
}

} // namespace

// ---- user profile, 64 bytes

void EncodeUser(const UserRecord& u, std::uint8_t* out) {
    PutText(out, 0, u.name, UserRecord::NameFieldSize);
    Put(out, 32, u.weight);
    Put(out, 40, u.age);
    Put(out, 44, u.units);
    Put(out, 48, u.lengthUnits);
    Put(out, 52, u.desiredBodyFat);
    Put(out, 56, u.sex);
    Put(out, 60, u.active);
}

void DecodeUser(const std::uint8_t* in, UserRecord& u) {
    GetText(in, 0, u.name, UserRecord::NameFieldSize);
    u.weight = Get<double>(in, 32);
    u.age = Get<std::int32_t>(in, 40);
    u.units = Get<std::int32_t>(in, 44);
    u.lengthUnits = Get<std::int32_t>(in, 48);
    u.desiredBodyFat = Get<float>(in, 52);
    u.sex = Get<std::int32_t>(in, 56);
    u.active = Get<std::int32_t>(in, 60);
}

UserNameKey UserKind::KeyAt(const std::uint8_t* in) {
    return NameKey(reinterpret_cast<const char*>(in + KeyOffset));
}

UserNameKey UserKind::KeyOf(const Record& r) {
    return NameKey(r.name);
}

// ---- body composition, 200 bytes

void BodyFatKind::Encode(const Record& r, std::uint8_t* out) {
    std::memset(out, 0, Size); // type tag, padding
    EncodeUser(r.user, out + UserOffset);
    for (int i = 0; i < Record::SiteSlots; ++i)
        Put(out, 72 + 4 * static_cast<std::size_t>(i), r.sites[i]);
    for (int i = 0; i < 4; ++i)
        Put(out, 104 + 8 * static_cast<std::size_t>(i), r.tape[i]);
    PutText(out, 136, r.method, Record::MethodFieldSize);
    Put(out, 160, r.bodyFat);
    Put(out, 168, r.leanWeight);
    Put(out, 176, r.fatWeight);
    Put(out, 184, r.weightToLose);
    Put(out, KeyOffset, r.date);
    Put(out, ActiveOffset, r.active);
}

void BodyFatKind::Decode(const std::uint8_t* in, Record& r) {
    DecodeUser(in + UserOffset, r.user);
    for (int i = 0; i < Record::SiteSlots; ++i)
        r.sites[i] = Get<std::int32_t>(in, 72 + 4 * static_cast<std::size_t>(i));
    for (int i = 0; i < 4; ++i)
        r.tape[i] = Get<double>(in, 104 + 8 * static_cast<std::size_t>(i));
    GetText(in, 136, r.method, Record::MethodFieldSize);
    r.bodyFat = Get<double>(in, 160);
    r.leanWeight = Get<double>(in, 168);
    r.fatWeight = Get<double>(in, 176);
    r.weightToLose = Get<double>(in, 184);
    r.date = GetDateKey(in, KeyOffset);
    r.active = Get<std::int32_t>(in, ActiveOffset);
}

DateKey BodyFatKind::KeyAt(const std::uint8_t* in) {
    return GetDateKey(in, KeyOffset);
}

void BodyFatKind::BeforeWrite(Record& r) {
    if (r.user.units == Metric) {
        r.leanWeight *= KgToLb;
        r.fatWeight *= KgToLb;
        r.weightToLose *= KgToLb;
    }
}

// ---- tape, 128 bytes

void TapeKind::Encode(const Record& r, std::uint8_t* out) {
    EncodeUser(r.user, out + UserOffset);
    Put(out, 64, r.biceps);
    Put(out, 72, r.forearmOrHip);
    Put(out, 80, r.chest);
    Put(out, 88, r.waist);
    Put(out, 96, r.neck);
    Put(out, 104, r.calf);
    Put(out, 112, r.thigh);
    Put(out, KeyOffset, r.date);
    Put(out, ActiveOffset, r.active);
}

void TapeKind::Decode(const std::uint8_t* in, Record& r) {
    DecodeUser(in + UserOffset, r.user);
    r.biceps = Get<double>(in, 64);
    r.forearmOrHip = Get<double>(in, 72);
    r.chest = Get<double>(in, 80);
    r.waist = Get<double>(in, 88);
    r.neck = Get<double>(in, 96);
    r.calf = Get<double>(in, 104);
    r.thigh = Get<double>(in, 112);
    r.date = GetDateKey(in, KeyOffset);
    r.active = Get<std::int32_t>(in, ActiveOffset);
}

DateKey TapeKind::KeyAt(const std::uint8_t* in) {
    return GetDateKey(in, KeyOffset);
}

void TapeKind::BeforeContains(Record& r) {
    if (r.user.lengthUnits == Centimetres) {
        for (double* length :
             {&r.biceps, &r.forearmOrHip, &r.chest, &r.waist, &r.neck, &r.calf, &r.thigh})
            *length *= CmToIn;
    }
}

// ---- BMI, 88 bytes

void BmiKind::Encode(const Record& r, std::uint8_t* out) {
    EncodeUser(r.user, out + UserOffset);
    Put(out, 64, r.bmi);
    Put(out, 72, r.height);
    Put(out, KeyOffset, r.date);
    Put(out, ActiveOffset, r.active);
}

void BmiKind::Decode(const std::uint8_t* in, Record& r) {
    DecodeUser(in + UserOffset, r.user);
    r.bmi = Get<double>(in, 64);
    r.height = Get<double>(in, 72);
    r.date = GetDateKey(in, KeyOffset);
    r.active = Get<std::int32_t>(in, ActiveOffset);
}

DateKey BmiKind::KeyAt(const std::uint8_t* in) {
    return GetDateKey(in, KeyOffset);
}

// ---- BMR, 104 bytes

void BmrKind::Encode(const Record& r, std::uint8_t* out) {
    EncodeUser(r.user, out + UserOffset);
    Put(out, 64, r.bmr);
    Put(out, 72, r.bmrWithActivity);
    Put(out, 80, r.height);
    Put(out, 88, r.activityFactor);
    Put(out, KeyOffset, r.date);
    Put(out, ActiveOffset, r.active);
}

void BmrKind::Decode(const std::uint8_t* in, Record& r) {
    DecodeUser(in + UserOffset, r.user);
    r.bmr = Get<double>(in, 64);
    r.bmrWithActivity = Get<double>(in, 72);
    r.height = Get<double>(in, 80);
    r.activityFactor = Get<double>(in, 88);
    r.date = GetDateKey(in, KeyOffset);
    r.active = Get<std::int32_t>(in, ActiveOffset);
}

DateKey BmrKind::KeyAt(const std::uint8_t* in) {
    return GetDateKey(in, KeyOffset);
}

void BmrKind::BeforeContains(Record& r) {
    if (r.user.lengthUnits == Inches)
        r.height *= CmToIn;
}

// ---- blood pressure, 352 bytes

void BloodPressureKind::Encode(const Record& r, std::uint8_t* out) {
    EncodeUser(r.user, out + UserOffset);
    Put(out, 64, r.systolic);
    Put(out, 68, r.diastolic);
    Put(out, 72, r.pulse);
    PutText(out, 76, r.notes, Record::NotesFieldSize);
    out[331] = 0;
    PutDateTimeKey(out, KeyOffset, r.when);
    Put(out, ActiveOffset, r.active);
    Put(out, 348, std::int32_t{0});
}

void BloodPressureKind::Decode(const std::uint8_t* in, Record& r) {
    DecodeUser(in + UserOffset, r.user);
    r.systolic = Get<std::int32_t>(in, 64);
    r.diastolic = Get<std::int32_t>(in, 68);
    r.pulse = Get<std::int32_t>(in, 72);
    GetText(in, 76, r.notes, Record::NotesFieldSize);
    r.when = GetDateTimeKey(in, KeyOffset);
    r.active = Get<std::int32_t>(in, ActiveOffset);
}

DateTimeKey BloodPressureKind::KeyAt(const std::uint8_t* in) {
    return GetDateTimeKey(in, KeyOffset);
}

// ---- pictures, 376 bytes

void PictureKind::Encode(const Record& r, std::uint8_t* out) {
    EncodeUser(r.user, out + UserOffset);
    PutText(out, 64, r.path, Record::PathFieldSize);
    Put(out, KeyOffset, r.date);
    Put(out, ActiveOffset, r.active);
    Put(out, 372, std::int32_t{0});
}

void PictureKind::Decode(const std::uint8_t* in, Record& r) {
    DecodeUser(in + UserOffset, r.user);
    GetText(in, 64, r.path, Record::PathFieldSize);
    r.date = GetDateKey(in, KeyOffset);
    r.active = Get<std::int32_t>(in, ActiveOffset);
}

DateKey PictureKind::KeyAt(const std::uint8_t* in) {
    return GetDateKey(in, KeyOffset);
}

} // namespace vitalog
