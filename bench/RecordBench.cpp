// Record scans on large body composition files: LoadAll, Find and Append, next to a plain
// sequential read of the same file. After the run the ratio LoadAll / plain read is printed
// for each size, and so is the ratio of CopyFloor: the same read with the records merely copied.

#include "records/FileIo.h"
#include "records/RecordFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vitalog;

constexpr int Sizes[] = {1000, 10000, 100000};

std::filesystem::path BenchDir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("vitalog-record-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::string UserFor(int n, bool shuffled) {
    return (shuffled ? "Shuffled" : "Bench") + std::to_string(n);
}

// One record per day from 1 January 1800 on.
DateKey DayKey(int day) {
    int y = 0, m = 0, d = 0, h, mi, s;
    SplitDateTimeKey({MakeDateTimeKey(1800, 1, 1, 0, 0, 0).when + day}, y, m, d, h, mi, s);
    return MakeDateKey(y, m, d);
}

// Writes n records directly (n appends would each scan the whole file); oldest first as a
// diary grows, or in a random order.
void MakeFile(int n, bool shuffled) {
    const std::string user = UserFor(n, shuffled);
    std::vector<int> days(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        days[static_cast<std::size_t>(i)] = i;
    if (shuffled)
        std::shuffle(days.begin(), days.end(), std::mt19937(42));

    std::vector<std::uint8_t> bytes(4 + static_cast<std::size_t>(n) * BodyFatKind::Size);
    const std::int32_t header = RecordFileVersion;
    std::memcpy(bytes.data(), &header, 4);
    BodyFatRecord r;
    r.user.SetName(user);
    r.user.weight = 180;
    r.user.units = 1;
    r.user.lengthUnits = 3;
    r.user.active = 1;
    r.SetMethod("Jackson/Pollock 7");
    r.active = 1;
    for (int i = 0; i < n; ++i) {
        r.date = DayKey(days[static_cast<std::size_t>(i)]);
        r.bodyFat = 15 + i % 10;
        BodyFatKind::Encode(r, bytes.data() + 4 + static_cast<std::size_t>(i) * BodyFatKind::Size);
    }
    std::FILE* f = std::fopen((BenchDir() / ("bf" + user + ".bin")).c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void PlainRead(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto file = BenchDir() / ("bf" + UserFor(n, false) + ".bin");
    for (auto _ : state) {
        std::FILE* f = std::fopen(file.c_str(), "rb");
        std::fseek(f, 0, SEEK_END);
        const auto size = static_cast<std::size_t>(std::ftell(f));
        std::fseek(f, 0, SEEK_SET);
        auto data = std::make_unique_for_overwrite<std::uint8_t[]>(size);
        const std::size_t got = std::fread(data.get(), 1, size, f);
        std::fclose(f);
        benchmark::DoNotOptimize(data.get());
        benchmark::DoNotOptimize(got);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// LoadAll's own read (from the end, in chunks, large files on a second thread) with each
// record's bytes, as many as a decoded record holds, merely copied into a list: no decoding,
// no tombstone test, no order check. No LoadAll built on this read can be faster.
void CopyFloor(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto file = BenchDir() / ("bf" + UserFor(n, false) + ".bin");
    constexpr std::size_t record = BodyFatKind::Size, payload = sizeof(BodyFatRecord);
    for (auto _ : state) {
        const detail::FilePtr f = detail::OpenForReading(file);
        const auto list = std::make_unique_for_overwrite<std::uint8_t[]>(
            static_cast<std::size_t>(n) * payload);
        std::uint8_t* out = list.get();
        const bool read = detail::ReadRecordsBackwards(
            f.get(), 4, record, static_cast<std::uint64_t>(n),
            [&](const std::uint8_t* chunk, std::size_t count) {
                for (std::size_t i = count; i-- > 0; out += payload)
                    std::memcpy(out, chunk + i * record + record - payload, payload);
            });
        if (!read)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(list.get());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void LoadAll(benchmark::State& state, bool shuffled) {
    const int n = static_cast<int>(state.range(0));
    const std::string user = UserFor(n, shuffled);
    for (auto _ : state) {
        std::vector<BodyFatRecord> list;
        const bool any = BodyFatFile::LoadAll(BenchDir(), user, list);
        if (!any || list.size() != static_cast<std::size_t>(n))
            state.SkipWithError("LoadAll lost records");
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void LoadAllInDiaryOrder(benchmark::State& state) {
    LoadAll(state, false);
}
void LoadAllShuffled(benchmark::State& state) {
    LoadAll(state, true);
}

// The oldest key; in the shuffled file it sits anywhere, so the last record's key is looked
// up as well: the whole file is scanned for it.
void Find(benchmark::State& state, bool lastInFile) {
    const int n = static_cast<int>(state.range(0));
    const DateKey key = lastInFile ? DayKey(n - 1) : DayKey(0);
    for (auto _ : state) {
        const BodyFatRecord r = BodyFatFile::Find(BenchDir(), UserFor(n, false), key);
        if (r.active == 0)
            state.SkipWithError("Find missed");
        benchmark::DoNotOptimize(r);
    }
}

void FindOldest(benchmark::State& state) {
    Find(state, false);
}
void FindLastInFile(benchmark::State& state) {
    Find(state, true);
}

// Appends behind n records (each append checks the whole file for its key and syncs the file
// to disk); works on a copy, which grows by one record per iteration.
void Append(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string user = "Append" + std::to_string(n);
    const auto work = BenchDir() / ("bf" + user + ".bin");
    std::filesystem::copy_file(BenchDir() / ("bf" + UserFor(n, false) + ".bin"), work,
                               std::filesystem::copy_options::overwrite_existing);
    // The copy still names its records' owner "Bench<n>"; only the key matters for Append.
    BodyFatRecord r;
    r.user.SetName(user);
    r.user.units = 1;
    r.SetMethod("Other");
    int day = n;
    for (auto _ : state) {
        r.date = DayKey(day++);
        if (BodyFatFile::Append(BenchDir(), r) != StoreResult::Done)
            state.SkipWithError("Append failed");
    }
    std::filesystem::remove(work);
}

void Register() {
    for (int n : Sizes) {
        MakeFile(n, false);
        MakeFile(n, true);
    }
    for (auto* b : {benchmark::RegisterBenchmark("PlainRead", PlainRead),
                    benchmark::RegisterBenchmark("CopyFloor", CopyFloor),
                    benchmark::RegisterBenchmark("LoadAll", LoadAllInDiaryOrder),
                    benchmark::RegisterBenchmark("LoadAllShuffled", LoadAllShuffled),
                    benchmark::RegisterBenchmark("FindOldest", FindOldest),
                    benchmark::RegisterBenchmark("FindLastInFile", FindLastInFile),
                    benchmark::RegisterBenchmark("Append", Append)}) {
        for (int n : Sizes)
            b->Arg(n);
        b->Unit(benchmark::kMicrosecond);
    }
}

// Prints as usual and keeps the real time per run for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Register();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int n : Sizes) {
        const std::string arg = std::string("/").append(std::to_string(n));
        const auto plain = reporter.times.find("PlainRead" + arg);
        if (plain == reporter.times.end() || plain->second <= 0)
            continue;
        for (const char* name : {"CopyFloor", "LoadAll", "LoadAllShuffled"}) {
            const auto load = reporter.times.find(std::string(name).append(arg));
            if (load != reporter.times.end())
                std::printf("%s / PlainRead, %d records: %.2f\n", name, n,
                            load->second / plain->second);
        }
    }
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(BenchDir(), ec);
    return 0;
}
