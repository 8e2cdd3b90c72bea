// Builds the text of a --ui-script from calls that name controls by their
// identifiers (IDC_... from the programs' id headers), so a test reads as
// what the user does and no raw control number hides in a string:
//
//   UiScript().click(IDC_TRACK_NEW).type(IDC_NEW_XSIZE, 20).key("Enter")
//
// A script converts to its text wherever a string is expected.
#ifndef KELVANE_TESTS_SUPPORT_SCRIPT_BUILDER_H
#define KELVANE_TESTS_SUPPORT_SCRIPT_BUILDER_H

#include <string>

class UiScript {
public:
    UiScript& type(int id, const std::string& text) { return add("type", id, " " + text); }
    UiScript& type(int id, long long value) { return type(id, std::to_string(value)); }
    UiScript& type(int id, int value) { return type(id, std::to_string(value)); }
    UiScript& type(int id, const char* text) { return type(id, std::string(text)); }
    // Focuses the box and clears it: the empty text.
    UiScript& clear(int id) { return add("type", id, ""); }
    // Types into the box that has the focus, without clicking it first.
    UiScript& typeFocused(const std::string& text) { return line("type-focused " + text); }
    UiScript& click(int id) { return add("click", id, ""); }
    UiScript& choose(int id, int entry) { return add("choose", id, " " + std::to_string(entry)); }
    // "Enter", "Escape", "Tab" or "Shift+Tab".
    UiScript& key(const std::string& name) { return line("key " + name); }
    UiScript& close() { return line("close"); }
    UiScript& answerFile(const std::string& path) { return line("answer-file " + path); }
    UiScript& cancelFile() { return line("answer-file cancel"); }
    UiScript& answerBox(int buttonId) { return line("answer-box " + std::to_string(buttonId)); }
    UiScript& print(int id) { return add("print", id, ""); }
    UiScript& snapshot(const std::string& caption, const std::string& pngPath) {
        return line("snapshot " + caption + " " + pngPath);
    }
    // A line as it stands: comments, and lines a test expects to be refused.
    UiScript& line(const std::string& text) {
        text_ += text + "\n";
        return *this;
    }

    UiScript& operator+=(const UiScript& more) {
        text_ += more.text_;
        return *this;
    }
    friend UiScript operator+(UiScript first, const UiScript& second) { return first += second; }
    // Mixed with lines written out as text, a script is its text.
    friend std::string operator+(const UiScript& first, const std::string& second) {
        return first.text_ + second;
    }
    friend std::string operator+(const std::string& first, const UiScript& second) {
        return first + second.text_;
    }
    friend std::string operator+(const UiScript& first, const char* second) {
        return first.text_ + second;
    }
    friend std::string operator+(const char* first, const UiScript& second) {
        return first + second.text_;
    }

    const std::string& text() const { return text_; }
    operator const std::string&() const { return text_; }

private:
    UiScript& add(const char* action, int id, const std::string& rest) {
        return line(action + (" " + std::to_string(id)) + rest);
    }

    std::string text_;
};

// The start of the line "print ID" writes: "ID:".
inline std::string printed(int id) {
    return std::to_string(id) + ":";
}

#endif
