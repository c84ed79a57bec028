// The order of start-up and stop, recorded against steps that only write down their names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyblocker/app_sequence.h"

namespace {

struct RecordingSteps : kq::AppSteps {
    std::vector<std::string> calls;
    bool taskbar = true;
    bool mutexFree = true;
    bool windowCreated = true;

    void InitCommonControls() override { calls.push_back("InitCommonControls"); }
    bool HasTaskbar() override {
        calls.push_back("HasTaskbar");
        return taskbar;
    }
    void ShowNeedExplorer() override { calls.push_back("ShowNeedExplorer"); }
    bool TakeInstanceMutex() override {
        calls.push_back("TakeInstanceMutex");
        return mutexFree;
    }
    void AnnounceSecondCopy() override { calls.push_back("AnnounceSecondCopy"); }
    void LoadConfiguration() override { calls.push_back("LoadConfiguration"); }
    void SetHook() override { calls.push_back("SetHook"); }
    void PostHookStart() override { calls.push_back("PostHookStart"); }
    void SetHelpFileDefaults() override { calls.push_back("SetHelpFileDefaults"); }
    bool CreateTrayWindow() override {
        calls.push_back("CreateTrayWindow");
        return windowCreated;
    }
    void SendHookStop() override { calls.push_back("SendHookStop"); }
    void UnsetHook() override { calls.push_back("UnsetHook"); }
    void BroadcastNull() override { calls.push_back("BroadcastNull"); }
    void Pause(unsigned ms) override { calls.push_back("Pause " + std::to_string(ms)); }
    void FindTaskbarAgain() override { calls.push_back("FindTaskbarAgain"); }
};

using Calls = std::vector<std::string>;

TEST(Startup, ArmsTheHookThenCreatesTheTrayWindow) {
    RecordingSteps steps;
    kq::AppSequence app(steps);
    EXPECT_TRUE(app.Start());
    EXPECT_TRUE(app.Hooked());
    EXPECT_EQ(steps.calls,
              (Calls{"InitCommonControls", "HasTaskbar", "TakeInstanceMutex", "LoadConfiguration", "SetHook",
                     "PostHookStart", "SetHelpFileDefaults", "CreateTrayWindow"}));
}

TEST(Startup, WithoutTheShellOnlyTheMessage) {
    RecordingSteps steps;
    steps.taskbar = false;
    kq::AppSequence app(steps);
    EXPECT_FALSE(app.Start());
    EXPECT_EQ(steps.calls, (Calls{"InitCommonControls", "HasTaskbar", "ShowNeedExplorer"}));
    app.Stop();  // the program's exit paths never reach the hook
    EXPECT_EQ(steps.calls.size(), 3u);
}

TEST(Startup, SecondCopyAnnouncesItselfAndEnds) {
    RecordingSteps steps;
    steps.mutexFree = false;
    kq::AppSequence app(steps);
    EXPECT_FALSE(app.Start());
    EXPECT_FALSE(app.Hooked());
    EXPECT_EQ(steps.calls,
              (Calls{"InitCommonControls", "HasTaskbar", "TakeInstanceMutex", "AnnounceSecondCopy"}));
}

TEST(Startup, TrayWindowFailureDisarmsTheHookBeforeEnding) {
    RecordingSteps steps;
    steps.windowCreated = false;
    kq::AppSequence app(steps);
    EXPECT_FALSE(app.Start());
    const Calls tail(steps.calls.end() - 5, steps.calls.end());
    EXPECT_EQ(tail, (Calls{"CreateTrayWindow", "SendHookStop", "UnsetHook", "BroadcastNull", "Pause 100"}));
    app.Stop();
    EXPECT_EQ(steps.calls.size(), 12u);  // nothing twice
}

TEST(Stop, RunsOnceInOrder) {
    RecordingSteps steps;
    kq::AppSequence app(steps);
    ASSERT_TRUE(app.Start());
    steps.calls.clear();
    app.Stop();
    app.Stop();  // Exit followed by the end of the logon
    EXPECT_EQ(steps.calls, (Calls{"SendHookStop", "UnsetHook", "BroadcastNull", "Pause 100"}));
}

TEST(ShellRestart, HookSideIsToldToStartAtTheNewTaskbar) {
    RecordingSteps steps;
    kq::AppSequence app(steps);
    ASSERT_TRUE(app.Start());
    steps.calls.clear();
    app.ShellRestarted();
    EXPECT_EQ(steps.calls, (Calls{"FindTaskbarAgain", "SetHook", "PostHookStart"}));
    steps.calls.clear();
    app.Stop();
    app.ShellRestarted();  // after the stop, the hook stays down
    EXPECT_EQ(steps.calls.back(), "FindTaskbarAgain");
}

}  // namespace
