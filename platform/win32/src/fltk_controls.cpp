// FLTK widgets that mirror the core's controls and hand the user's input to
// the core, which sends the notifications. Implements EDIT (Fl_Input with
// ES_NUMBER filtering of keys), BUTTON (push, check, radio, push-like, group
// box), COMBOBOX (Fl_Choice; Fl_Input_Choice with an edit field) and STATIC
// (Fl_Box). Does not implement: opening a list without picking (Windows'
// CBN_DROPDOWN/CBN_SELENDCANCEL for a dismissed list), owner-drawn buttons.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Toggle_Button.H>
#include <FL/fl_draw.H>

#include "controls.h"
#include "fltk_backend.h"

namespace win32 {
namespace {

Window* controlOf(Fl_Widget* widget) {
    return static_cast<Window*>(widget->user_data());
}

// '@' starts a symbol in FLTK labels; Windows shows it as it is.
std::string labelText(const std::string& text) {
    std::string label;
    for (char c : text) label += c == '@' ? std::string("@@") : std::string(1, c);
    return label;
}

void focusFromWidget(Fl_Widget* widget) {
    Window* control = controlOf(widget);
    if (control && control->alive && focusWindow() != control) {
        // Tab and Shift+Tab select an edit box's text, as FLTK's input does.
        if (Fl::event_key() == FL_Tab && hasEditField(control)) selectAll(control);
        setFocus(control);
        afterUserInput();
    }
}

// The input an edit box or a drop-down's edit field types into.
Fl_Input* editInputOf(Window* control, Fl_Widget* widget) {
    if (control->kind == WindowKind::Edit) return static_cast<Fl_Input*>(widget);
    if (control->kind == WindowKind::ComboBox && !isDropDownList(control))
        return static_cast<Fl_Input_Choice*>(widget)->input();
    return nullptr;
}

// The core moved the focus to this control (a dialog starting, the
// program's SetFocus): the widget takes it with the core's selection, so
// the next key replaces a selected text instead of joining it.
void mirrorFocus(Window* control, Fl_Widget* widget) {
    if (focusWindow() != control || !control->enabled || !widget->window()) return;
    Fl_Input* input = editInputOf(control, widget);
    Fl_Widget* target = input ? input : widget;
    if (Fl::focus() == target) return;
    target->take_focus();
    if (input && Fl::focus() == input)
        input->position(static_cast<int>(control->selEnd), static_cast<int>(control->selStart));
}

class EditWidget : public Fl_Input {
public:
    EditWidget(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {}
    int handle(int event) override {
        Window* control = controlOf(this);
        if (event == FL_KEYBOARD && control && Fl::event_length() == 1 &&
            !Fl::event_state(FL_CTRL) && static_cast<unsigned char>(Fl::event_text()[0]) >= 0x20 &&
            !editAcceptsChar(control, Fl::event_text()[0]))
            return 1;  // a key ES_NUMBER refuses; pasted text is not filtered, as on Windows
        if (event == FL_FOCUS) focusFromWidget(this);
        return Fl_Input::handle(event);
    }
};

// A frame with its caption breaking the top line, as Windows draws one.
class GroupBoxWidget : public Fl_Box {
public:
    GroupBoxWidget(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {}
    void draw() override {
        fl_font(labelfont(), labelsize());
        int line = fl_height() / 2;
        draw_box(FL_ENGRAVED_FRAME, x(), y() + line, w(), h() - line, color());
        if (!label() || !*label()) return;
        int textWidth = 0, textHeight = 0;
        measure_label(textWidth, textHeight);
        fl_color(color());
        fl_rectf(x() + 6, y(), textWidth + 4, fl_height());
        draw_label(x() + 8, y(), textWidth, fl_height(), FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    }
};

// Text from the control's top left corner, broken at spaces and clipped to
// the control, as a static control draws; FLTK's own boxes keep 3 pixels
// clear on each side, which the dialog units leave no room for.
class StaticWidget : public Fl_Box {
public:
    StaticWidget(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {}
    void draw() override {
        draw_box();
        fl_push_clip(x(), y(), w(), h());
        draw_label(x(), y(), w(), h());
        fl_pop_clip();
    }
};

// The pixel size of the font the control's dialog draws with.
int fontPixels(const Window* control) {
    return control->parent ? control->parent->font.pixels : 0;
}

template <typename Base>
class Focusing : public Base {
public:
    Focusing(int x, int y, int w, int h) : Base(x, y, w, h) {}
    int handle(int event) override {
        if (event == FL_FOCUS) focusFromWidget(this);
        return Base::handle(event);
    }
};

void editChanged(Fl_Widget* widget, void*) {
    Window* control = controlOf(widget);
    if (!control || !control->alive) return;
    userEditedText(control, static_cast<Fl_Input*>(widget)->value());
    afterUserInput();
}

void buttonClicked(Fl_Widget* widget, void*) {
    Window* control = controlOf(widget);
    if (!control || !control->alive) return;
    clickButton(control);
    if (control->alive) mirrorControl(control);  // the core decides the state, not FLTK
    afterUserInput();
}

// A pick from the list of a drop-down list or of a drop-down's menu button.
void listPicked(Fl_Widget* widget, void*) {
    Window* control = controlOf(widget);
    if (!control || !control->alive) return;
    int picked = static_cast<Fl_Menu_*>(widget)->value();
    if (picked >= 0) {
        if (!control->dropped) openComboList(control);
        pickComboEntry(control, picked);
    }
    if (control->alive) mirrorControl(control);
    afterUserInput();
}

// The list pops up inside handle(): opening, picking (the callback) and
// dismissing reach the core in Windows' order around it.
template <typename Base>
class ListWidget : public Base {
public:
    ListWidget(int x, int y, int w, int h) : Base(x, y, w, h) {}
    int handle(int event) override {
        Window* control = controlOf(this);
        bool opens = event == FL_PUSH || (event == FL_KEYBOARD && Fl::event_key() == ' ');
        if (event == FL_FOCUS) focusFromWidget(this);
        if (!opens || !control || !control->alive) return Base::handle(event);
        openComboList(control);
        afterUserInput();
        int handled = Base::handle(event);
        if (control->alive && control->dropped) {
            dismissComboList(control);
            afterUserInput();
        }
        return handled;
    }
};

Fl_Widget* createButton(Window* control, int x, int y, int w, int h) {
    Fl_Button* button;
    switch (buttonType(control)) {
        case BS_GROUPBOX:
            return new GroupBoxWidget(x, y, w, h);
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            if (control->style & BS_PUSHLIKE)
                button = new Focusing<Fl_Toggle_Button>(x, y, w, h);
            else
                button = new Focusing<Fl_Check_Button>(x, y, w, h);
            break;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            button = new Focusing<Fl_Round_Button>(x, y, w, h);
            break;
        default:
            button = new Focusing<Fl_Button>(x, y, w, h);
            break;
    }
    if (buttonType(control) == BS_DEFPUSHBUTTON) button->labelfont(FL_HELVETICA_BOLD);
    button->callback(buttonClicked);
    return button;
}

Fl_Widget* createCombo(Window* control, int x, int y, int w) {
    // The template's height is that of the dropped list; the box itself is one line.
    int h = fontPixels(control) + 10;
    Fl_Widget* widget;
    if (isDropDownList(control)) {
        Fl_Choice* choice = new ListWidget<Fl_Choice>(x, y, w, h);
        choice->textsize(fontPixels(control));
        widget = choice;
        choice->callback(listPicked);
        choice->when(FL_WHEN_RELEASE_ALWAYS);  // picking the selected entry again notifies too
    } else {
        // The parts report to the core directly instead of through the group.
        Fl_Input_Choice* combo = new Fl_Input_Choice(x, y, w, h);
        combo->textsize(fontPixels(control));
        combo->input()->when(FL_WHEN_CHANGED);
        combo->input()->callback(editChanged);
        combo->input()->user_data(control);
        combo->menubutton()->callback(listPicked);
        combo->menubutton()->user_data(control);
        widget = combo;
    }
    return widget;
}

Fl_Widget* createStatic(Window* control, int x, int y, int w, int h) {
    Fl_Box* box = new StaticWidget(x, y, w, h);
    DWORD kind = control->style & SS_TYPEMASK;
    Fl_Align side = kind == SS_RIGHT    ? FL_ALIGN_RIGHT
                    : kind == SS_CENTER ? FL_ALIGN_CENTER
                                        : FL_ALIGN_LEFT;
    box->align(side | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    return box;
}

void mirrorList(Window* control, Fl_Widget* widget) {
    Fl_Menu_* menu = isDropDownList(control)
                         ? static_cast<Fl_Menu_*>(static_cast<Fl_Choice*>(widget))
                         : static_cast<Fl_Input_Choice*>(widget)->menubutton();
    menu->clear();
    for (const std::string& item : control->items) {
        // replace() takes the text as it is; add() would read '/' as a submenu.
        int index = menu->add("x");
        menu->replace(index, labelText(item).c_str());
    }
    if (isDropDownList(control)) {
        static_cast<Fl_Choice*>(widget)->value(control->curSel);
    } else {
        Fl_Input_Choice* combo = static_cast<Fl_Input_Choice*>(widget);
        if (control->text != combo->value()) combo->value(control->text.c_str());
    }
}

void mirrorState(Window* control, Fl_Widget* widget) {
    if (control->enabled)
        widget->activate();
    else
        widget->deactivate();
    switch (control->kind) {
        case WindowKind::Edit: {
            Fl_Input* input = static_cast<Fl_Input*>(widget);
            if (control->text != input->value()) input->value(control->text.c_str());
            break;
        }
        case WindowKind::ComboBox:
            mirrorList(control, widget);
            break;
        case WindowKind::Button:
            if (isCheckable(control))
                static_cast<Fl_Button*>(widget)->value(control->check == BST_CHECKED);
            widget->copy_label(labelText(control->text).c_str());
            break;
        default:
            widget->copy_label(labelText(control->text).c_str());
            break;
    }
    widget->redraw();
}

}  // namespace

Fl_Widget* createControlWidget(Window* control) {
    int x = control->rect.left, y = control->rect.top;
    int w = control->rect.right - x, h = control->rect.bottom - y;
    Fl_Widget* widget;
    switch (control->kind) {
        case WindowKind::Edit: {
            EditWidget* edit = new EditWidget(x, y, w, h);
            edit->textsize(fontPixels(control));
            edit->when(FL_WHEN_CHANGED);
            edit->callback(editChanged);
            widget = edit;
            break;
        }
        case WindowKind::Button:
            widget = createButton(control, x, y, w, h);
            break;
        case WindowKind::ComboBox:
            widget = createCombo(control, x, y, w);
            break;
        default:
            widget = createStatic(control, x, y, w, h);
            break;
    }
    widget->labelsize(fontPixels(control));
    widget->user_data(control);
    if (!(control->style & WS_TABSTOP)) widget->clear_visible_focus();
    control->backendData = widget;
    // The focus follows once the whole window exists: taking it now would
    // end the window's list of children early.
    mirrorState(control, widget);
    return widget;
}

void mirrorControl(Window* control) {
    Fl_Widget* widget = static_cast<Fl_Widget*>(control->backendData);
    if (!widget) return;
    mirrorState(control, widget);
    mirrorFocus(control, widget);
}

void mirrorFocus(Window* control) {
    Fl_Widget* widget = static_cast<Fl_Widget*>(control->backendData);
    if (widget) mirrorFocus(control, widget);
}

}  // namespace win32
