// The vitalog-cli executable itself: exit statuses and where its texts go.

#include "records/TestFiles.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <sys/wait.h>

namespace vitalog::test {
namespace {

struct Outcome {
    int status = -1;
    std::string text; // standard output, or standard error with errorsOnly
};

std::string Quoted(const std::string& argument) {
    std::string quoted = "'";
    for (const char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

Outcome RunProgram(const std::vector<std::string>& arguments, bool errorsOnly) {
    std::string command = "env -u VITALOG_DATA_DIR " + Quoted(VITALOG_CLI_PATH);
    for (const std::string& argument : arguments)
        command += " " + Quoted(argument);
    command += errorsOnly ? " 2>&1 >/dev/null" : " 2>/dev/null";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return outcome;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        outcome.text.append(buffer, n);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments; // after --data-dir DIR unless noted
    const char* message;
};
// Test names in ctest show the case, not its bytes.
void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << c.name;
}

class UsageError : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, EndsWithStatus2AndSaysWhy) {
    TempDir dir;
    std::vector<std::string> arguments = GetParam().arguments;
    if (std::string(GetParam().name) != "DemoWithoutDataDir")
        arguments.insert(arguments.begin(), {"--data-dir", dir.path().string()});
    const Outcome outcome = RunProgram(arguments, true);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_THAT(outcome.text, ::testing::HasSubstr(GetParam().message));
    EXPECT_THAT(outcome.text, ::testing::HasSubstr("Usage:"));
    EXPECT_TRUE(dir.Entries().empty()); // nothing made
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageError,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "no command given"},
        UsageCase{"UnknownCommand", {"export"}, "unknown command export"},
        UsageCase{"UnknownOption", {"users", "--verbose"}, "unknown option --verbose"},
        UsageCase{"UnknownKind", {"export-csv", "weights", "--user", "Ann"}, "unknown kind"},
        UsageCase{"PicturesHaveNoHistory",
                  {"print-history", "pictures", "--user", "Ann"},
                  "unknown kind pictures"},
        UsageCase{"UserMissing", {"export-csv", "bodyfat"}, "--user NAME is required"},
        UsageCase{
            "UserForUsers", {"export-csv", "users", "--user", "Ann"}, "--user does not apply"},
        UsageCase{"FileMissing", {"import-csv", "tape", "--user", "Ann"}, "missing"},
        UsageCase{"OverwriteOnExport",
                  {"export-csv", "tape", "--user", "Ann", "--overwrite"},
                  "--overwrite does not apply"},
        UsageCase{"HistoryExportWithoutOutput",
                  {"export-history", "bp", "--user", "Ann"},
                  "--output FILE is required"},
        UsageCase{"OptionWithoutValue", {"users", "--user"}, "missing value after --user"},
        UsageCase{"ExtraArgument", {"check", "now"}, "unexpected argument now"},
        UsageCase{"DemoWithoutDataDir", {"demo"}, "--data-dir DIR is required"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Program, HelpGoesToStandardOutput) {
    const Outcome outcome = RunProgram({"--help"}, false);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_THAT(outcome.text, ::testing::StartsWith("Usage:"));
}

TEST(Program, RefusalsEndWithStatus1) {
    TempDir dir;
    const std::string folder = dir.path().string();
    EXPECT_EQ(RunProgram({"--data-dir", folder + "/missing", "users"}, true).status, 1);
    ASSERT_EQ(RunProgram({"--data-dir", folder, "demo"}, false).status, 0);
    EXPECT_EQ(RunProgram({"--data-dir", folder, "demo"}, true).status, 1);
    const Outcome users = RunProgram({"--data-dir", folder, "users"}, false);
    EXPECT_EQ(users.status, 0);
    EXPECT_EQ(users.text, "Alex\nMaria\n");
    // The data folder may come from the environment too.
    const std::string command = "VITALOG_DATA_DIR=" + Quoted(folder) + " " +
                                Quoted(VITALOG_CLI_PATH) + " check >/dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
}

} // namespace
} // namespace vitalog::test
