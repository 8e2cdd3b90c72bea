// Combo boxes: the list messages and CB_ERR, a user's pick and its
// notification order, drop-downs with an edit field.
#include "recording_dialog.h"

namespace {

LRESULT send(HWND list, UINT message, WPARAM wParam, const char* text = nullptr) {
    return SendMessageA(list, message, wParam, reinterpret_cast<LPARAM>(text));
}

}  // namespace

TEST_F(LayerTest, ListMessagesKeepPositionsAndAnswerCbErr) {
    HWND list = item(IDC_LIST);
    EXPECT_EQ(send(list, CB_GETCURSEL, 0), CB_ERR);
    EXPECT_EQ(send(list, CB_ADDSTRING, 0, "b"), 0);
    EXPECT_EQ(send(list, CB_ADDSTRING, 0, "a"), 1);  // unsorted: appended
    EXPECT_EQ(send(list, CB_SETCURSEL, 1), 1);
    EXPECT_EQ(send(list, CB_INSERTSTRING, 0, "first"), 0);
    EXPECT_EQ(send(list, CB_GETCURSEL, 0), 2);  // the selection moved with its entry
    EXPECT_EQ(send(list, CB_INSERTSTRING, static_cast<WPARAM>(-1), "last"), 3);
    EXPECT_EQ(send(list, CB_INSERTSTRING, 9, "x"), CB_ERR);
    EXPECT_EQ(send(list, CB_DELETESTRING, 7), CB_ERR);
    EXPECT_EQ(send(list, CB_DELETESTRING, 0), 3);
    EXPECT_EQ(printed(IDC_LIST), "3020: b|a|last sel=1");
    EXPECT_EQ(send(list, CB_SETCURSEL, 5), CB_ERR);
    EXPECT_EQ(send(list, CB_GETCURSEL, 0), CB_ERR);
    send(list, CB_SETCURSEL, 0);
    EXPECT_EQ(send(list, CB_SETCURSEL, static_cast<WPARAM>(-1)), CB_ERR);
    EXPECT_EQ(send(list, CB_GETCURSEL, 0), CB_ERR);
    EXPECT_TRUE(recorder.commands().empty());  // none of this notifies
    EXPECT_EQ(send(list, CB_RESETCONTENT, 0), CB_OKAY);
    EXPECT_EQ(printed(IDC_LIST), "3020:  sel=-1");
}

TEST_F(LayerTest, PickingAnEntrySendsWindowsOrderWithTheSelectionAlreadyMade) {
    HWND list = item(IDC_LIST);
    for (const char* entry : {"0", "90", "180"}) send(list, CB_ADDSTRING, 0, entry);
    int selectionAtEndOk = -2;
    recorder.hook = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELENDOK)
            selectionAtEndOk = static_cast<int>(send(list, CB_GETCURSEL, 0));
        return FALSE;
    };
    ASSERT_EQ(platform::headless::choose(IDC_LIST, 2), "");
    std::vector<Event> expected = {command(IDC_LIST, CBN_SETFOCUS), command(IDC_LIST, CBN_DROPDOWN),
                                   command(IDC_LIST, CBN_SELENDOK), command(IDC_LIST, CBN_CLOSEUP),
                                   command(IDC_LIST, CBN_SELCHANGE)};
    EXPECT_EQ(recorder.commands(), expected);
    EXPECT_EQ(selectionAtEndOk, 2);
    EXPECT_EQ(recorder.commands().back().text, "180");
    // With the focus already there, no CBN_SETFOCUS.
    recorder.clear();
    platform::headless::choose(IDC_LIST, 0);
    EXPECT_EQ(recorder.commands().front(), command(IDC_LIST, CBN_DROPDOWN));
    EXPECT_EQ(platform::headless::choose(IDC_LIST, 3), "list 3020 has no entry 3 (it has 3)");
}

TEST_F(LayerTest, LosingTheFocusSendsKillFocusAndDropDownsShowTheirPick) {
    HWND combo = item(IDC_DROPDOWN);
    send(combo, CB_ADDSTRING, 0, "alpha");
    send(combo, CB_ADDSTRING, 0, "beta");
    platform::headless::choose(IDC_DROPDOWN, 1);
    EXPECT_EQ(textOf(dialog, IDC_DROPDOWN), "beta");
    recorder.clear();
    platform::headless::type(IDC_DROPDOWN, "g");
    std::vector<Event> expected = {command(IDC_DROPDOWN, CBN_EDITUPDATE),
                                   command(IDC_DROPDOWN, CBN_EDITCHANGE)};
    EXPECT_EQ(recorder.commands(), expected);
    EXPECT_EQ(textOf(dialog, IDC_DROPDOWN), "g");
    recorder.clear();
    platform::headless::click(IDC_OTHER);
    EXPECT_EQ(recorder.commands().front(), command(IDC_DROPDOWN, CBN_KILLFOCUS));
    // A drop-down list's text is its selected entry and cannot be set.
    send(item(IDC_LIST), CB_ADDSTRING, 0, "only");
    send(item(IDC_LIST), CB_SETCURSEL, 0);
    EXPECT_EQ(textOf(dialog, IDC_LIST), "only");
    EXPECT_FALSE(SetWindowTextA(item(IDC_LIST), "other"));
}
