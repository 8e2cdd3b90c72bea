// The --ui-script format over the headless driver. Each line becomes one
// queued action; syntax errors are reported when their line is reached, so
// the output before them is what the program really did.
#include "platform/ui_script.h"

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

Action keyAction(const std::string& name) {
    if (name == "Enter") return [] { return headless::key(headless::Key::Enter); };
    if (name == "Escape") return [] { return headless::key(headless::Key::Escape); };
    if (name == "Tab") return [] { return headless::key(headless::Key::Tab); };
    if (name == "Shift+Tab") return [] { return headless::key(headless::Key::ShiftTab); };
    return failing("unknown key \"" + name + "\" (Enter, Escape, Tab or Shift+Tab)");
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
