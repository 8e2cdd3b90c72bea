// Every call a window back end must provide, in one place. The core decides
// what happens (state, notifications, their order); a back end shows the
// state and turns a real user's input into core calls. Two implement this:
// backend_headless.cpp (no display; input comes from the scripted user) and
// backend_fltk.cpp (real windows).
#ifndef KELVANE_WIN32_BACKEND_H
#define KELVANE_WIN32_BACKEND_H

#include <memory>
#include <string>

#include "window.h"

namespace win32 {

struct FileRequest {
    bool save = false;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters;  // description, patterns
    int filterIndex = 0;                                       // 1-based, 0 for none
    std::string initialPath;    // the proposed name, with its folder when known
    std::string initialFolder;  // where the dialog opens when no folder is named
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* name() const = 0;

    // The font a dialog's controls draw with, measured; the face is empty for
    // the system font of a template without DS_SETFONT.
    virtual DialogFont dialogFont(const std::string& face, int pointSize) = 0;
    virtual void screenSize(int* width, int* height) = 0;

    // A top-level window and all its controls exist, or one goes away.
    virtual void windowCreated(Window* window) = 0;
    virtual void windowDestroyed(Window* window) = 0;
    // Any state the user can see changed: text, check, entries, selection,
    // enabled, position, icon.
    virtual void windowChanged(Window* window) = 0;
    virtual void invalidated(Window* window) = 0;

    // Runs until the dialog has ended (or the scripted user has run out).
    virtual void runModalLoop(Window* dialog) = 0;
    virtual int messageBox(Window* owner, const std::string& text, const std::string& caption,
                           UINT type) = 0;
    // The chosen path, or false when cancelled.
    virtual bool chooseFile(Window* owner, const FileRequest& request, std::string* path) = 0;
    virtual platform::WindowSurface* surfaceFor(Window* window) = 0;
    // Milliseconds for GetTickCount: the real clock on a display; headless,
    // a clock that moves only as the scripted user's held keys say.
    virtual DWORD tickCount() = 0;
};

// The back end in use; headless until one is chosen.
Backend& backend();
void setBackend(std::unique_ptr<Backend> chosen);
std::unique_ptr<Backend> makeHeadlessBackend();
std::unique_ptr<Backend> makeFltkBackend();  // null when no display can be opened

}  // namespace win32

#endif
