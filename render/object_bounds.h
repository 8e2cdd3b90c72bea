// The room a billboard or a border can take up in world space, as the
// passes draw it, for deciding whether a view can show it.
#ifndef KELVANE_RENDER_OBJECT_BOUNDS_H
#define KELVANE_RENDER_OBJECT_BOUNDS_H

#include "track_records.h"
#include "view_volume.h"

enum class BoundKind {
    Unused,   // not drawn at all
    Extreme,  // values far outside any track (a negative entry read as a
              // huge number, a scale of 0): always drawn, as without culling
    Box,      // drawn only when the box may show
};

struct ObjectBounds {
    BoundKind kind;
    WorldBox box;
};

ObjectBounds billboardBounds(const Billboard& billboard);
ObjectBounds borderBounds(const Border& border);

#endif
