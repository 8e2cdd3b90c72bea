// The Direct3D layer's opt-in call trace, for tests that check what a drawing
// pass asks of the device without looking at pixels.
//
// While a trace is set, every call on a device, vertex buffer, texture or mesh
// appends one line. Format:
//   device calls      Name(arg, arg, ...)         e.g. BeginScene()
//   other objects     kind#N.Name(arg, ...)       e.g. vb#3.Lock(0, 144, 0)
// Arguments:
//   enumerations      the SDK name                D3DRS_LIGHTING, D3DTS_WORLD,
//                                                 D3DPT_TRIANGLEFAN, D3DSAMP_MINFILTER,
//                                                 D3DPOOL_MANAGED (unknown: the number)
//   objects           kind#N or NULL              tex#2, vb#5, mesh#1 (N counts up from 1
//                                                 per kind for the whole process)
//   FVF, usage, flags hex                         0x152, D3DCLEAR_* flags as 0x1
//   colours           hex, 8 digits               0xff0000ff (also D3DRS_AMBIENT's value)
//   other integers    decimal                     D3DRS_DEPTHBIAS's raw value 16
//   floats            shortest round-trip form    1, 0.5, 3000 (printf %.9g)
//   matrices          [16 floats, row by row]     [1, 0, 0, 0, 0, 1, 0, 0, ...]
//   colour values     (r, g, b, a)
//   materials         {D=(..), A=(..), S=(..), E=(..), P=15}
//   lights            {type=1, D=(..), S=(..), A=(..), pos=(x, y, z), dir=(x, y, z),
//                      range=10000, falloff=0, att=(1, 0, 0), theta=0, phi=0}
// Examples:
//   SetRenderState(D3DRS_LIGHTING, 0)
//   SetRenderState(D3DRS_AMBIENT, 0xff9b9b9b)
//   SetTransform(D3DTS_WORLD, [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1])
//   Clear(0, NULL, 0x1, 0xff0000ff, 1, 0)
//   SetTexture(0, tex#3)          SetTexture(0, NULL)
//   SetStreamSource(0, vb#1, 0, 36)
//   SetFVF(0x152)
//   DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2)
//   CreateVertexBuffer(24, 0, 0x2, D3DPOOL_MANAGED) = vb#7
//   vb#7.Lock(0, 24, 0)   vb#7.Unlock()   vb#7.Release()
//   mesh#1.DrawSubset(2)
//   D3DXCreateTextureFromFileA("dir/map.bmp") = tex#4      (only when the load succeeds)
//   D3DXLoadMeshFromXA("dir/car.x") = mesh#2               (likewise)
//   Present()                     (all four arguments null; otherwise they are listed)
// A call that fails is traced like any other, with " -> FAILED" appended.
#ifndef KELVANE_PLATFORM_D3D9_TRACE_H
#define KELVANE_PLATFORM_D3D9_TRACE_H

#include <string>
#include <vector>

namespace platform {
namespace d3d9 {

// Starts appending trace lines to *lines; null stops tracing.
void setCallTrace(std::vector<std::string>* lines);

// Traces into *lines for the scope's lifetime, then restores the previous sink.
class TraceScope {
public:
    explicit TraceScope(std::vector<std::string>* lines);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

private:
    std::vector<std::string>* previous_;
};

}  // namespace d3d9
}  // namespace platform

#endif
