#include "quads.h"

#include <cstring>

#include "com_release.h"
#include "renderer.h"
#include "scene.h"
#include "transforms.h"

namespace {

const DWORD kWhite = 0xFFFFFFFF;
const UINT kQuadBytes = kQuadVertexCount * sizeof(QuadVertex);
const UINT kLineBytes = 2 * 3 * sizeof(float);

// Texture coordinates are shared: v = 0 along the far (+z or top) edge, so an
// image is upright on a billboard seen from its front and on ground seen from
// above with +z up.
const QuadVertex kQuads[kQuadCount][kQuadVertexCount] = {
    {{5, 0, 0, 0, 0, -1, kWhite, 1, 1},
     {-5, 0, 0, 0, 0, -1, kWhite, 0, 1},
     {-5, 10, 0, 0, 0, -1, kWhite, 0, 0},
     {5, 10, 0, 0, 0, -1, kWhite, 1, 0}},
    {{5, 0, -5, 0, 1, 0, kWhite, 1, 1},
     {-5, 0, -5, 0, 1, 0, kWhite, 0, 1},
     {-5, 0, 5, 0, 1, 0, kWhite, 0, 0},
     {5, 0, 5, 0, 1, 0, kWhite, 1, 0}},
    {{5, 0, -5, 0, 1, 0, kWhite, 1, 1},
     {-5, 0, -5, 0, 1, 0, kWhite, 0, 1},
     {-5, 25, 5, 0, 1, 0, kWhite, 0, 0},
     {5, 25, 5, 0, 1, 0, kWhite, 1, 0}},
    {{5, 0, -5, 0, 1, 0, kWhite, 1, 1},
     {-5, 0, -5, 0, 1, 0, kWhite, 0, 1},
     {-5, 0, 5, 0, 1, 0, kWhite, 0, 0},
     {5, 25, 5, 0, 1, 0, kWhite, 1, 0}},
    {{5, 25, -5, 0, 1, 0, kWhite, 1, 1},
     {-5, 25, -5, 0, 1, 0, kWhite, 0, 1},
     {-5, 25, 5, 0, 1, 0, kWhite, 0, 0},
     {5, 0, 5, 0, 1, 0, kWhite, 1, 0}},
};

static_assert(sizeof(QuadVertex) == 36, "the vertex format is 36 bytes");

// A filled quad buffer, or null: a buffer whose contents could not be written
// is released rather than drawn with whatever memory it holds.
IDirect3DVertexBuffer9* createQuad(IDirect3DDevice9* device, const QuadVertex* vertices) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    if (FAILED(device->CreateVertexBuffer(kQuadBytes, 0, kQuadFvf, D3DPOOL_MANAGED, &buffer,
                                          nullptr)) ||
        !buffer) {
        return nullptr;
    }
    void* data = nullptr;
    if (FAILED(buffer->Lock(0, kQuadBytes, &data, 0)) || !data) {
        releaseCom(buffer);
        return nullptr;
    }
    std::memcpy(data, vertices, kQuadBytes);
    buffer->Unlock();
    return buffer;
}

// Writes a segment into *buffer, making the buffer first when there is none.
// False when there is no buffer or it could not be written: the segment is
// then not drawn, rather than drawn with whatever the buffer held before.
bool writeLine(IDirect3DDevice9* device, IDirect3DVertexBuffer9** buffer, const float points[6]) {
    if (!*buffer &&
        FAILED(device->CreateVertexBuffer(kLineBytes, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY,
                                          D3DFVF_XYZ, D3DPOOL_DEFAULT, buffer, nullptr)))
        *buffer = nullptr;
    void* data = nullptr;
    if (!*buffer || FAILED((*buffer)->Lock(0, kLineBytes, &data, D3DLOCK_DISCARD)) || !data)
        return false;
    std::memcpy(data, points, kLineBytes);
    (*buffer)->Unlock();
    return true;
}

// Material whose every colour is (r, g, b, 1): the emissive part colours a
// line that carries no normal to light.
D3DMATERIAL9 lineMaterial(float r, float g, float b) {
    D3DCOLORVALUE colour = {r, g, b, 1.0f};
    D3DMATERIAL9 material;
    material.Diffuse = colour;
    material.Ambient = colour;
    material.Specular = colour;
    material.Emissive = colour;
    material.Power = 15.0f;
    return material;
}

}  // namespace

const QuadVertex* quadVertices(int index) {
    return index >= 0 && index < kQuadCount ? kQuads[index] : nullptr;
}

void Scene::buildQuads() {
    releaseQuads();
    if (!renderer.device) return;
    for (int i = 0; i < kQuadCount; ++i) quads[i] = createQuad(renderer.device, kQuads[i]);
}

void Scene::releaseQuads() {
    for (IDirect3DVertexBuffer9*& quad : quads) releaseCom(quad);
    currentQuad = nullptr;
    releaseCom(lineBuffer);
}

int Scene::selectQuad(int index) {
    if (index < 0 || index >= kQuadCount) return 1;
    currentQuad = quads[index];
    if (currentQuad && renderer.device) {
        renderer.device->SetStreamSource(0, currentQuad, 0, sizeof(QuadVertex));
        renderer.device->SetFVF(kQuadFvf);
    }
    return 1;
}

HRESULT Scene::drawQuad(DWORD map) {
    if (!renderer.device || !currentQuad) return S_OK;
    renderer.device->SetTexture(0, mapTexture(map));
    renderer.device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
    return S_OK;
}

HRESULT Scene::drawBillboard(DWORD map, float x, float y, float z, float width, float height) {
    if (!renderer.device || !quads[BillboardQuad]) return S_OK;
    // The turn about Y whose cosine and sine are the look direction's z and x:
    // it swings the quad's -z front round to face back along the view.
    D3DXMATRIX facing = identityMatrix();
    facing._11 = lookDirZ;
    facing._13 = -lookDirX;
    facing._31 = lookDirX;
    facing._33 = lookDirZ;
    setWorld(composeMatrices(translationMatrix(x, y, z),
                             composeMatrices(facing, scalingMatrix(width, height, 1.0f))));
    renderer.device->SetTexture(0, mapTexture(map));
    selectQuad(BillboardQuad);
    renderer.device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
    return S_OK;
}

HRESULT Scene::drawPlacedQuad(DWORD map, D3DXVECTOR3 position, D3DXVECTOR3 rotation, float scaleX,
                              float scaleY) {
    if (!renderer.device || !currentQuad) return S_OK;
    D3DXMATRIX world = composeMatrices(
        translationMatrix(position.x, position.y, position.z),
        composeMatrices(
            rotationYMatrix(rotation.y),
            composeMatrices(rotationXMatrix(rotation.x), scalingMatrix(scaleX, scaleY, 1.0f))));
    setWorld(world);
    renderer.device->SetTexture(0, mapTexture(map));
    renderer.device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
    return S_OK;
}

HRESULT Scene::drawLine(float x1, float y1, float z1, float x2, float y2, float z2, float r,
                        float g, float b) {
    IDirect3DDevice9* device = renderer.device;
    if (!device) return S_OK;
    const float points[6] = {x1, y1, z1, x2, y2, z2};
    const bool filled = writeLine(device, &lineBuffer, points);
    D3DMATERIAL9 material = lineMaterial(r, g, b);
    device->SetMaterial(&material);
    setWorld(identityMatrix());
    device->SetTexture(0, nullptr);
    // A line whose buffer could not be made or filled is skipped, but the
    // state it leaves behind is the same either way.
    if (filled) {
        device->SetStreamSource(0, lineBuffer, 0, 3 * sizeof(float));
        device->SetFVF(D3DFVF_XYZ);
        device->DrawPrimitive(D3DPT_LINELIST, 0, 1);
    }
    selectQuad(BillboardQuad);
    // Without a billboard quad to rebind, unbind so the line buffer is not
    // left as the stream.
    if (filled && !quads[BillboardQuad]) device->SetStreamSource(0, nullptr, 0, 0);
    device->SetMaterial(&DefaultMaterial);
    return S_OK;
}
