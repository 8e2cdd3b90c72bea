#include "program_run.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace {

// What the headless back end writes for each message box it shows.
const char kBoxPrefix[] = "MessageBox: ";

int countPrefixed(const std::vector<std::string>& lines, const std::string& prefix) {
    int n = 0;
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
}

void splitOutput(ProgramRun* run) {
    std::istringstream text(run->out);
    const std::string boxPrefix = kBoxPrefix;
    for (std::string l; std::getline(text, l);) {
        run->lines.push_back(l);
        if (l.compare(0, boxPrefix.size(), boxPrefix) == 0)
            run->messageBoxes.push_back(l.substr(boxPrefix.size()));
    }
}

}  // namespace

std::string ProgramRun::line(const std::string& prefix) const {
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) return l;
    return "";
}

int ProgramRun::count(const std::string& prefix) const {
    return countPrefixed(lines, prefix);
}

std::string ProgramRun::shown(int id) const {
    std::string prefix = printed(id) + " ";
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) return l.substr(prefix.size());
    return "(not printed)";
}

int ProgramRun::boxes(const std::string& prefix) const {
    return countPrefixed(messageBoxes, prefix);
}

ProgramRun runProgramWith(const std::string& program, const TempFolder& folder,
                          const std::string& arguments, const std::string& environment) {
    std::string command = "cd '" + folder.dir() + "' && LIBGL_ALWAYS_SOFTWARE=1 " + environment +
                          " '" + program + "' " + arguments +
                          " > program-out.txt 2> program-err.txt";
    int status = system(command.c_str());
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFileBytes(folder.path("program-out.txt"));
    run.err = readFileBytes(folder.path("program-err.txt"));
    unlink(folder.path("program-out.txt").c_str());
    unlink(folder.path("program-err.txt").c_str());
    splitOutput(&run);
    return run;
}

ProgramRun runProgram(const std::string& program, const TempFolder& folder,
                      const std::string& script, const std::string& environment) {
    std::string scriptPath = folder.path("user.script");
    std::ofstream(scriptPath) << script;
    return runProgramWith(program, folder, "--ui-script '" + scriptPath + "'", environment);
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool fileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}
