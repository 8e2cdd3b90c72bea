// Lit colours against Direct3D's lighting formula, worked out here by hand:
// emissive + ambient material x (global ambient + light ambient x att) +
// diffuse source x light diffuse x N.L x att, clamped.
#include "device_fixture.h"

#include <cmath>

namespace {

// A white-ish point light 500 above the origin that never fades within range.
D3DLIGHT9 pointLightAbove() {
    D3DLIGHT9 light = {};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {0.5f, 0.5f, 0.5f, 0};
    light.Specular = {1, 1, 1, 0};
    light.Ambient = {0.1f, 0.1f, 0.1f, 0};
    light.Position = {0, 500, 0};
    light.Range = 10000;
    light.Attenuation0 = 1;
    return light;
}

D3DMATERIAL9 whiteMaterial() {
    D3DMATERIAL9 m = {};
    m.Diffuse = m.Ambient = {1, 1, 1, 1};
    m.Specular = m.Emissive = {0, 0, 0, 1};
    m.Power = 15;
    return m;
}

int toByte(double value) {
    return static_cast<int>(std::lround(std::min(value, 1.0) * 255));
}

}  // namespace

class LightingTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        lookDownOrtho();
        clear(0xFF000000);
        device_->SetRenderState(D3DRS_AMBIENT, 0xFF9B9B9B);
        material_ = whiteMaterial();
        device_->SetMaterial(&material_);
        light_ = pointLightAbove();
    }
    // The centre pixel of a level square with the given vertex colour.
    Rgba litCentre(D3DCOLOR vertexColour) {
        device_->SetLight(0, &light_);
        device_->LightEnable(0, TRUE);
        device_->SetMaterial(&material_);
        drawFan(levelSquare(5, 0, vertexColour));
        return pixel(present(), 32, 24);
    }
    D3DMATERIAL9 material_;
    D3DLIGHT9 light_;
};

// N.L is almost exactly 1 for every vertex of the square below the light.
TEST_F(LightingTest, GreyVertexUnderThePointLight) {
    const double grey = 0x40 / 255.0;
    const int expected = toByte(1.0 * (0x9B / 255.0 + 0.1) + grey * 0.5);
    const Rgba p = litCentre(0xFF404040);
    EXPECT_NEAR(p.r, expected, 2);
    EXPECT_NEAR(p.g, expected, 2);
    EXPECT_NEAR(p.b, expected, 2);
}

TEST_F(LightingTest, WhiteVertexSaturates) {
    const Rgba p = litCentre(0xFFFFFFFF);
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.b, 255);
}

TEST_F(LightingTest, BeyondTheRangeOnlyGlobalAmbientRemains) {
    light_.Range = 400;  // the square lies 500 below the light
    const Rgba p = litCentre(0xFF404040);
    EXPECT_NEAR(p.g, 0x9B, 2);
}

TEST_F(LightingTest, AttenuationDividesBothLightTerms) {
    light_.Attenuation0 = 0;
    light_.Attenuation1 = 1.0f / 250;  // 500 units away: attenuation 1/2
    material_.Ambient = {0.5f, 0.5f, 0.5f, 1};
    const double grey = 0x40 / 255.0;
    const int expected = toByte(0.5 * (0x9B / 255.0 + 0.1 * 0.5) + grey * 0.5 * 0.5);
    EXPECT_NEAR(litCentre(0xFF404040).g, expected, 2);
}

TEST_F(LightingTest, LightFacingTheBackGivesNoDiffuse) {
    light_.Position = {0, -500, 0};
    material_.Ambient = {0.25f, 0.25f, 0.25f, 1};
    const int expected = toByte(0.25 * (0x9B / 255.0 + 0.1));
    EXPECT_NEAR(litCentre(0xFFFFFFFF).r, expected, 2);
}

TEST_F(LightingTest, EmissiveAddsAndDisabledLightAddsNothing) {
    material_.Emissive = {0.25f, 0, 0, 1};
    material_.Ambient = {0.5f, 0.5f, 0.5f, 1};
    device_->SetMaterial(&material_);
    drawFan(levelSquare(5, 0, 0xFFFFFFFF));
    const Rgba p = pixel(present(), 32, 24);
    EXPECT_NEAR(p.r, toByte(0.25 + 0.5 * 0x9B / 255.0), 2);
    EXPECT_NEAR(p.g, toByte(0.5 * 0x9B / 255.0), 2);
}

TEST_F(LightingTest, LightingOffShowsTheVertexColour) {
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    const Rgba p = litCentre(0xFF204080);
    EXPECT_NEAR(p.r, 0x20, 1);
    EXPECT_NEAR(p.g, 0x40, 1);
    EXPECT_NEAR(p.b, 0x80, 1);
}

TEST_F(LightingTest, UnsupportedLightsAreRefused) {
    D3DLIGHT9 spot = pointLightAbove();
    spot.Type = D3DLIGHT_SPOT;
    EXPECT_EQ(device_->SetLight(1, &spot), D3DERR_INVALIDCALL);
    D3DLIGHT9 unattenuated = pointLightAbove();
    unattenuated.Attenuation0 = 0;
    EXPECT_EQ(device_->SetLight(1, &unattenuated), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetLight(1, nullptr), D3DERR_INVALIDCALL);
}
