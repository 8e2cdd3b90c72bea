// Writing trace lines; the format is described in platform/d3d9_trace.h.
#ifndef KELVANE_D3D9_TRACE_H
#define KELVANE_D3D9_TRACE_H

#include <string>

namespace platform {
namespace d3d9 {

bool tracing();
void traceLine(std::string line);
// Traces a finished call, marking failures.
void traceCall(std::string call, long result);

}  // namespace d3d9
}  // namespace platform

#endif
