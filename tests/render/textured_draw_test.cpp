// Textured quads on screen: where the image lands, which way up, and how its
// alpha drops or blends texels.
#include <gtest/gtest.h>

#include <vector>

#include "render_fixture.h"
#include "renderer.h"
#include "scene.h"
#include "transforms.h"

namespace {

const Rgba kBlue{0, 0, 255, 255};

class TexturedDrawTest : public RenderTest {
protected:
    // Loads an image into a map slot through the Windows-style path.
    void loadMap(DWORD index, const std::string& name) {
        ASSERT_EQ(scene.loadMapTexture(index, (dir.dir() + "\\" + name).c_str()), S_OK);
    }
    TempFolder dir;
};

// An 8 x 8 image with four coloured quarters, opaque.
std::vector<Rgba> quarters() {
    const Rgba topLeft{255, 0, 0, 255}, topRight{0, 255, 0, 255};
    const Rgba bottomLeft{255, 255, 0, 255}, bottomRight{255, 255, 255, 255};
    std::vector<Rgba> pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pixels.push_back(y < 4 ? (x < 4 ? topLeft : topRight)
                                   : (x < 4 ? bottomLeft : bottomRight));
        }
    }
    return pixels;
}

TEST_F(TexturedDrawTest, AFlatQuadFromAboveLandsWhereTheMatricesPutIt) {
    writeTga(dir.path("quarters.tga"), 8, 8, quarters());
    loadMap(7, "quarters.tga");
    // From above with +z up the screen and +x to the right.
    lookAt(D3DXVECTOR3(0, 100, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1));
    device()->SetRenderState(D3DRS_LIGHTING, FALSE);
    beginFrame();
    scene.selectQuad(FlatQuad);
    // 30 x 30 units centred on (20, 10).
    scene.setWorld(composeMatrices(translationMatrix(20, 0, 10), scalingMatrix(3, 1, 3)));
    scene.drawQuad(7);
    finishFrame();
    // Upright and unmirrored: the image's top left quarter at -x, +z.
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(12.5f, 0, 17.5f)), Rgba{255, 0, 0, 255}, 2));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(27.5f, 0, 17.5f)), Rgba{0, 255, 0, 255}, 2));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(12.5f, 0, 2.5f)), Rgba{255, 255, 0, 255}, 2));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(27.5f, 0, 2.5f)), Rgba{255, 255, 255, 255}, 2));
    // Just outside each edge the clear colour shows.
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(3, 0, 10)), kBlue, 0));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(37, 0, 10)), kBlue, 0));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(20, 0, -7)), kBlue, 0));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(20, 0, 27)), kBlue, 0));
    // Just inside them the quad does.
    EXPECT_FALSE(colourNear(pixelAt(D3DXVECTOR3(7, 0, 10)), kBlue, 8));
    EXPECT_FALSE(colourNear(pixelAt(D3DXVECTOR3(33, 0, 10)), kBlue, 8));
    EXPECT_FALSE(colourNear(pixelAt(D3DXVECTOR3(20, 0, -3)), kBlue, 8));
    EXPECT_FALSE(colourNear(pixelAt(D3DXVECTOR3(20, 0, 23)), kBlue, 8));
}

// Four bands of alpha 0, 1, 128 and 255 on a billboard in front of a white
// one: a dropped texel leaves the depth free, so the white quad behind shows
// through only where alpha is 0.
TEST_F(TexturedDrawTest, AlphaZeroTexelsAreDroppedAndOthersBlended) {
    std::vector<Rgba> pixels;
    const Rgba bands[4] = {{255, 0, 0, 0}, {255, 0, 0, 1}, {0, 255, 0, 128}, {0, 255, 0, 255}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 16; ++x) pixels.push_back(bands[x / 4]);
    }
    writeTga(dir.path("bands.tga"), 16, 4, pixels);
    loadMap(1, "bands.tga");
    lookAt(D3DXVECTOR3(0, 5, -20), D3DXVECTOR3(0, 5, 0), D3DXVECTOR3(0, 1, 0));
    device()->SetRenderState(D3DRS_LIGHTING, FALSE);
    beginFrame();
    scene.selectQuad(BillboardQuad);
    scene.setWorld(identityMatrix());
    scene.drawQuad(1);
    scene.setWorld(composeMatrices(translationMatrix(0, -5, 10), scalingMatrix(3, 3, 1)));
    scene.drawQuad(200);  // no texture there: plain white
    finishFrame();
    // Seen from the front, u grows to the right: band k is centred on
    // x = -5 + 10 * (4k + 2) / 16.
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(-3.75f, 5, 0)), Rgba{255, 255, 255, 255}, 2));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(-1.25f, 5, 0)), Rgba{1, 0, 254, 255}, 2));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(1.25f, 5, 0)), Rgba{0, 128, 127, 255}, 3));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(3.75f, 5, 0)), Rgba{0, 255, 0, 255}, 2));
    // Beside the front quad the white one behind is seen.
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(-8, 5, 10)), Rgba{255, 255, 255, 255}, 2));
}

TEST_F(TexturedDrawTest, TheFarPlaneClipsBeyond3000Units) {
    lookAt(D3DXVECTOR3(0, 5, 0), D3DXVECTOR3(0, 5, 1), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    scene.selectQuad(BillboardQuad);
    scene.setWorld(composeMatrices(translationMatrix(0, -500, 2900), scalingMatrix(100, 100, 1)));
    scene.drawQuad(0);
    scene.setWorld(
        composeMatrices(translationMatrix(1000, -500, 3100), scalingMatrix(100, 100, 1)));
    scene.drawQuad(0);
    finishFrame();
    EXPECT_FALSE(colourNear(pixelAt(D3DXVECTOR3(0, 5, 2900)), kBlue, 8));
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(1000, 5, 3100)), kBlue, 0));
}

}  // namespace
