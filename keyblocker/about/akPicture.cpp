#include "keyblocker/about/akPicture.h"

#include <algorithm>

namespace kq {

namespace {

// A memory DC with one object selected, both released at the end of the scope.
class MemDC {
public:
    MemDC(HDC like, HGDIOBJ obj)
        : m_dc(CreateCompatibleDC(like)), m_old(m_dc ? SelectObject(m_dc, obj) : nullptr) {}
    ~MemDC() {
        if (m_dc) {
            SelectObject(m_dc, m_old);
            DeleteDC(m_dc);
        }
    }
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

}  // namespace

CakPicture::~CakPicture() { Free(); }

void CakPicture::Free() {
    if (m_hImage) DeleteObject(m_hImage);
    if (m_hMask) DeleteObject(m_hMask);
    m_hImage = m_hMask = nullptr;
    m_nWidth = m_nHeight = 0;
}

void CakPicture::RemoveListener(CakPictureListener* l) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), l), m_listeners.end());
}

namespace {

// Turns `image` into the picture part of a masked pair and fills `mask` (white where the
// picture is magenta). Both bitmaps are selected into memory DCs only inside this call, so
// the caller can free either of them afterwards whatever happened here.
bool SplitTransparent(HBITMAP image, HBITMAP mask, int width, int height) {
    MemDC src(nullptr, image);
    MemDC msk(nullptr, mask);
    if (!src || !msk) return false;
    // Mask: white where the picture is magenta.
    SetBkColor(src.get(), CakPicture::kTransparent);
    BitBlt(msk.get(), 0, 0, width, height, src.get(), 0, 0, SRCCOPY);
    // Picture: magenta turned black, so that it can be ORed over the masked background.
    SetTextColor(src.get(), RGB(0, 0, 0));
    SetBkColor(src.get(), RGB(255, 255, 255));
    BitBlt(src.get(), 0, 0, width, height, msk.get(), 0, 0, 0x00220326 /* DSna */);
    return true;
}

}  // namespace

bool CakPicture::Load(UINT id, HINSTANCE instance) {
    Free();
    HBITMAP image =
        static_cast<HBITMAP>(LoadImageA(instance ? instance : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HBITMAP mask = nullptr;
    bool ok = false;
    if (image) {
        BITMAP bm{};
        GetObjectA(image, sizeof bm, &bm);
        mask = CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
        if (mask && SplitTransparent(image, mask, bm.bmWidth, bm.bmHeight)) {
            m_hImage = image;
            m_hMask = mask;
            m_nWidth = bm.bmWidth;
            m_nHeight = bm.bmHeight;
            image = mask = nullptr;
            ok = true;
        }
    }
    // Whatever was not taken over is no longer selected anywhere and can go.
    if (mask) DeleteObject(mask);
    if (image) DeleteObject(image);
    for (CakPictureListener* l : m_listeners) l->OnPictureChanged();
    return ok;
}

void CakPicture::Draw(HDC dc, int x, int y) const {
    if (!m_hImage) return;
    MemDC img(dc, m_hImage);
    MemDC msk(dc, m_hMask);
    if (!img || !msk) return;
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, m_nWidth, m_nHeight, msk.get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, m_nWidth, m_nHeight, img.get(), 0, 0, SRCPAINT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
}

}  // namespace kq
