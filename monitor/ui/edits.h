// The edit family: Memo (multi-line text), SpinEdit (a number with an up-down buddy) and
// ComboBox (a drop-down list to pick from), each a thin WinControl.
//
//     seNetwork.SetRange(0, 1500); seNetwork.SetValue(100);
//     seNetwork.OnChange = ui::Bind(this, &TfrmOptions::seNetworkChange);
//     cmbAdapter.AddItem("All Interfaces"); cmbAdapter.SetItemIndex(0);
//
// OnChange reports what the user changed (typing, the arrows, a pick from the list); what the
// program sets raises no event.
#pragma once
#include <string>
#include <vector>

#include "monitor/ui/win_control.h"

namespace ui {

// A multi-line edit; read-only for showing text that can be selected and copied.
class Memo : public WinControl {
public:
    Memo();
    void SetReadOnly(bool v);
    bool ReadOnly() const { return readOnly_; }
    // A sunken border (on by default).
    void SetBorder(bool v);
    void SetScrollBars(bool vertical);
    // The whole text as lines ("\r\n" between them).
    void SetLines(const std::vector<std::string>& lines);
    void AddLine(const char* line);
    std::vector<std::string> Lines() const;
    NotifyEvent OnChange;
    bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void HandleCreated() override;

private:
    bool readOnly_ = false;
    bool setting_ = false;
};

// A whole number between Min and Max, typed or stepped with the arrows (or Up and Down).
class SpinEdit : public WinControl {
public:
    SpinEdit();
    ~SpinEdit() override;
    void SetRange(int min, int max);
    int Min() const { return min_; }
    int Max() const { return max_; }
    // The number shown, kept inside the range (a text that is no number reads as Min).
    int Value() const;
    void SetValue(int v);
    // The step of one arrow press (1 by default).
    void SetIncrement(int step);
    HWND UpDown() const { return updown_; }
    NotifyEvent OnChange;
    bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void HandleCreated() override;
    void PlaceWindow() override;
    void ShowingChanged() override;
    void EnabledChanged() override;

private:
    void ApplyRange();
    int min_ = 0, max_ = 100, value_ = 0, step_ = 1;
    bool setting_ = false;
    HWND updown_ = nullptr;
};

// A drop-down list of texts, each with an integer of data.
class ComboBox : public WinControl {
public:
    ComboBox();
    int AddItem(const char* text, LPARAM data = 0);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Item(int index) const;
    LPARAM ItemData(int index) const;
    // The chosen item (-1: none).
    int ItemIndex() const;
    void SetItemIndex(int index);
    // How far the list drops down, in pixels (200 by default).
    void SetDropDownHeight(int h) {
        dropHeight_ = h;
        PlaceWindow();
    }
    NotifyEvent OnChange;
    bool Notified(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void HandleCreated() override;
    void PlaceWindow() override;

private:
    struct Entry {
        std::string text;
        LPARAM data;
    };
    std::vector<Entry> items_;
    int index_ = -1;
    int dropHeight_ = 200;
};

}  // namespace ui
