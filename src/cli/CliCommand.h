#pragma once

#include "records/DateKey.h"

#include <ostream>
#include <string>
#include <vector>

namespace vitalog::cli {

// Exit statuses of vitalog-cli.
inline constexpr int ExitOk = 0;
inline constexpr int ExitRefused = 1; // input refused, a problem found, a file not written
inline constexpr int ExitUsage = 2;

struct Invocation {
    std::vector<std::string> arguments; // without the program name
    std::string dataDirEnvironment;     // VITALOG_DATA_DIR
    DateKey today = 0;                  // the last day of the demo data
    DateTimeKey now;                    // local time: names a new backup
};

// Runs one verb: results on out, messages on err. Returns the exit status.
int Run(const Invocation& invocation, std::ostream& out, std::ostream& err);

// The usage text that --help prints.
std::string UsageText();

} // namespace vitalog::cli
