#include "command_line.h"

#include <cstring>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool trackPathFromCommandLine(const char* commandLine, std::string* path) {
    path->clear();
    if (!commandLine) return false;
    const char* begin = commandLine;
    while (isBlank(*begin)) ++begin;
    const char* end = begin + std::strlen(begin);
    while (end > begin && isBlank(end[-1])) --end;
    if (begin < end && *begin == '"') {
        ++begin;
        const char* closing = static_cast<const char*>(std::memchr(begin, '"', size_t(end - begin)));
        if (closing) end = closing;
    }
    path->assign(begin, end);
    return !path->empty();
}
