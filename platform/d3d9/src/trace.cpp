// The call-trace sinks: the lines a test collects, and a file for people.
#include "platform/d3d9_trace.h"

#include <stdlib.h>

#include "trace.h"

namespace platform {
namespace d3d9 {
std::vector<std::string>* traceSink = nullptr;
FILE* traceFile = nullptr;

namespace {

void closeTraceFile() {
    if (traceFile) fclose(traceFile);
    traceFile = nullptr;
}

void writeToFile(const std::string& line) {
    if (!traceFile) return;
    fputs(line.c_str(), traceFile);
    fputc('\n', traceFile);
}

}  // namespace

void startTraceFileFromEnvironment() {
    static bool started = false;
    if (started) return;
    started = true;
    const char* path = getenv("KELVANE_D3D_TRACE");
    if (!path || !*path) return;
    traceFile = fopen(path, "w");
    if (!traceFile) {
        fprintf(stderr, "d3d9: cannot write the call trace to %s\n", path);
        return;
    }
    // Line by line, so a trace is complete up to a crash.
    setvbuf(traceFile, nullptr, _IOLBF, 0);
    atexit(closeTraceFile);
}

void setCallTrace(std::vector<std::string>* lines) {
    traceSink = lines;
}

TraceScope::TraceScope(std::vector<std::string>* lines) : previous_(traceSink) {
    traceSink = lines;
}

TraceScope::~TraceScope() {
    traceSink = previous_;
}

void traceLine(std::string line) {
    writeToFile(line);
    if (traceSink) traceSink->push_back(std::move(line));
}

void traceCall(std::string call, long result) {
    if (!tracing()) return;
    if (result < 0) call += " -> FAILED";
    traceLine(std::move(call));
}

}  // namespace d3d9
}  // namespace platform
