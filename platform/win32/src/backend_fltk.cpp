// The fltk back end is not built yet: without it a program needs --ui-script.
#include "backend.h"

namespace win32 {

std::unique_ptr<Backend> makeFltkBackend() {
    return nullptr;
}

}  // namespace win32
