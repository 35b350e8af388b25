// The daily backup on folders of growing size: the demo data (two users, a year of records,
// some 1,300 records) and the same folder with its blood pressure files grown to 10,000 and
// 100,000 records. bytes_per_second is the record bytes archived per second: the start of
// the first run of a day waits this long.

#include "backup/Backups.h"
#include "cli/DemoData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace {

using namespace vitalog;
namespace fs = std::filesystem;

constexpr std::size_t BloodPressureSize = 352;

// The demo folder, its blood pressure records repeated up to `records` in each user's file.
fs::path MakeFolder(const fs::path& dir, std::size_t records) {
    fs::create_directories(dir);
    std::string error;
    if (!cli::MakeDemoData(dir, 20261210, error))
        std::fprintf(stderr, "demo data: %s\n", error.c_str());
    for (const char* name : {"bpAlex.bin", "bpMaria.bin"}) {
        std::ifstream in(dir / name, std::ios::binary);
        const std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
        const std::size_t have = (bytes.size() - 4) / BloodPressureSize;
        if (records <= have)
            continue;
        std::ofstream out(dir / name, std::ios::binary | std::ios::app);
        for (std::size_t i = have; i < records; ++i) {
            const std::size_t from = 4 + (i % have) * BloodPressureSize;
            out.write(bytes.data() + from, BloodPressureSize);
        }
    }
    return dir;
}

std::uintmax_t RecordBytes(const fs::path& dir) {
    std::uintmax_t total = 0;
    for (const std::string& name : RecordFileNames(dir))
        total += fs::file_size(dir / name);
    return total;
}

void DailyBackup(benchmark::State& state) {
    const fs::path root = fs::temp_directory_path() /
                          ("vitalog-backup-bench-" + std::to_string(std::random_device{}()));
    const fs::path dir = MakeFolder(root, static_cast<std::size_t>(state.range(0)));
    const std::uintmax_t bytes = RecordBytes(dir);
    int second = 0;
    for (auto _ : state) {
        // A new day each time, so that every run makes its archive.
        const auto outcome =
            MakeBackup(dir, MakeDateTimeKey(2026, 12, 10, 10, second / 60 % 60, second % 60));
        ++second;
        if (!outcome.ok)
            state.SkipWithError(outcome.error.c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["record_MB"] = static_cast<double>(bytes) / 1e6;
    std::error_code ec;
    fs::remove_all(root, ec);
}

BENCHMARK(DailyBackup)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
