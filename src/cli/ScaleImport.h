#pragma once

#include "records/DateKey.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vitalog::cli {

// The CSV files a bathroom-scale app exports, in each of its layouts, read into body
// composition and tape records.

// The file does not say which units the app was set to.
enum class ScaleWeightUnit { Kg, Lb, St };
enum class ScaleLengthUnit { Cm, In };

std::optional<ScaleWeightUnit> ScaleWeightUnitNamed(std::string_view name); // kg, lb, st
std::optional<ScaleLengthUnit> ScaleLengthUnitNamed(std::string_view name); // cm, in
std::string_view ScaleUnitName(ScaleWeightUnit unit);
std::string_view ScaleUnitName(ScaleLengthUnit unit);

struct ScaleOptions {
    ScaleWeightUnit weightUnit = ScaleWeightUnit::Kg;
    ScaleLengthUnit lengthUnit = ScaleLengthUnit::Cm;
    bool overwrite = false; // else a date already recorded is skipped
    bool dryRun = false;    // count what would happen; write nothing
};

// What the file holds as far as the first rows tell, for presetting the units before import.
struct ScaleLayout {
    std::string name;        // "3.x, DATE and TIME columns", ...; empty when none fits
    bool unitsFixed = false; // the older layouts are always kilograms and centimetres
};
ScaleLayout FindScaleLayout(std::string_view text);

struct ScaleRecordCounts {
    int written = 0; // new dates
    int overwritten = 0;
    int skipped = 0; // the date was recorded already
};

struct ScaleReport {
    bool ok = false;
    std::vector<std::string> problems; // "line 4, column WEIGHT: ..." when refused
    int refusedRows = 0;               // problems holds the first twenty of them
    ScaleLayout layout;
    ScaleOptions options;
    int rowsRead = 0;
    DateKey firstDate = 0, lastDate = 0;
    ScaleRecordCounts bodyComposition, tape;
    int merged = 0;          // rows a later reading of the same day replaced
    int droppedHips = 0;     // a man's hip readings: his tape record has no hip site
    int droppedNoWeight = 0; // days without a weight, which every record needs
};

// Reads every row and writes nothing when any is refused. A day's last reading counts. Weight
// and body fat make an "Other" body composition record for the user's profile with the day's
// weight; a weight with tape sites, or alone, makes a tape record. progress(done, total) is
// called now and then while rows are read and records written.
ScaleReport ImportScale(const std::filesystem::path& dataDir, std::string_view userName,
                        std::string_view csvText, const ScaleOptions& options,
                        const std::function<void(int, int)>& progress = {});

// The report as lines of text, as vitalog-cli prints it.
std::vector<std::string> ScaleReportLines(const ScaleReport& report);

} // namespace vitalog::cli
