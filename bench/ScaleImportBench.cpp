// Ten years of daily readings (3,650 rows) from a scale app's export, imported into a fresh
// user: every row read, checked and converted, and both record files written. The counter
// rows_per_second is the figure to watch; the dry run shows the share of reading alone.

#include "cli/ScaleImport.h"
#include "records/Units.h"
#include "records/UserRecord.h"
#include "records/Users.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

using namespace vitalog;

constexpr int Rows = 3650;

std::string TenYears() {
    std::string csv = "DATE,TIME,BICEPS,BMI,BODY_FAT,CHEST,COMMENT,HIPS,NECK,THIGH,WAIST,WATER,"
                      "WEIGHT\n";
    std::mt19937 random(7);
    std::uniform_real_distribution<double> wobble(-0.5, 0.5);
    const std::chrono::sys_days first = std::chrono::year{2015} / 1 / 1;
    char row[256];
    for (int i = 0; i < Rows; ++i) {
        const std::chrono::year_month_day date{first + std::chrono::days{i}};
        const int year = int(date.year()), month = int(unsigned(date.month())),
                  day = int(unsigned(date.day()));
        const double weight = 82 - i * 0.002 + wobble(random);
        const double fat = 24 - i * 0.001 + wobble(random) / 2;
        std::snprintf(row, sizeof row,
                      "%04d-%02d-%02d,07:%02d:13,33.5,%.1f,%.1f,101,\"week %d\",%s,38,59,%.1f,"
                      "55.2,%.2f\n",
                      year, month, day, i % 60, weight / 3.2, fat, i / 7, i % 7 == 0 ? "104" : "",
                      92 - i * 0.001, weight);
        csv += row;
    }
    return csv;
}

void ScaleImport(benchmark::State& state) {
    const bool dryRun = state.range(0) != 0;
    const std::string csv = TenYears();
    const auto root = std::filesystem::temp_directory_path() /
                      ("vitalog-scale-bench-" + std::to_string(std::random_device{}()));
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto dir = root / std::to_string(run++);
        std::filesystem::create_directories(dir);
        UserRecord user{};
        user.SetName("Alex");
        user.weight = 180, user.age = 40, user.sex = Female, user.units = Metric;
        user.lengthUnits = Centimetres, user.desiredBodyFat = 20, user.active = 1;
        AddUser(dir, user);
        state.ResumeTiming();
        const cli::ScaleReport report = cli::ImportScale(dir, "Alex", csv, {.dryRun = dryRun});
        if (!report.ok || report.bodyComposition.written != Rows) {
            state.SkipWithError("the import was refused");
            break;
        }
    }
    std::filesystem::remove_all(root);
    state.counters["rows_per_second"] = benchmark::Counter(
        static_cast<double>(Rows), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ScaleImport)
    ->ArgName("dry_run")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
