// The back end in use: headless unless the program's entry chose another.
#include "backend.h"

namespace win32 {

static std::unique_ptr<Backend>& current() {
    static std::unique_ptr<Backend> chosen;
    return chosen;
}

Backend& backend() {
    if (!current()) current() = makeHeadlessBackend();
    return *current();
}

void setBackend(std::unique_ptr<Backend> chosen) {
    current() = std::move(chosen);
}

}  // namespace win32
