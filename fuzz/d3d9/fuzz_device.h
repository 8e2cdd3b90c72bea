// One offscreen device for every input of a fuzz run, and a temporary file
// to hand the input to the D3DX loaders, which read files by name.
#ifndef KELVANE_FUZZ_D3D9_FUZZ_DEVICE_H
#define KELVANE_FUZZ_D3D9_FUZZ_DEVICE_H

#include <d3d9.h>

#include <cstddef>
#include <cstdint>
#include <string>

IDirect3DDevice9* fuzzDevice();
// Writes the bytes to a per-process temporary file and returns its path.
std::string writeFuzzInput(const uint8_t* data, size_t size, const char* extension);

#endif
