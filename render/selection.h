// What the editor has chosen, which the drawing passes mark: the field cell
// (column I, row J), the billboard and the border. Only the editor writes
// these; the passes only read them.
#ifndef KELVANE_RENDER_SELECTION_H
#define KELVANE_RENDER_SELECTION_H

extern int selectedFieldI;
extern int selectedFieldJ;
extern int selectedBillboard;
extern int selectedBorder;

#endif
