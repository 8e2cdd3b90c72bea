// A dialog procedure that records what the layer sends it, for the layer's
// tests: each WM_COMMAND with the control's text at that moment, paints,
// system commands; a test can add its own reaction through `hook`.
#ifndef KELVANE_TESTS_RECORDING_DIALOG_H
#define KELVANE_TESTS_RECORDING_DIALOG_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless.h"

struct Event {
    UINT message;
    int id;
    int code;
    std::string text;
    int depth;  // how deeply the procedure was nested when this arrived
    bool operator==(const Event& other) const {
        return message == other.message && id == other.id && code == other.code;
    }
};

struct Recorder {
    HWND dialog = nullptr;
    std::vector<Event> events;
    int paints = 0;
    int depth = 0;
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> hook;

    std::vector<Event> commands() const;
    void clear() { events.clear(); }
};

extern Recorder recorder;
INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

inline Event command(int id, int code) {
    return Event{WM_COMMAND, id, code, "", 0};
}
HINSTANCE testInstance();
std::string textOf(HWND dialog, int id);

#include <gtest/gtest.h>

#include "layer_test_ids.h"

// Each test gets a fresh modeless "Controls" dialog as the active dialog.
class LayerTest : public ::testing::Test {
protected:
    HWND dialog = nullptr;

    void SetUp() override {
        platform::headless::reset();
        recorder = Recorder();
        dialog = CreateDialogParamA(testInstance(), MAKEINTRESOURCEA(IDD_CONTROLS), nullptr,
                                    RecordingDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        recorder.dialog = dialog;
        platform::headless::deliverPaints();
        recorder.clear();
        recorder.paints = 0;
    }
    void TearDown() override {
        recorder.hook = nullptr;
        EndDialog(dialog, 0);
    }
    HWND item(int id) { return GetDlgItem(dialog, id); }
    std::string printed(int id) {
        std::string line;
        std::string reason = platform::headless::print(id, &line);
        return reason.empty() ? line : "error: " + reason;
    }
};
#endif
