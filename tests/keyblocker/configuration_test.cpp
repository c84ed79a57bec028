// The settings record against an in-memory registry: what is taken, what is ignored, what
// is written.
#include <gtest/gtest.h>

#include "keyblocker/configuration.h"
#include "tests/keyblocker/fake_registry.h"

using kqtest::Binary64;
using kqtest::Dword;
using kqtest::FakeRegistry;
using kqtest::Text;

namespace {

constexpr int64_t kNow = 1700000000;
const std::string kExe = "C:\\Program Files\\Keyquell\\kqel.exe";

kq::RegValue Raw(uint32_t type, size_t size) {
    kq::RegValue v;
    v.type = type;
    v.data.assign(size, 3);
    return v;
}

struct ConfigurationTest : ::testing::Test {
    FakeRegistry reg;
    CConfiguration config{reg, kNow, nullptr, kExe};
    void Store(const char* name, kq::RegValue v) { reg.keys[kq::kSettingsKey][name] = std::move(v); }
};

TEST_F(ConfigurationTest, NothingStoredKeepsDefaultsAndMakesUpdateDue) {
    reg.keys[kq::kRunKey];  // the Run key exists, without our value
    config.Load();
    EXPECT_EQ(config.m_nWhenToBlock, 1);
    EXPECT_FALSE(config.m_bRunAtStartup);
    EXPECT_EQ(config.m_tLastUpdate, kNow - 31 * 86400);
}

TEST_F(ConfigurationTest, RunKeyThatCannotBeOpenedKeepsStartWithWindows) {
    reg.locked.insert(kq::kRunKey);
    config.Load();
    EXPECT_TRUE(config.m_bRunAtStartup);
}

TEST_F(ConfigurationTest, StoredValuesAreTaken) {
    Store(kq::kWhenToBlockValue, Dword(3));
    Store(kq::kLastUpdateValue, Binary64(kNow - 5));
    reg.keys[kq::kRunKey][kq::kRunValue] = Text(kExe);
    config.Load();
    EXPECT_EQ(config.m_nWhenToBlock, 3);
    EXPECT_EQ(config.m_tLastUpdate, kNow - 5);
    EXPECT_TRUE(config.m_bRunAtStartup);
}

TEST_F(ConfigurationTest, MalformedValuesAreIgnored) {
    struct Case {
        const char* what;
        kq::RegValue mode;
        kq::RegValue last;
    };
    std::vector<Case> cases;
    cases.push_back({"mode 4, LastUpdate 4 bytes", Dword(4), Raw(kq::kRegBinary, 4)});
    cases.push_back({"mode as text, LastUpdate 9 bytes", Text("3"), Raw(kq::kRegBinary, 9)});
    cases.push_back({"mode -1, LastUpdate as a DWORD", Dword(0xFFFFFFFFu), Dword(12345)});
    cases.push_back({"mode as binary, LastUpdate as text", Raw(kq::kRegBinary, 4), Text("12345678")});
    for (const Case& c : cases) {
        FakeRegistry r;
        r.keys[kq::kSettingsKey][kq::kWhenToBlockValue] = c.mode;
        r.keys[kq::kSettingsKey][kq::kLastUpdateValue] = c.last;
        CConfiguration cfg(r, kNow, nullptr, kExe);
        cfg.Load();
        EXPECT_EQ(cfg.m_nWhenToBlock, 1) << c.what;
        EXPECT_EQ(cfg.m_tLastUpdate, kNow - 31 * 86400) << c.what;
    }
}

TEST_F(ConfigurationTest, EmptyRunValueMeansNoStartWithWindows) {
    reg.keys[kq::kRunKey][kq::kRunValue] = kq::RegValue{kq::kRegSz, {}};
    config.Load();
    EXPECT_FALSE(config.m_bRunAtStartup);
}

TEST_F(ConfigurationTest, SaveWritesModeTimeAndRunValue) {
    reg.keys[kq::kRunKey];
    config.m_nWhenToBlock = 3;
    config.m_tLastUpdate = 0x0102030405060708LL;
    config.m_bRunAtStartup = true;
    config.Save();
    const kq::RegValue* mode = reg.Find(kq::kSettingsKey, kq::kWhenToBlockValue);
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->type, kq::kRegDword);
    EXPECT_EQ(mode->data, (std::vector<uint8_t>{3, 0, 0, 0}));
    const kq::RegValue* last = reg.Find(kq::kSettingsKey, kq::kLastUpdateValue);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->type, kq::kRegBinary);
    EXPECT_EQ(last->data, (std::vector<uint8_t>{8, 7, 6, 5, 4, 3, 2, 1}));
    const kq::RegValue* run = reg.Find(kq::kRunKey, kq::kRunValue);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->type, kq::kRegSz);
    EXPECT_EQ(std::string(run->data.begin(), run->data.end()), kExe + '\0');

    // What was saved loads back.
    CConfiguration again(reg, kNow, nullptr, kExe);
    again.Load();
    EXPECT_EQ(again.m_nWhenToBlock, 3);
    EXPECT_EQ(again.m_tLastUpdate, 0x0102030405060708LL);
    EXPECT_TRUE(again.m_bRunAtStartup);
}

TEST_F(ConfigurationTest, SaveWithoutStartWithWindowsRemovesRunValue) {
    reg.keys[kq::kRunKey][kq::kRunValue] = Text("C:\\old\\kqel.exe");
    reg.keys[kq::kRunKey]["Other"] = Text("C:\\other.exe");
    config.m_bRunAtStartup = false;
    config.Save();
    EXPECT_EQ(reg.Find(kq::kRunKey, kq::kRunValue), nullptr);
    EXPECT_NE(reg.Find(kq::kRunKey, "Other"), nullptr);
}

TEST_F(ConfigurationTest, SaveReplacesAWrongTypedMode) {
    Store(kq::kWhenToBlockValue, Text("always"));
    config.m_nWhenToBlock = 2;
    config.Save();
    EXPECT_EQ(reg.Find(kq::kSettingsKey, kq::kWhenToBlockValue)->type, kq::kRegDword);
}

TEST_F(ConfigurationTest, UnwritableKeysAreSilent) {
    reg.locked.insert(kq::kSettingsKey);
    reg.locked.insert(kq::kRunKey);
    config.Save();
    EXPECT_EQ(reg.writes, 0);
}

TEST_F(ConfigurationTest, SaveCreatesTheSettingsKeyButNotTheRunKey) {
    config.Save();
    EXPECT_NE(reg.Find(kq::kSettingsKey, kq::kWhenToBlockValue), nullptr);
    EXPECT_EQ(reg.keys.count(kq::kRunKey), 0u);
}

}  // namespace
