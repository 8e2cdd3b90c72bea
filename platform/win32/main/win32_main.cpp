// The process entry of a program written as a Windows GUI program: picks the
// window back end and calls the program's WinMain. With --ui-script FILE the
// program runs headless and the file plays the user; otherwise it needs a
// display.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <sstream>
#include <string>

#include "../src/backend.h"
#include "platform/headless.h"
#include "platform/ui_script.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

namespace {

// A line of the script that cannot be carried out ends the program with 3.
const int kScriptFailureExit = 3;
const int SW_SHOWNORMAL_VALUE = 1;

std::string programName(const char* argv0) {
    const char* slash = strrchr(argv0, '/');
    return slash ? slash + 1 : argv0;
}

bool startScript(const std::string& program, const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        fprintf(stderr, "%s: cannot read the ui script %s\n", program.c_str(), path);
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    win32::setBackend(win32::makeHeadlessBackend());
    platform::headless::setFailureHandler([](int line, const std::string& reason) {
        fflush(stdout);
        fprintf(stderr, "ui-script:%d: %s\n", line, reason.c_str());
        exit(kScriptFailureExit);
    });
    platform::queueUiScript(text.str());
    return true;
}

bool startDisplay(const std::string& program) {
    const char* display = getenv("DISPLAY");
    if (!display || !*display) {
        fprintf(stderr,
                "%s: no display (DISPLAY is not set); use --ui-script FILE to run without one\n",
                program.c_str());
        return false;
    }
    std::unique_ptr<win32::Backend> fltk = win32::makeFltkBackend();
    if (!fltk) {
        fprintf(stderr, "%s: cannot open the display %s\n", program.c_str(), display);
        return false;
    }
    win32::setBackend(std::move(fltk));
    return true;
}

// One argument as Windows puts it into a command line: quoted when it holds
// a blank or is empty, with quotes and the backslashes before them escaped,
// so the program sees the same lpCmdLine it would get on Windows.
std::string quotedArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    std::string program = programName(argv[0]);
    const char* script = nullptr;
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--ui-script") == 0 && i + 1 < argc) {
            script = argv[++i];
        } else {
            if (!commandLine.empty()) commandLine += ' ';
            commandLine += quotedArgument(argv[i]);
        }
    }
    if (script ? !startScript(program, script) : !startDisplay(program)) return script ? 2 : 1;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
    int result = WinMain(instance, nullptr, &commandLine[0], SW_SHOWNORMAL_VALUE);
    if (script && platform::headless::queuedActionCount() > 0) {
        fprintf(stderr, "ui-script:%d: no dialog is open\n", platform::headless::nextQueuedLine());
        return kScriptFailureExit;
    }
    return result;
}
