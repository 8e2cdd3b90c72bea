// The start/finish arch as a text .x mesh: two stone pillars and a beam that
// carries a chequered banner texture, two materials in all.
#ifndef KELVANE_TOOLS_ARCH_MESH_H
#define KELVANE_TOOLS_ARCH_MESH_H

#include <string>

namespace demo {

// The whole file. At the placement's default scale of 100 the arch spans one
// road cell (about 120 units wide and 85 high); stored sizes are a tenth.
std::string archMeshText(const std::string& bannerTexture);

}  // namespace demo

#endif
