// Text forms of call arguments for the trace (format in platform/d3d9_trace.h).
#ifndef KELVANE_D3D9_TRACE_FORMAT_H
#define KELVANE_D3D9_TRACE_FORMAT_H

#include <d3d9.h>

#include <string>

namespace platform {
namespace d3d9 {

std::string traceFloat(float value);
std::string traceHex(DWORD value);
std::string traceColour(DWORD argb);
std::string traceMatrix(const D3DMATRIX* matrix);
std::string traceMaterial(const D3DMATERIAL9* material);
std::string traceLight(const D3DLIGHT9* light);
std::string traceRenderState(D3DRENDERSTATETYPE state, DWORD value);
std::string traceSamplerState(D3DSAMPLERSTATETYPE type);
std::string traceTransformState(D3DTRANSFORMSTATETYPE state);
std::string tracePrimitive(D3DPRIMITIVETYPE type);
std::string tracePool(D3DPOOL pool);
// "kind#id", or "NULL" when id is 0.
std::string traceObject(const char* kind, int id);

}  // namespace d3d9
}  // namespace platform

#endif
