#include "car_number.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

std::size_t skipDigits(const char* text, std::size_t at) {
    while (std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
    return at;
}

// The longest prefix that is a decimal number by the rules above, copied
// out so that words like "inf" or "0x10", which the C library would also
// read, count only as far as those rules go.
std::string numberPrefix(const char* text) {
    std::size_t at = 0;
    while (std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    std::size_t start = at;
    if (text[at] == '+' || text[at] == '-') ++at;
    std::size_t intEnd = skipDigits(text, at);
    std::size_t end = intEnd;
    bool digits = intEnd > at;
    if (text[end] == '.') {
        std::size_t fracEnd = skipDigits(text, end + 1);
        digits = digits || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!digits) return std::string();
    if (text[end] == 'e' || text[end] == 'E') {
        std::size_t exp = end + 1;
        if (text[exp] == '+' || text[exp] == '-') ++exp;
        std::size_t expEnd = skipDigits(text, exp);
        if (expEnd > exp) end = expEnd;
    }
    return std::string(text + start, end - start);
}

}  // namespace

float carNumberFromText(const char* text) {
    std::string number = numberPrefix(text ? text : "");
    if (number.empty()) return 0.0f;
    double value = std::strtod(number.c_str(), nullptr);
    // Halfway between FLT_MAX and the next power of two and beyond, rounding
    // to nearest gives infinity; the cast itself is only defined below that.
    const double overflow = 0x1.ffffffp+127;
    if (value >= overflow) return HUGE_VALF;
    if (value <= -overflow) return -HUGE_VALF;
    return static_cast<float>(value);
}
