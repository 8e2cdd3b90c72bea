// The demo track's maps, drawn from arithmetic alone so that the generator
// gives the same bytes on every machine.
#ifndef KELVANE_TOOLS_TEXTURES_H
#define KELVANE_TOOLS_TEXTURES_H

#include "image_writer.h"

namespace demo {

Picture grassTexture();
Picture asphaltTexture(bool centreLine);  // dashes run along the picture's height
Picture kerbTexture();                    // slopes and raised cells
Picture stoneWallTexture();
Picture skyTexture();
Picture treeTexture();  // transparent round the tree
Picture chequerTexture();

}  // namespace demo

#endif
