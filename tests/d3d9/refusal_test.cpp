// Calls the layer does not provide fail as Direct3D would and say so once
// per kind on standard error.
#include "device_fixture.h"
#include "platform/refusal.h"

namespace {

// A state the layer does not draw (kFogEnable in the SDK).
const D3DRENDERSTATETYPE kFogEnable = static_cast<D3DRENDERSTATETYPE>(28);

size_t countOf(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

}  // namespace

// Each kind of refusal prints one line, with the call and its values, the
// first time only; calls the layer provides print nothing.
TEST_F(DeviceTest, EachKindOfRefusalIsSaidOnceOnStandardError) {
    const RECT part = {0, 0, 8, 8};
    const D3DRECT box = {0, 0, 8, 8};
    platform::forgetReportedRefusals();  // other tests of this program refuse too
    testing::internal::CaptureStderr();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(device_->SetRenderState(kFogEnable, TRUE), D3DERR_INVALIDCALL);
        EXPECT_EQ(device_->Present(&part, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
        EXPECT_EQ(device_->Clear(1, &box, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
        EXPECT_EQ(device_->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    }
    EXPECT_EQ(device_->SetRenderState(kFogEnable, FALSE), D3DERR_INVALIDCALL);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countOf(said, "\n"), 3u) << said;
    EXPECT_EQ(countOf(said, "d3d9: refused SetRenderState(28, 1)\n"), 1u) << said;
    EXPECT_EQ(countOf(said, "d3d9: refused Present(source, NULL, NULL, NULL)\n"), 1u) << said;
    EXPECT_EQ(countOf(said, "d3d9: refused Clear(1, rects, 0x1, 0x00000000, 1, 0)\n"), 1u)
        << said;
}
