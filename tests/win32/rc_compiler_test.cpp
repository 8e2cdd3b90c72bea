// The resource compiler: what it makes of the statements the programs use,
// and the file:line errors that stop the build on anything else.
#include <windows.h>

#include <gtest/gtest.h>

#include "rc_script.h"

namespace {

std::map<std::string, std::string> includes = {
    {"ids.h",
     "/* ids */\n#ifndef IDS_H\n#define IDS_H\n#ifndef IDC_STATIC\n#define IDC_STATIC "
     "(-1)\n#endif\n"
     "#define IDD_MAIN 101\n#define IDC_NAME 1000\n#define IDC_MASK (0x10 | 0x01)\n#endif\n"},
};

bool compile(const std::string& text, rc::Script* script, rc::Error* error) {
    rc::IncludeReader reader = [](const std::string& name, std::string* contents,
                                  std::string* path) {
        auto found = includes.find(name);
        if (found == includes.end()) return false;
        *contents = found->second;
        *path = name;
        return true;
    };
    return rc::compileScript("test.rc", text, reader, script, error);
}

std::string errorOf(const std::string& text) {
    rc::Script script;
    rc::Error error;
    return compile(text, &script, &error) ? "ok" : error.text();
}

const char kDialog[] =
    "#include <windows.h>\n"
    "#include \"ids.h\"\n"
    "IDD_MAIN DIALOGEX 0, 0, 162, 219\n"
    "STYLE DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
    "CAPTION \"Say \"\"hi\"\"\"\n"
    "FONT 8, \"MS Sans Serif\", 400, 0, 0x1\n"
    "{\n"
    "  LTEXT \"Name:\", IDC_STATIC, 10, 15, 55, 15\n"
    "  EDITTEXT IDC_NAME, 70, 16, 80, 12, ES_AUTOHSCROLL | NOT WS_TABSTOP\n"
    "  CONTROL \"Face\", 1001, \"Button\", BS_AUTOCHECKBOX | BS_PUSHLIKE, 10, 230, 60, 15\n"
    "  COMBOBOX 1002, 1, 2, 3, 4, CBS_DROPDOWN | WS_VSCROLL\n"
    "  AUTORADIOBUTTON \"Top\", 1003, 60, 110, 25, 10, WS_GROUP\n"
    "}\n"
    "102 ICON \"car.ico\"\n";

}  // namespace

TEST(ResourceCompiler, TranslatesTheStatementsWithTheirDefaultStyles) {
    rc::Script script;
    rc::Error error;
    ASSERT_TRUE(compile(kDialog, &script, &error)) << error.text();
    ASSERT_EQ(script.dialogs.size(), 1u);
    const rc::Dialog& dialog = script.dialogs[0];
    EXPECT_EQ(dialog.id, 101);
    EXPECT_EQ(dialog.caption, "Say \"hi\"");
    EXPECT_EQ(dialog.style,
              static_cast<uint32_t>(DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog.fontFace, "MS Sans Serif");
    EXPECT_EQ(dialog.fontPointSize, 8);
    ASSERT_EQ(dialog.controls.size(), 5u);
    const uint32_t base = WS_CHILD | WS_VISIBLE;
    EXPECT_EQ(dialog.controls[0].style, base | SS_LEFT | WS_GROUP);
    EXPECT_EQ(dialog.controls[0].id, -1);
    EXPECT_EQ(dialog.controls[1].style, base | ES_LEFT | WS_BORDER | ES_AUTOHSCROLL);
    EXPECT_EQ(dialog.controls[2].className, "BUTTON");
    EXPECT_EQ(dialog.controls[2].style, base | BS_AUTOCHECKBOX | BS_PUSHLIKE);
    // The kind named replaces the default kind (CBS_SIMPLE | CBS_DROPDOWN would be a list).
    EXPECT_EQ(dialog.controls[3].style, base | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP);
    EXPECT_EQ(dialog.controls[4].style, base | BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP);
    ASSERT_EQ(script.icons.size(), 1u);
    EXPECT_EQ(script.icons[0].fileName, "car.ico");
    EXPECT_EQ(script.icons[0].line, 14);
}

TEST(ResourceCompiler, DialogWithoutStyleGetsThePopupDefaults) {
    rc::Script script;
    rc::Error error;
    ASSERT_TRUE(
        compile("5 DIALOG DISCARDABLE 1, 2, 3, 4\nCAPTION \"x\"\nBEGIN\nEND\n", &script, &error));
    EXPECT_EQ(script.dialogs[0].style,
              static_cast<uint32_t>(WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION));
    EXPECT_FALSE(script.dialogs[0].hasFont);
}

TEST(ResourceCompiler, StopsAtAnythingElseWithFileAndLine) {
    EXPECT_EQ(errorOf("1 MENU\nBEGIN\nEND\n"), "test.rc:1: unsupported resource type MENU");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,1,1\nBEGIN\n  LISTBOX 5, 1,1,1,1\nEND\n"),
              "test.rc:3: unsupported control statement LISTBOX");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,1,1\nMENU 5\nBEGIN\nEND\n"),
              "test.rc:2: unsupported dialog statement MENU");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,1,1\nBEGIN\n EDITTEXT IDC_NOPE, 1,1,1,1\nEND\n"),
              "test.rc:3: IDC_NOPE is not defined");
    EXPECT_EQ(errorOf("IDD_X DIALOG 0,0,1,1\nBEGIN\nEND\n"),
              "test.rc:1: IDD_X is not defined (resources are named by number)");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,1,1\nCAPTION \"open\nBEGIN\nEND\n"),
              "test.rc:2: string is not closed on its line");
    EXPECT_EQ(errorOf("#include \"missing.h\"\n"),
              "test.rc:1: cannot open included file missing.h");
    EXPECT_EQ(errorOf("#pragma code_page(1252)\n"),
              "test.rc:1: unsupported preprocessor directive #pragma");
    EXPECT_EQ(
        errorOf("1 DIALOG 0,0,1,1\nBEGIN\n CONTROL \"\", 1, \"SysListView32\", 0, 1,1,1,1\nEND\n"),
        "test.rc:3: window class SysListView32 is not provided");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,1,1\nBEGIN\n PUSHBUTTON \"a\" 1, 1,1,1,1\nEND\n"),
              "test.rc:3: expected ','");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,1,1\nBEGIN\n"), "test.rc:2: dialog is not closed with END");
    EXPECT_EQ(errorOf("1 ICON \"a.ico\"\n1 ICON \"b.ico\"\n"),
              "test.rc:2: ICON 1 is defined twice");
    EXPECT_EQ(errorOf("#ifndef X\n1 ICON \"a.ico\"\n"),
              "test.rc:3: #ifdef or #ifndef without #endif");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,99999,1\nBEGIN\nEND\n"),
              "test.rc:1: value 99999 is out of range");
    EXPECT_EQ(errorOf("/* never closed\n"), "test.rc:1: comment is not closed");
    EXPECT_EQ(errorOf("1 DIALOG 0,0,1," + std::string(100000, '(') + "1\nBEGIN\nEND\n"),
              "test.rc:1: expression nested too deeply");
    EXPECT_EQ(errorOf("#define X " + std::string(100000, '-') + "1\n"),
              "test.rc:1: #define X needs one number");
}

TEST(ResourceCompiler, GeneratedTablesEscapeTheirStrings) {
    rc::Script script;
    rc::Error error;
    ASSERT_TRUE(compile("1 DIALOG 0,0,1,1\nCAPTION \"a\\\\b\"\"?\"\nBEGIN\nEND\n2 ICON \"i.ico\"\n",
                        &script, &error));
    std::string source = rc::writeTables(script, {{2, {0, 1, 255}}}, "test.rc");
    EXPECT_NE(source.find("\"a\\\\b\\\"\\077\""), std::string::npos) << source;
    EXPECT_NE(source.find("0, 1, 255,"), std::string::npos);
    EXPECT_NE(source.find("registerResources(&table)"), std::string::npos);
}

// ACCELERATORS: the key as a letter, a control character or a number, the
// flags of its options, and entries that cannot mean what they say.
TEST(ResourceCompiler, AcceleratorTablesKeepKeysFlagsAndCommands) {
    rc::Script script;
    rc::Error error;
    ASSERT_TRUE(compile("#include <windows.h>\n7 ACCELERATORS\nBEGIN\n"
                        "  \"Z\", 40001, VIRTKEY, CONTROL, NOINVERT\n"
                        "  \"Z\", 40002, VIRTKEY, SHIFT, CONTROL\n"
                        "  \"^C\", 40003\n"
                        "  VK_ESCAPE, 40004, VIRTKEY, ALT\n"
                        "  \"q\", 40005, ASCII\nEND\n",
                        &script, &error))
        << error.text();
    ASSERT_EQ(script.accelerators.size(), 1u);
    const rc::AcceleratorTable& table = script.accelerators[0];
    EXPECT_EQ(table.id, 7);
    ASSERT_EQ(table.entries.size(), 5u);
    const int expected[5][3] = {{FVIRTKEY | FCONTROL | FNOINVERT, 'Z', 40001},
                                {FVIRTKEY | FSHIFT | FCONTROL, 'Z', 40002},
                                {0, 3, 40003},
                                {FVIRTKEY | FALT, VK_ESCAPE, 40004},
                                {0, 'q', 40005}};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(table.entries[k].flags, expected[k][0]) << k;
        EXPECT_EQ(table.entries[k].key, expected[k][1]) << k;
        EXPECT_EQ(table.entries[k].command, expected[k][2]) << k;
    }
    std::string source = rc::writeTables(script, {}, "test.rc");
    EXPECT_NE(source.find("{7, accelerators7, 5}"), std::string::npos) << source;

    auto table1 = [](const std::string& entry) {
        return errorOf("1 ACCELERATORS\nBEGIN\n" + entry + "\nEND\n");
    };
    EXPECT_EQ(table1("\"z\", 1, VIRTKEY"),
              "test.rc:3: a VIRTKEY accelerator names an upper-case letter or a digit");
    EXPECT_EQ(table1("\"Z\", 1, CONTROL"),
              "test.rc:3: SHIFT and CONTROL apply to VIRTKEY accelerators only");
    EXPECT_EQ(table1("27, 1"), "test.rc:3: accelerator type required (ASCII or VIRTKEY)");
    EXPECT_EQ(table1("\"Z\", 1, VIRTKEY, ASCII"),
              "test.rc:3: an accelerator is either ASCII or VIRTKEY");
    EXPECT_EQ(table1("\"Z\", 1, VIRTKEY, CTRL"),
              "test.rc:3: expected VIRTKEY, ASCII, NOINVERT, SHIFT, CONTROL or ALT");
    EXPECT_EQ(errorOf("1 ACCELERATORS\nBEGIN\n\"Z\", 1, VIRTKEY\n"),
              "test.rc:3: accelerator table is not closed with END");
}
