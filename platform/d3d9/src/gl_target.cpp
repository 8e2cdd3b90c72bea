// Device render targets over OpenGL. Both kinds draw into a framebuffer
// object so that the picture, its size and its read-back do not depend on
// the window system; they differ only in where the context comes from and
// whether Present also shows the frame on screen.
#include "gl_target.h"

#define GL_GLEXT_PROTOTYPES 1
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace platform {
namespace d3d9 {
namespace {

// A colour and depth framebuffer object.
struct Framebuffer {
    GLuint fbo = 0, colour = 0, depth = 0;

    bool create(const TargetFormat& f) {
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, f.alpha ? GL_RGBA8 : GL_RGB8, f.width, f.height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        if (f.depthBits > 0) {
            glGenRenderbuffers(1, &depth);
            glBindRenderbuffer(GL_RENDERBUFFER, depth);
            const GLenum internal = f.depthBits == 16   ? GL_DEPTH_COMPONENT16
                                    : f.depthBits == 24 ? GL_DEPTH_COMPONENT24
                                                        : GL_DEPTH_COMPONENT32;
            glRenderbufferStorage(GL_RENDERBUFFER, internal, f.width, f.height);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
        }
        return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }

    void destroy() {
        if (depth) glDeleteRenderbuffers(1, &depth);
        if (colour) glDeleteRenderbuffers(1, &colour);
        if (fbo) glDeleteFramebuffers(1, &fbo);
        fbo = colour = depth = 0;
    }
};

// The back buffer and the presented copy inside whatever context is current.
class FramebufferPair {
public:
    bool create(const TargetFormat& f) {
        format_ = f;
        TargetFormat shown = f;
        shown.depthBits = 0;
        return presented_.create(shown) && back_.create(f);
    }
    void destroy() {
        back_.destroy();
        presented_.destroy();
    }
    void bindBack() { glBindFramebuffer(GL_FRAMEBUFFER, back_.fbo); }
    void copyBackTo(GLuint target, int width, int height) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, back_.fbo);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
        glBlitFramebuffer(0, 0, format_.width, format_.height, 0, 0, width, height,
                          GL_COLOR_BUFFER_BIT, GL_LINEAR);
        bindBack();
    }
    void keepPresented() { copyBackTo(presented_.fbo, format_.width, format_.height); }
    bool readPresented(Frame* frame) { return read(presented_.fbo, frame); }
    bool readBack(Frame* frame) { return read(back_.fbo, frame); }
    const TargetFormat& format() const { return format_; }

private:
    // GL rows run bottom-up; frames are top-down.
    bool read(GLuint fbo, Frame* frame) {
        const int w = format_.width, h = format_.height;
        frame->width = w;
        frame->height = h;
        frame->rgba.assign(static_cast<size_t>(w) * h * 4, 0);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        std::vector<unsigned char> rows(frame->rgba.size());
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        const size_t stride = static_cast<size_t>(w) * 4;
        for (int y = 0; y < h; ++y)
            std::memcpy(&frame->rgba[y * stride], &rows[(h - 1 - y) * stride], stride);
        bindBack();
        return glGetError() == GL_NO_ERROR;
    }

    TargetFormat format_;
    Framebuffer back_, presented_;
};

EGLDisplay surfacelessDisplay() {
    static EGLDisplay display = [] {
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (!getPlatformDisplay) return EGL_NO_DISPLAY;
        EGLDisplay d =
            getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (d == EGL_NO_DISPLAY || !eglInitialize(d, nullptr, nullptr)) return EGL_NO_DISPLAY;
        return d;
    }();
    return display;
}

// Offscreen: an EGL compatibility-profile context with no surface at all.
class OffscreenTarget final : public GlTarget {
public:
    ~OffscreenTarget() override {
        if (context_ == EGL_NO_CONTEXT) return;
        if (makeCurrent()) buffers_.destroy();
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display_, context_);
    }

    bool init(const TargetFormat& f) {
        display_ = surfacelessDisplay();
        if (display_ == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_API)) return false;
        const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        context_ = eglCreateContext(display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
        if (context_ == EGL_NO_CONTEXT) return false;
        if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) return false;
        return buffers_.create(f);
    }

    bool makeCurrent() override {
        if (eglGetCurrentContext() == context_) return true;
        if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) return false;
        buffers_.bindBack();
        return true;
    }
    bool present() override {
        if (!makeCurrent()) return false;
        buffers_.keepPresented();
        return true;
    }
    bool readPresented(Frame* frame) override {
        return makeCurrent() && buffers_.readPresented(frame);
    }
    bool readBack(Frame* frame) override { return makeCurrent() && buffers_.readBack(frame); }
    const TargetFormat& format() const override { return buffers_.format(); }
    bool resize(const TargetFormat& f) override {
        if (!makeCurrent()) return false;
        buffers_.destroy();
        if (!buffers_.create(f)) return false;
        buffers_.bindBack();
        return true;
    }

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
    FramebufferPair buffers_;
};

// On screen: the window back end's context; Present also stretches the back
// buffer over the window's current client area, as a windowed device does.
class WindowTarget final : public GlTarget {
public:
    WindowTarget(HWND window, WindowSurface* surface) : window_(window), surface_(surface) {}
    ~WindowTarget() override {
        if (surface_->makeCurrent()) buffers_.destroy();
    }
    bool init(const TargetFormat& f) { return surface_->makeCurrent() && buffers_.create(f); }

    bool makeCurrent() override {
        if (!surface_->makeCurrent()) return false;
        buffers_.bindBack();
        return true;
    }
    bool present() override {
        if (!makeCurrent()) return false;
        buffers_.keepPresented();
        int w = buffers_.format().width, h = buffers_.format().height;
        windowClientSize(window_, &w, &h);
        buffers_.copyBackTo(0, w, h);
        surface_->swapBuffers();
        return true;
    }
    bool readPresented(Frame* frame) override {
        return makeCurrent() && buffers_.readPresented(frame);
    }
    bool readBack(Frame* frame) override { return makeCurrent() && buffers_.readBack(frame); }
    const TargetFormat& format() const override { return buffers_.format(); }
    bool resize(const TargetFormat& f) override {
        if (!surface_->makeCurrent()) return false;
        buffers_.destroy();
        if (!buffers_.create(f)) return false;
        buffers_.bindBack();
        return true;
    }

private:
    HWND window_;
    WindowSurface* surface_;
    FramebufferPair buffers_;
};

}  // namespace

std::unique_ptr<GlTarget> createGlTarget(HWND window, const TargetFormat& format) {
    if (WindowSurface* surface = windowSurfaceFor(window)) {
        auto target = std::make_unique<WindowTarget>(window, surface);
        if (target->init(format)) return target;
        return nullptr;
    }
    auto target = std::make_unique<OffscreenTarget>();
    if (target->init(format)) return target;
    return nullptr;
}

}  // namespace d3d9
}  // namespace platform
