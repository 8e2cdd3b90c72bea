// The headless driver: the scripted user's actions on the active dialog,
// the queue of input the modal loops play, and the waiting answers.
#include "platform/headless.h"

#include <stdio.h>
#include <stdlib.h>

#include <deque>

#include "controls.h"
#include "dialog.h"
#include "headless_input.h"
#include "input.h"
#include "keyboard.h"
#include "platform/window_surface.h"
#include "image_encode.h"

namespace {

struct QueuedAction {
    int line;
    std::function<std::string()> run;
};

struct DriverState {
    std::deque<QueuedAction> queue;
    // (chosen, path); chosen with no path takes the proposed name.
    std::deque<std::pair<bool, std::string>> fileAnswers;
    std::deque<int> boxAnswers;
    std::vector<std::string> boxesShown;
    std::function<void(int, const std::string&)> onFailure;
    std::string lastFailure;
};

DriverState& state() {
    static DriverState driver;
    return driver;
}

// The control `id` of the active dialog, or the reason there is none.
std::string findTarget(int id, win32::Window** control) {
    win32::Window* dialog = win32::activeDialog();
    if (!dialog) return "no dialog is open";
    *control = win32::findControl(dialog, id);
    if (!*control)
        return "no control " + std::to_string(id) + " in dialog \"" + dialog->text + "\"";
    return "";
}

std::string findEnabledTarget(int id, win32::Window** control) {
    std::string reason = findTarget(id, control);
    if (reason.empty() && !(*control)->enabled)
        reason = "control " + std::to_string(id) + " is disabled";
    return reason;
}

std::string finish(std::string reason) {
    win32::deliverPendingPaints();
    return reason;
}

}  // namespace

namespace platform {
namespace headless {

std::string type(int id, const std::string& text) {
    win32::Window* box = nullptr;
    std::string reason = findEnabledTarget(id, &box);
    if (!reason.empty()) return reason;
    if (!win32::hasEditField(box)) return "control " + std::to_string(id) + " is not an edit box";
    // Focus first: the handlers of the focus change may rewrite the box.
    win32::setFocus(box);
    if (!box->alive) return finish("");
    win32::selectAll(box);
    if (text.empty()) win32::deleteSelection(box);
    for (char c : text) {
        if (!box->alive || !box->enabled || win32::focusWindow() != box) break;
        win32::typeChar(box, c);
    }
    return finish("");
}

std::string typeIntoFocus(const std::string& text) {
    win32::Window* dialog = win32::activeDialog();
    if (!dialog) return "no dialog is open";
    win32::Window* box = win32::focusWindow();
    if (!box || box->parent != dialog || !win32::hasEditField(box))
        return "no edit box of dialog \"" + dialog->text + "\" has the focus";
    for (char c : text) {
        if (!box->alive || !box->enabled || win32::focusWindow() != box) break;
        win32::typeChar(box, c);
    }
    return finish("");
}

std::string click(int id) {
    win32::Window* button = nullptr;
    std::string reason = findEnabledTarget(id, &button);
    if (!reason.empty()) return reason;
    if (button->kind != win32::WindowKind::Button || win32::buttonType(button) == BS_GROUPBOX)
        return "control " + std::to_string(id) + " is not a button";
    win32::clickButton(button);
    return finish("");
}

std::string choose(int id, int index) {
    win32::Window* list = nullptr;
    std::string reason = findEnabledTarget(id, &list);
    if (!reason.empty()) return reason;
    if (list->kind != win32::WindowKind::ComboBox)
        return "control " + std::to_string(id) + " is not a list";
    if (index < 0 || index >= static_cast<int>(list->items.size()))
        return "list " + std::to_string(id) + " has no entry " + std::to_string(index) +
               " (it has " + std::to_string(list->items.size()) + ")";
    win32::chooseComboEntry(list, index);
    return finish("");
}

std::string key(Key pressed) {
    static const unsigned keys[] = {VK_RETURN, VK_ESCAPE, VK_TAB, VK_TAB};
    return pressKey(keys[static_cast<int>(pressed)], false, pressed == Key::ShiftTab, false);
}

std::string pressKey(unsigned virtualKey, bool ctrl, bool shift, bool alt) {
    win32::Window* dialog = win32::activeDialog();
    if (!dialog) return "no dialog is open";
    win32::Window* focus = win32::focusWindow();
    win32::Window* target = focus ? focus : dialog;
    // Modifiers are pressed before the key and let go after it, each with its
    // own key messages, as a keyboard sends them.
    const int modifiers[] = {VK_CONTROL, VK_SHIFT, VK_MENU};
    const bool held[] = {ctrl, shift, alt};
    for (int k = 0; k < 3; ++k) {
        if (!held[k]) continue;
        win32::setKeyDown(modifiers[k], true);
        win32::dispatchDialogKey(dialog, target, WM_KEYDOWN, WPARAM(modifiers[k]));
    }
    win32::setKeyDown(int(virtualKey), true);
    win32::dispatchDialogKey(dialog, target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey);
    win32::setKeyDown(int(virtualKey), false);
    if (target->alive) win32::dispatchDialogKey(dialog, target, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey);
    for (int k = 2; k >= 0; --k) {
        if (!held[k]) continue;
        win32::setKeyDown(modifiers[k], false);
        if (target->alive) win32::dispatchDialogKey(dialog, target, WM_KEYUP, WPARAM(modifiers[k]));
    }
    return finish("");
}

std::string close() {
    win32::Window* dialog = win32::activeDialog();
    if (!dialog) return "no dialog is open";
    win32::pressCloseBox(dialog);
    return finish("");
}

std::string print(int id, std::string* line) {
    win32::Window* control = nullptr;
    std::string reason = findTarget(id, &control);
    if (reason.empty()) *line = win32::describeControl(control);
    return reason;
}

std::string snapshot(const std::string& caption, const std::string& pngPath) {
    for (win32::Window* window : win32::topLevelWindows()) {
        if (window->text != caption) continue;
        Frame frame;
        if (!readPresentedFrame(window->handle, &frame) || frame.width <= 0 || frame.height <= 0 ||
            frame.rgba.size() != static_cast<size_t>(frame.width) * frame.height * 4)
            return "window \"" + caption + "\" has presented no frame";
        if (!imaging::writePng(pngPath.c_str(), frame.width, frame.height, 4, frame.rgba.data()))
            return "cannot write " + pngPath;
        return "";
    }
    return "no window with the caption \"" + caption + "\"";
}

void answerFile(const std::string& path) {
    state().fileAnswers.emplace_back(true, path);
}
void answerFileAccept() {
    state().fileAnswers.emplace_back(true, std::string());
}
void answerFileCancel() {
    state().fileAnswers.emplace_back(false, std::string());
}
void answerBox(int id) {
    state().boxAnswers.push_back(id);
}

const std::vector<std::string>& messageBoxesShown() {
    return state().boxesShown;
}

HWND activeDialog() {
    win32::Window* dialog = win32::activeDialog();
    return dialog ? dialog->handle : nullptr;
}

void deliverPaints() {
    win32::deliverPendingPaints();
}

void queueAction(int line, std::function<std::string()> action) {
    state().queue.push_back(QueuedAction{line, std::move(action)});
}

size_t queuedActionCount() {
    return state().queue.size();
}
int nextQueuedLine() {
    return state().queue.empty() ? 0 : state().queue.front().line;
}

void setFailureHandler(std::function<void(int, const std::string&)> handler) {
    state().onFailure = std::move(handler);
}

std::string lastFailure() {
    return state().lastFailure;
}

void reset() {
    DriverState& driver = state();
    driver.queue.clear();
    driver.fileAnswers.clear();
    driver.boxAnswers.clear();
    driver.boxesShown.clear();
    driver.lastFailure.clear();
    win32::releaseHeadlessPointer();
}

}  // namespace headless
}  // namespace platform

namespace win32 {

void playQueuedInput(Window* dialog) {
    DriverState& driver = state();
    deliverPendingPaints();
    while (dialog->alive && !dialog->ended) {
        if (driver.queue.empty()) {
            endAllDialogs();
            return;
        }
        QueuedAction action = std::move(driver.queue.front());
        driver.queue.pop_front();
        std::string reason = action.run();
        if (!reason.empty()) {
            driver.lastFailure = reason;
            if (driver.onFailure) driver.onFailure(action.line, reason);
        }
        deliverPendingPaints();
    }
}

int takeFileAnswer(std::string* path) {
    DriverState& driver = state();
    if (driver.fileAnswers.empty()) return -1;
    auto answer = driver.fileAnswers.front();
    driver.fileAnswers.pop_front();
    *path = answer.second;
    return answer.first ? 1 : 0;
}

int takeBoxAnswer() {
    DriverState& driver = state();
    if (driver.boxAnswers.empty()) return 0;
    int id = driver.boxAnswers.front();
    driver.boxAnswers.pop_front();
    return id;
}

// With KELVANE_MESSAGE_BOX_LOG=FILE, every box shown is also appended to
// FILE as "CAPTION: TEXT" and a NUL, so another process (a test running the
// program) sees exactly what was shown, line breaks included.
void recordMessageBox(const std::string& caption, const std::string& text) {
    const std::string box = caption + ": " + text;
    state().boxesShown.push_back(box);
    const char* log = getenv("KELVANE_MESSAGE_BOX_LOG");
    if (!log || !*log) return;
    FILE* file = fopen(log, "ab");
    if (!file) {
        fprintf(stderr, "message box: cannot append to %s\n", log);
        return;
    }
    fwrite(box.c_str(), 1, box.size() + 1, file);
    fclose(file);
}

}  // namespace win32
