/* D3DX texture loading: bmp, tga, jpg, gif, png and tif images. */
#ifndef KELVANE_PLATFORM_D3DX9TEX_H
#define KELVANE_PLATFORM_D3DX9TEX_H

#include <d3d9.h>

// The image's alpha channel is kept; an image without one is opaque. A missing
// or damaged file returns E_FAIL and leaves *ppTexture null.
HRESULT WINAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                          LPDIRECT3DTEXTURE9* ppTexture);

#endif
