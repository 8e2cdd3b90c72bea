// The one Direct3D device of the track editor, created on the Preview window,
// with the per-frame clear and present around the drawing passes.
#ifndef KELVANE_RENDER_RENDERER_H
#define KELVANE_RENDER_RENDERER_H

#include <windows.h>
#include <d3d9.h>

struct Renderer {
    IDirect3D9* direct3d;
    IDirect3DDevice9* device;
    D3DPRESENT_PARAMETERS presentParams;

    // Creates the device on the window and sets the state that never changes
    // afterwards. S_OK, or E_FAIL with nothing left behind. A back-buffer size
    // of 0 takes the window's client size.
    HRESULT initRenderer(HWND window, UINT width = 0, UINT height = 0);
    void clearFrame();
    HRESULT presentFrame();
    // New back buffers of the window's client size after the Preview was
    // resized. The scene lets go of its D3DPOOL_DEFAULT line buffer first,
    // as Reset asks, and the fixed state of initRenderer is set again; the
    // state the main dialog sets (ambient, projection, world, light) is the
    // caller's to restore.
    HRESULT resetForWindowSize();
};

// The ambient colour the main dialog gives the device.
const D3DCOLOR kPreviewAmbient = 0xFF9B9B9B;

extern Renderer renderer;

// Releases the scene's textures, meshes and quads, then the device and the
// Direct3D object, so every reference count reaches zero at program end.
void shutdownRenderer();

#endif
