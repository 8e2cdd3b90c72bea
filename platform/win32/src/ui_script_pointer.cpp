#include "ui_script_pointer.h"

#include <ctype.h>
#include <stdlib.h>

#include <sstream>
#include <vector>

#include "platform/headless.h"

namespace platform {
namespace {

ScriptAction failing(const std::string& reason) {
    return [reason] { return reason; };
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> result;
    std::string word;
    while (in >> word) result.push_back(word);
    return result;
}

// A whole decimal number with an optional sign, or false.
bool parseInteger(const std::string& word, int* value) {
    if (word.empty() || word.size() > 9) return false;
    char* end = nullptr;
    long parsed = strtol(word.c_str(), &end, 10);
    if (*end != '\0' || !(isdigit(static_cast<unsigned char>(word.back())))) return false;
    *value = static_cast<int>(parsed);
    return true;
}

struct KeyName {
    const char* name;
    UINT key;
};

const KeyName kKeyNames[] = {
    {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},    {"Left", VK_LEFT},
    {"Right", VK_RIGHT},  {"Up", VK_UP},         {"Down", VK_DOWN},  {"PageUp", VK_PRIOR},
    {"PageDown", VK_NEXT}, {"Home", VK_HOME},
};

// A key's virtual-key code; single letters stand for their key.
bool parseKey(const std::string& name, UINT* key) {
    for (const KeyName& k : kKeyNames)
        if (name == k.name) {
            *key = k.key;
            return true;
        }
    if (name.size() == 1 && isalpha(static_cast<unsigned char>(name[0]))) {
        *key = static_cast<UINT>(toupper(static_cast<unsigned char>(name[0])));
        return true;
    }
    return false;
}

// The optional words after X Y: one button, shift, ctrl, each at most once.
bool parseModifiers(const std::vector<std::string>& all, headless::MouseButton* button,
                    WPARAM* keys) {
    bool buttonGiven = false;
    for (size_t i = 3; i < all.size(); ++i) {
        const std::string& w = all[i];
        if ((w == "left" || w == "right") && !buttonGiven) {
            *button = w == "left" ? headless::MouseButton::Left : headless::MouseButton::Right;
            buttonGiven = true;
        } else if (w == "shift" && !(*keys & MK_SHIFT)) {
            *keys |= MK_SHIFT;
        } else if (w == "ctrl" && !(*keys & MK_CONTROL)) {
            *keys |= MK_CONTROL;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

ScriptAction mouseScriptAction(const std::string& args) {
    const char* usage = "mouse needs down|move|up X Y [left|right] [shift] [ctrl]";
    std::vector<std::string> all = words(args);
    int x, y;
    if (all.size() < 3 || !parseInteger(all[1], &x) || !parseInteger(all[2], &y))
        return failing(usage);
    headless::MouseButton button = headless::MouseButton::Left;
    WPARAM keys = 0;
    if (!parseModifiers(all, &button, &keys)) return failing(usage);
    if (all[0] == "down") return [=] { return headless::mouseDown(x, y, button, keys); };
    if (all[0] == "up") return [=] { return headless::mouseUp(x, y, button, keys); };
    if (all[0] == "move") {
        // A button named on a move is one held down, as the flags say.
        if (all.size() > 3 && (all[3] == "left" || all[3] == "right"))
            keys |= button == headless::MouseButton::Left ? MK_LBUTTON : MK_RBUTTON;
        return [=] { return headless::mouseMove(x, y, keys); };
    }
    return failing(usage);
}

ScriptAction wheelScriptAction(const std::string& args) {
    std::vector<std::string> all = words(args);
    int x, y, delta;
    if (all.size() != 3 || !parseInteger(all[0], &x) || !parseInteger(all[1], &y) ||
        !parseInteger(all[2], &delta) || delta < -32768 || delta > 32767)
        return failing("wheel needs X Y DELTA");
    return [=] { return headless::wheel(x, y, delta); };
}

ScriptAction keyDownScriptAction(const std::string& args) {
    std::vector<std::string> all = words(args);
    UINT key;
    int repeats = 0;
    if (all.empty() || all.size() > 2 || !parseKey(all[0], &key) ||
        (all.size() == 2 && (!parseInteger(all[1], &repeats) || repeats < 0 || repeats > 100000)))
        return failing("keydown needs a key (Enter, Escape, Tab, Left, Right, Up, Down, PageUp, "
                       "PageDown, Home or a letter) and optionally a repeat count");
    return [=] { return headless::keyDown(key, repeats); };
}

ScriptAction keyUpScriptAction(const std::string& args) {
    std::vector<std::string> all = words(args);
    UINT key;
    if (all.size() != 1 || !parseKey(all[0], &key))
        return failing("keyup needs a key (Enter, Escape, Tab, Left, Right, Up, Down, PageUp, "
                       "PageDown, Home or a letter)");
    return [=] { return headless::keyUp(key); };
}

}  // namespace platform
