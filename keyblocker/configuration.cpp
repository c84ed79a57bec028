#include "keyblocker/configuration.h"

#include <utility>

CConfiguration::CConfiguration(kq::Registry& registry, int64_t now, HWND__* taskbar, std::string exePath)
    : m_hTaskbarWnd(taskbar),
      m_tLastUpdate(now - kq::kFirstRunAge),
      m_registry(registry),
      m_strExePath(std::move(exePath)) {}

void CConfiguration::Load() {
    if (auto key = m_registry.Open(kq::kSettingsKey, false)) {
        kq::RegValue v;
        if (key->Query(kq::kWhenToBlockValue, v) && v.type == kq::kRegDword && v.data.size() == 4) {
            uint32_t mode = 0;
            for (int i = 3; i >= 0; --i) mode = (mode << 8) | v.data[i];
            if (mode <= 3) m_nWhenToBlock = static_cast<int32_t>(mode);
        }
        if (key->Query(kq::kLastUpdateValue, v) && v.type == kq::kRegBinary && v.data.size() == 8) {
            uint64_t t = 0;
            for (int i = 7; i >= 0; --i) t = (t << 8) | v.data[i];
            m_tLastUpdate = static_cast<int64_t>(t);
        }
    }
    if (auto run = m_registry.Open(kq::kRunKey, false)) {
        kq::RegValue v;
        m_bRunAtStartup = run->Query(kq::kRunValue, v) && !v.data.empty();
    }
}

void CConfiguration::Save() const {
    if (auto key = m_registry.Create(kq::kSettingsKey)) {
        kq::RegValue mode{kq::kRegDword, {}};
        const auto m = static_cast<uint32_t>(m_nWhenToBlock);
        for (int i = 0; i < 4; ++i) mode.data.push_back(static_cast<uint8_t>(m >> (8 * i)));
        kq::RegValue last{kq::kRegBinary, {}};
        const auto t = static_cast<uint64_t>(m_tLastUpdate);
        for (int i = 0; i < 8; ++i) last.data.push_back(static_cast<uint8_t>(t >> (8 * i)));
        key->Delete(kq::kWhenToBlockValue);
        key->Set(kq::kWhenToBlockValue, mode);
        key->Set(kq::kLastUpdateValue, last);
    }
    if (auto run = m_registry.Open(kq::kRunKey, true)) {
        run->Delete(kq::kRunValue);
        if (m_bRunAtStartup) {
            kq::RegValue path{kq::kRegSz, {m_strExePath.begin(), m_strExePath.end()}};
            path.data.push_back(0);
            run->Set(kq::kRunValue, path);
        }
    }
}
