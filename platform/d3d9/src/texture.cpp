// Textures: one GL texture per Direct3D texture, made in the device's context.
#include "device.h"
#include "trace.h"
#include "trace_format.h"
#include "platform/d3d9_inspect.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>

namespace platform {
namespace d3d9 {
namespace {
int nextTextureId = 0;
}

Texture::Texture(Device* device, int width, int height, std::vector<uint8_t> rgba)
    : device_(device),
      width_(width),
      height_(height),
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

HRESULT Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (level >= GetLevelCount() || !desc) return D3DERR_INVALIDCALL;
    *desc = {};
    desc->Format = D3DFMT_A8R8G8B8;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Pool = D3DPOOL_MANAGED;
    desc->MultiSampleType = D3DMULTISAMPLE_NONE;
    desc->Width = UINT(width_);
    desc->Height = UINT(height_);
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
