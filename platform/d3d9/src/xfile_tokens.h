// The token stream of a .x file, the same for the text and the binary
// encoding: names, strings, runs of numbers and braces. Separators carry no
// meaning once numbers are grouped, so they are dropped; GUIDs likewise.
#ifndef KELVANE_D3D9_XFILE_TOKENS_H
#define KELVANE_D3D9_XFILE_TOKENS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace d3d9 {

struct XToken {
    enum Kind { Name, String, Numbers, Open, Close } kind;
    std::string text;  // Name, String
    size_t first = 0;  // Numbers: the run's place in XTokens::numbers
    size_t count = 0;
};

struct XTokens {
    std::vector<XToken> tokens;
    std::vector<double> numbers;
};

// Null on success, else why the bytes are not a .x file the layer reads
// (compressed encodings are not read).
const char* tokeniseXFile(const uint8_t* bytes, size_t size, XTokens* out);

// Reads tokens in order, numbers one at a time across runs.
class XCursor {
public:
    explicit XCursor(const XTokens& tokens) : t_(tokens) {}
    const XToken* peek() const { return at_ < t_.tokens.size() ? &t_.tokens[at_] : nullptr; }
    bool isNext(XToken::Kind kind) const { return peek() && peek()->kind == kind; }
    void advance();
    bool number(double* value);
    // A whole number that the rest of the file can back `per` numbers for.
    bool count(size_t per, size_t* value);
    bool numbers(size_t n, float* out);
    size_t tokenCount() const { return t_.tokens.size(); }
    // Skips to just past the brace that closes the one just opened.
    bool skipBlock();

private:
    const XTokens& t_;
    size_t at_ = 0;
    size_t inRun_ = 0;
    size_t consumed_ = 0;
};

}  // namespace d3d9
}  // namespace platform

#endif
