// The live-object count behind liveObjectCount().
#include "object.h"

#include "platform/d3d9_inspect.h"

namespace platform {
namespace d3d9 {
namespace {
int liveObjects = 0;
}

void noteObjectCreated() {
    ++liveObjects;
}
void noteObjectDestroyed() {
    --liveObjects;
}
int liveObjectCount() {
    return liveObjects;
}

}  // namespace d3d9
}  // namespace platform
