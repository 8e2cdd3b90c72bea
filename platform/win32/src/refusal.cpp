// The once-per-kind report of refused calls, for both halves of the layer,
// and the window core's check for control messages nobody implements.
#include "platform/refusal.h"

#include <stdio.h>

#include <mutex>
#include <set>

#include "window.h"

namespace platform {

namespace {

std::mutex guard;
std::set<std::string> reported;

}  // namespace

void reportRefusal(const char* layer, const std::string& kind, const std::string& call) {
    std::lock_guard<std::mutex> lock(guard);
    if (!reported.insert(std::string(layer) + ":" + kind).second) return;
    fprintf(stderr, "%s: refused %s\n", layer, call.c_str());
}

void forgetReportedRefusals() {
    std::lock_guard<std::mutex> lock(guard);
    reported.clear();
}

}  // namespace platform

namespace win32 {
namespace {

// The class messages of the standard controls (EM_*, BM_*, CB_*, STM_*,
// LB_*) and the private range: a control that passes one of these on to
// the default procedure does not implement it.
bool isControlMessage(UINT message) {
    return (message >= 0x00B0 && message <= 0x00FF) || (message >= 0x0140 && message <= 0x01BF) ||
           message >= WM_USER;
}

const char* className(WindowKind kind) {
    switch (kind) {
        case WindowKind::Edit:
            return "EDIT";
        case WindowKind::Button:
            return "BUTTON";
        case WindowKind::ComboBox:
            return "COMBOBOX";
        case WindowKind::Static:
            return "STATIC";
        default:
            return nullptr;
    }
}

std::string hex(unsigned long value) {
    char text[24];
    snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

}  // namespace

void noteUnhandledMessage(const Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    const char* control = className(window->kind);
    if (!control || !isControlMessage(message)) return;
    std::string kind = std::string(control) + " message " + hex(message);
    platform::reportRefusal("win32", kind,
                            "SendMessageA(" + std::string(control) + " " +
                                std::to_string(window->id) + ", " + hex(message) + ", " +
                                hex(static_cast<unsigned long>(wParam)) + ", " +
                                hex(static_cast<unsigned long>(lParam)) +
                                "): the control does not implement this message");
}

}  // namespace win32
