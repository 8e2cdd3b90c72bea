// The control classes EDIT, BUTTON, COMBOBOX and STATIC: their window
// procedures, and the user input they accept (from the headless driver or
// from a back end's widgets), which produces Windows' notifications.
#ifndef KELVANE_WIN32_CONTROLS_H
#define KELVANE_WIN32_CONTROLS_H

#include "window.h"

namespace win32 {

// Case-insensitive class name to kind; false for a class the layer lacks.
bool controlKindForClass(const char* className, WindowKind* kind);
WindowProc controlProc(WindowKind kind);

LRESULT editProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT buttonProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT comboProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT staticProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam);

// Edit boxes and the edit field of a CBS_DROPDOWN combo box.
bool hasEditField(const Window* window);
bool editAcceptsChar(const Window* window, char c);
// Replaces the selection with c as a key press would; false when refused.
bool typeChar(Window* window, char c);
void deleteSelection(Window* window);
void selectAll(Window* window);
// A back end's widget already holds new text typed by the user.
void userEditedText(Window* window, const std::string& text);

// Buttons.
int buttonType(const Window* window);
bool isPushButton(const Window* window);
bool isCheckable(const Window* window);
// A mouse click: focus, the automatic state change, BN_CLICKED.
void clickButton(Window* window);

// Combo boxes: the user opens the list, then clicks entry `index` or
// dismisses the list; chooseComboEntry is both steps.
bool isDropDownList(const Window* window);
void openComboList(Window* window);
void pickComboEntry(Window* window, int index);
void dismissComboList(Window* window);
void chooseComboEntry(Window* window, int index);

// "ID: STATE" as the scripted user's print shows it.
std::string describeControl(const Window* window);

}  // namespace win32

#endif
