// Writing report documents: a table of n rows and a fitted picture of n x n pixels, each
// written to a file. The writer streams, so time grows with the output and the peak memory
// stays flat; Google Benchmark's complexity fit shows the first, the peak_rss_mb counter
// the second (the runs go from small to large).

#include "reports/RtfWriter.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include <sys/resource.h>

namespace {

using namespace vitalog;

std::filesystem::path BenchFile() {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("vitalog-rtf-bench-" + std::to_string(std::random_device{}()) + ".rtf");
    return file;
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Count(benchmark::State& state, std::int64_t n) {
    state.SetComplexityN(n);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(BenchFile())));
    state.counters["peak_rss_mb"] = PeakRssMb();
}

// A history export: a header row and n rows of three cells, as the exports shape them.
void TableRows(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    RtfWriter writer;
    for (auto _ : state) {
        if (writer.OpenDocument(BenchFile(), "Times New Roman;Arial;",
                                "0;0;0;255;0;0;192;192;192;255;255;255") != RtfResult::RtfSuccess) {
            state.SkipWithError("cannot open the document");
            return;
        }
        RtfParagraphFormat& paragraph = writer.ParagraphFormat();
        RtfTableCellFormat& cell = writer.TableCellFormat();
        writer.TableRowFormat().alignment = 1;
        cell.bottomBorder.enabled = cell.leftBorder.enabled = cell.topBorder.enabled = true;
        cell.rightBorder.enabled = cell.shading.enabled = true;
        paragraph.font = 1;
        paragraph.fontSize = 20;
        for (int row = 0; row < rows; ++row) {
            writer.StartTableRow();
            for (const std::int32_t right : {2500, 4250, 6250})
                writer.DefineTableCell(right);
            paragraph.inTable = true;
            paragraph.bold = true;
            writer.StartParagraph("12/10/2026 07:30:00 AM", false);
            writer.EndTableCell();
            paragraph.bold = false;
            writer.StartParagraph("120/80", false);
            writer.EndTableCell();
            writer.StartParagraph("Felt fine after the morning walk {notes}", false);
            writer.EndTableCell();
            writer.EndTableRow();
        }
        if (writer.CloseDocument() != RtfResult::RtfSuccess)
            state.SkipWithError("cannot close the document");
    }
    Count(state, rows);
}

// A photograph of side x side pixels, fitted.
void FittedPicture(benchmark::State& state) {
    const auto side = static_cast<std::int32_t>(state.range(0));
    RtfPicture picture{side, side, std::vector<std::uint8_t>(std::size_t(side) * side * 3)};
    for (std::size_t i = 0; i < picture.rgb.size(); ++i)
        picture.rgb[i] = static_cast<std::uint8_t>(i * 7);
    RtfWriter writer;
    for (auto _ : state) {
        writer.OpenDocument(BenchFile());
        if (writer.InsertPictureFitted(picture).result != RtfResult::RtfSuccess)
            state.SkipWithError("picture refused");
        writer.CloseDocument();
    }
    Count(state, std::int64_t{side} * side);
}

BENCHMARK(TableRows)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(FittedPicture)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(BenchFile());
}
