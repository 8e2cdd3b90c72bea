// What the headless back end takes from the driver: the queued user input
// and the waiting answers.
#ifndef KELVANE_WIN32_HEADLESS_INPUT_H
#define KELVANE_WIN32_HEADLESS_INPUT_H

#include <string>

#include "window.h"

namespace win32 {

// Plays queued actions until the dialog ends or the queue is empty.
void playQueuedInput(Window* dialog);
// The next answer: 1 with the path, 0 for cancel, -1 when none waits.
int takeFileAnswer(std::string* path);
// The next message box answer, or 0 when none waits.
int takeBoxAnswer();
// Keeps "CAPTION: TEXT" of a box shown, for messageBoxesShown.
void recordMessageBox(const std::string& caption, const std::string& text);
// The scripted user's clock: it stands still except while a key is held.
DWORD headlessTickCount();
// Lets go of every mouse button the scripted user holds (between tests).
void releaseHeadlessPointer();

}  // namespace win32

#endif
