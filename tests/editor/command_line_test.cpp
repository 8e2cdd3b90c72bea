// The track path taken from WinMain's command line.
#include <gtest/gtest.h>

#include <string>

#include "command_line.h"

namespace {

std::string pathOf(const char* line) {
    std::string path;
    return trackPathFromCommandLine(line, &path) ? path : "<none>";
}

TEST(CommandLine, PathsAsTypedOrDropped) {
    EXPECT_EQ(pathOf("demo.trk"), "demo.trk");
    EXPECT_EQ(pathOf("  C:\\My Tracks\\demo.trk \r\n"), "C:\\My Tracks\\demo.trk");
    EXPECT_EQ(pathOf("\"C:\\My Tracks\\demo.trk\""), "C:\\My Tracks\\demo.trk");
    EXPECT_EQ(pathOf("\"unclosed name.trk"), "unclosed name.trk");
}

TEST(CommandLine, NothingNamed) {
    EXPECT_EQ(pathOf(nullptr), "<none>");
    EXPECT_EQ(pathOf(""), "<none>");
    EXPECT_EQ(pathOf(" \t "), "<none>");
    EXPECT_EQ(pathOf("\"\""), "<none>");
}

}  // namespace
