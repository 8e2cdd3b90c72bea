// Parsing the tokens of an .rc file: DIALOG and DIALOGEX templates with
// STYLE, EXSTYLE, CAPTION and FONT, the control statements the programs use,
// and ICON resources. Control statements start from the styles Microsoft's
// resource compiler documents for them; a style expression ORs its terms
// into that start and NOT clears bits from it.
#include <windows.h>

#include <ctype.h>

#include <set>

#include "rc_script.h"

namespace rc {
namespace {

const int64_t kControlBase = WS_CHILD | WS_VISIBLE;
const int kMaxNesting = 32;

struct ControlKind {
    const char* keyword;
    const char* className;
    int64_t defaultStyle;
    int64_t typeMask;  // the bits that say which kind of control of the class it is
    bool hasText;
};

// A style given in the statement adds to the default, except that a kind
// it names (CBS_DROPDOWNLIST for a COMBOBOX) replaces the default kind.
const ControlKind kControls[] = {
    {"LTEXT", "STATIC", SS_LEFT | WS_GROUP, SS_TYPEMASK, true},
    {"RTEXT", "STATIC", SS_RIGHT | WS_GROUP, SS_TYPEMASK, true},
    {"CTEXT", "STATIC", SS_CENTER | WS_GROUP, SS_TYPEMASK, true},
    {"PUSHBUTTON", "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, true},
    {"DEFPUSHBUTTON", "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, true},
    {"GROUPBOX", "BUTTON", BS_GROUPBOX, 0, true},
    {"AUTORADIOBUTTON", "BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, true},
    {"AUTOCHECKBOX", "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, true},
    {"EDITTEXT", "EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP, ES_CENTER | ES_RIGHT, false},
    {"COMBOBOX", "COMBOBOX", CBS_SIMPLE | WS_TABSTOP, CBS_DROPDOWNLIST, false},
};

const std::set<std::string> kMemoryOptions = {"DISCARDABLE", "MOVEABLE",   "PURE", "IMPURE",
                                              "PRELOAD",     "LOADONCALL", "FIXED"};

class Parser {
public:
    Parser(const std::vector<Token>& tokens, const std::map<std::string, int64_t>& symbols,
           Error* error)
        : tokens_(tokens), symbols_(symbols), error_(error) {}

    bool script(Script* out);

private:
    const std::vector<Token>& tokens_;
    const std::map<std::string, int64_t>& symbols_;
    Error* error_;
    size_t pos_ = 0;
    int nesting_ = 0;  // of parentheses and signs, bounded so no input can exhaust the stack

    const Token& peek() const {
        static const Token end;
        return pos_ < tokens_.size() ? tokens_[pos_] : end;
    }
    bool fail(const std::string& reason) {
        const Token& at =
            pos_ < tokens_.size() ? tokens_[pos_] : (tokens_.empty() ? peek() : tokens_.back());
        *error_ = Error{at.file, at.line, reason};
        return false;
    }
    // Errors found once an accelerator entry is read belong to its first line.
    size_t entryStart_ = 0;
    bool failEntry(const std::string& reason) {
        pos_ = entryStart_;
        return fail(reason);
    }
    bool isPunct(const char* p) const {
        return peek().kind == TokenKind::Punct && peek().text == p;
    }
    bool isName(const char* n) const { return peek().kind == TokenKind::Name && peek().text == n; }
    bool expectComma() {
        if (!isPunct(",")) return fail("expected ','");
        ++pos_;
        return true;
    }
    bool optionalComma() {
        if (!isPunct(",")) return false;
        ++pos_;
        return true;
    }

    bool atom(int64_t* value);
    bool orExpression(int64_t* value);
    bool styleExpression(int64_t start, int64_t* value, int64_t* added = nullptr);
    bool integer(int* value);
    bool string(std::string* value);
    bool resourceId(int* id);
    bool rectangle(int* x, int* y, int* cx, int* cy);
    bool dialog(int id, bool extended, Script* out);
    bool dialogOption(Dialog* dialog);
    bool control(Dialog* dialog);
    bool genericControl(Dialog* dialog);
    bool icon(int id, Script* out);
    bool accelerators(int id, Script* out);
    bool accelerator(AcceleratorTable* table);
    bool acceleratorEvent(std::string* text, int64_t* number, bool* isText);
    bool acceleratorOptions(Accelerator* entry, bool* typed);
};

bool Parser::atom(int64_t* value) {
    struct Nesting {
        int& depth;
        explicit Nesting(int& d) : depth(++d) {}
        ~Nesting() { --depth; }
    } nesting(nesting_);
    if (nesting_ > kMaxNesting) return fail("expression nested too deeply");
    const Token& token = peek();
    if (isPunct("-") || isPunct("+")) {
        bool negative = isPunct("-");
        ++pos_;
        if (!atom(value)) return false;
        if (negative) *value = -*value;
        return true;
    }
    if (isPunct("(")) {
        ++pos_;
        if (!orExpression(value)) return false;
        if (!isPunct(")")) return fail("expected ')'");
        ++pos_;
        return true;
    }
    if (token.kind == TokenKind::Number) {
        *value = token.number;
        ++pos_;
        return true;
    }
    if (token.kind == TokenKind::Name) {
        auto found = symbols_.find(token.text);
        if (found == symbols_.end()) return fail(token.text + " is not defined");
        *value = found->second;
        ++pos_;
        return true;
    }
    return fail("expected a number");
}

bool Parser::orExpression(int64_t* value) {
    if (!atom(value)) return false;
    while (isPunct("|")) {
        ++pos_;
        int64_t next;
        if (!atom(&next)) return false;
        *value |= next;
    }
    return true;
}

bool Parser::styleExpression(int64_t start, int64_t* value, int64_t* added) {
    *value = start;
    int64_t ors = 0;
    for (bool more = true; more;) {
        bool negate = isName("NOT");
        if (negate) ++pos_;
        int64_t term;
        if (!atom(&term)) return false;
        *value = negate ? (*value & ~term) : (*value | term);
        if (!negate) ors |= term;
        more = isPunct("|");
        if (more) ++pos_;
    }
    if (added) *added = ors;
    return true;
}

bool Parser::integer(int* value) {
    int64_t wide;
    if (!orExpression(&wide)) return false;
    if (wide < -32768 || wide > 65535)
        return fail("value " + std::to_string(wide) + " is out of range");
    *value = static_cast<int>(wide);
    return true;
}

bool Parser::string(std::string* value) {
    if (peek().kind != TokenKind::String) return fail("expected a \"string\"");
    *value = peek().text;
    ++pos_;
    return true;
}

bool Parser::resourceId(int* id) {
    const Token& token = peek();
    if (token.kind == TokenKind::Name && !symbols_.count(token.text))
        return fail(token.text + " is not defined (resources are named by number)");
    if (!integer(id)) return false;
    if (*id < 1 || *id > 65535)
        return fail("resource id " + std::to_string(*id) + " is out of range");
    return true;
}

bool Parser::rectangle(int* x, int* y, int* cx, int* cy) {
    return integer(x) && expectComma() && integer(y) && expectComma() && integer(cx) &&
           expectComma() && integer(cy);
}

bool Parser::dialogOption(Dialog* dialog) {
    std::string word = peek().text;
    ++pos_;
    int64_t value;
    if (word == "STYLE") {
        if (!styleExpression(0, &value)) return false;
        dialog->style = static_cast<uint32_t>(value) | (dialog->style & (WS_CAPTION | DS_SETFONT));
        return true;
    }
    if (word == "EXSTYLE") {
        if (!styleExpression(0, &value)) return false;
        dialog->exStyle = static_cast<uint32_t>(value);
        return true;
    }
    if (word == "CAPTION") {
        dialog->style |= WS_CAPTION;
        return string(&dialog->caption);
    }
    if (word == "FONT") {
        dialog->style |= DS_SETFONT;
        dialog->hasFont = true;
        if (!integer(&dialog->fontPointSize) || !expectComma() || !string(&dialog->fontFace))
            return false;
        int ignored;  // weight, italic, charset of DIALOGEX
        while (optionalComma())
            if (!integer(&ignored)) return false;
        return true;
    }
    --pos_;
    return fail("unsupported dialog statement " + word);
}

bool Parser::dialog(int id, bool extended, Script* out) {
    Dialog dialog;
    dialog.id = id;
    dialog.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    if (!rectangle(&dialog.x, &dialog.y, &dialog.cx, &dialog.cy)) return false;
    int helpId;
    if (extended && optionalComma() && !integer(&helpId)) return false;
    bool styled = false;
    while (!isName("BEGIN") && !isPunct("{")) {
        if (peek().kind != TokenKind::Name) return fail("expected BEGIN");
        if (isName("STYLE") && !styled) {
            styled = true;
            dialog.style &= WS_CAPTION | DS_SETFONT;
        }
        if (!dialogOption(&dialog)) return false;
    }
    ++pos_;
    while (!isName("END") && !isPunct("}")) {
        if (peek().kind == TokenKind::End) return fail("dialog is not closed with END");
        if (!control(&dialog)) return false;
    }
    ++pos_;
    out->dialogs.push_back(dialog);
    return true;
}

bool Parser::control(Dialog* dialog) {
    if (isName("CONTROL")) return genericControl(dialog);
    const ControlKind* kind = nullptr;
    for (const ControlKind& k : kControls)
        if (isName(k.keyword)) kind = &k;
    if (!kind) return fail("unsupported control statement " + peek().text);
    ++pos_;
    Control control;
    control.className = kind->className;
    if (kind->hasText && !(string(&control.text) && expectComma())) return false;
    if (!integer(&control.id) || !expectComma() ||
        !rectangle(&control.x, &control.y, &control.cx, &control.cy))
        return false;
    int64_t style = kControlBase | kind->defaultStyle, exStyle = 0, added = 0;
    if (optionalComma() && !styleExpression(style, &style, &added)) return false;
    if (added & kind->typeMask) style = (style & ~kind->typeMask) | (added & kind->typeMask);
    if (optionalComma() && !styleExpression(0, &exStyle)) return false;
    control.style = static_cast<uint32_t>(style);
    control.exStyle = static_cast<uint32_t>(exStyle);
    dialog->controls.push_back(control);
    return true;
}

// CONTROL text, id, class, style, x, y, cx, cy [, exstyle]
bool Parser::genericControl(Dialog* dialog) {
    ++pos_;
    Control control;
    if (!string(&control.text) || !expectComma() || !integer(&control.id) || !expectComma())
        return false;
    std::string className = peek().text;
    if (peek().kind != TokenKind::String && peek().kind != TokenKind::Name)
        return fail("expected a window class");
    for (char& c : className) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (className != "BUTTON" && className != "EDIT" && className != "STATIC" &&
        className != "COMBOBOX")
        return fail("window class " + peek().text + " is not provided");
    ++pos_;
    control.className = className;
    int64_t style, exStyle = 0;
    if (!expectComma() || !styleExpression(kControlBase, &style) || !expectComma()) return false;
    if (!rectangle(&control.x, &control.y, &control.cx, &control.cy)) return false;
    if (optionalComma() && !styleExpression(0, &exStyle)) return false;
    control.style = static_cast<uint32_t>(style);
    control.exStyle = static_cast<uint32_t>(exStyle);
    dialog->controls.push_back(control);
    return true;
}

bool Parser::icon(int id, Script* out) {
    IconEntry entry;
    entry.id = id;
    entry.rcFile = peek().file;
    entry.line = peek().line;
    if (!string(&entry.fileName)) return false;
    out->icons.push_back(entry);
    return true;
}

// ID ACCELERATORS BEGIN event, command [, type] [, option]... END
bool Parser::accelerators(int id, Script* out) {
    AcceleratorTable table;
    table.id = id;
    if (!isName("BEGIN") && !isPunct("{")) {
        if (peek().kind == TokenKind::Name)
            return fail("unsupported accelerator table statement " + peek().text);
        return fail("expected BEGIN");
    }
    ++pos_;
    while (!isName("END") && !isPunct("}")) {
        if (peek().kind == TokenKind::End) return fail("accelerator table is not closed with END");
        if (!accelerator(&table)) return false;
    }
    ++pos_;
    out->accelerators.push_back(table);
    return true;
}

// "c", "^c" or a number: the key an entry stands for.
bool Parser::acceleratorEvent(std::string* text, int64_t* number, bool* isText) {
    *isText = peek().kind == TokenKind::String;
    if (*isText) {
        *text = peek().text;
        bool caret = text->size() == 2 && (*text)[0] == '^';
        if (text->size() != 1 && !caret) return fail("an accelerator key is one character or ^ and a letter");
        if (caret && !isalpha(static_cast<unsigned char>((*text)[1])))
            return fail("^ makes a control character of a letter only");
        ++pos_;
        return true;
    }
    if (!orExpression(number)) return false;
    if (*number < 0 || *number > 0xFFFF) return fail("accelerator key " + std::to_string(*number) + " is out of range");
    return true;
}

// The words after the command; *typed when ASCII or VIRTKEY was given.
bool Parser::acceleratorOptions(Accelerator* entry, bool* typed) {
    bool ascii = false;
    *typed = false;
    while (optionalComma()) {
        std::string word = peek().kind == TokenKind::Name ? peek().text : std::string();
        if (word == "VIRTKEY") entry->flags |= FVIRTKEY;
        else if (word == "ASCII") ascii = true;
        else if (word == "NOINVERT") entry->flags |= FNOINVERT;
        else if (word == "SHIFT") entry->flags |= FSHIFT;
        else if (word == "CONTROL") entry->flags |= FCONTROL;
        else if (word == "ALT") entry->flags |= FALT;
        else return fail("expected VIRTKEY, ASCII, NOINVERT, SHIFT, CONTROL or ALT");
        ++pos_;
    }
    if (ascii && (entry->flags & FVIRTKEY)) return failEntry("an accelerator is either ASCII or VIRTKEY");
    if (!(entry->flags & FVIRTKEY) && (entry->flags & (FSHIFT | FCONTROL)))
        return failEntry("SHIFT and CONTROL apply to VIRTKEY accelerators only");
    *typed = ascii || (entry->flags & FVIRTKEY);
    return true;
}

bool Parser::accelerator(AcceleratorTable* table) {
    std::string text;
    int64_t number = 0;
    bool isText = false;
    int command;
    entryStart_ = pos_;
    if (!acceleratorEvent(&text, &number, &isText) || !expectComma() || !integer(&command))
        return false;
    Accelerator entry;
    entry.command = static_cast<uint16_t>(command);
    bool typed;
    if (!acceleratorOptions(&entry, &typed)) return false;
    bool virtualKey = entry.flags & FVIRTKEY;
    if (!isText) {
        if (!typed) return failEntry("accelerator type required (ASCII or VIRTKEY)");
        entry.key = static_cast<uint16_t>(number);
    } else if (text[0] == '^') {
        if (virtualKey) return failEntry("^ is not allowed with VIRTKEY");
        entry.key = static_cast<uint16_t>(toupper(static_cast<unsigned char>(text[1])) - 'A' + 1);
    } else {
        unsigned char c = static_cast<unsigned char>(text[0]);
        if (virtualKey && !isupper(c) && !isdigit(c))
            return failEntry("a VIRTKEY accelerator names an upper-case letter or a digit");
        entry.key = c;
    }
    table->entries.push_back(entry);
    return true;
}

bool Parser::script(Script* out) {
    std::set<std::pair<int, int>> seen;  // (kind, id)
    while (peek().kind != TokenKind::End) {
        int id;
        if (!resourceId(&id)) return false;
        std::string type = peek().text;
        if (peek().kind != TokenKind::Name) return fail("expected a resource type");
        ++pos_;
        while (kMemoryOptions.count(peek().text)) ++pos_;
        int kind = type == "DIALOG" || type == "DIALOGEX" ? 1
                   : type == "ICON"                       ? 2
                   : type == "ACCELERATORS"               ? 3
                                                          : 0;
        if (!kind) {
            pos_--;
            return fail("unsupported resource type " + type);
        }
        if (!seen.insert({kind, id}).second)
            return fail(type + " " + std::to_string(id) + " is defined twice");
        bool parsed = kind == 1   ? dialog(id, type == "DIALOGEX", out)
                      : kind == 2 ? icon(id, out)
                                  : accelerators(id, out);
        if (!parsed) return false;
    }
    return true;
}

}  // namespace

bool parseScript(const std::vector<Token>& tokens, const std::map<std::string, int64_t>& symbols,
                 Script* script, Error* error) {
    Parser parser(tokens, symbols, error);
    return parser.script(script);
}

bool compileScript(const std::string& fileName, const std::string& text,
                   const IncludeReader& include, Script* script, Error* error) {
    std::vector<Token> tokens;
    std::map<std::string, int64_t> symbols = builtinSymbols();
    return readTokens(fileName, text, include, &tokens, &symbols, error) &&
           parseScript(tokens, symbols, script, error);
}

}  // namespace rc
