// The headless driver: plays a user on the active dialog (the innermost
// modal dialog still running, else the last modeless one opened), exactly
// as the fltk back end's widgets would, so the program sees the same
// notifications. Tests call it directly; the --ui-script runner parses a
// script into the same calls. Each action returns "" when carried out and
// otherwise the reason it could not be; pending paints are delivered after
// each one, as a message loop would before the next input.
#ifndef KELVANE_PLATFORM_HEADLESS_H
#define KELVANE_PLATFORM_HEADLESS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace platform {
namespace headless {

// Focus box `id`, select its text and type `text` key by key; an empty
// text clears the box.
std::string type(int id, const std::string& text);
// Types `text` key by key into the edit box that has the focus, at its
// selection, as a user who does not click first.
std::string typeIntoFocus(const std::string& text);
std::string click(int id);
// Open list `id` and click entry `index`.
std::string choose(int id, int index);
enum class Key { Enter, Escape, Tab, ShiftTab };
std::string key(Key key);
// The close box of the active dialog.
std::string close();
// "ID: STATE" of control `id` into *line.
std::string print(int id, std::string* line);
// Writes the last frame presented in the top-level window with this caption.
std::string snapshot(const std::string& caption, const std::string& pngPath);

// The mouse and the keyboard on the window a Direct3D device presents into
// (the Preview), at client pixel (x, y) as a snapshot of it shows them.
// `keys` holds MK_SHIFT and MK_CONTROL; the buttons the driver holds down
// are added to every mouse message.
enum class MouseButton { Left, Right };
std::string mouseDown(int x, int y, MouseButton button, WPARAM keys);
std::string mouseMove(int x, int y, WPARAM keys);
std::string mouseUp(int x, int y, MouseButton button, WPARAM keys);
std::string wheel(int x, int y, int delta);
// A key pressed on that window (which takes the focus, as a click would)
// and held through `repeats` auto-repeat intervals: one WM_KEYDOWN, then one
// repeated WM_KEYDOWN per interval, GetTickCount moving on by the interval
// before each.
std::string keyDown(UINT virtualKey, int repeats);
std::string keyUp(UINT virtualKey);
// The auto-repeat interval of held keys, in milliseconds.
const DWORD kKeyRepeatInterval = 33;

// Answers for the next file dialogs and message boxes, in order. A file
// dialog with none waiting is cancelled (and says so on stderr); a message
// box with none returns its default button.
void answerFile(const std::string& path);
void answerFileCancel();
// Enter in the file dialog: takes the name the dialog proposes.
void answerFileAccept();
void answerBox(int id);
// "CAPTION: TEXT" of every message box shown since the last reset, in order.
const std::vector<std::string>& messageBoxesShown();

HWND activeDialog();
void deliverPaints();

// Input for modal loops: while DialogBoxParamA waits, it runs the queued
// actions one by one; when none is left, every open dialog ends with 0.
void queueAction(int line, std::function<std::string()> action);
size_t queuedActionCount();
int nextQueuedLine();  // 0 when the queue is empty
// What happens to a queued action that cannot be carried out. By default
// the reason is kept for lastFailure() and the loop goes on.
void setFailureHandler(std::function<void(int line, const std::string& reason)> handler);
std::string lastFailure();
// Forgets queued actions, answers and failures (between tests).
void reset();

}  // namespace headless
}  // namespace platform

#endif
