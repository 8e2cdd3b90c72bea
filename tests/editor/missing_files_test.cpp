// The text of the missing-files message: one line per file, ten at most.
#include <gtest/gtest.h>

#include <string>

#include "missing_files.h"

namespace {

TEST(MissingFilesText, ABudgetStopNamesTheFileAndControlBytesCannotBreakLines) {
    ResourceReport report;
    report.add("road.bmp", ResourceFailure::NotFound);
    report.add("huge\n.bmp", ResourceFailure::OverBudget);
    report.add("road.bmp", ResourceFailure::NotAnImage);  // reported once, first reason kept
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(missingFilesText(report),
              "These files could not be loaded:\n"
              "road.bmp: not found\n"
              "huge?.bmp: too large: passes the texture memory budget of 1024 MiB; loading "
              "stopped here");
}

TEST(MissingFilesText, TenLinesThenTheRestCounted) {
    ResourceReport report;
    for (int k = 0; k < 10; ++k) report.add("f" + std::to_string(k), ResourceFailure::NotFound);
    const std::string ten = missingFilesText(report);
    EXPECT_EQ(ten.find("more"), std::string::npos);
    report.add("f10", ResourceFailure::PathTooLong);
    EXPECT_EQ(missingFilesText(report), ten + "\nand 1 more.");
}

}  // namespace
