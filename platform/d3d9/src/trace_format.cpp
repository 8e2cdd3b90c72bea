// Text forms of call arguments for the trace.
#include "trace_format.h"

#include <cstdio>

namespace platform {
namespace d3d9 {
namespace {

std::string colourValue(const D3DCOLORVALUE& c) {
    return "(" + traceFloat(c.r) + ", " + traceFloat(c.g) + ", " + traceFloat(c.b) + ", " +
           traceFloat(c.a) + ")";
}

std::string vector3(const D3DVECTOR& v) {
    return "(" + traceFloat(v.x) + ", " + traceFloat(v.y) + ", " + traceFloat(v.z) + ")";
}

const char* renderStateName(D3DRENDERSTATETYPE state) {
    switch (state) {
        case D3DRS_ZWRITEENABLE:
            return "D3DRS_ZWRITEENABLE";
        case D3DRS_ALPHATESTENABLE:
            return "D3DRS_ALPHATESTENABLE";
        case D3DRS_SRCBLEND:
            return "D3DRS_SRCBLEND";
        case D3DRS_DESTBLEND:
            return "D3DRS_DESTBLEND";
        case D3DRS_ALPHAREF:
            return "D3DRS_ALPHAREF";
        case D3DRS_ALPHAFUNC:
            return "D3DRS_ALPHAFUNC";
        case D3DRS_ALPHABLENDENABLE:
            return "D3DRS_ALPHABLENDENABLE";
        case D3DRS_LIGHTING:
            return "D3DRS_LIGHTING";
        case D3DRS_AMBIENT:
            return "D3DRS_AMBIENT";
        case D3DRS_DEPTHBIAS:
            return "D3DRS_DEPTHBIAS";
        default:
            return nullptr;
    }
}

}  // namespace

std::string traceFloat(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string traceHex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

std::string traceColour(DWORD argb) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(argb));
    return text;
}

std::string traceMatrix(const D3DMATRIX* matrix) {
    if (!matrix) return "NULL";
    std::string text = "[";
    for (int i = 0; i < 16; ++i) {
        if (i) text += ", ";
        text += traceFloat(matrix->m[i / 4][i % 4]);
    }
    return text + "]";
}

std::string traceMaterial(const D3DMATERIAL9* m) {
    if (!m) return "NULL";
    return "{D=" + colourValue(m->Diffuse) + ", A=" + colourValue(m->Ambient) +
           ", S=" + colourValue(m->Specular) + ", E=" + colourValue(m->Emissive) +
           ", P=" + traceFloat(m->Power) + "}";
}

std::string traceLight(const D3DLIGHT9* l) {
    if (!l) return "NULL";
    return "{type=" + std::to_string(static_cast<int>(l->Type)) + ", D=" + colourValue(l->Diffuse) +
           ", S=" + colourValue(l->Specular) + ", A=" + colourValue(l->Ambient) +
           ", pos=" + vector3(l->Position) + ", dir=" + vector3(l->Direction) +
           ", range=" + traceFloat(l->Range) + ", falloff=" + traceFloat(l->Falloff) + ", att=(" +
           traceFloat(l->Attenuation0) + ", " + traceFloat(l->Attenuation1) + ", " +
           traceFloat(l->Attenuation2) + "), theta=" + traceFloat(l->Theta) +
           ", phi=" + traceFloat(l->Phi) + "}";
}

std::string traceRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    const char* name = renderStateName(state);
    std::string text = name ? name : std::to_string(static_cast<unsigned>(state));
    text += ", ";
    text += state == D3DRS_AMBIENT ? traceColour(value) : std::to_string(value);
    return text;
}

std::string traceSamplerState(D3DSAMPLERSTATETYPE type) {
    switch (type) {
        case D3DSAMP_MAGFILTER:
            return "D3DSAMP_MAGFILTER";
        case D3DSAMP_MINFILTER:
            return "D3DSAMP_MINFILTER";
        default:
            return std::to_string(static_cast<unsigned>(type));
    }
}

std::string traceTransformState(D3DTRANSFORMSTATETYPE state) {
    if (state == D3DTS_VIEW) return "D3DTS_VIEW";
    if (state == D3DTS_PROJECTION) return "D3DTS_PROJECTION";
    if (state == D3DTS_WORLD) return "D3DTS_WORLD";
    return std::to_string(static_cast<unsigned>(state));
}

std::string tracePrimitive(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST:
            return "D3DPT_POINTLIST";
        case D3DPT_LINELIST:
            return "D3DPT_LINELIST";
        case D3DPT_LINESTRIP:
            return "D3DPT_LINESTRIP";
        case D3DPT_TRIANGLELIST:
            return "D3DPT_TRIANGLELIST";
        case D3DPT_TRIANGLESTRIP:
            return "D3DPT_TRIANGLESTRIP";
        case D3DPT_TRIANGLEFAN:
            return "D3DPT_TRIANGLEFAN";
        default:
            return std::to_string(static_cast<unsigned>(type));
    }
}

std::string tracePool(D3DPOOL pool) {
    switch (pool) {
        case D3DPOOL_DEFAULT:
            return "D3DPOOL_DEFAULT";
        case D3DPOOL_MANAGED:
            return "D3DPOOL_MANAGED";
        case D3DPOOL_SYSTEMMEM:
            return "D3DPOOL_SYSTEMMEM";
        case D3DPOOL_SCRATCH:
            return "D3DPOOL_SCRATCH";
        default:
            return std::to_string(static_cast<unsigned>(pool));
    }
}

std::string traceObject(const char* kind, int id) {
    if (id == 0) return "NULL";
    return std::string(kind) + "#" + std::to_string(id);
}

}  // namespace d3d9
}  // namespace platform
