// The texts and choices of the lists that name maps and meshes, kept before
// and after each step that adds or renames their entries or changes their
// choice, so that undo and redo show the lists exactly as they were (Add Map
// rewrites every entry of three lists; the Sprites "Map:" list keeps its own
// texts, and shows no map for a billboard not yet used).
#ifndef KELVANE_EDITOR_LIST_MEMO_H
#define KELVANE_EDITOR_LIST_MEMO_H

#include <windows.h>

#include <cstdint>
#include <vector>

// The lists the command may add or rename entries of, or change the choice
// of in a way the restored records alone do not give back.
std::vector<HWND> listsChangedBy(int controlId);

// Before such a command runs.
void rememberListsBefore(const std::vector<HWND>& lists);
// After it ran as the kept step `serial` (0: nothing was kept); lists of
// steps the history no longer holds are let go.
void rememberListsAfter(uint64_t serial);

// After an undo (back) or redo of the step: its lists, when remembered.
void showRememberedLists(uint64_t serial, bool back);

#endif
