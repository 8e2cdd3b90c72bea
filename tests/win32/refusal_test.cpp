// A control message the layer's controls do not implement returns 0 as an
// unknown message would, and says so once on standard error.
#include "platform/refusal.h"
#include "recording_dialog.h"

TEST_F(LayerTest, AnUnimplementedControlMessageIsSaidOnce) {
    const UINT kSetLimitText = 0x00C5;  // EM_SETLIMITTEXT, which the edit boxes do not keep
    platform::forgetReportedRefusals();  // other tests of this program refuse too
    testing::internal::CaptureStderr();
    EXPECT_EQ(SendMessageA(item(IDC_TEXT), kSetLimitText, 5, 0), 0);
    EXPECT_EQ(SendMessageA(item(IDC_DIGITS), kSetLimitText, 7, 0), 0);
    SendMessageA(item(IDC_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("known"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "win32: refused SendMessageA(EDIT " + std::to_string(IDC_TEXT) +
                  ", 0xc5, 0x5, 0x0): the control does not implement this message\n");
}
