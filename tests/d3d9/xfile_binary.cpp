// The binary .x encoding: a 16-byte header ("xof 0302bin 0032") and a stream
// of 16-bit tokens. Names and strings carry a 32-bit length; runs of numbers
// become integer or float lists with a 32-bit count. Separators between
// numbers are implied by the lists and left out.
#include "xfile_binary.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

enum : uint16_t {
    kName = 1,
    kString = 2,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kComma = 19,
    kSemicolon = 20,
};

class Encoder {
public:
    explicit Encoder(bool doubles) : doubles_(doubles) {}
    void word(uint16_t w) { put(&w, 2); }
    void dword(uint32_t d) { put(&d, 4); }
    void text(const std::string& s) { out_ += s; }
    void number(const std::string& token) {
        const bool isFloat = token.find('.') != std::string::npos;
        if (!numbers_.empty() && isFloat != floats_) flush();
        floats_ = isFloat;
        numbers_.push_back(token);
    }
    // Ends a pending run of numbers before any other token.
    void flush() {
        if (numbers_.empty()) return;
        word(floats_ ? kFloatList : kIntegerList);
        dword(static_cast<uint32_t>(numbers_.size()));
        for (const std::string& n : numbers_) {
            if (floats_ && doubles_) {
                const double d = std::strtod(n.c_str(), nullptr);
                put(&d, 8);
            } else if (floats_) {
                const float f = std::strtof(n.c_str(), nullptr);
                put(&f, 4);
            } else {
                dword(static_cast<uint32_t>(std::strtol(n.c_str(), nullptr, 10)));
            }
        }
        numbers_.clear();
    }
    const std::string& bytes() const { return out_; }

private:
    void put(const void* p, size_t n) { out_.append(static_cast<const char*>(p), n); }
    std::string out_;
    std::vector<std::string> numbers_;
    bool floats_ = false;
    bool doubles_;
};

size_t skipComment(const std::string& t, size_t i) {
    while (i < t.size() && t[i] != '\n') ++i;
    return i;
}

}  // namespace

std::string binaryXFromText(const std::string& text, bool doubles) {
    const std::string header = "xof 0302txt 0032";
    if (text.compare(0, header.size(), header) != 0) return std::string();
    Encoder e(doubles);
    e.text(doubles ? "xof 0302bin 0064" : "xof 0302bin 0032");
    bool afterString = false;
    for (size_t i = header.size(); i < text.size();) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '/' || c == '#') {
            i = skipComment(text, i);
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t end = i;
            while (end < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
                ++end;
            e.flush();
            e.word(kName);
            e.dword(static_cast<uint32_t>(end - i));
            e.text(text.substr(i, end - i));
            i = end;
        } else if (c == '"') {
            const size_t end = text.find('"', i + 1);
            if (end == std::string::npos) return std::string();
            e.flush();
            e.word(kString);
            e.dword(static_cast<uint32_t>(end - i - 1));
            e.text(text.substr(i + 1, end - i - 1));
            afterString = true;
            i = end + 1;
            continue;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') {
            size_t end = i + 1;
            while (end < text.size() &&
                   (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.'))
                ++end;
            e.number(text.substr(i, end - i));
            i = end;
        } else if (c == '{' || c == '}') {
            e.flush();
            e.word(c == '{' ? kOpenBrace : kCloseBrace);
            ++i;
        } else if (c == ';' || c == ',') {
            if (afterString) e.word(c == ';' ? kSemicolon : kComma);  // a string's terminator
            ++i;
        } else {
            return std::string();
        }
        afterString = false;
    }
    e.flush();
    return e.bytes();
}

std::string readTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
