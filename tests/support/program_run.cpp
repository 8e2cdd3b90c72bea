#include "program_run.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace {

// Where the headless back end records each message box it shows, ended by
// a NUL, in the run's folder.
const char kBoxLog[] = "message-boxes.log";

int countPrefixed(const std::vector<std::string>& lines, const std::string& prefix) {
    int n = 0;
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
}

void splitOutput(ProgramRun* run) {
    std::istringstream text(run->out);
    for (std::string l; std::getline(text, l);) run->lines.push_back(l);
}

std::vector<std::string> splitBoxes(const std::string& log) {
    std::vector<std::string> boxes;
    for (size_t start = 0, end; (end = log.find('\0', start)) != std::string::npos;
         start = end + 1)
        boxes.push_back(log.substr(start, end - start));
    return boxes;
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

std::string ProgramRun::box(const std::string& prefix) const {
    for (const std::string& b : messageBoxes)
        if (b.compare(0, prefix.size(), prefix) == 0) return b;
    return "";
}

ProgramRun runProgramWith(const std::string& program, const TempFolder& folder,
                          const std::string& arguments, const std::string& environment) {
    const std::string boxLog = folder.path(kBoxLog);
    unlink(boxLog.c_str());
    std::string command = "cd '" + folder.dir() + "' && LIBGL_ALWAYS_SOFTWARE=1 " +
                          "KELVANE_MESSAGE_BOX_LOG='" + boxLog + "' " + environment + " '" +
                          program + "' " + arguments + " > program-out.txt 2> program-err.txt";
    int status = system(command.c_str());
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFileBytes(folder.path("program-out.txt"));
    run.err = readFileBytes(folder.path("program-err.txt"));
    unlink(folder.path("program-out.txt").c_str());
    unlink(folder.path("program-err.txt").c_str());
    splitOutput(&run);
    run.messageBoxes = splitBoxes(readFileBytes(boxLog));
    unlink(boxLog.c_str());
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
