// Textures: one GL texture per Direct3D texture, made in the device's context.
#include "device.h"
#include "trace.h"
#include "trace_format.h"
#include "platform/d3d9_inspect.h"

#include <algorithm>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>

namespace platform {
namespace d3d9 {
namespace {
int nextTextureId = 0;
}

Texture::Texture(Device* device, int width, int height, D3DFORMAT format,
                 std::vector<uint8_t> rgba)
    : device_(device),
      width_(width),
      height_(height),
      format_(format),
      rgba_(std::move(rgba)),
      id_(++nextTextureId) {
    device_->hold();
    if (!device_->makeCurrent()) return;
    GLuint name = 0;
    glGenTextures(1, &name);
    glName_ = name;
    bind();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba_.data());
    // Direct3D's default addressing: wrap in both directions.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    device_->forgetBoundTexture();
}

Texture::~Texture() {
    device_->flushBatch();  // a pending batch may still draw with this texture
    if (glName_ && device_->makeCurrent()) {
        GLuint name = glName_;
        glDeleteTextures(1, &name);
        device_->forgetBoundTexture();
    }
    device_->unhold();
}

ULONG Texture::Release() {
    if (tracing()) traceLine(traceObject("tex", id_) + ".Release()");
    return releasePublic();
}

// The chain D3DX makes halves each side down to 1 x 1; the layer draws from
// level 0 only, but every level is described.
DWORD Texture::GetLevelCount() {
    DWORD levels = 1;
    while ((width_ >> levels) > 0 || (height_ >> levels) > 0) ++levels;
    return levels;
}

HRESULT Texture::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) {
    if (!pDesc || Level >= GetLevelCount()) return D3DERR_INVALIDCALL;
    *pDesc = D3DSURFACE_DESC{};
    pDesc->Format = format_;
    pDesc->Type = D3DRTYPE_SURFACE;
    pDesc->Pool = D3DPOOL_MANAGED;
    pDesc->MultiSampleType = D3DMULTISAMPLE_NONE;
    pDesc->Width = std::max(1, width_ >> Level);
    pDesc->Height = std::max(1, height_ >> Level);
    return D3D_OK;
}

void Texture::bind() {
    glBindTexture(GL_TEXTURE_2D, glName_);
}

void Texture::setFilters(int magFilter, int minFilter) {
    if (magFilter != magFilter_) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    if (minFilter != minFilter_) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    magFilter_ = magFilter;
    minFilter_ = minFilter;
}

}  // namespace d3d9
}  // namespace platform

namespace platform {
namespace d3d9 {

bool readTexture(IDirect3DTexture9* texture, TextureImage* image) {
    if (!texture) return false;
    const Texture* t = static_cast<Texture*>(texture);
    image->width = t->width();
    image->height = t->height();
    image->rgba = t->rgba();
    return true;
}

}  // namespace d3d9
}  // namespace platform
