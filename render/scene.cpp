#include "scene.h"

#include "renderer.h"

Scene scene;

const D3DMATERIAL9 DefaultMaterial = {
    {1.0f, 1.0f, 1.0f, 1.0f},  // Diffuse
    {1.0f, 1.0f, 1.0f, 1.0f},  // Ambient
    {0.0f, 0.0f, 0.0f, 1.0f},  // Specular
    {0.0f, 0.0f, 0.0f, 1.0f},  // Emissive
    15.0f,
};

namespace {

const float kFieldOfView = 0.7853982f;
// A constant, not the window's aspect: the picture keeps its proportions
// whatever shape the Preview has.
const float kAspect = 1.33f;
const float kNearPlane = 1.0f;
const float kFarPlane = 3000.0f;

}  // namespace

D3DXMATRIX previewProjection() {
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView, kAspect, kNearPlane, kFarPlane);
    return projection;
}

void Scene::setProjection() {
    if (!renderer.device) return;
    D3DXMATRIX projection = previewProjection();
    renderer.device->SetTransform(D3DTS_PROJECTION, &projection);
}

// One point light above the origin whose range covers any track, without
// fall-off, so every field of a level track is lit alike.
void Scene::setupLight() {
    if (!renderer.device) return;
    D3DLIGHT9 light = {};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {0.5f, 0.5f, 0.5f, 0.0f};
    light.Specular = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Ambient = {0.1f, 0.1f, 0.1f, 0.0f};
    light.Position = {0.0f, 500.0f, 0.0f};
    light.Direction = {0.0f, 0.0f, 0.0f};
    light.Range = 10000.0f;
    light.Attenuation0 = 1.0f;
    renderer.device->SetLight(0, &light);
    renderer.device->LightEnable(0, TRUE);
}

void Scene::setWorld(D3DXMATRIX matrix) {
    if (renderer.device) renderer.device->SetTransform(D3DTS_WORLD, &matrix);
}

void Scene::releaseResources() {
    releaseTexturesAndMeshes();
    releaseQuads();
}
