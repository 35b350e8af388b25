#include "IntegrityCheck.h"

#include "calc/MeasurementType.h"
#include "records/RecordFile.h"
#include "records/RecordKinds.h"
#include "records/TextEncoding.h"
#include "records/Users.h"
#include "records/Values.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace vitalog {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Where the texts of each layout lie.
struct TextField {
    std::size_t offset;
    std::size_t size;
    const char* name;
};
constexpr std::size_t NameSize = UserRecord::NameFieldSize;
constexpr std::size_t MethodOffset = 136;
constexpr std::size_t NotesOffset = 76;
constexpr std::size_t PathOffset = 64;

std::string KeyText(DateKey key) {
    return FormatDate(key);
}

std::string KeyText(const DateTimeKey& key) {
    const std::string text = FormatDateTime(key);
    return text.empty() ? "the time " + FormatNumber(key.when) : text;
}

std::string KeyText(const UserNameKey& key) {
    const std::string name(key.data(), strnlen(key.data(), key.size()));
    return "\"" + Cp1252ToUtf8(name).value_or(name) + "\"";
}

std::int32_t Int32At(const std::uint8_t* bytes) {
    std::int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

class Checker {
public:
    explicit Checker(std::vector<std::string>& lines) : lines_(lines) {}

    // Header, partial tail, twice-live keys and unterminated texts of one file. Returns the
    // whole records so that the caller can look further.
    template <class Kind>
    std::vector<const std::uint8_t*> Check(const std::string& fileName, const Bytes& bytes,
                                           std::vector<TextField> texts) {
        std::vector<const std::uint8_t*> live;
        if (bytes.empty())
            return live; // made by a read that found no file: a file without records
        if (bytes.size() < 4) {
            Report(fileName, "the file is shorter than its header");
            return live;
        }
        const std::int32_t header = Int32At(bytes.data());
        if (header != RecordFileVersion)
            Report(fileName, "the header is " + std::to_string(header) + ", not 600");
        const std::size_t count = (bytes.size() - 4) / Kind::Size;
        if (const std::size_t tail = (bytes.size() - 4) % Kind::Size; tail != 0)
            Report(fileName, "a partial record of " + std::to_string(tail) +
                                 " bytes at the end (records are " + std::to_string(Kind::Size) +
                                 " bytes)");

        texts.insert(texts.begin(), {Kind::UserOffset, NameSize, "user name"});
        std::map<typename Kind::Key, std::size_t, KeyOrder> firstLive;
        std::set<typename Kind::Key, KeyOrder> reported;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* record = bytes.data() + 4 + i * Kind::Size;
            if (Int32At(record + Kind::ActiveOffset) == 0)
                continue;
            live.push_back(record);
            const std::string where = "record " + std::to_string(i + 1);
            for (const TextField& text : texts) {
                if (std::memchr(record + text.offset, 0, text.size) == nullptr)
                    Report(fileName, where + ": the " + text.name + " has no NUL");
            }
            if constexpr (Kind::UniqueKey) {
                const auto key = Kind::KeyAt(record);
                const auto [it, first] = firstLive.emplace(key, i);
                if (!first && reported.insert(key).second)
                    Report(fileName, "records " + std::to_string(it->second + 1) + " and " +
                                         std::to_string(i + 1) + " are both live for " +
                                         KeyText(key));
            }
        }
        return live;
    }

    void Report(const std::string& fileName, const std::string& problem) {
        lines_.push_back(fileName + ": " + problem);
    }

private:
    struct KeyOrder {
        bool operator()(DateKey a, DateKey b) const { return a < b; }
        bool operator()(const DateTimeKey& a, const DateTimeKey& b) const {
            return std::pair(a.when, a.status) < std::pair(b.when, b.status);
        }
        bool operator()(const UserNameKey& a, const UserNameKey& b) const { return a < b; }
    };

    std::vector<std::string>& lines_;
};

Bytes ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The record kinds by file prefix; "bmi" and "bmr" before any shorter prefix they start with.
enum class FileKind { BodyFat, Tape, Bmi, Bmr, BloodPressure, Pictures };
constexpr std::pair<std::string_view, FileKind> Prefixes[]{
    {"bmi", FileKind::Bmi}, {"bmr", FileKind::Bmr},          {"bf", FileKind::BodyFat},
    {"tm", FileKind::Tape}, {"bp", FileKind::BloodPressure}, {"pt", FileKind::Pictures},
};

template <class Kind> std::size_t LiveRecords(const Bytes& bytes) {
    if (bytes.size() < 4)
        return 0;
    std::size_t live = 0;
    for (std::size_t at = 4; at + Kind::Size <= bytes.size(); at += Kind::Size)
        live += Int32At(bytes.data() + at + Kind::ActiveOffset) != 0;
    return live;
}

} // namespace

std::optional<std::size_t> LiveRecordCount(const std::filesystem::path& file) {
    const std::string fileName = file.filename().string();
    const Bytes bytes = ReadAll(file);
    if (fileName == UserFileName)
        return LiveRecords<UserKind>(bytes);
    const auto prefix = std::find_if(std::begin(Prefixes), std::end(Prefixes), [&](const auto& p) {
        return fileName.size() > p.first.size() + 4 && fileName.starts_with(p.first) &&
               fileName.ends_with(".bin");
    });
    if (prefix == std::end(Prefixes))
        return std::nullopt;
    switch (prefix->second) {
    case FileKind::BodyFat:
        return LiveRecords<BodyFatKind>(bytes);
    case FileKind::Tape:
        return LiveRecords<TapeKind>(bytes);
    case FileKind::Bmi:
        return LiveRecords<BmiKind>(bytes);
    case FileKind::Bmr:
        return LiveRecords<BmrKind>(bytes);
    case FileKind::BloodPressure:
        return LiveRecords<BloodPressureKind>(bytes);
    case FileKind::Pictures:
        return LiveRecords<PictureKind>(bytes);
    }
    return std::nullopt;
}

std::vector<std::string> CheckDataDirectory(const std::filesystem::path& dataDir) {
    std::vector<std::string> lines;
    Checker checker(lines);

    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir, ec)) {
        std::error_code typeError;
        if (entry.is_regular_file(typeError) && entry.path().extension() == ".bin")
            names.push_back(entry.path().filename().string());
    }
    if (ec) {
        lines.push_back(dataDir.string() + ": the folder cannot be read");
        return lines;
    }
    std::sort(names.begin(), names.end());

    // Live user names (stored bytes) of "user.bin".
    std::set<std::string> users;
    if (std::find(names.begin(), names.end(), UserFileName) != names.end()) {
        const Bytes bytes = ReadAll(dataDir / UserFileName);
        for (const std::uint8_t* record : checker.Check<UserKind>(UserFileName, bytes, {})) {
            const char* name = reinterpret_cast<const char*>(record);
            users.insert(std::string(name, strnlen(name, NameSize)));
        }
    }

    for (const std::string& fileName : names) {
        if (fileName == UserFileName)
            continue;
        const std::string stem = fileName.substr(0, fileName.size() - 4);
        const auto prefix =
            std::find_if(std::begin(Prefixes), std::end(Prefixes), [&](const auto& p) {
                return stem.size() > p.first.size() && stem.starts_with(p.first);
            });
        if (prefix == std::end(Prefixes))
            continue; // not a record file
        const std::string userName = stem.substr(prefix->first.size());
        const auto stored = Utf8ToCp1252(userName);
        if (!stored || !users.contains(*stored))
            checker.Report(fileName, "its user \"" + userName + "\" is not in " + UserFileName);

        const Bytes bytes = ReadAll(dataDir / fileName);
        switch (prefix->second) {
        case FileKind::BodyFat: {
            const auto live = checker.Check<BodyFatKind>(
                fileName, bytes, {{MethodOffset, BodyFatRecord::MethodFieldSize, "method"}});
            for (const std::uint8_t* record : live) {
                const char* method = reinterpret_cast<const char*>(record + MethodOffset);
                const std::string text(method, strnlen(method, BodyFatRecord::MethodFieldSize));
                if (!MeasurementType::IsKnown(text)) {
                    const std::size_t index =
                        static_cast<std::size_t>(record - bytes.data() - 4) / BodyFatKind::Size;
                    checker.Report(fileName, "record " + std::to_string(index + 1) +
                                                 ": the method \"" +
                                                 Cp1252ToUtf8(text).value_or(text) +
                                                 "\" is none of the seven");
                }
            }
            break;
        }
        case FileKind::Tape:
            checker.Check<TapeKind>(fileName, bytes, {});
            break;
        case FileKind::Bmi:
            checker.Check<BmiKind>(fileName, bytes, {});
            break;
        case FileKind::Bmr:
            checker.Check<BmrKind>(fileName, bytes, {});
            break;
        case FileKind::BloodPressure:
            checker.Check<BloodPressureKind>(
                fileName, bytes, {{NotesOffset, BloodPressureRecord::NotesFieldSize, "notes"}});
            break;
        case FileKind::Pictures:
            checker.Check<PictureKind>(fileName, bytes,
                                       {{PathOffset, PictureRecord::PathFieldSize, "path"}});
            break;
        }
    }
    return lines;
}

} // namespace vitalog
