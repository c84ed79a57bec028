// A push button with an optional bitmap beside its text, themed where visual styles are
// on and hot while the mouse is over it.
#pragma once
#include "keyblocker/about/akBitButtonBase.h"

namespace kq {

class CakBitButton : public CakBitButtonBase {
public:
    CakBitButton() = default;
    ~CakBitButton() override;

protected:
    void Draw(HDC dc, const RECT& client, const DrawState& state) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void DrawThemed(HDC dc, const RECT& client, const DrawState& state);
    void DrawClassic(HDC dc, const RECT& client, const DrawState& state);
    void DrawContent(HDC dc, const RECT& client, const DrawState& state, int shift, bool themed);
    UINT TextFormat() const;

    HANDLE m_hTheme = nullptr;
};

}  // namespace kq
