// The main dialog after an undo or redo: the lists whose records the step
// added or renamed are rebuilt, the record the step changed becomes the
// chosen one and is shown in its panel, the selected cell moves to the
// cell it changed, the renderer reloads pictures and models whose file
// names changed, and the Preview is redrawn.
#ifndef KELVANE_EDITOR_RESTORE_PANELS_H
#define KELVANE_EDITOR_RESTORE_PANELS_H

struct StepSummary;

void showRestoredState(const StepSummary& summary);

#endif
