// Buttons: automatic check boxes and radio groups, BM_SETCHECK without
// notification, what print shows.
#include "recording_dialog.h"

using platform::headless::click;

TEST_F(LayerTest, CheckBoxTogglesBeforeItsClickIsSent) {
    int stateSeen = -1;
    recorder.hook = [&](HWND dlg, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_CHECK)
            stateSeen =
                static_cast<int>(SendMessageA(GetDlgItem(dlg, IDC_CHECK), BM_GETCHECK, 0, 0));
        return FALSE;
    };
    ASSERT_EQ(click(IDC_CHECK), "");
    EXPECT_EQ(stateSeen, BST_CHECKED);
    EXPECT_EQ(recorder.commands().back(), command(IDC_CHECK, BN_CLICKED));
    click(IDC_CHECK);
    EXPECT_EQ(stateSeen, BST_UNCHECKED);
    click(IDC_PUSHLIKE);
    EXPECT_EQ(printed(IDC_PUSHLIKE), "3015: checked");
}

TEST_F(LayerTest, RadioButtonsUncheckTheirGroupOnly) {
    click(IDC_A1);
    click(IDC_B2);
    click(IDC_A2);
    EXPECT_EQ(printed(IDC_A1), "3010: unchecked");
    EXPECT_EQ(printed(IDC_A2), "3011: checked");
    EXPECT_EQ(printed(IDC_B2), "3013: checked");
    // Clicking a checked radio button still notifies.
    recorder.clear();
    click(IDC_A2);
    EXPECT_EQ(recorder.commands().back(), command(IDC_A2, BN_CLICKED));
}

TEST_F(LayerTest, SetCheckSendsNothingAndLeavesTheGroupAlone) {
    click(IDC_A1);
    recorder.clear();
    SendMessageA(item(IDC_A2), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(recorder.commands().empty());
    EXPECT_EQ(SendMessageA(item(IDC_A1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(item(IDC_A2), BM_GETCHECK, 0, 0), BST_CHECKED);
    // A push button has no check state.
    SendMessageA(item(IDC_OTHER), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(item(IDC_OTHER), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(LayerTest, ClickingMovesTheFocusAndRefusesWhatIsNoButton) {
    platform::headless::type(IDC_TEXT, "x");
    recorder.clear();
    click(IDC_OTHER);
    std::vector<Event> expected = {command(IDC_TEXT, EN_KILLFOCUS), command(IDC_OTHER, BN_CLICKED)};
    EXPECT_EQ(recorder.commands(), expected);
    EXPECT_EQ(click(IDC_LABEL), "control 3040 is not a button");
    EXPECT_EQ(click(IDC_DISABLED), "control 3041 is disabled");
    EXPECT_EQ(printed(IDC_DISABLED), "3041: Off disabled");
    EXPECT_EQ(printed(IDC_LABEL), "3040: Label");
}
