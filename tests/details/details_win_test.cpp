// The platform side of System Details' lists, over this very process and windows it makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "monitor/details/details_win.h"
#include "tests/support/e2e.h"

using namespace details;

namespace {

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

struct Window {
    HWND h;
    Window(const char* cls, const char* title, DWORD ex = 0, HWND owner = nullptr, bool show = true)
        : h(CreateWindowExA(ex, cls, title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, owner, nullptr,
                            GetModuleHandleA(nullptr), nullptr)) {
        if (show) ShowWindow(h, SW_SHOWNA);
    }
    ~Window() { DestroyWindow(h); }
};

const char* RegisterClassWith(const char* name, HICON small) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    wc.hIconSm = small;
    RegisterClassExA(&wc);
    return name;
}

bool Listed(const TaskList& l, HWND w, const char* title) {
    return std::any_of(l.begin(), l.end(), [&](const TaskEntry& e) {
        return e.handle == reinterpret_cast<uintptr_t>(w) && e.title == title;
    });
}

}  // namespace

TEST(DetailsWin, SnapshotsOfThisProcess) {
    SnapshotSource src;
    std::vector<ProcessEntry> procs;
    src.Processes(procs);
    const DWORD self = GetCurrentProcessId();
    auto me = std::find_if(procs.begin(), procs.end(), [&](const ProcessEntry& p) { return p.pid == self; });
    ASSERT_NE(procs.end(), me);
    EXPECT_GE(me->threads, 1);
    EXPECT_EQ("details_win_test.exe", LowerCase(ProcessCaption(me->exeFile)));

    std::vector<ThreadEntry> threads;
    src.Threads(threads);
    EXPECT_TRUE(std::any_of(threads.begin(), threads.end(), [&](const ThreadEntry& t) {
        return t.tid == GetCurrentThreadId() && t.owner == self;
    }));
    // The system-wide snapshot holds other processes' threads too.
    EXPECT_TRUE(
        std::any_of(threads.begin(), threads.end(), [&](const ThreadEntry& t) { return t.owner != self; }));

    std::vector<ModuleEntry> modules;
    src.Modules(self, modules);
    auto exe = std::find_if(modules.begin(), modules.end(),
                            [](const ModuleEntry& m) { return LowerCase(m.name) == "details_win_test.exe"; });
    ASSERT_NE(modules.end(), exe);
    EXPECT_EQ("00400000", ModuleHandleText(exe->handle));
    EXPECT_GT(exe->size, 0u);
    EXPECT_EQ(LowerCase(e2e::ExePath()), LowerCase(exe->path));

    // Our own executable is a 32-bit program; a text file is no program.
    EXPECT_EQ("PE", ExeTypeText(src.ExeType(e2e::ExePath())).substr(0, 2));
    EXPECT_EQ(0u, src.ExeType(e2e::ExeFolder() + "\\no such file.exe"));
    EXPECT_EQ(LowerCase(e2e::ExePath()), LowerCase(src.FullPath(self)));
    EXPECT_EQ("[Idle]", src.FullPath(0xFFFFFFF0u));

    // A process that is gone has no modules.
    std::vector<ModuleEntry> none{ModuleEntry()};
    src.Modules(0xFFFFFFF0u, none);
    EXPECT_TRUE(none.empty());
}

TEST(DetailsWin, TaskListKeepsOnlyTaskWindows) {
    const char* cls = RegisterClassWith("DetailsProbe", nullptr);
    Window plain(cls, "details probe plain");
    Window tool(cls, "details probe tool", WS_EX_TOOLWINDOW);
    Window app(cls, "details probe app", WS_EX_TOOLWINDOW | WS_EX_APPWINDOW);
    Window owned(cls, "details probe owned", 0, plain.h);
    Window hidden(cls, "details probe hidden", 0, nullptr, false);
    Window untitled(cls, "");
    TaskList list;
    ReadTaskList(list);
    EXPECT_TRUE(Listed(list, plain.h, "details probe plain"));
    EXPECT_TRUE(Listed(list, app.h, "details probe app"));
    EXPECT_FALSE(Listed(list, tool.h, "details probe tool"));
    EXPECT_FALSE(Listed(list, owned.h, "details probe owned"));
    EXPECT_FALSE(Listed(list, hidden.h, "details probe hidden"));
    EXPECT_FALSE(Listed(list, untitled.h, ""));

    // A second reading into the same list: the renamed window, the closed one gone.
    SetWindowTextA(plain.h, "details probe renamed");
    DestroyWindow(app.h);
    ReadTaskList(list);
    EXPECT_TRUE(Listed(list, plain.h, "details probe renamed"));
    EXPECT_FALSE(Listed(list, app.h, "details probe app"));
}

TEST(DetailsWin, WindowIcons) {
    HICON small =
        static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 16, 16, LR_SHARED));
    ASSERT_TRUE(small);
    Window withClassIcon(RegisterClassWith("DetailsIconClass", small), "icon probe");
    HICON copy = CopyWindowSmallIcon(withClassIcon.h);
    ASSERT_TRUE(copy);
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(copy, &ii));
    BITMAP bm{};
    GetObjectA(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), bm.bmWidth);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    DestroyIcon(copy);

    // No class icon: the window's own big icon is used.
    Window bare(RegisterClassWith("DetailsNoIconClass", nullptr), "no icon probe");
    EXPECT_EQ(nullptr, CopyWindowSmallIcon(bare.h));
    HICON big =
        static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 32, 32, LR_SHARED));
    SendMessageA(bare.h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    copy = CopyWindowSmallIcon(bare.h);
    EXPECT_TRUE(copy);
    if (copy) DestroyIcon(copy);
}

TEST(DetailsWin, VersionStrings) {
    std::string version = "old", description = "old";
    EXPECT_FALSE(ReadFileVersion(e2e::ExePath(), version, description));  // the test has none
    EXPECT_EQ("old", version);
    EXPECT_FALSE(ReadFileVersion("", version, description));
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(ReadFileVersion(std::string(system) + "\\kernel32.dll", version, description));
    EXPECT_NE("old", version);
    EXPECT_FALSE(version.empty());
    EXPECT_FALSE(UserThousandsSeparator().empty());
}

// Started as a child by the next test: waits to be ended.
TEST(DetailsChild, WaitsToBeEnded) {
    if (!std::getenv("DETAILS_CHILD")) GTEST_SKIP();
    Sleep(60000);
}

TEST(DetailsWin, TerminatorEndsAProcessOrSaysItCannotOpenIt) {
    SetEnvironmentVariableA("DETAILS_CHILD", "1");
    e2e::Process child;
    ASSERT_TRUE(child.Start(e2e::ExePath(), "--gtest_filter=DetailsChild.*"));
    SetEnvironmentVariableA("DETAILS_CHILD", nullptr);
    ProcessTerminator t(nullptr, "test");
    ASSERT_TRUE(t.Open(child.Pid()));
    t.Terminate();
    EXPECT_TRUE(t.WaitEnded(10000));
    t.Close();
    EXPECT_FALSE(child.Running());
    EXPECT_FALSE(t.Open(0xFFFFFFF0u));
    EXPECT_FALSE(t.WaitEnded(0));
}

// Run as a child under Wine's Version "win2k" by the next test.
TEST(DetailsWin2k, PathsComeFromTheProcess) {
    if (!std::getenv("DETAILS_WIN2K")) GTEST_SKIP();
    SnapshotSource src;
    EXPECT_TRUE(src.NeedsFullPaths());
    EXPECT_EQ(LowerCase(e2e::ExePath()), LowerCase(src.FullPath(GetCurrentProcessId())));
    EXPECT_EQ("[Idle]", ProcessCaption(src.FullPath(0xFFFFFFF0u).c_str()));
}

TEST(DetailsWin, OnlyWindows2000ReadsPathsFromTheProcess) {
    EXPECT_FALSE(SnapshotSource().NeedsFullPaths());  // the bench's Wine is a later version
    const std::string key = "Software\\Wine\\AppDefaults\\details_win_test.exe";
    HKEY k = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &k, nullptr));
    RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win2k"), 6);
    SetEnvironmentVariableA("DETAILS_WIN2K", "1");
    e2e::Process child;
    const bool started = child.Start(e2e::ExePath(), "--gtest_filter=DetailsWin2k.*");
    SetEnvironmentVariableA("DETAILS_WIN2K", nullptr);
    const bool ended = started && child.WaitExit(30000);
    RegDeleteValueA(k, "Version");
    RegCloseKey(k);
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    ASSERT_TRUE(ended);
    EXPECT_EQ(0u, child.ExitCode());
}
