// Scripted-user files on arbitrary bytes: every line is parsed and then
// played against a dialog with no controls, so each action's failure path
// runs too.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "platform/headless.h"
#include "platform/resource_table.h"
#include "platform/ui_script.h"

namespace {

const platform::DialogResource kEmpty = {1,  0x80C00000u, 0,       0, 0,       100,
                                         50, "Empty",     nullptr, 0, nullptr, 0};
const platform::ResourceTable kTable = {&kEmpty, 1, nullptr, 0, nullptr, 0};
[[maybe_unused]] const bool registered = platform::registerResources(&kTable);

INT_PTR CALLBACK ignoreAll(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::headless::reset();
    platform::queueUiScript(std::string(reinterpret_cast<const char*>(data), size));
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(1), nullptr, ignoreAll, 0);
    platform::headless::reset();
    return 0;
}
