// Reference counting shared by every object of the layer, and the count of
// live objects that leak tests read.
#ifndef KELVANE_D3D9_OBJECT_H
#define KELVANE_D3D9_OBJECT_H

#include <windows.h>

namespace platform {
namespace d3d9 {

void noteObjectCreated();
void noteObjectDestroyed();

// Public COM count plus internal holds (a device kept alive by its
// resources). The object is destroyed when both reach 0.
class RefCounted {
public:
    RefCounted() { noteObjectCreated(); }
    virtual ~RefCounted() { noteObjectDestroyed(); }
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    ULONG addPublic() { return ++publicCount_; }
    ULONG releasePublic() {
        if (publicCount_ == 0) return 0;  // over-release: ignore rather than free twice
        ULONG left = --publicCount_;
        if (left == 0) {
            ++holds_;  // stay alive while the object lets go of what it holds
            onPublicReleased();
            --holds_;
        }
        destroyIfUnused();
        return left;
    }
    void hold() { ++holds_; }
    // Tests only the count it did not just write: reading both counts as one
    // word straight after the store stalls on every binding swap.
    void unhold() {
        if (holds_ == 0) {
            destroyIfUnused();
        } else if (--holds_ == 0 && publicCount_ == 0) {
            delete this;
        }
    }
    ULONG publicCount() const { return publicCount_; }

protected:
    // Called once when the application lets go of its last reference.
    virtual void onPublicReleased() {}

private:
    void destroyIfUnused() {
        if (publicCount_ == 0 && holds_ == 0) delete this;
    }
    ULONG publicCount_ = 1;
    ULONG holds_ = 0;
};

}  // namespace d3d9
}  // namespace platform

#endif
