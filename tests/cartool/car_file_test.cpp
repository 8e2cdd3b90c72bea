// Writing car files: exact size, replacing, and failures that lose nothing.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "car_file.h"
#include "temp_folder.h"

namespace {

class CarFile : public ::testing::Test {
protected:
    TempFolder temp;
    const std::string folder = temp.dir();
    CarRecord record;

    void SetUp() override {
        ASSERT_TRUE(temp.ok());
        std::memset(&record, 0, sizeof record);
        std::memcpy(record.magic, "MCAR00", 6);
        record.powerFactor = 1.0f;
        std::strcpy(record.bodyMesh, "body.x");
    }

    std::string contents(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

}  // namespace

TEST_F(CarFile, ReplacesAnyOldFileWithExactlyTheRecord) {
    std::string path = folder + "/car.car";
    std::ofstream(path, std::ios::binary) << std::string(500, 'x');
    std::string reason;
    ASSERT_TRUE(writeCarFile(path.c_str(), record, &reason)) << reason;
    EXPECT_EQ(contents(path), std::string(reinterpret_cast<const char*>(&record), sizeof record));
}

TEST_F(CarFile, KeepsAFileNamedLikeTheTemporary) {
    std::string path = folder + "/car.car";
    std::ofstream(path + ".tmp", std::ios::binary) << "keep me";
    std::string reason;
    ASSERT_TRUE(writeCarFile(path.c_str(), record, &reason)) << reason;
    EXPECT_EQ(contents(path + ".tmp"), "keep me");
    EXPECT_EQ(contents(path).size(), 164u);
}

TEST_F(CarFile, FailuresSayWhyAndLeaveNoFileBehind) {
    std::string reason;
    EXPECT_FALSE(writeCarFile((folder + "/missing/car.car").c_str(), record, &reason));
    EXPECT_EQ(reason, "the folder does not exist");
    EXPECT_FALSE(writeCarFile("", record, &reason));
    EXPECT_EQ(reason, "no file name is given");
    std::string longName = folder + "/" + std::string(300, 'n');
    EXPECT_FALSE(writeCarFile(longName.c_str(), record, &reason));
    EXPECT_EQ(reason, "the name is too long");
    EXPECT_EQ(rmdir(folder.c_str()), 0);  // nothing was left in the folder
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
}
