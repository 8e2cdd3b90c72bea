// Runs a real program with a scripted user (--ui-script) in a folder of its
// own and collects what it prints, its exit code and its message boxes.
#ifndef KELVANE_TESTS_SUPPORT_PROGRAM_RUN_H
#define KELVANE_TESTS_SUPPORT_PROGRAM_RUN_H

#include <string>
#include <vector>

#include "script_builder.h"
#include "temp_folder.h"

struct ProgramRun {
    int exitCode = -1;
    std::string out;                 // standard output: what "print ID" showed
    std::string err;                 // standard error
    std::vector<std::string> lines;  // standard output, a line each
    // "CAPTION: TEXT" of every message box the headless back end showed, as
    // it recorded them.
    std::vector<std::string> messageBoxes;
    // The line that begins with prefix, or "" when there is none.
    std::string line(const std::string& prefix) const;
    int count(const std::string& prefix) const;
    // What the first "print ID" line showed after "ID: ", or "(not printed)".
    std::string shown(int id) const;
    // How many message boxes began with "CAPTION: TEXT-PREFIX"; every box for "".
    int boxes(const std::string& prefix = "") const;
    // The first message box that begins with prefix, or "" when there is none.
    std::string box(const std::string& prefix) const;
};

// environment: "NAME=value ..." put before the command, or empty.
ProgramRun runProgram(const std::string& program, const TempFolder& folder,
                      const std::string& script, const std::string& environment = "");
// The program with arguments of its own instead of a script.
ProgramRun runProgramWith(const std::string& program, const TempFolder& folder,
                          const std::string& arguments, const std::string& environment = "");

// The programs of this build, where the test target names them.
#ifdef KELVANE_PROGRAM
inline ProgramRun runKelvane(const TempFolder& folder, const std::string& script,
                             const std::string& environment = "") {
    return runProgram(KELVANE_PROGRAM, folder, script, environment);
}
#endif
#ifdef DORVIK_PROGRAM
inline ProgramRun runDorvik(const TempFolder& folder, const std::string& script,
                            const std::string& environment = "") {
    return runProgram(DORVIK_PROGRAM, folder, script, environment);
}
#endif

std::string readFileBytes(const std::string& path);
bool fileExists(const std::string& path);

#endif
