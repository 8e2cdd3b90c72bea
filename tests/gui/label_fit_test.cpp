// Every label of a program's dialogs (static texts, group box captions and
// button texts), shown by the fltk back end on a real X server, fits its
// control on one line: the dialog units are measured from the font the text
// is drawn with.
#include <gtest/gtest.h>
#include <windows.h>

// After GoogleTest: X11's headers define None.
#include <FL/Fl.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

#include <string>

#include "backend.h"
#include "window.h"
#include LABEL_FIT_IDS

namespace {

INT_PTR CALLBACK quietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool isGroupBox(const win32::Window* control) {
    return control->kind == win32::WindowKind::Button &&
           (control->style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool isCheckOrRadio(const win32::Window* control) {
    return control->kind == win32::WindowKind::Button && !(control->style & BS_PUSHLIKE) &&
           ((control->style & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
            (control->style & BS_TYPEMASK) == BS_CHECKBOX ||
            (control->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON ||
            (control->style & BS_TYPEMASK) == BS_RADIOBUTTON);
}

// The pixels a control's text may take on one line: all of a static's width;
// a group box's, less the frame ends its caption stands between; a check
// box's or radio button's, less its mark (a label-sized square with two
// pixels either side, as FLTK draws it); a push button's, less its frame.
int roomForText(const win32::Window* control, const Fl_Widget* widget) {
    if (isGroupBox(control)) return widget->w() - 12;
    if (isCheckOrRadio(control))
        return widget->w() - widget->labelsize() - 4 - 2 * Fl::box_dx(widget->box());
    if (control->kind == win32::WindowKind::Button) return widget->w() - Fl::box_dw(widget->box());
    return widget->w();
}

// How many labels were measured.
int expectLabelsFit(const win32::Window* dialog) {
    int checked = 0;
    for (const win32::Window* control : dialog->children) {
        bool labelled = control->kind == win32::WindowKind::Static ||
                        control->kind == win32::WindowKind::Button;
        if (!labelled || control->text.empty()) continue;
        const Fl_Widget* widget = static_cast<const Fl_Widget*>(control->backendData);
        if (!widget) {
            ADD_FAILURE() << '"' << control->text << "\" has no widget";
            continue;
        }
        fl_font(widget->labelfont(), widget->labelsize());
        double width = fl_width(control->text.c_str());
        EXPECT_LE(width, roomForText(control, widget))
            << '"' << control->text << "\" in \"" << dialog->text << '"';
        EXPECT_LE(fl_height(), widget->h()) << '"' << control->text << '"';
        ++checked;
    }
    return checked;
}

class LabelFit : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { win32::setBackend(win32::makeFltkBackend()); }
};

TEST_P(LabelFit, EveryLabelFitsOnOneLine) {
    if (std::string(win32::backend().name()) != "fltk") GTEST_SKIP() << "no display";
    HWND handle =
        CreateDialogParamA(nullptr, MAKEINTRESOURCEA(GetParam()), nullptr, quietDialogProc, 0);
    win32::Window* dialog = win32::windowFromHandle(handle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_GT(expectLabelsFit(dialog), 0);
    win32::destroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, LabelFit, ::testing::Values(LABEL_FIT_DIALOGS));

}  // namespace
