// The --ui-script format over the headless driver. Each line becomes one
// queued action; syntax errors are reported when their line is reached, so
// the output before them is what the program really did.
#include "platform/ui_script.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

#include <sstream>

#include "platform/headless.h"
#include "ui_script_pointer.h"

namespace platform {
namespace {

using Action = std::function<std::string()>;

Action failing(const std::string& reason) {
    return [reason] { return reason; };
}

// A whole decimal number, or false.
bool parseNumber(const std::string& word, int* value) {
    if (word.empty() || word.size() > 9) return false;
    char* end = nullptr;
    long parsed = strtol(word.c_str(), &end, 10);
    if (*end != '\0') return false;
    *value = static_cast<int>(parsed);
    return true;
}

// Splits "WORD REST": the rest starts after exactly one blank.
std::string splitWord(const std::string& text, std::string* rest) {
    size_t blank = text.find(' ');
    *rest = blank == std::string::npos ? std::string() : text.substr(blank + 1);
    return text.substr(0, blank);
}

Action typeAction(const std::string& args) {
    std::string text;
    std::string word = splitWord(args, &text);
    int id;
    if (!parseNumber(word, &id)) return failing("type needs a control id");
    return [id, text] { return headless::type(id, text); };
}

Action chooseAction(const std::string& args) {
    std::string rest;
    std::string word = splitWord(args, &rest);
    int id, index;
    if (!parseNumber(word, &id) || !parseNumber(rest, &index))
        return failing("choose needs a control id and an entry");
    return [id, index] { return headless::choose(id, index); };
}

// Virtual-key codes of the named keys a script may press.
const std::pair<const char*, unsigned> kKeyNames[] = {
    {"Enter", 0x0D}, {"Escape", 0x1B}, {"Tab", 0x09},   {"Space", 0x20},
    {"PageUp", 0x21}, {"PageDown", 0x22}, {"End", 0x23}, {"Home", 0x24},
    {"Left", 0x25},   {"Up", 0x26},       {"Right", 0x27}, {"Down", 0x28},
    {"Delete", 0x2E},
};

// A key name: one of the above, or a letter or digit (its own code).
bool virtualKeyOf(const std::string& name, unsigned* code) {
    for (const auto& named : kKeyNames)
        if (name == named.first) return *code = named.second, true;
    if (name.size() != 1 || !isalnum(static_cast<unsigned char>(name[0]))) return false;
    *code = static_cast<unsigned>(toupper(static_cast<unsigned char>(name[0])));
    return true;
}

// "Enter", "Ctrl+Z", "Ctrl+Shift+Z": modifiers joined to the key with '+'.
Action keyAction(const std::string& chord) {
    bool ctrl = false, shift = false, alt = false;
    std::string rest = chord;
    size_t plus;
    while ((plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size()) {
        std::string modifier = rest.substr(0, plus);
        if (modifier == "Ctrl") ctrl = true;
        else if (modifier == "Shift") shift = true;
        else if (modifier == "Alt") alt = true;
        else return failing("unknown modifier \"" + modifier + "\" in \"" + chord + "\" (Ctrl, Shift or Alt)");
        rest = rest.substr(plus + 1);
    }
    unsigned code;
    if (!virtualKeyOf(rest, &code))
        return failing("unknown key \"" + chord +
                       "\" (Enter, Escape, Tab, a letter or digit, ..., after Ctrl+, Shift+ or Alt+)");
    return [code, ctrl, shift, alt] { return headless::pressKey(code, ctrl, shift, alt); };
}

Action answerFileAction(const std::string& path) {
    if (path.empty()) return failing("answer-file needs a path, accept or cancel");
    if (path == "accept")
        return [] {
            headless::answerFileAccept();
            return std::string();
        };
    if (path == "cancel")
        return [] {
            headless::answerFileCancel();
            return std::string();
        };
    return [path] {
        headless::answerFile(path);
        return std::string();
    };
}

Action answerBoxAction(const std::string& args) {
    int id;
    if (!parseNumber(args, &id) || id < IDOK || id > IDNO)
        return failing("answer-box needs a button id from 1 to 7");
    return [id] {
        headless::answerBox(id);
        return std::string();
    };
}

Action printAction(const std::string& args) {
    int id;
    if (!parseNumber(args, &id)) return failing("print needs a control id");
    return [id] {
        std::string line;
        std::string reason = headless::print(id, &line);
        if (reason.empty()) {
            printf("%s\n", line.c_str());
            fflush(stdout);
        }
        return reason;
    };
}

Action snapshotAction(const std::string& args) {
    size_t blank = args.rfind(' ');
    if (blank == std::string::npos || blank == 0)
        return failing("snapshot needs a caption and a file");
    std::string caption = args.substr(0, blank), file = args.substr(blank + 1);
    return [caption, file] { return headless::snapshot(caption, file); };
}

Action clickAction(const std::string& args) {
    int id;
    if (!parseNumber(args, &id)) return failing("click needs a control id");
    return [id] { return headless::click(id); };
}

Action parseLine(const std::string& line) {
    std::string args;
    std::string action = splitWord(line, &args);
    if (action == "type") return typeAction(args);
    if (action == "type-focused")
        return [args] { return headless::typeIntoFocus(args); };
    if (action == "click") return clickAction(args);
    if (action == "choose") return chooseAction(args);
    if (action == "key") return keyAction(args);
    if (action == "close" && args.empty()) return [] { return headless::close(); };
    if (action == "answer-file") return answerFileAction(args);
    if (action == "answer-box") return answerBoxAction(args);
    if (action == "print") return printAction(args);
    if (action == "snapshot") return snapshotAction(args);
    if (action == "mouse") return mouseScriptAction(args);
    if (action == "wheel") return wheelScriptAction(args);
    if (action == "keydown") return keyDownScriptAction(args);
    if (action == "keyup") return keyUpScriptAction(args);
    return failing("unknown action \"" + action + "\"");
}

}  // namespace

int queueUiScript(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    int number = 0, queued = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        headless::queueAction(number, parseLine(line));
        ++queued;
    }
    return queued;
}

}  // namespace platform
