// The --ui-script format: its actions, skipped lines, and failures with
// their line numbers.
#include "platform/ui_script.h"
#include "recording_dialog.h"

namespace {

struct Failure {
    int line = 0;
    std::string reason;
};

// Runs the script against a modal "Controls" dialog.
Failure runScript(const std::string& script, std::string* output) {
    Failure failure;
    platform::headless::reset();
    platform::headless::setFailureHandler([&](int line, const std::string& reason) {
        if (!failure.line) failure = Failure{line, reason};
    });
    platform::queueUiScript(script);
    testing::internal::CaptureStdout();
    recorder = Recorder();
    DialogBoxParamA(testInstance(), MAKEINTRESOURCEA(IDD_CONTROLS), nullptr, RecordingDialogProc,
                    0);
    *output = testing::internal::GetCapturedStdout();
    platform::headless::setFailureHandler(nullptr);
    return failure;
}

}  // namespace

TEST(UiScript, ActionsRunInOrderAndPrintTheirState) {
    std::string output;
    Failure failure = runScript(
        "# comment\n"
        "\n"
        "type 3002 4x2\n"
        "type 3001 two  spaces \r\n"
        "click 3014\n"
        "print 3002\n"
        "print 3001\n"
        "print 3014\n"
        "print 3020\n",
        &output);
    EXPECT_EQ(failure.line, 0) << failure.reason;
    EXPECT_EQ(output, "3002: 42\n3001: two  spaces \n3014: checked\n3020:  sel=-1\n");
}

TEST(UiScript, ALineThatCannotBeCarriedOutNamesItsLine) {
    std::string output;
    Failure failure = runScript("print 3001\n\nfly 3001\nprint 3001\n", &output);
    EXPECT_EQ(failure.line, 3);
    EXPECT_EQ(failure.reason, "unknown action \"fly\"");
    for (const char* bad :
         {"click x", "choose 3020", "key Ctrl+Banana", "answer-box 9", "snapshot Nothing"}) {
        failure = runScript(bad, &output);
        EXPECT_EQ(failure.line, 1) << bad;
    }
    failure = runScript("snapshot Controls out.png\n", &output);
    EXPECT_EQ(failure.reason, "window \"Controls\" has presented no frame");
    failure = runScript("click 3041\n", &output);
    EXPECT_EQ(failure.reason, "control 3041 is disabled");
}

TEST(UiScript, AnswersWaitForTheirDialogs) {
    std::string output;
    recorder.hook = nullptr;
    Failure failure = runScript("answer-box 2\nkey Enter\n", &output);
    EXPECT_EQ(failure.line, 0);
    EXPECT_EQ(MessageBoxA(nullptr, "t", "c", MB_OKCANCEL), IDCANCEL);
    platform::headless::reset();
}
