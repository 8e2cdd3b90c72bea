// The resource compiler's model of an .rc file and its three stages: read
// (tokens with #include and #define done), parse (dialogs, icons and
// accelerator tables), write
// (the C++ tables of platform/resource_table.h). Only the statements the
// programs' resource files use are known; anything else is an error with
// its file and line.
#ifndef KELVANE_RC_SCRIPT_H
#define KELVANE_RC_SCRIPT_H

#include <stdint.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rc {

struct Error {
    std::string file;
    int line = 0;
    std::string reason;
    std::string text() const { return file + ":" + std::to_string(line) + ": " + reason; }
};

enum class TokenKind { Name, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // name, string contents, or the punctuation character
    int64_t number = 0;
    std::string file;
    int line = 0;
};

struct Control {
    std::string className;
    std::string text;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
};

struct Dialog {
    int id = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    bool hasFont = false;
    std::string fontFace;
    int fontPointSize = 0;
    std::vector<Control> controls;
};

struct IconEntry {
    int id = 0;
    std::string fileName;
    std::string rcFile;
    int line = 0;
};

// One entry of an ACCELERATORS table, as ACCEL holds it.
struct Accelerator {
    uint8_t flags = 0;  // FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT
    uint16_t key = 0;
    uint16_t command = 0;
};

struct AcceleratorTable {
    int id = 0;
    std::vector<Accelerator> entries;
};

struct Script {
    std::vector<Dialog> dialogs;
    std::vector<IconEntry> icons;
    std::vector<AcceleratorTable> accelerators;
};

// Reads an included file's text; false when it cannot be found.
using IncludeReader =
    std::function<bool(const std::string& name, std::string* text, std::string* path)>;

// The SDK's constants that resource files may name (WS_*, DS_*, ES_*, ...).
const std::map<std::string, int64_t>& builtinSymbols();

// Tokens of an .rc file with the preprocessor lines carried out: #include
// of a header (whose #define lines add symbols) and #define itself.
bool readTokens(const std::string& fileName, const std::string& text, const IncludeReader& include,
                std::vector<Token>* tokens, std::map<std::string, int64_t>* symbols, Error* error);

bool parseScript(const std::vector<Token>& tokens, const std::map<std::string, int64_t>& symbols,
                 Script* script, Error* error);

// One call for the three steps above but writing.
bool compileScript(const std::string& fileName, const std::string& text,
                   const IncludeReader& include, Script* script, Error* error);

// The generated C++ source; icon bytes by resource id.
std::string writeTables(const Script& script,
                        const std::map<int, std::vector<unsigned char>>& iconBytes,
                        const std::string& sourceName);

}  // namespace rc

#endif
