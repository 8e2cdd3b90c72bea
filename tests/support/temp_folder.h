// A fresh folder for the files a test writes, removed with everything in it
// when the object goes.
#ifndef KELVANE_TESTS_SUPPORT_TEMP_FOLDER_H
#define KELVANE_TESTS_SUPPORT_TEMP_FOLDER_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelvane-test-XXXXXX").string();
        if (mkdtemp(pattern.data())) folder_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    bool ok() const { return !folder_.empty(); }
    const std::string& dir() const { return folder_; }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    // How many entries the folder holds: a save must leave no temporary file.
    size_t entries() const {
        size_t n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            n += !entry.path().empty();
        return n;
    }

    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void write(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

private:
    std::string folder_;
};

#endif
