// Runs the real kelvane program with a scripted user in a folder of its own
// and collects what it prints.
#ifndef KELVANE_TESTS_EDITOR_PROGRAM_RUN_H
#define KELVANE_TESTS_EDITOR_PROGRAM_RUN_H

#include <string>
#include <vector>

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::vector<std::string> lines;
    // The line that begins with prefix, or "" when there is none.
    std::string line(const std::string& prefix) const;
    int count(const std::string& prefix) const;
};

// A fresh empty folder under the build's temporary directory, removed with
// everything in it when the object goes.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};

// environment: "NAME=value ..." put before the command, or empty.
ProgramRun runKelvane(const TestFolder& folder, const std::string& script,
                      const std::string& environment = "");

std::string readFileBytes(const std::string& path);
bool fileExists(const std::string& path);

#endif
