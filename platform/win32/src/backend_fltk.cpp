// The fltk back end: real windows on an X display. Implements dialogs as
// FLTK windows laid out from the templates with dialog units measured from
// the font the widgets use, the controls (fltk_controls.cpp), Enter, Escape
// and the close box routed to the core's dialog keys, modal loops over
// Fl::wait, message boxes (fl_choice), file dialogs (Fl_Native_File_Chooser),
// icons, and an Fl_Gl_Window over a window's client area as its OpenGL
// surface, whose draw() delivers WM_PAINT. Does not implement: window
// menus, minimising from the program, regions.
#include <stdio.h>
#include <time.h>

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include "backend.h"
#include "common_dialogs.h"
#include "dialog.h"
#include "fltk_backend.h"
#include "fltk_file_chooser.h"
#include "icon.h"
#include "keyboard.h"
#include "input.h"

namespace win32 {
namespace {

bool hasSurface(const Window* window);

class SurfaceWidget;

// The FLTK side of a top-level window.
struct TopLevel {
    Fl_Double_Window* window = nullptr;
    SurfaceWidget* surface = nullptr;
    std::unique_ptr<Fl_RGB_Image> icon;
};

TopLevel* topLevel(const Window* window) {
    return static_cast<TopLevel*>(window->backendData);
}

class SurfaceWidget : public Fl_Gl_Window, public platform::WindowSurface {
public:
    SurfaceWidget(Window* owner, int w, int h) : Fl_Gl_Window(0, 0, w, h), owner_(owner) {
        mode(FL_RGB | FL_DOUBLE | FL_DEPTH | FL_ALPHA);
    }
    bool makeCurrent() override {
        if (!shown()) return false;
        make_current();
        return context() != nullptr;
    }
    // Inside draw() FLTK swaps once draw() returns; outside it, swap now.
    void swapBuffers() override {
        if (!drawing_) swap_buffers();
    }
    void draw() override {
        drawing_ = true;
        if (owner_->alive) {
            owner_->needsPaint = false;
            sendMessage(owner_, WM_PAINT, 0, 0);
        }
        drawing_ = false;
    }
    // The surface takes the mouse and, once clicked, the keyboard: every key
    // typed while it has the focus goes to its window and to no other.
    int handle(int event) override {
        if (!owner_->alive) return Fl_Gl_Window::handle(event);
        int handled = handleInput(event);
        if (handled) afterUserInput();
        return handled ? 1 : Fl_Gl_Window::handle(event);
    }

private:
    int handleInput(int event) {
        switch (event) {
            case FL_PUSH:
                Fl::focus(this);
                mouseButton(owner_, buttonMessage(true), Fl::event_x(), Fl::event_y(), mouseKeys());
                return 1;
            case FL_RELEASE:
                mouseButton(owner_, buttonMessage(false), Fl::event_x(), Fl::event_y(), mouseKeys());
                return 1;
            case FL_MOVE:
            case FL_DRAG:
                mouseMove(owner_, Fl::event_x(), Fl::event_y(), mouseKeys());
                return 1;
            case FL_MOUSEWHEEL:
                mouseWheel(owner_, Fl::event_x(), Fl::event_y(), -Fl::event_dy() * WHEEL_DELTA,
                           mouseKeys());
                return 1;
            case FL_FOCUS:
                // However the surface got the keyboard (a click, the window
                // manager raising its window), the core's focus follows, so
                // the keys reach this window and no control of another.
                if (owner_->enabled && focusWindow() != owner_) setFocus(owner_);
                return 1;
            case FL_ENTER:
            case FL_UNFOCUS:
                return 1;
            case FL_KEYDOWN:
            case FL_KEYUP:
                return keyInput(event == FL_KEYDOWN);
            default:
                return 0;
        }
    }
    static UINT buttonMessage(bool press) {
        if (Fl::event_button() == FL_RIGHT_MOUSE) return press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        return press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
    static WPARAM mouseKeys() {
        int state = Fl::event_state();
        WPARAM keys = 0;
        if (state & FL_BUTTON1) keys |= MK_LBUTTON;
        if (state & FL_BUTTON2) keys |= MK_MBUTTON;
        if (state & FL_BUTTON3) keys |= MK_RBUTTON;
        if (state & FL_SHIFT) keys |= MK_SHIFT;
        if (state & FL_CTRL) keys |= MK_CONTROL;
        return keys;
    }
    // X repeats a held key as further presses; a press of a key already
    // down is Windows' auto-repeat.
    int keyInput(bool press) {
        UINT key = virtualKey(Fl::event_key());
        if (!key) return 1;
        bool repeated = press && held_[key & 0xFF];
        held_[key & 0xFF] = press;
        keyMessage(press ? WM_KEYDOWN : WM_KEYUP, key, repeated);
        return 1;
    }
    static UINT virtualKey(int key) {
        switch (key) {
            case FL_Left: return VK_LEFT;
            case FL_Right: return VK_RIGHT;
            case FL_Up: return VK_UP;
            case FL_Down: return VK_DOWN;
            case FL_Page_Up: return VK_PRIOR;
            case FL_Page_Down: return VK_NEXT;
            case FL_Home: return VK_HOME;
            case FL_End: return VK_END;
            case FL_Enter: case FL_KP_Enter: return VK_RETURN;
            case FL_Escape: return VK_ESCAPE;
            case FL_Tab: return VK_TAB;
            case FL_Shift_L: case FL_Shift_R: return VK_SHIFT;
            case FL_Control_L: case FL_Control_R: return VK_CONTROL;
            case ' ': return VK_SPACE;
            default: break;
        }
        if (key >= 'a' && key <= 'z') return static_cast<UINT>(key - 'a' + 'A');
        if (key >= '0' && key <= '9') return static_cast<UINT>(key);
        return 0;
    }

    Window* owner_;
    bool drawing_ = false;
    bool held_[256] = {};
};

bool hasSurface(const Window* window) {
    return window->backendData && topLevel(window)->surface;
}

// Enter, Escape and the close box go to the core as the dialog keys.
class DialogWidget : public Fl_Double_Window {
public:
    DialogWidget(Window* owner, int w, int h) : Fl_Double_Window(w, h), owner_(owner) {
        callback(closeBox, owner);
    }
    int handle(int event) override {
        // A window disabled under a modal dialog takes no input, as on
        // Windows; its other windows (the Preview) keep theirs.
        if (blockedInput(event)) return 1;
        if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && owner_->kind == WindowKind::Dialog) {
            int key = Fl::event_key();
            if (key == FL_Enter || key == FL_KP_Enter || key == FL_Escape) {
                // A dialog disabled under a modal one takes no keys.
                if (owner_->alive && owner_->enabled && !owner_->ended)
                    pressDialogKey(owner_, key == FL_Escape ? DialogKey::Escape : DialogKey::Enter);
                afterUserInput();
                return 1;
            }
        }
        return Fl_Double_Window::handle(event);
    }
    // The window manager moved or sized the window (a sizing frame dragged):
    // the core learns the new rectangle and the window its new client size.
    void resize(int x, int y, int w, int h) override {
        const bool sized = w != this->w() || h != this->h();
        Fl_Double_Window::resize(x, y, w, h);
        if (placing_ || !owner_->alive) return;
        int side, caption, oldWidth, oldHeight;
        frameInsets(owner_, &side, &caption);
        clientSize(owner_, &oldWidth, &oldHeight);
        owner_->rect = RECT{x - side, y - caption - side, x + w + side, y + h + side};
        if (!sized) return;
        TopLevel* top = topLevel(owner_);
        if (top && top->surface) top->surface->resize(0, 0, w, h);
        clientSizeMayHaveChanged(owner_, oldWidth, oldHeight);
        afterUserInput();
    }
    // Set while the core places the window, whose rectangle it already knows.
    bool placing_ = false;

    Window* owner() const { return owner_; }

private:
    bool blockedInput(int event) const {
        if (!owner_->alive || owner_->enabled) return false;
        switch (event) {
            case FL_PUSH:
            case FL_RELEASE:
            case FL_DRAG:
            case FL_MOUSEWHEEL:
            case FL_KEYBOARD:
            case FL_KEYUP:
            case FL_SHORTCUT:
                return true;
            default:
                return false;
        }
    }
    static void closeBox(Fl_Widget*, void* data) {
        Window* window = static_cast<Window*>(data);
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;  // handled above
        if (window->alive && window->enabled) pressCloseBox(window);
        afterUserInput();
    }
    Window* owner_;
};

const int kMinSizingClient = 64;

void placeTopLevel(Window* window) {
    TopLevel* top = topLevel(window);
    int side, caption, width, height;
    frameInsets(window, &side, &caption);
    clientSize(window, &width, &height);
    // FLTK places the client area; the window manager adds the frame.
    DialogWidget* widget = static_cast<DialogWidget*>(top->window);
    widget->placing_ = true;
    widget->resize(window->rect.left + side, window->rect.top + caption + side, width, height);
    widget->placing_ = false;
    // Only a sizing frame lets the user change the size.
    if (window->style & WS_THICKFRAME)
        widget->size_range(kMinSizingClient, kMinSizingClient);
    else
        widget->size_range(width, height, width, height);
    if (top->surface) top->surface->resize(0, 0, width, height);
}

void applyIcon(Window* window) {
    const Icon* icon = window->bigIcon ? iconFromHandle(window->bigIcon) : nullptr;
    if (!icon || icon->rgba.empty()) return;
    TopLevel* top = topLevel(window);
    top->icon = std::make_unique<Fl_RGB_Image>(icon->rgba.data(), icon->width, icon->height, 4);
    top->window->icon(top->icon.get());
}

// The box's icon as Windows' icon styles ask for it.
void showMessageIcon(UINT icon) {
    struct Look {
        const char* label;
        Fl_Color background;
    };
    const Look look = icon == MB_ICONHAND          ? Look{"X", FL_RED}
                      : icon == MB_ICONEXCLAMATION ? Look{"!", FL_YELLOW}
                      : icon == MB_ICONQUESTION    ? Look{"?", FL_WHITE}
                                                   : Look{"i", FL_WHITE};
    Fl_Widget* box = fl_message_icon();
    box->label(look.label);
    box->color(look.background);
    box->labelcolor(icon == MB_ICONHAND ? FL_WHITE : FL_BLUE);
}

class FltkBackend : public Backend {
public:
    const char* name() const override { return "fltk"; }

    // The template's points at 96 dpi, as Windows asks for a dialog's font,
    // measured as Windows measures it for the dialog units.
    DialogFont dialogFont(const std::string& face, int pointSize) override {
        DialogFont font;
        font.pixels = face.empty() || pointSize <= 0 ? 13 : (pointSize * 96 + 36) / 72;
        fl_font(kDialogFont, font.pixels);
        const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        font.letterRunWidth = static_cast<int>(fl_width(letters) + 0.5);
        font.height = fl_height();
        return font;
    }

    void screenSize(int* width, int* height) override {
        *width = Fl::w();
        *height = Fl::h();
    }

    void windowCreated(Window* window) override {
        TopLevel* top = new TopLevel;
        window->backendData = top;
        int width, height;
        clientSize(window, &width, &height);
        top->window = new DialogWidget(window, width, height);
        top->window->copy_label(window->text.c_str());
        for (Window* child : window->children) createControlWidget(child);
        top->window->end();
        for (Window* child : window->children) mirrorFocus(child);
        placeTopLevel(window);
        applyIcon(window);
        // FLTK's modal windows take every event from every other window,
        // the Preview included; Windows disables only the owner, which the
        // core does and DialogWidget honours. Kept above the others.
        if (window->modal) top->window->set_non_modal();
        if (window->style & WS_VISIBLE) top->window->show();
    }

    void windowDestroyed(Window* window) override {
        for (Window* child : window->children) child->backendData = nullptr;
        TopLevel* top = topLevel(window);
        if (!top) return;
        top->window->hide();
        Fl::delete_widget(top->window);
        delete top;
        window->backendData = nullptr;
    }

    void windowChanged(Window* window) override {
        if (window->parent) {
            mirrorControl(window);
        } else if (window->backendData) {
            topLevel(window)->window->copy_label(window->text.c_str());
            placeTopLevel(window);
            applyIcon(window);
        }
    }

    void invalidated(Window* window) override {
        if (hasSurface(window)) topLevel(window)->surface->redraw();
    }

    void runModalLoop(Window* dialog) override {
        afterUserInput();
        while (dialog->alive && !dialog->ended) {
            // With no window left on screen no input can end the dialog.
            if (Fl::wait() < 0 || !Fl::first_window()) {
                endAllDialogs();
                break;
            }
            afterUserInput();
        }
    }

    int messageBox(Window*, const std::string& text, const std::string& caption,
                   UINT type) override {
        std::vector<int> buttons = messageBoxButtons(type);
        fl_message_title(caption.c_str());
        showMessageIcon(type & MB_ICONMASK);
        // fl_choice puts its first button rightmost and answers Escape with it.
        const char* labels[3] = {nullptr, nullptr, nullptr};
        for (size_t i = 0; i < buttons.size() && i < 3; ++i)
            labels[i] = buttonLabel(buttons[buttons.size() - 1 - i]);
        int picked = fl_choice("%s", labels[0], labels[1], labels[2], text.c_str());
        if (picked < 0 || picked >= static_cast<int>(buttons.size())) picked = 0;
        afterUserInput();
        return buttons[buttons.size() - 1 - picked];
    }

    bool chooseFile(Window*, const FileRequest& request, std::string* path) override {
        bool chosen = runFltkFileChooser(request, path);
        afterUserInput();
        return chosen;
    }

    platform::WindowSurface* surfaceFor(Window* window) override {
        if (window->parent || !window->backendData) return nullptr;
        TopLevel* top = topLevel(window);
        if (!top->surface) {
            int width, height;
            clientSize(window, &width, &height);
            top->window->begin();
            top->surface = new SurfaceWidget(window, width, height);
            top->window->end();
            if (top->window->shown()) top->surface->show();
        }
        return top->surface;
    }

    DWORD tickCount() override {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<DWORD>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
    }
};

}  // namespace

void afterUserInput() {
    // Surfaces are painted from their draw(); everything else right here.
    for (Window* window : topLevelWindows())
        if (window->needsPaint && hasSurface(window)) topLevel(window)->surface->redraw();
    deliverPendingPaints([](const Window* window) { return hasSurface(window); });
}

namespace {

// The virtual key of an FLTK key for the keys accelerators name (letters
// and digits); 0 for the rest, which go their usual way.
WPARAM virtualKeyOf(int key) {
    if (key >= 'a' && key <= 'z') return WPARAM(key - 'a' + 'A');
    if (key >= '0' && key <= '9') return WPARAM(key);
    return 0;
}

// Where a dialog's modal loop takes a message from the queue, Windows calls
// the WH_MSGFILTER hooks first; FLTK gives a key to the focused widget (an
// edit box would take Ctrl+Z as its own undo), so the hooks see key
// presses here, before any widget does.
int filterKeysFirst(int event, Fl_Window* flWindow) {
    WPARAM virtualKey = event == FL_KEYDOWN || event == FL_KEYUP ? virtualKeyOf(Fl::event_key()) : 0;
    DialogWidget* dialog =
        virtualKey && flWindow ? dynamic_cast<DialogWidget*>(flWindow->top_window()) : nullptr;
    if (!dialog || !dialog->owner()->alive) return Fl::handle_(event, flWindow);
    int state = Fl::event_state();
    setKeyDown(VK_CONTROL, state & FL_CTRL);
    setKeyDown(VK_SHIFT, state & FL_SHIFT);
    setKeyDown(VK_MENU, state & FL_ALT);
    Window* focus = focusWindow();
    Window* target = focus && focus->parent == dialog->owner() ? focus : dialog->owner();
    bool alt = state & FL_ALT;
    UINT message = event == FL_KEYDOWN ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    bool taken = filterDialogKey(target, message, virtualKey);
    if (!taken) return Fl::handle_(event, flWindow);
    afterUserInput();
    return 1;
}

}  // namespace

std::unique_ptr<Backend> makeFltkBackend() {
    if (!canOpenDisplay()) return nullptr;
    Fl::scheme("gtk+");
    Fl::event_dispatch(filterKeysFirst);
    // "MS Sans Serif" is a Helvetica design; fontconfig's own choice for
    // "sans" is often far wider, and the layouts were made for the narrower.
    Fl::set_font(FL_HELVETICA, " Helvetica");
    Fl::set_font(FL_HELVETICA_BOLD, "BHelvetica");
    return std::make_unique<FltkBackend>();
}

}  // namespace win32
