// The order of kqel's start-up and stop: which step runs when, and what ends the program.
// The steps themselves touch Windows; CTarnixApp provides them.
#pragma once

namespace kq {

class AppSteps {
public:
    virtual ~AppSteps() = default;
    virtual void InitCommonControls() = 0;
    virtual bool HasTaskbar() = 0;
    virtual void ShowNeedExplorer() = 0;  // message 101, OK, exclamation
    // Creates the single-instance mutex and keeps it; false when another copy holds it or
    // the mutex cannot be created.
    virtual bool TakeInstanceMutex() = 0;
    virtual void AnnounceSecondCopy() = 0;  // broadcast of the second-copy notice
    virtual void LoadConfiguration() = 0;
    virtual void SetHook() = 0;
    virtual void PostHookStart() = 0;
    virtual void SetHelpFileDefaults() = 0;
    virtual bool CreateTrayWindow() = 0;
    virtual void SendHookStop() = 0;  // waits until the shell has handled it
    virtual void UnsetHook() = 0;
    virtual void BroadcastNull() = 0;  // every top-level window handles one message
    virtual void Pause(unsigned milliseconds) = 0;
    virtual void FindTaskbarAgain() = 0;
};

class AppSequence {
public:
    explicit AppSequence(AppSteps& steps) : m_steps(steps) {}

    // Start-up; false ends the program. A start-up that armed the hook and then failed
    // disarms it again.
    bool Start();
    // Disarms the hook: only after it was armed, and only once per run (the Exit command
    // and the end of the logon can both ask for it).
    void Stop();
    // The shell came back (a new taskbar window): the hook side lives in the shell's
    // process, so the hook is armed again on the new taskbar's thread and told to start.
    void ShellRestarted();

    bool Hooked() const { return m_bHooked; }

private:
    AppSteps& m_steps;
    bool m_bHooked = false;
    bool m_bStopped = false;
};

}  // namespace kq
