#include "recording_dialog.h"

Recorder recorder;

std::vector<Event> Recorder::commands() const {
    std::vector<Event> result;
    for (const Event& e : events)
        if (e.message == WM_COMMAND) result.push_back(e);
    return result;
}

HINSTANCE testInstance() {
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
}

std::string textOf(HWND dialog, int id) {
    char text[256] = {0};
    GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
    return text;
}

INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // Dialogs of earlier tests stay around; only the current one records.
    if (recorder.dialog && dialog != recorder.dialog && message != WM_INITDIALOG) return FALSE;
    ++recorder.depth;
    if (message == WM_COMMAND) {
        char text[256] = {0};
        if (lParam) GetWindowTextA(reinterpret_cast<HWND>(lParam), text, sizeof text);
        recorder.events.push_back(
            Event{message, LOWORD(wParam), HIWORD(wParam), text, recorder.depth});
    } else if (message == WM_SYSCOMMAND) {
        recorder.events.push_back(Event{message, static_cast<int>(wParam), 0, "", recorder.depth});
    } else if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(dialog, &paint);
        EndPaint(dialog, &paint);
        ++recorder.paints;
    }
    INT_PTR result = recorder.hook ? recorder.hook(dialog, message, wParam, lParam) : FALSE;
    --recorder.depth;
    return result;
}
