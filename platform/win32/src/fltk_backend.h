// The fltk back end's private parts: one FLTK widget per window of the
// core, kept in Window::backendData, and the calls between them.
#ifndef KELVANE_WIN32_FLTK_BACKEND_H
#define KELVANE_WIN32_FLTK_BACKEND_H

#include <FL/Enumerations.H>

#include "window.h"

class Fl_Widget;
class Fl_Window;

namespace win32 {

// Face the widgets draw with, at their dialog's DialogFont::pixels; the
// dialog units are measured from it.
const Fl_Font kDialogFont = FL_HELVETICA;

// Builds the widget of a control inside the current FLTK group.
Fl_Widget* createControlWidget(Window* control);
// Copies the core's state of a control to its widget.
void mirrorControl(Window* control);
// Gives the widget FLTK's focus when the core's focus is on the control.
void mirrorFocus(Window* control);
// After any user input the core handled: paints a message loop would send.
void afterUserInput();

bool canOpenDisplay();

}  // namespace win32

#endif
