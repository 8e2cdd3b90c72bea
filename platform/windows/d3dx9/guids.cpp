// The interface identifiers of the D3DX objects made here. Without the SDK's
// d3dx9 import library nothing else defines them.
#include <initguid.h>

#include <d3dx9.h>
