// The headless back end: no display at all. Implements the metrics a
// display would give (fixed, so layouts are the same on every machine),
// the modal loop over the driver's queued input, message boxes (printed on
// stdout, kept for the driver's messageBoxesShown and answered from it),
// file dialogs (answered from the driver) and a clock that the driver moves.
// Does not implement on-screen surfaces: the Direct3D layer renders
// offscreen and hands frames over through setFrameSource.
#include <stdio.h>

#include "backend.h"
#include "common_dialogs.h"
#include "headless_input.h"

namespace win32 {
namespace {

class HeadlessBackend : public Backend {
public:
    const char* name() const override { return "headless"; }

    // "MS Sans Serif" 8 pt at 96 dpi gives 6 x 13; other sizes scale with it,
    // and the system font of a template without a font is 8 x 16.
    void dialogBaseUnits(const std::string& face, int pointSize, int* x, int* y) override {
        if (face.empty() || pointSize <= 0) {
            *x = 8;
            *y = 16;
            return;
        }
        *x = (6 * pointSize + 4) / 8;
        *y = (13 * pointSize + 4) / 8;
    }

    void screenSize(int* width, int* height) override {
        *width = 1280;
        *height = 1024;
    }

    void windowCreated(Window*) override {}
    void windowDestroyed(Window*) override {}
    void windowChanged(Window*) override {}
    void invalidated(Window*) override {}

    void runModalLoop(Window* dialog) override { playQueuedInput(dialog); }

    int messageBox(Window*, const std::string& text, const std::string& caption,
                   UINT type) override {
        printf("MessageBox: %s: %s\n", caption.c_str(), text.c_str());
        fflush(stdout);
        recordMessageBox(caption, text);
        int answer = takeBoxAnswer();
        return answer ? answer : messageBoxDefaultButton(type);
    }

    bool chooseFile(Window*, const FileRequest& request, std::string* path) override {
        int answer = takeFileAnswer(path);
        if (answer < 0) {
            fprintf(stderr, "file dialog \"%s\": no answer waiting, cancelled\n",
                    request.title.c_str());
            return false;
        }
        if (answer == 1 && path->empty()) *path = request.initialPath;
        return answer == 1 && !path->empty();
    }

    platform::WindowSurface* surfaceFor(Window*) override { return nullptr; }

    DWORD tickCount() override { return headlessTickCount(); }
};

}  // namespace

std::unique_ptr<Backend> makeHeadlessBackend() {
    return std::make_unique<HeadlessBackend>();
}

}  // namespace win32
