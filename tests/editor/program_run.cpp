#include "program_run.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

std::string ProgramRun::line(const std::string& prefix) const {
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) return l;
    return "";
}

int ProgramRun::count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
}

ProgramRun runKelvane(const TempFolder& folder, const std::string& script,
                      const std::string& environment, const std::string& arguments) {
    std::string scriptPath = folder.path("user.script");
    std::ofstream(scriptPath) << script;
    std::string command = "cd '" + folder.dir() + "' && LIBGL_ALWAYS_SOFTWARE=1 " + environment +
                          " '" KELVANE_PROGRAM "' --ui-script '" + scriptPath + "' " + arguments + " 2>&1";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream text(run.out);
    for (std::string l; std::getline(text, l);) run.lines.push_back(l);
    return run;
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
