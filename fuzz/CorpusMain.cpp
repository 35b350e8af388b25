// Runs a fuzz target over every file of the folders (or files) named on the command line.

#include "FuzzTarget.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

void RunFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s\n", file.filename().c_str());
    vitalog::fuzz::TestOneInput(bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        if (std::filesystem::is_directory(path)) {
            for (const auto& e : std::filesystem::directory_iterator(path)) {
                RunFile(e.path());
                ++inputs;
            }
        } else {
            RunFile(path);
            ++inputs;
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(vitalog::fuzz::DataDir(), ec);
    std::printf("%d inputs\n", inputs);
    return inputs > 0 ? 0 : 1;
}
