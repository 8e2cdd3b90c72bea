// Edit boxes: notifications on WM_SETTEXT and typing, re-entrancy and the
// guard pattern, ES_NUMBER, focus notifications, GetWindowTextA's buffer.
#include <string.h>

#include "recording_dialog.h"

using platform::headless::type;

TEST_F(LayerTest, SetTextNotifiesBeforeReturningWithTheNewTextInPlace) {
    ASSERT_TRUE(SetWindowTextA(item(IDC_TEXT), "abc"));
    std::vector<Event> expected = {command(IDC_TEXT, EN_UPDATE), command(IDC_TEXT, EN_CHANGE)};
    EXPECT_EQ(recorder.commands(), expected);
    EXPECT_EQ(recorder.events[1].text, "abc");
    // The same text again still counts as a change.
    recorder.clear();
    SetWindowTextA(item(IDC_TEXT), "abc");
    EXPECT_EQ(recorder.commands().size(), 2u);
}

// The programs' pattern: a handler that rewrites other boxes sets a flag so
// the nested notifications those writes cause do nothing.
TEST_F(LayerTest, GuardFlagMutesNestedNotifications) {
    int updating = 0, mirrored = 0;
    recorder.hook = [&](HWND dlg, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message != WM_COMMAND || HIWORD(wParam) != EN_CHANGE || updating) return FALSE;
        if (LOWORD(wParam) == IDC_TEXT) {
            updating = 1;
            SetWindowTextA(GetDlgItem(dlg, IDC_MIRROR), textOf(dlg, IDC_TEXT).c_str());
            updating = 0;
        }
        if (LOWORD(wParam) == IDC_MIRROR) ++mirrored;
        return TRUE;
    };
    SetWindowTextA(item(IDC_TEXT), "42");
    EXPECT_EQ(textOf(dialog, IDC_MIRROR), "42");
    EXPECT_EQ(mirrored, 0);
    // The mirror's notifications arrived nested inside the first handler.
    std::vector<Event> commands = recorder.commands();
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[2].id, IDC_MIRROR);
    EXPECT_EQ(commands[2].depth, 2);
    SetWindowTextA(item(IDC_MIRROR), "7");
    EXPECT_EQ(mirrored, 1);
}

TEST_F(LayerTest, TypingSendsOnePairPerAcceptedCharacterAndNumberBoxesDropTheRest) {
    SetWindowTextA(item(IDC_DIGITS), "99");
    recorder.clear();
    ASSERT_EQ(type(IDC_DIGITS, "1a2-b"), "");
    EXPECT_EQ(textOf(dialog, IDC_DIGITS), "12");  // the old text was selected and replaced
    std::vector<Event> changes;
    for (const Event& e : recorder.commands())
        if (e.code == EN_CHANGE) changes.push_back(e);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].text, "1");
    EXPECT_EQ(changes[1].text, "12");
    // WM_SETTEXT is not filtered.
    SetWindowTextA(item(IDC_DIGITS), "x-1");
    EXPECT_EQ(textOf(dialog, IDC_DIGITS), "x-1");
}

TEST_F(LayerTest, TypingNothingClearsTheBoxWithOneChange) {
    SetWindowTextA(item(IDC_TEXT), "old");
    recorder.clear();
    ASSERT_EQ(type(IDC_TEXT, ""), "");
    EXPECT_EQ(textOf(dialog, IDC_TEXT), "");
    std::vector<Event> expected = {command(IDC_TEXT, EN_SETFOCUS), command(IDC_TEXT, EN_UPDATE),
                                   command(IDC_TEXT, EN_CHANGE)};
    EXPECT_EQ(recorder.commands(), expected);
}

TEST_F(LayerTest, FocusMovesWithKillBeforeSet) {
    type(IDC_TEXT, "a");
    recorder.clear();
    type(IDC_MIRROR, "b");
    std::vector<Event> commands = recorder.commands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], command(IDC_TEXT, EN_KILLFOCUS));
    EXPECT_EQ(commands[1], command(IDC_MIRROR, EN_SETFOCUS));
    // Typing into the box that has the focus sends no focus notification.
    recorder.clear();
    type(IDC_MIRROR, "c");
    EXPECT_EQ(recorder.commands().front(), command(IDC_MIRROR, EN_UPDATE));
}

TEST_F(LayerTest, GetWindowTextCutsToTheBufferAndNeverWritesPastIt) {
    SetWindowTextA(item(IDC_TEXT), "abcdef");
    char buffer[8];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetWindowTextA(item(IDC_TEXT), buffer, 4), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], '#');
    EXPECT_EQ(GetWindowTextA(item(IDC_TEXT), buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'a');
    EXPECT_EQ(GetWindowTextA(nullptr, buffer, 4), 0);
}

TEST_F(LayerTest, DisabledOrMissingControlsRefuseTheUser) {
    EnableWindow(item(IDC_TEXT), FALSE);
    EXPECT_EQ(type(IDC_TEXT, "1"), "control 3001 is disabled");
    EXPECT_EQ(type(4242, "1"), "no control 4242 in dialog \"Controls\"");
    EXPECT_EQ(type(IDC_CHECK, "1"), "control 3014 is not an edit box");
    EXPECT_EQ(printed(IDC_TEXT), "3001:  disabled");
    EXPECT_TRUE(recorder.commands().empty());
}

TEST_F(LayerTest, TypingReplacesWhatTheFocusHandlersLeftInTheBox) {
    recorder.hook = [](HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_SETFOCUS)
            SetWindowTextA(reinterpret_cast<HWND>(lParam), "5");
        return FALSE;
    };
    platform::headless::type(IDC_TEXT, "7");
    EXPECT_EQ(textOf(dialog, IDC_TEXT), "7");
}
