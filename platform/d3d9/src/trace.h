// Writing trace lines; the format is described in platform/d3d9_trace.h.
#ifndef KELVANE_D3D9_TRACE_H
#define KELVANE_D3D9_TRACE_H

#include <stdio.h>

#include <string>
#include <vector>

namespace platform {
namespace d3d9 {

// Where trace lines go; null when nothing traces.
extern std::vector<std::string>* traceSink;
// The file KELVANE_D3D_TRACE names, written as well; null without one.
extern FILE* traceFile;
// Asked on every call before a trace line is built, so kept inline.
inline bool tracing() {
    return traceSink != nullptr || traceFile != nullptr;
}
// Opens the file KELVANE_D3D_TRACE names (once per process) for anyone
// debugging a picture; says on stderr when it cannot.
void startTraceFileFromEnvironment();
void traceLine(std::string line);
// Traces a finished call, marking failures.
void traceCall(std::string call, long result);

}  // namespace d3d9
}  // namespace platform

#endif
