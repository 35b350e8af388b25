#include "RecordFile.h"

#include "RecordStore.h"
#include "TextEncoding.h"
#include "Users.h"

#include <string>

namespace vitalog {

template <class Kind>
std::filesystem::path RecordFile<Kind>::PathFor(const std::filesystem::path& dataDir,
                                                std::string_view userName) {
    if (!IsUsableUserName(userName))
        return {};
    const auto utf8 = Cp1252ToUtf8(userName);
    if (!utf8)
        return {};
    return dataDir / (std::string(Kind::Prefix) + *utf8 + ".bin");
}

template <class Kind> void RecordFile<Kind>::EnsureHeader(const std::filesystem::path& file) {
    detail::EnsureFileHeader(file, RecordFileVersion);
}

template <class Kind>
typename RecordFile<Kind>::Record RecordFile<Kind>::Find(const std::filesystem::path& dataDir,
                                                         std::string_view userName,
                                                         const Key& key) {
    const auto file = PathFor(dataDir, userName);
    if (file.empty())
        return Record{};
    return detail::RecordStore<Kind>::FindFirst(file, key).record;
}

template <class Kind>
bool RecordFile<Kind>::Contains(const std::filesystem::path& dataDir, const Record& record) {
    const auto file = PathFor(dataDir, record.user.Name());
    if (file.empty())
        return false;
    return detail::RecordStore<Kind>::FindFirst(file, Kind::KeyOf(record)).index.has_value();
}

template <class Kind>
StoreResult RecordFile<Kind>::Append(const std::filesystem::path& dataDir, Record& record) {
    const auto file = PathFor(dataDir, record.user.Name());
    if (file.empty())
        return StoreResult::FileError;
    return detail::RecordStore<Kind>::Append(file, record);
}

template <class Kind>
StoreResult RecordFile<Kind>::Overwrite(const std::filesystem::path& dataDir, Record& record,
                                        const Key& key) {
    const auto file = PathFor(dataDir, record.user.Name());
    if (file.empty())
        return StoreResult::FileError;
    return detail::RecordStore<Kind>::Overwrite(file, record, key);
}

template <class Kind>
StoreResult RecordFile<Kind>::Remove(const std::filesystem::path& dataDir,
                                     std::string_view userName, const Key& key) {
    const auto file = PathFor(dataDir, userName);
    if (file.empty())
        return StoreResult::FileError;
    return detail::RecordStore<Kind>::Remove(file, key);
}

template <class Kind>
bool RecordFile<Kind>::LoadAll(const std::filesystem::path& dataDir, std::string_view userName,
                               RecordList<Record>& list) {
    const auto file = PathFor(dataDir, userName);
    if (file.empty())
        return false;
    return detail::RecordStore<Kind>::LoadAll(file, list);
}

template class RecordFile<BodyFatKind>;
template class RecordFile<TapeKind>;
template class RecordFile<BmiKind>;
template class RecordFile<BmrKind>;
template class RecordFile<BloodPressureKind>;
template class RecordFile<PictureKind>;

} // namespace vitalog
