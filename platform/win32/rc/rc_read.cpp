// Reading an .rc file into tokens: comments, strings with the rc escapes,
// numbers with an optional L or U suffix, and the preprocessor lines the
// resource files use (#include "header" and #define NAME value). Any other
// directive is an error.
#include <ctype.h>

#include <set>

#include "rc_script.h"

namespace rc {
namespace {

const int kMaxIncludeDepth = 8;
const int kMaxNesting = 32;

struct Reader {
    std::string file;
    const std::string& text;
    size_t pos = 0;
    int line = 1;
    const IncludeReader& include;
    std::vector<Token>* tokens;
    std::map<std::string, int64_t>* symbols;
    Error* error;
    int depth;
    std::set<std::string>* flags;
    std::vector<bool> conditions;  // one per open #ifdef/#ifndef

    bool active() const {
        for (bool on : conditions)
            if (!on) return false;
        return true;
    }

    bool fail(const std::string& reason) {
        *error = Error{file, line, reason};
        return false;
    }
    char peek(size_t ahead = 0) const {
        return pos + ahead < text.size() ? text[pos + ahead] : '\0';
    }
};

bool readNumber(Reader& r, Token* token) {
    size_t start = r.pos;
    int base = 10;
    if (r.peek() == '0' && (r.peek(1) == 'x' || r.peek(1) == 'X')) {
        base = 16;
        r.pos += 2;
    }
    int64_t value = 0;
    size_t digits = 0;
    while (isxdigit(static_cast<unsigned char>(r.peek())) &&
           (base == 16 || isdigit(static_cast<unsigned char>(r.peek())))) {
        char c = static_cast<char>(tolower(r.peek()));
        value = value * base + (isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'a' + 10);
        if (value > 0xFFFFFFFFll)
            return r.fail("number " + r.text.substr(start, r.pos - start + 1) + "... is too large");
        ++r.pos;
        ++digits;
    }
    if (!digits) return r.fail("malformed number");
    while (r.peek() == 'L' || r.peek() == 'l' || r.peek() == 'U' || r.peek() == 'u') ++r.pos;
    if (isalnum(static_cast<unsigned char>(r.peek())) || r.peek() == '_')
        return r.fail("malformed number");
    token->kind = TokenKind::Number;
    token->number = value;
    return true;
}

bool readString(Reader& r, Token* token) {
    ++r.pos;
    std::string value;
    for (;;) {
        char c = r.peek();
        if (c == '\0' || c == '\n') return r.fail("string is not closed on its line");
        ++r.pos;
        if (c == '"') {
            if (r.peek() != '"') break;
            ++r.pos;  // "" stands for one quote
        } else if (c == '\\') {
            char e = r.peek();
            ++r.pos;
            c = e == 'n' ? '\n' : e == 't' ? '\t' : e == '\\' ? '\\' : e == '"' ? '"' : '\0';
            if (!c) return r.fail(std::string("unknown escape \\") + e);
        }
        value += c;
    }
    token->kind = TokenKind::String;
    token->text = value;
    return true;
}

std::string restOfLine(Reader& r) {
    size_t end = r.text.find('\n', r.pos);
    if (end == std::string::npos) end = r.text.size();
    std::string rest = r.text.substr(r.pos, end - r.pos);
    r.pos = end;
    if (!rest.empty() && rest.back() == '\r') rest.pop_back();
    return rest;
}

bool readFile(const std::string& file, const std::string& text, const IncludeReader& include,
              int depth, std::vector<Token>* tokens, std::map<std::string, int64_t>* symbols,
              std::set<std::string>* flags, Error* error);

// The value of a #define: a number or a known name, with unary minus,
// parentheses and '|'.
bool defineValue(const std::vector<Token>& t, size_t* i,
                 const std::map<std::string, int64_t>& symbols, int64_t* value, int depth = 0) {
    if (*i >= t.size() || depth > kMaxNesting) return false;
    const Token& token = t[*i];
    ++*i;
    if (token.kind == TokenKind::Punct && token.text == "-") {
        if (!defineValue(t, i, symbols, value, depth + 1)) return false;
        *value = -*value;
    } else if (token.kind == TokenKind::Punct && token.text == "(") {
        if (!defineValue(t, i, symbols, value, depth + 1)) return false;
        while (*i < t.size() && t[*i].text == "|" && t[*i].kind == TokenKind::Punct) {
            int64_t next;
            ++*i;
            if (!defineValue(t, i, symbols, &next, depth + 1)) return false;
            *value |= next;
        }
        if (*i >= t.size() || t[*i].text != ")") return false;
        ++*i;
    } else if (token.kind == TokenKind::Number) {
        *value = token.number;
    } else if (token.kind == TokenKind::Name && symbols.count(token.text)) {
        *value = symbols.at(token.text);
    } else {
        return false;
    }
    return true;
}

// #define NAME value, or #define NAME alone (an include guard).
bool defineSymbol(Reader& r, const std::string& body) {
    std::vector<Token> valueTokens;
    std::map<std::string, int64_t> unusedSymbols;
    std::set<std::string> unusedFlags;
    Error inner;
    if (!readFile(r.file, body, r.include, r.depth, &valueTokens, &unusedSymbols, &unusedFlags,
                  &inner))
        return r.fail(inner.reason);
    if (valueTokens.empty() || valueTokens[0].kind != TokenKind::Name)
        return r.fail("#define needs a name");
    std::string name = valueTokens[0].text;
    if (valueTokens.size() == 1) {
        r.flags->insert(name);
        return true;
    }
    size_t i = 1;
    int64_t value;
    if (!defineValue(valueTokens, &i, *r.symbols, &value) || i != valueTokens.size())
        return r.fail("#define " + name + " needs one number");
    auto known = r.symbols->find(name);
    if (known != r.symbols->end() && known->second != value)
        return r.fail(name + " is defined again with another value");
    (*r.symbols)[name] = value;
    return true;
}

bool includeFile(Reader& r, const std::string& body) {
    size_t open = body.find_first_of("\"<");
    char close = open != std::string::npos && body[open] == '<' ? '>' : '"';
    size_t end = open == std::string::npos ? std::string::npos : body.find(close, open + 1);
    if (end == std::string::npos) return r.fail("#include needs a \"file\"");
    std::string name = body.substr(open + 1, end - open - 1);
    // The SDK headers' constants are built in.
    if (name == "windows.h" || name == "winres.h" || name == "winuser.h" || name == "commctrl.h")
        return true;
    if (r.depth >= kMaxIncludeDepth) return r.fail("#include nested too deeply");
    std::string text, path;
    if (!r.include(name, &text, &path)) return r.fail("cannot open included file " + name);
    return readFile(path, text, r.include, r.depth + 1, r.tokens, r.symbols, r.flags, r.error);
}

bool directive(Reader& r) {
    ++r.pos;
    std::string line = restOfLine(r);
    size_t start = line.find_first_not_of(" \t");
    size_t stop = line.find_first_of(" \t", start);
    std::string word = start == std::string::npos ? "" : line.substr(start, stop - start);
    std::string body = stop == std::string::npos ? "" : line.substr(stop);
    if (word == "ifdef" || word == "ifndef") {
        size_t at = body.find_first_not_of(" \t");
        std::string name =
            at == std::string::npos ? "" : body.substr(at, body.find_first_of(" \t", at) - at);
        if (name.empty()) return r.fail("#" + word + " needs a name");
        bool defined = r.symbols->count(name) || r.flags->count(name);
        r.conditions.push_back(r.active() && (word == "ifdef") == defined);
        return true;
    }
    if (word == "endif") {
        if (r.conditions.empty()) return r.fail("#endif without #if");
        r.conditions.pop_back();
        return true;
    }
    if (!r.active()) return true;
    if (word == "include") return includeFile(r, body);
    if (word == "define") return defineSymbol(r, body);
    return r.fail("unsupported preprocessor directive #" + word);
}

bool skipSpaceAndComments(Reader& r, bool* atLineStart) {
    for (;;) {
        char c = r.peek();
        if (c == '\n') {
            ++r.line;
            ++r.pos;
            *atLineStart = true;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
            ++r.pos;
        } else if (c == '/' && r.peek(1) == '/') {
            restOfLine(r);
        } else if (c == '/' && r.peek(1) == '*') {
            size_t end = r.text.find("*/", r.pos + 2);
            if (end == std::string::npos) return r.fail("comment is not closed");
            for (size_t i = r.pos; i < end; ++i) r.line += r.text[i] == '\n';
            r.pos = end + 2;
        } else {
            return true;
        }
    }
}

bool readToken(Reader& r) {
    Token token;
    token.file = r.file;
    token.line = r.line;
    char c = r.peek();
    if (isdigit(static_cast<unsigned char>(c))) {
        if (!readNumber(r, &token)) return false;
    } else if (c == '"') {
        if (!readString(r, &token)) return false;
    } else if (isalpha(static_cast<unsigned char>(c)) || c == '_') {
        size_t start = r.pos;
        while (isalnum(static_cast<unsigned char>(r.peek())) || r.peek() == '_') ++r.pos;
        token.kind = TokenKind::Name;
        token.text = r.text.substr(start, r.pos - start);
    } else if (std::string(",|(){}-+").find(c) != std::string::npos) {
        token.kind = TokenKind::Punct;
        token.text = std::string(1, c);
        ++r.pos;
    } else {
        return r.fail(std::string("unexpected character '") +
                      (isprint(static_cast<unsigned char>(c)) ? std::string(1, c) : "?") + "'");
    }
    r.tokens->push_back(token);
    return true;
}

bool readFile(const std::string& file, const std::string& text, const IncludeReader& include,
              int depth, std::vector<Token>* tokens, std::map<std::string, int64_t>* symbols,
              std::set<std::string>* flags, Error* error) {
    Reader r{file, text, 0, 1, include, tokens, symbols, error, depth, flags, {}};
    bool atLineStart = true;
    for (;;) {
        if (!skipSpaceAndComments(r, &atLineStart)) return false;
        if (r.pos >= text.size())
            return r.conditions.empty() || r.fail("#ifdef or #ifndef without #endif");
        if (r.peek() == '#') {
            if (!atLineStart) return r.fail("'#' must start its line");
            if (!directive(r)) return false;
            continue;
        }
        atLineStart = false;
        size_t before = r.tokens->size();
        if (!readToken(r)) return false;
        if (!r.active()) r.tokens->resize(before);
    }
}

}  // namespace

bool readTokens(const std::string& fileName, const std::string& text, const IncludeReader& include,
                std::vector<Token>* tokens, std::map<std::string, int64_t>* symbols, Error* error) {
    std::set<std::string> flags;
    return readFile(fileName, text, include, 0, tokens, symbols, &flags, error);
}

}  // namespace rc
