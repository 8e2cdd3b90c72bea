// The call-trace sink.
#include "platform/d3d9_trace.h"

#include "trace.h"

namespace platform {
namespace d3d9 {
std::vector<std::string>* traceSink = nullptr;

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
    if (traceSink) traceSink->push_back(std::move(line));
}

void traceCall(std::string call, long result) {
    if (!traceSink) return;
    if (result < 0) call += " -> FAILED";
    traceSink->push_back(std::move(call));
}

}  // namespace d3d9
}  // namespace platform
