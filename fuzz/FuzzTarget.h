#pragma once

// Each fuzz target defines one function over the fuzzed bytes. libFuzzer calls it through
// LLVMFuzzerTestOneInput; the corpus tests call it for every file of the target's corpus with
// the ordinary compiler, so that whatever a fuzz run once found stays fixed.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace vitalog::fuzz {

int TestOneInput(const std::uint8_t* data, std::size_t size);

// A broken invariant: said on standard error, then the run ends as a crash would, so that
// libFuzzer keeps the input and the corpus test fails.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// One data folder per process under the temporary folder, emptied for each input.
inline const std::filesystem::path& DataDir() {
    static const std::filesystem::path dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("vitalog-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline void ClearDataDir() {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(DataDir(), ec))
        std::filesystem::remove_all(e.path(), ec);
}

} // namespace vitalog::fuzz
