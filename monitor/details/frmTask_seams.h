// The seams of the Tasks and Processes decisions over TfrmTask's real lists (the window's own
// source files only).
#pragma once
#include "monitor/details/frmTask.h"

namespace details {

// ---- seams over the real lists

class TfrmTask::AppRows final : public TaskRows {
public:
    explicit AppRows(TfrmTask& f) : f_(f), lv_(f.lvApps) {}
    int Count() const override { return lv_.Count(); }
    uintptr_t Handle(int row) const override { return static_cast<uintptr_t>(lv_.Data(row)); }
    std::string Caption(int row) const override { return lv_.Caption(row); }
    void Add(const std::string& caption, uintptr_t handle) override {
        lv_.AddItem(caption.c_str(), static_cast<LPARAM>(handle));
    }
    void SetCaption(int row, const std::string& caption) override { lv_.SetCaption(row, caption.c_str()); }
    void Delete(int row) override { lv_.DeleteItem(row); }
    void Clear() override { lv_.Clear(); }
    void SetRedraw(bool on) override { on ? lv_.EndUpdate() : lv_.BeginUpdate(); }
    void Sort() override { lv_.Sort(); }
    void UpdateIcons() override { f_.UpdateTaskIcons(); }

private:
    TfrmTask& f_;
    ui::ListView& lv_;
};

class TfrmTask::ProcessList final : public ProcessRows {
public:
    explicit ProcessList(ui::ListView& lv) : lv_(lv) {}
    void BeginRefresh(bool full) override {
        if (full) cursor_ = ::SetCursor(LoadCursor(nullptr, IDC_WAIT));
        lv_.BeginUpdate();
        if (full) lv_.Clear();
    }
    void EndRefresh(bool full) override {
        lv_.EndUpdate();
        if (full) ::SetCursor(cursor_);
    }
    void Add(const ListRow& row) override {
        const int r = lv_.AddItem(row.caption.c_str(), static_cast<LPARAM>(row.data));
        for (size_t i = 0; i < row.subItems.size(); ++i)
            lv_.SetSubItem(r, static_cast<int>(i), row.subItems[i].c_str());
    }
    void SetSubItem(uint32_t pid, int subItem, const std::string& text) override {
        const int r = lv_.FindData(static_cast<LPARAM>(pid));
        if (r >= 0) lv_.SetSubItem(r, subItem, text.c_str());
    }
    void Delete(uint32_t pid) override {
        const int r = lv_.FindData(static_cast<LPARAM>(pid));
        if (r >= 0) lv_.DeleteItem(r);
    }
    void Sort() override { lv_.Sort(); }
    bool AnySelected() const override { return lv_.Selected() >= 0; }
    bool Focused(uint32_t& pid) const override {
        const int r = lv_.FocusedItem();
        if (r < 0) return false;
        pid = static_cast<uint32_t>(lv_.Data(r));
        return true;
    }
    // Selecting focuses too: the first row is taken when none has the focus.
    void FocusFirst() override {}
    void SelectFocused() override {
        int r = lv_.FocusedItem();
        if (r < 0 && lv_.Count() > 0) r = 0;
        if (r >= 0) lv_.SetSelected(r);
    }

private:
    ui::ListView& lv_;
    HCURSOR cursor_ = nullptr;
};

class TfrmTask::ReplaceList final : public RowsReplace {
public:
    explicit ReplaceList(ui::ListView& lv) : lv_(lv) {}
    void Replace(const std::vector<ListRow>& rows) override {
        lv_.BeginUpdate();
        struct End {
            ui::ListView& lv;
            ~End() { lv.EndUpdate(); }
        } end{lv_};
        lv_.Clear();
        for (const ListRow& row : rows) {
            const int r = lv_.AddItem(row.caption.c_str(), static_cast<LPARAM>(row.data));
            for (size_t i = 0; i < row.subItems.size(); ++i)
                lv_.SetSubItem(r, static_cast<int>(i), row.subItems[i].c_str());
        }
        lv_.Sort();
    }

private:
    ui::ListView& lv_;
};

class TfrmTask::ProcessStatus final : public ProcessStatusBar {
public:
    explicit ProcessStatus(TfrmTask& f) : f_(f) {}
    ActiveList Active() const override { return f_.ActiveProcessList(); }
    std::string SelectedFile() const override {
        switch (Active()) {
        case ActiveList::Processes: {
            const int r = f_.lvProcesses.FocusedItem();
            return r >= 0 ? f_.lvProcesses.SubItem(r, kSubPath) : std::string();
        }
        case ActiveList::Modules: {
            const int r = f_.lvModules.FocusedItem();
            return r >= 0 ? f_.lvModules.SubItem(r, kSubModulePath) : std::string();
        }
        default: return std::string();
        }
    }
    void ShowVersionOf(const std::string& file) override {
        ui::StatusBar& bar = f_.StatusBar;
        bar.SetPanelText(0, "");
        bar.SetPanelText(1, "");
        std::string version, description;
        if (ReadFileVersion(file, version, description)) {
            bar.SetPanelText(0, version.c_str());
            bar.SetPanelText(1, description.c_str());
        }
    }
    void SetCountText(const std::string& text) override { f_.StatusBar.SetPanelText(2, text.c_str()); }
    void SetProcessMenu(bool on) override { f_.lvProcesses.SetPopupMenu(on ? &f_.mnProcesses : nullptr); }

private:
    TfrmTask& f_;
};

}  // namespace details
