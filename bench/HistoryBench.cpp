// Filling the body composition history table from files of 1,000 to 100,000 records, next to
// putting the same cell texts, built beforehand, into the same table. After the run the ratio
// fill / insert is printed for each size: what reading the file and building the texts add to
// what the table costs anyway.

#include "history/CVitalogView.h"
#include "history/HistoryModel.h"
#include "history/HistoryTables.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/DataDirectory.h"
#include "platform/Prompter.h"
#include "records/RecordFile.h"
#include "records/RecordKinds.h"
#include "records/Units.h"
#include "screens/ScreenCatalog.h"
#include "shell/CMainFrame.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vitalog;

constexpr int Sizes[] = {1000, 10000, 100000};

class NoBoxPrompter : public Prompter {
public:
    QMessageBox::StandardButton Show(QWidget*, const QString& title, const QString& text,
                                     QMessageBox::Icon, QMessageBox::StandardButtons) override {
        std::fprintf(stderr, "history_bench: unexpected box \"%s: %s\"\n", qPrintable(title),
                     qPrintable(text));
        std::exit(1);
    }
};

std::string UserFor(int n) {
    return "Bench" + std::to_string(n);
}

UserRecord ProfileFor(int n) {
    UserRecord user;
    user.SetName(UserFor(n));
    user.weight = 180;
    user.age = 40;
    user.units = Imperial;
    user.lengthUnits = Inches;
    user.sex = Male;
    user.active = 1;
    return user;
}

// n records, one a day, oldest first as a diary grows; the methods take turns so that every
// kind of cell is built.
void MakeFile(const std::filesystem::path& dir, int n) {
    std::vector<std::uint8_t> bytes(4 + static_cast<std::size_t>(n) * BodyFatKind::Size);
    const std::int32_t header = RecordFileVersion;
    std::memcpy(bytes.data(), &header, 4);
    BodyFatRecord r;
    r.user = ProfileFor(n);
    r.active = 1;
    static const char* const methods[] = {"Jackson/Pollock 7", "Parrillo", "Durnin",
                                          "Tape Measurement", "Jackson/Pollock 3"};
    for (int i = 0; i < n; ++i) {
        const int day = i;
        r.date = MakeDateKey(1800 + day / 336, 1 + day / 28 % 12, 1 + day % 28);
        r.SetMethod(methods[i % 5]);
        for (int s = 0; s < BodyFatRecord::SiteSlots; ++s)
            r.sites[s] = 5 + (i + s) % 30;
        if (i % 5 == 1)
            r.sites[0] = 7 << 16 | 12;
        for (int t = 0; t < 4; ++t)
            r.tape[t] = i % 5 == 3 ? 15.5 + t * 10.25 : 0;
        r.bodyFat = 15 + i % 100 * 0.11;
        r.user.weight = 170 + i % 50 * 0.3;
        r.leanWeight = r.user.weight * (1 - r.bodyFat / 100);
        r.fatWeight = r.user.weight - r.leanWeight;
        BodyFatKind::Encode(r, bytes.data() + 4 + static_cast<std::size_t>(i) * BodyFatKind::Size);
    }
    const auto file = BodyFatFile::PathFor(dir, UserFor(n));
    std::FILE* f = std::fopen(file.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// The real view in a main window, on a data folder of the benchmark's own.
struct Program {
    Program() {
        DataDirectory::Prepare(dir.path(), nullptr);
        services.prompter = &prompter;
        services.clock = &clock;
        services.dataDirectory = dir.path();
        frame = std::make_unique<CMainFrame>(services, ProgramScreens());
        frame->HistoryMode = CMainFrame::HistoryBodyFat;
        view = new CVitalogView(*frame, services, frame.get());
        view->resize(1000, 700);
        for (int n : Sizes)
            MakeFile(services.DataPath(), n);
    }

    QTemporaryDir dir;
    NoBoxPrompter prompter;
    SystemClock clock;
    AppServices services;
    std::unique_ptr<CMainFrame> frame;
    CVitalogView* view = nullptr;
};

// Made and ended inside main, while the application object lives.
std::unique_ptr<Program> program;

Program& TheProgram() {
    return *program;
}

// What the History command does: read the file, build the rows, show them.
void FillFromFile(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Program& p = TheProgram();
    p.frame->CurrentUser = ProfileFor(n);
    // Once untimed: the first fill of a size grows the heap, which a run of one iteration
    // would count against the fill alone.
    p.view->FillTable();
    for (auto _ : state) {
        p.view->FillTable();
        if (p.view->Model()->rowCount() != n)
            state.SkipWithError("rows missing");
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The same table's cost alone: the same texts, built once, put into it.
void InsertPrecomputed(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Program& p = TheProgram();
    const UserRecord user = ProfileFor(n);
    RecordList<BodyFatRecord> records;
    BodyFatFile::LoadAll(p.services.DataPath(), user.Name(), records);
    const HistoryTable table = BodyCompositionTable(records, user, RowOrder::NewestOnTop);
    records = {};
    p.view->ClearTable();
    p.view->ShowTable(table, ShownTable::BodyComposition); // untimed, as for the fill
    for (auto _ : state) {
        p.view->ClearTable();
        p.view->ShowTable(table, ShownTable::BodyComposition);
        if (p.view->Model()->rowCount() != n)
            state.SkipWithError("rows missing");
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The parts of a fill, to see where its time goes.
void LoadRecords(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string user = UserFor(n);
    for (auto _ : state) {
        RecordList<BodyFatRecord> records;
        BodyFatFile::LoadAll(TheProgram().services.DataPath(), user, records);
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BuildTexts(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const UserRecord user = ProfileFor(n);
    RecordList<BodyFatRecord> records;
    BodyFatFile::LoadAll(TheProgram().services.DataPath(), user.Name(), records);
    for (auto _ : state) {
        const HistoryTable table = BodyCompositionTable(records, user, RowOrder::NewestOnTop);
        benchmark::DoNotOptimize(table.text.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    program = std::make_unique<Program>();
    for (auto* b : {benchmark::RegisterBenchmark("FillFromFile", FillFromFile),
                    benchmark::RegisterBenchmark("InsertPrecomputed", InsertPrecomputed),
                    benchmark::RegisterBenchmark("LoadRecords", LoadRecords),
                    benchmark::RegisterBenchmark("BuildTexts", BuildTexts)}) {
        for (int n : Sizes)
            b->Arg(n);
        b->Unit(benchmark::kMillisecond);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int n : Sizes) {
        const std::string arg = "/" + std::to_string(n);
        const auto fill = reporter.times.find("FillFromFile" + arg);
        const auto insert = reporter.times.find("InsertPrecomputed" + arg);
        if (fill != reporter.times.end() && insert != reporter.times.end() && insert->second > 0)
            std::printf("FillFromFile / InsertPrecomputed, %d records: %.2f\n", n,
                        fill->second / insert->second);
    }
    benchmark::Shutdown();
    program.reset();
    return 0;
}
