// Exporting the body composition history of 1,000 to 30,000 records to an RTF file, next to
// writing the same bytes to a file with one buffered write. After the run the ratio export /
// write is printed for each size. The export streams: the peak_rss_mb counter stays flat as
// the files grow (the exports run first, from small to large, before anything holds a whole
// document in memory).

#include "history/HistoryReports.h"
#include "records/DateKey.h"
#include "records/RecordFile.h"
#include "records/RecordKinds.h"
#include "records/Units.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using namespace vitalog;

constexpr int Sizes[] = {1000, 10000, 30000};

const std::filesystem::path& BenchDir() {
    static const std::filesystem::path dir = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("vitalog-export-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

std::filesystem::path ExportFile(int n) {
    return BenchDir() / ("export" + std::to_string(n) + ".rtf");
}

std::filesystem::path CopyFile(int n) {
    return BenchDir() / ("copy" + std::to_string(n) + ".rtf");
}

UserRecord ProfileFor(int n) {
    UserRecord user;
    user.SetName("Bench" + std::to_string(n));
    user.weight = 180;
    user.age = 40;
    user.units = Imperial;
    user.lengthUnits = Inches;
    user.sex = Male;
    user.active = 1;
    return user;
}

// n records, one a day, oldest first as a diary grows, each written as it is made; the
// methods take turns.
void MakeFile(int n) {
    const auto file = BodyFatFile::PathFor(BenchDir(), ProfileFor(n).Name());
    std::FILE* f = std::fopen(file.c_str(), "wb");
    const std::int32_t header = RecordFileVersion;
    std::fwrite(&header, 4, 1, f);
    BodyFatRecord r;
    r.user = ProfileFor(n);
    r.active = 1;
    static const char* const methods[] = {"Jackson/Pollock 7", "Parrillo",           "Durnin",
                                          "Tape Measurement",  "Three Site Caliper", "Other"};
    std::uint8_t bytes[BodyFatKind::Size];
    for (int i = 0; i < n; ++i) {
        r.date = MakeDateKey(1900 + i / 336, 1 + i / 28 % 12, 1 + i % 28);
        r.SetMethod(methods[i % 6]);
        for (int s = 0; s < BodyFatRecord::SiteSlots; ++s)
            r.sites[s] = 5 + (i + s) % 30;
        for (int t = 0; t < 4; ++t)
            r.tape[t] = i % 6 == 3 ? 15.5 + t * 10.25 : 0;
        r.bodyFat = 15 + i % 100 * 0.11;
        r.user.weight = 170 + i % 50 * 0.3;
        r.leanWeight = r.user.weight * (1 - r.bodyFat / 100);
        r.fatWeight = r.user.weight - r.leanWeight;
        BodyFatKind::Encode(r, bytes);
        std::fwrite(bytes, 1, sizeof bytes, f);
    }
    std::fclose(f);
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// What the Export command does once the save dialog has answered.
void ExportBodyComposition(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const UserRecord user = ProfileFor(n);
    for (auto _ : state) {
        const HistoryExportFile result = ExportHistory(ExportFile(n), ShownTable::BodyComposition,
                                                       BenchDir(), user, "Vitalog - bench");
        if (result.outcome != HistoryReportOutcome::Done || result.result != RtfResult::RtfSuccess)
            state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(ExportFile(n))));
    state.counters["peak_rss_mb"] = PeakRssMb();
}

// The same bytes, already in memory, written to a file at once.
void BufferedWrite(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::ifstream in(ExportFile(n), std::ios::binary);
    const std::vector<char> document{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    if (document.empty()) {
        state.SkipWithError("no export to copy");
        return;
    }
    for (auto _ : state) {
        std::FILE* f = std::fopen(CopyFile(n).c_str(), "wb");
        if (f == nullptr || std::fwrite(document.data(), 1, document.size(), f) != document.size())
            state.SkipWithError("write failed");
        if (f != nullptr)
            std::fclose(f);
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(document.size()));
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, Times> times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    for (int n : Sizes)
        MakeFile(n);
    // Registered in this order, so every export runs before the first whole copy is read.
    for (auto* b : {benchmark::RegisterBenchmark("ExportBodyComposition", ExportBodyComposition),
                    benchmark::RegisterBenchmark("BufferedWrite", BufferedWrite)}) {
        for (int n : Sizes)
            b->Arg(n);
        b->Unit(benchmark::kMillisecond);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int n : Sizes) {
        const std::string arg = "/" + std::to_string(n);
        const auto exported = reporter.times.find("ExportBodyComposition" + arg);
        const auto written = reporter.times.find("BufferedWrite" + arg);
        // Real time is what the user waits for; the processor time shows the share of the
        // formatting, apart from what the kernel and a busy machine add to both.
        if (exported != reporter.times.end() && written != reporter.times.end() &&
            written->second.real > 0 && written->second.cpu > 0)
            std::printf("ExportBodyComposition / BufferedWrite, %d records: %.2f (real time), "
                        "%.2f (CPU time)\n",
                        n, exported->second.real / written->second.real,
                        exported->second.cpu / written->second.cpu);
    }
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(BenchDir(), ignored);
    return 0;
}
