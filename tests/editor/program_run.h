// Runs the real kelvane program with a scripted user in a folder of its own
// and collects what it prints.
#ifndef KELVANE_TESTS_EDITOR_PROGRAM_RUN_H
#define KELVANE_TESTS_EDITOR_PROGRAM_RUN_H

#include <string>
#include <vector>

#include "temp_folder.h"

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::vector<std::string> lines;
    // The line that begins with prefix, or "" when there is none.
    std::string line(const std::string& prefix) const;
    int count(const std::string& prefix) const;
};

// environment: "NAME=value ..." put before the command, or empty;
// arguments: put after the script, already quoted for the shell.
ProgramRun runKelvane(const TempFolder& folder, const std::string& script,
                      const std::string& environment = "", const std::string& arguments = "");

std::string readFileBytes(const std::string& path);
bool fileExists(const std::string& path);

#endif
