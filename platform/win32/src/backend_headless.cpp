// The headless back end: no display at all. Implements the metrics a
// display would give (fixed, so layouts are the same on every machine),
// the modal loop over the driver's queued input, message boxes (printed on
// stdout for a person, kept for the driver's messageBoxesShown and the
// KELVANE_MESSAGE_BOX_LOG file, answered from the driver), file dialogs
// (answered from the driver) and a clock that the driver moves. Does not
// implement on-screen surfaces: the Direct3D layer renders offscreen and
// hands frames over through setFrameSource.
#include <stdio.h>

#include "backend.h"
#include "common_dialogs.h"
#include "headless_input.h"

namespace win32 {
namespace {

class HeadlessBackend : public Backend {
public:
    const char* name() const override { return "headless"; }

    // "MS Sans Serif" 8 pt at 96 dpi: 11 pixels, base units 6 x 13; other
    // sizes scale with it, and the system font of a template without a font
    // has base units 8 x 16.
    DialogFont dialogFont(const std::string& face, int pointSize) override {
        bool system = face.empty() || pointSize <= 0;
        int baseX = system ? 8 : (6 * pointSize + 4) / 8;
        DialogFont font;
        font.pixels = system ? 16 : (pointSize * 96 + 36) / 72;
        font.letterRunWidth = baseX * 52 - 26;
        font.height = system ? 16 : (13 * pointSize + 4) / 8;
        return font;
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
