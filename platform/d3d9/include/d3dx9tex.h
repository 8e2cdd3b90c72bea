/* D3DX texture loading: bmp, tga, jpg, gif, png and tif images. */
#ifndef KELVANE_PLATFORM_D3DX9TEX_H
#define KELVANE_PLATFORM_D3DX9TEX_H

#include <d3d9.h>

// The image's alpha channel is kept; an image without one is opaque. A missing
// or damaged file returns E_FAIL and leaves *ppTexture null.
HRESULT WINAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                          LPDIRECT3DTEXTURE9* ppTexture);

typedef enum _D3DXIMAGE_FILEFORMAT {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_PPM = 5,
    D3DXIFF_DIB = 6,
    D3DXIFF_HDR = 7,
    D3DXIFF_PFM = 8,
    D3DXIFF_FORCE_DWORD = 0x7fffffff
} D3DXIMAGE_FILEFORMAT;

// Writes the whole surface; only PNG without a palette or a source rectangle
// is provided, anything else is D3DERR_INVALIDCALL.
HRESULT WINAPI D3DXSaveSurfaceToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                                      LPDIRECT3DSURFACE9 pSrcSurface,
                                      CONST struct tagPALETTEENTRY* pSrcPalette,
                                      CONST RECT* pSrcRect);

#endif
