/* <d3dx9.h> of the stand-in: the D3DX helpers the programs use. */
#ifndef KELVANE_PLATFORM_D3DX9_H
#define KELVANE_PLATFORM_D3DX9_H

#include <d3d9.h>

#include "d3dx9math.h"
#include "d3dx9mesh.h"
#include "d3dx9tex.h"

#endif
