// The headless driver: the scripted user's actions on the active dialog,
// the queue of input the modal loops play, and the waiting answers.
#include "platform/headless.h"

#include <deque>

#include "controls.h"
#include "dialog.h"
#include "headless_input.h"
#include "platform/window_surface.h"
#include "png_snapshot.h"

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
    win32::Window* dialog = win32::activeDialog();
    if (!dialog) return "no dialog is open";
    static const win32::DialogKey keys[] = {win32::DialogKey::Enter, win32::DialogKey::Escape,
                                            win32::DialogKey::Tab, win32::DialogKey::ShiftTab};
    win32::pressDialogKey(dialog, keys[static_cast<int>(pressed)]);
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
        if (!win32::writePngSnapshot(pngPath, frame.width, frame.height, frame.rgba))
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

void recordMessageBox(const std::string& caption, const std::string& text) {
    state().boxesShown.push_back(caption + ": " + text);
}

}  // namespace win32
