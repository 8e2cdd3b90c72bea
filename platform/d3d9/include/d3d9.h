/*
 * <d3d9.h> of the stand-in: the Direct3D 9 interfaces the programs call, as
 * C++ classes whose pure virtual methods keep the SDK's relative order. Methods
 * no program calls are left out rather than stubbed, so a new caller fails to
 * compile instead of meeting a silent no-op.
 *
 * Reference counting follows COM: AddRef/Release return the new count and an
 * object is destroyed when its count reaches 0. Resources keep their device's
 * GL context alive internally, so releasing the device before its textures is
 * safe; the device's own count is not raised by them.
 */
#ifndef KELVANE_PLATFORM_D3D9_H
#define KELVANE_PLATFORM_D3D9_H

#include <windows.h>

#include "d3d9types.h"

#define D3D_SDK_VERSION 31
#define D3DADAPTER_DEFAULT 0

#define _FACD3D 0x876
#define MAKE_D3DHRESULT(code) ((HRESULT)((1UL << 31) | ((unsigned long)_FACD3D << 16) | (code)))
#define D3D_OK S_OK
#define D3DERR_WRONGTEXTUREFORMAT MAKE_D3DHRESULT(2072)
#define D3DERR_NOTFOUND MAKE_D3DHRESULT(2150)
#define D3DERR_DEVICELOST MAKE_D3DHRESULT(2152)
#define D3DERR_NOTAVAILABLE MAKE_D3DHRESULT(2154)
#define D3DERR_INVALIDCALL MAKE_D3DHRESULT(2156)
#define D3DERR_OUTOFVIDEOMEMORY MAKE_D3DHRESULT(380)

struct _RGNDATA;

#ifndef KELVANE_IUNKNOWN_DEFINED
#define KELVANE_IUNKNOWN_DEFINED
class IUnknown {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};
#endif

class IDirect3DDevice9;

class IDirect3DResource9 : public IUnknown {
protected:
    ~IDirect3DResource9() = default;
};

class IDirect3DBaseTexture9 : public IDirect3DResource9 {
public:
    virtual DWORD GetLevelCount() = 0;

protected:
    ~IDirect3DBaseTexture9() = default;
};

// Created only by D3DXCreateTextureFromFileA, with a full mip chain in the
// managed pool. A level past the chain is D3DERR_INVALIDCALL.
class IDirect3DTexture9 : public IDirect3DBaseTexture9 {
public:
    // D3DERR_INVALIDCALL for a level the texture does not have or a null desc.
    virtual HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) = 0;

protected:
    ~IDirect3DTexture9() = default;
};

class IDirect3DVertexBuffer9 : public IDirect3DResource9 {
public:
    virtual HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) = 0;
    virtual HRESULT Unlock() = 0;

protected:
    ~IDirect3DVertexBuffer9() = default;
};

class IDirect3DDevice9 : public IUnknown {
public:
    virtual HRESULT Present(CONST RECT* pSourceRect, CONST RECT* pDestRect,
                            HWND hDestWindowOverride, CONST struct _RGNDATA* pDirtyRegion) = 0;
    virtual HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                       IDirect3DVertexBuffer9** ppVertexBuffer,
                                       HANDLE* pSharedHandle) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Clear(DWORD Count, CONST D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z,
                          DWORD Stencil) = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE State, CONST D3DMATRIX* pMatrix) = 0;
    virtual HRESULT SetMaterial(CONST D3DMATERIAL9* pMaterial) = 0;
    virtual HRESULT SetLight(DWORD Index, CONST D3DLIGHT9* pLight) = 0;
    virtual HRESULT LightEnable(DWORD Index, BOOL Enable) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value) = 0;
    virtual HRESULT SetTexture(DWORD Stage, IDirect3DBaseTexture9* pTexture) = 0;
    virtual HRESULT SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value) = 0;
    // Triangle fans, triangle lists and line lists, inside BeginScene/EndScene;
    // anything else, or a draw reading past the stream, is D3DERR_INVALIDCALL.
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                                  UINT PrimitiveCount) = 0;
    virtual HRESULT SetFVF(DWORD FVF) = 0;
    virtual HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                                    UINT OffsetInBytes, UINT Stride) = 0;

protected:
    ~IDirect3DDevice9() = default;
};

class IDirect3D9 : public IUnknown {
public:
    virtual HRESULT GetAdapterDisplayMode(UINT Adapter, D3DDISPLAYMODE* pMode) = 0;
    virtual HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                 DWORD BehaviorFlags,
                                 D3DPRESENT_PARAMETERS* pPresentationParameters,
                                 IDirect3DDevice9** ppReturnedDeviceInterface) = 0;

protected:
    ~IDirect3D9() = default;
};

typedef IDirect3D9* LPDIRECT3D9;
typedef IDirect3DDevice9* LPDIRECT3DDEVICE9;
typedef IDirect3DBaseTexture9* LPDIRECT3DBASETEXTURE9;
typedef IDirect3DTexture9* LPDIRECT3DTEXTURE9;
typedef IDirect3DVertexBuffer9* LPDIRECT3DVERTEXBUFFER9;

// Null when the SDK version is not the one the layer implements.
IDirect3D9* WINAPI Direct3DCreate9(UINT SDKVersion);

#endif
