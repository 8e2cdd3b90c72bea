// Tokenising both .x encodings into one stream.
#include "xfile_tokens.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace d3d9 {
namespace {

void addNumber(XTokens* out, double value) {
    if (out->tokens.empty() || out->tokens.back().kind != XToken::Numbers)
        out->tokens.push_back(XToken{XToken::Numbers, {}, out->numbers.size(), 0});
    out->numbers.push_back(value);
    ++out->tokens.back().count;
}

void addToken(XTokens* out, XToken::Kind kind, std::string text = std::string()) {
    out->tokens.push_back(XToken{kind, std::move(text), 0, 0});
}

bool readDword(const uint8_t* b, size_t size, size_t* at, uint32_t* value) {
    if (size - *at < 4) return false;
    std::memcpy(value, b + *at, 4);
    *at += 4;
    return true;
}

// One numeric list: 32-bit integers, or floats of the header's width.
bool readList(const uint8_t* b, size_t size, size_t* at, size_t width, bool integers,
              XTokens* out) {
    uint32_t n = 0;
    if (!readDword(b, size, at, &n) || (size - *at) / width < n) return false;
    for (uint32_t i = 0; i < n; ++i, *at += width) {
        uint32_t u = 0;
        float f = 0;
        double d = 0;
        if (integers) {
            std::memcpy(&u, b + *at, 4);
            d = u;
        } else if (width == 4) {
            std::memcpy(&f, b + *at, 4);
            d = f;
        } else {
            std::memcpy(&d, b + *at, 8);
        }
        addNumber(out, d);
    }
    return true;
}

// Binary: 16-bit tokens after the header. Names and strings carry a 32-bit
// length (a string is followed by its terminator token); lists a 32-bit count.
bool tokeniseBinary(const uint8_t* b, size_t size, size_t floatWidth, XTokens* out) {
    for (size_t at = 16; at < size;) {
        if (size - at < 2) return false;
        const uint16_t token = static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
        at += 2;
        uint32_t n = 0;
        if (token == 1 || token == 2) {
            if (!readDword(b, size, &at, &n) || size - at < n) return false;
            addToken(out, token == 1 ? XToken::Name : XToken::String,
                     std::string(reinterpret_cast<const char*>(b + at), n));
            at += n;
            if (token == 2) at = std::min(size, at + 2);
        } else if (token == 3) {
            if (!readDword(b, size, &at, &n)) return false;
            addNumber(out, n);
        } else if (token == 5) {
            if (size - at < 16) return false;
            at += 16;
        } else if (token == 6 || token == 7) {
            if (!readList(b, size, &at, token == 6 ? 4 : floatWidth, token == 6, out)) return false;
        } else if (token == 10 || token == 11) {
            addToken(out, token == 10 ? XToken::Open : XToken::Close);
        } else if (token == 31) {
            addToken(out, XToken::Name, "template");
        } else if (token < 12 || token > 52) {  // punctuation and type keywords carry nothing
            return false;
        }
    }
    return true;
}

bool startsName(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool inName(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
}
bool inNumber(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || std::strchr("+-.eE", c) != nullptr;
}

bool tokeniseText(const char* t, size_t size, XTokens* out) {
    for (size_t i = 16; i < size;) {
        const char c = t[i];
        size_t end = i + 1;
        if (c == '/' || c == '#') {
            while (end < size && t[end] != '\n') ++end;
        } else if (c == '"') {
            while (end < size && t[end] != '"') ++end;
            if (end >= size) return false;
            addToken(out, XToken::String, std::string(t + i + 1, t + end));
            ++end;
        } else if (c == '<') {
            while (end < size && t[end] != '>') ++end;
            ++end;
        } else if (c == '.' && end < size && t[end] == '.') {  // "[...]" of an open template
            while (end < size && t[end] == '.') ++end;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' ||
                   c == '.') {
            while (end < size && inNumber(t[end])) ++end;
            const std::string text(t + i, t + end);
            char* stop = nullptr;
            const double value = std::strtod(text.c_str(), &stop);
            if (stop != text.c_str() + text.size() || !std::isfinite(value)) return false;
            addNumber(out, value);
        } else if (startsName(c)) {
            while (end < size && inName(t[end])) ++end;
            addToken(out, XToken::Name, std::string(t + i, t + end));
        } else if (c == '{' || c == '}') {
            addToken(out, c == '{' ? XToken::Open : XToken::Close);
        } else if (!std::isspace(static_cast<unsigned char>(c)) && !std::strchr(";,[]", c)) {
            return false;
        }
        i = end;
    }
    return true;
}

}  // namespace

const char* tokeniseXFile(const uint8_t* bytes, size_t size, XTokens* out) {
    if (!bytes || size < 16 || std::memcmp(bytes, "xof ", 4) != 0) return "not a .x file";
    const std::string format(reinterpret_cast<const char*>(bytes) + 8, 4);
    const std::string width(reinterpret_cast<const char*>(bytes) + 12, 4);
    if (width != "0032" && width != "0064") return "unknown float size";
    if (format == "txt ")
        return tokeniseText(reinterpret_cast<const char*>(bytes), size, out) ? nullptr
                                                                             : "damaged text";
    if (format == "bin ")
        return tokeniseBinary(bytes, size, width == "0064" ? 8 : 4, out) ? nullptr
                                                                         : "damaged binary";
    return "compressed .x files are not read";
}

void XCursor::advance() {
    if (at_ < t_.tokens.size()) ++at_;
    inRun_ = 0;
}

bool XCursor::number(double* value) {
    if (!isNext(XToken::Numbers)) return false;
    const XToken& run = t_.tokens[at_];
    *value = t_.numbers[run.first + inRun_];
    ++consumed_;
    if (++inRun_ == run.count) advance();
    return true;
}

bool XCursor::count(size_t per, size_t* value) {
    double v = 0;
    // Counts and indices are DWORDs in the file format.
    if (!number(&v) || !(v >= 0 && v <= 4294967295.0) || v != std::floor(v)) return false;
    if (v * static_cast<double>(per) > static_cast<double>(t_.numbers.size() - consumed_))
        return false;
    *value = static_cast<size_t>(v);
    return true;
}

bool XCursor::numbers(size_t n, float* out) {
    double v = 0;
    for (size_t i = 0; i < n; ++i) {
        if (!number(&v)) return false;
        out[i] = static_cast<float>(v);
    }
    return true;
}

bool XCursor::skipBlock() {
    int depth = 1;
    while (depth > 0) {
        const XToken* token = peek();
        if (!token) return false;
        if (token->kind == XToken::Open) ++depth;
        if (token->kind == XToken::Close) --depth;
        advance();
    }
    return true;
}

}  // namespace d3d9
}  // namespace platform
