// Every static text and group box caption of a program's dialogs, shown by
// the fltk back end on a real X server, fits its rectangle on one line: the
// dialog units are measured from the font the text is drawn with.
#include <gtest/gtest.h>
#include <windows.h>

// After GoogleTest: X11's headers define None.
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

// The pixels a control's text may take on one line: all of a static's width;
// a group box's, less the frame ends its caption stands between.
int roomForText(const win32::Window* control, const Fl_Widget* widget) {
    return isGroupBox(control) ? widget->w() - 12 : widget->w();
}

// How many labels were measured.
int expectLabelsFit(const win32::Window* dialog) {
    int checked = 0;
    for (const win32::Window* control : dialog->children) {
        bool labelled = control->kind == win32::WindowKind::Static || isGroupBox(control);
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
    HWND handle = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(GetParam()), nullptr,
                                     quietDialogProc, 0);
    win32::Window* dialog = win32::windowFromHandle(handle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_GT(expectLabelsFit(dialog), 0);
    win32::destroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, LabelFit, ::testing::Values(LABEL_FIT_DIALOGS));

}  // namespace
