#include "keyblocker/app_sequence.h"

namespace kq {

bool AppSequence::Start() {
    m_steps.InitCommonControls();
    if (!m_steps.HasTaskbar()) {
        m_steps.ShowNeedExplorer();
        return false;
    }
    if (!m_steps.TakeInstanceMutex()) {
        m_steps.AnnounceSecondCopy();
        return false;
    }
    m_steps.LoadConfiguration();
    m_steps.SetHook();
    m_steps.PostHookStart();
    m_bHooked = true;
    m_steps.SetHelpFileDefaults();
    if (m_steps.CreateTrayWindow()) return true;
    // Without its tray window nobody could ever disarm the hook: do it before ending.
    Stop();
    return false;
}

void AppSequence::Stop() {
    if (!m_bHooked || m_bStopped) return;
    m_bStopped = true;
    m_steps.SendHookStop();
    m_steps.UnsetHook();
    m_steps.BroadcastNull();
    m_steps.Pause(100);
}

void AppSequence::ShellRestarted() {
    m_steps.FindTaskbarAgain();
    if (!m_bHooked || m_bStopped) return;
    // The hooks that carried the library into the old shell died with its taskbar thread:
    // arm them again on the new one before telling it to start.
    m_steps.SetHook();
    m_steps.PostHookStart();
}

}  // namespace kq
