// Dorvik end to end: the program run headless with a script from scripts/,
// in a fresh folder, checked by its output, exit code and the files it
// leaves.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "dorvik_ids.h"
#include "program_run.h"

namespace {

class DorvikScript : public ::testing::Test {
protected:
    TempFolder temp;
    const std::string folder = temp.dir();

    void SetUp() override { ASSERT_TRUE(temp.ok()); }

    ProgramRun script(const UiScript& user) { return runDorvik(temp, user); }
    ProgramRun run(const std::string& arguments, const std::string& environment = "") {
        return runProgramWith(DORVIK_PROGRAM, temp, arguments, environment);
    }
    std::string file(const std::string& name) { return readFileBytes(folder + "/" + name); }
};

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Enter presses "Generate!" with the texts the dialog starts with.
const UiScript kDefaults = UiScript().key("Enter");

std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (int v : values) result += static_cast<char>(v);
    return result;
}

std::string name64(const char* name) {
    std::string field(name);
    field.resize(64, '\0');
    return field;
}

// The record of the default texts, as the car file format lists it.
std::string defaultRecord() {
    return std::string("MCAR00") + bytes({0, 0}) + bytes({0x00, 0x00, 0x80, 0x3F}) +
           bytes({0x00, 0x00, 0x7A, 0x45}) + bytes({0x00, 0x40, 0x9C, 0x45}) +
           bytes({0x00, 0xC0, 0x5A, 0x45}) + bytes({0x00, 0x00, 0x00, 0x00}) +
           bytes({0x00, 0x50, 0xC3, 0x46}) + bytes({0x00, 0x60, 0xEA, 0x46}) + name64("body.x") +
           name64("wheel.x");
}

}  // namespace

TEST_F(DorvikScript, EnterWritesTheDefaultRecord) {
    ProgramRun result = script(kDefaults);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(file("NewCar.car"), defaultRecord());
}

TEST_F(DorvikScript, NumbersFollowTheAtofRulesAndRoundToFloat) {
    ProgramRun result = script(UiScript()
                                   .type(IDC_POWER_FACTOR, "12.5abc")
                                   .clear(IDC_FRONT_TIRE_MAX)
                                   .type(IDC_REAR_TIRE_MAX, "-3")
                                   .type(IDC_BRAKING_FORCE, "0.1")
                                   .type(IDC_CAR_POSITION_Y, "1e39")
                                   .type(IDC_CAR_FILE, "numbers.car")
                                   .click(IDC_GENERATE)
                                   .print(IDC_POWER_FACTOR)
                                   .print(IDC_FRONT_TIRE_MAX));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.shown(IDC_POWER_FACTOR), "12.5abc");
    EXPECT_EQ(result.shown(IDC_FRONT_TIRE_MAX), "");
    EXPECT_EQ(result.lines.size(), 2u) << result.out;
    std::string record = file("numbers.car");
    ASSERT_EQ(record.size(), 164u);
    EXPECT_EQ(record.substr(8, 4), bytes({0x00, 0x00, 0x48, 0x41}));   // 12.5
    EXPECT_EQ(record.substr(12, 4), bytes({0x00, 0x00, 0x00, 0x00}));  // empty: 0.0
    EXPECT_EQ(record.substr(16, 4), bytes({0x00, 0x00, 0x40, 0xC0}));  // -3
    EXPECT_EQ(record.substr(20, 4), bytes({0xCD, 0xCC, 0xCC, 0x3D}));  // 0.1, nearest float
    EXPECT_EQ(record.substr(24, 4), bytes({0x00, 0x00, 0x80, 0x7F}));  // beyond float: infinity
}

// The dialog starts in "Power factor:" with its 1.0 selected; Tab selects
// the next box's text, so typing replaces both.
TEST_F(DorvikScript, TypingReplacesTheTextTheFocusSelected) {
    ProgramRun result =
        script(UiScript().typeFocused("2.5").key("Tab").typeFocused("3").key("Enter"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::string record = file("NewCar.car");
    ASSERT_EQ(record.size(), 164u);
    EXPECT_EQ(record.substr(8, 4), bytes({0x00, 0x00, 0x20, 0x40}));   // 2.5
    EXPECT_EQ(record.substr(12, 4), bytes({0x00, 0x00, 0x40, 0x40}));  // 3
}

TEST_F(DorvikScript, GeneratingTwiceGivesTheSameBytes) {
    ProgramRun result = script(UiScript().click(IDC_GENERATE).click(IDC_GENERATE));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(file("NewCar.car"), defaultRecord());
}

TEST_F(DorvikScript, ALongerOldFileBecomesExactlyTheRecord) {
    std::ofstream(folder + "/NewCar.car", std::ios::binary) << std::string(500, '\xAA');
    ProgramRun result = script(kDefaults);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(file("NewCar.car"), defaultRecord());
}

TEST_F(DorvikScript, AMissingFolderIsReportedAndWritesNothing) {
    // The dialog stays usable after the message.
    ProgramRun result = script(UiScript()
                                   .type(IDC_CAR_FILE, "no-such-folder/car.car")
                                   .key("Enter")
                                   .print(IDC_CAR_FILE)
                                   .type(IDC_CAR_FILE, "after.car")
                                   .key("Enter"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    ASSERT_EQ(result.messageBoxes.size(), 1u) << result.out;
    EXPECT_EQ(result.messageBoxes[0],
              "Dorvik: Cannot write the car file \"no-such-folder/car.car\": the folder does not "
              "exist.");
    EXPECT_EQ(result.shown(IDC_CAR_FILE), "no-such-folder/car.car");
    EXPECT_FALSE(exists(folder + "/no-such-folder"));
    EXPECT_EQ(file("after.car"), defaultRecord());
}

TEST_F(DorvikScript, AFolderInTheWayIsReportedAndLeftAsItWas) {
    ASSERT_EQ(mkdir((folder + "/NewCar.car").c_str(), 0755), 0);
    ProgramRun result = script(kDefaults);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    ASSERT_EQ(result.messageBoxes.size(), 1u) << result.out;
    EXPECT_EQ(result.messageBoxes[0],
              "Dorvik: Cannot write the car file \"NewCar.car\": it is a folder.");
    struct stat st;
    ASSERT_EQ(stat((folder + "/NewCar.car").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(temp.entries(), 2u) << "the folder and the script; no temporary file";
}

TEST_F(DorvikScript, EscapeDoesNothingAndNamesAreCutAt63Characters) {
    std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
    // Escape neither writes nor closes.
    ProgramRun result = script(UiScript()
                                   .key("Escape")
                                   .print(IDC_GENERATE)
                                   .type(IDC_BODY_MESH, alphabet + alphabet + alphabet)
                                   .type(IDC_WHEEL_MESH, "wheel two.x")
                                   .key("Enter"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.shown(IDC_GENERATE), "Generate!");
    EXPECT_EQ(result.lines.size(), 1u) << result.out;
    std::string record = file("NewCar.car");
    ASSERT_EQ(record.size(), 164u);
    EXPECT_EQ(record.substr(36, 64), (alphabet + alphabet + alphabet).substr(0, 63) + '\0');
    EXPECT_EQ(record.substr(100, 64), name64("wheel two.x"));
}

TEST_F(DorvikScript, LinesThatCannotBeCarriedOutEndWithExitCode3) {
    ProgramRun closed = script(UiScript().close().print(IDC_POWER_FACTOR));
    EXPECT_EQ(closed.exitCode, 3);
    EXPECT_EQ(closed.err, "ui-script:2: no dialog is open\n");
    const int kNoSuchControl = 999;
    ProgramRun bad =
        script(UiScript().print(IDC_POWER_FACTOR).click(kNoSuchControl).print(IDC_POWER_FACTOR));
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_EQ(bad.out, printed(IDC_POWER_FACTOR) + " 1.0\n");
    EXPECT_EQ(bad.err, "ui-script:2: no control 999 in dialog \"Dorvik\"\n");
    EXPECT_FALSE(exists(folder + "/NewCar.car"));
}

TEST_F(DorvikScript, WithoutDisplayOrScriptItSaysSoAndEnds) {
    ProgramRun result = run("", "env -u DISPLAY");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    ProgramRun unreachable = run("", "DISPLAY=:4711");
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_EQ(unreachable.err, "dorvik: cannot open the display :4711\n");
    ProgramRun missing = run("--ui-script no-such-script.txt");
    EXPECT_EQ(missing.exitCode, 2);
}

// What Windows does with the name, and a file nobody may write.
TEST_F(DorvikScript, TrailingBlanksAreDroppedAndReadOnlyFilesAreRefused) {
    std::ofstream(folder + "/names.txt")
        << UiScript().type(IDC_CAR_FILE, "trail.car ").key("Enter").text();
    ProgramRun result = run("--ui-script names.txt");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(file("trail.car"), defaultRecord());

    std::ofstream(folder + "/NewCar.car") << "old";
    ASSERT_EQ(chmod((folder + "/NewCar.car").c_str(), 0444), 0);
    result = script(kDefaults);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.messageBoxes,
              std::vector<std::string>(
                  {"Dorvik: Cannot write the car file \"NewCar.car\": access is denied."}));
    EXPECT_EQ(file("NewCar.car"), "old");
}
