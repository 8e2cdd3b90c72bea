// Calls the layer refuses (a render state it does not draw, a partial
// Present, a message a control does not implement) fail as Windows would,
// and the first refusal of each kind also says so on standard error, so a
// missing picture or a dead control has a visible cause.
#ifndef KELVANE_PLATFORM_REFUSAL_H
#define KELVANE_PLATFORM_REFUSAL_H

#include <string>

namespace platform {

// kind names what was refused (a call, with the state or message where that
// is what the layer lacks); call is the whole call with its values. Prints
// "LAYER: refused CALL" once per kind and process.
void reportRefusal(const char* layer, const std::string& kind, const std::string& call);

// Every kind counts as not yet said again: for tests, which share a process.
void forgetReportedRefusals();

}  // namespace platform

#endif
