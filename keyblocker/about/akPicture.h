// A bitmap from the program's resources, drawn through a mask so that its magenta
// pixels leave the background visible.
#pragma once
#include <windows.h>

#include <vector>

namespace kq {

class CakPictureListener {
public:
    virtual void OnPictureChanged() = 0;

protected:
    ~CakPictureListener() = default;
};

class CakPicture {
public:
    static constexpr COLORREF kTransparent = RGB(255, 0, 255);

    CakPicture() = default;
    ~CakPicture();
    CakPicture(const CakPicture&) = delete;
    CakPicture& operator=(const CakPicture&) = delete;

    // Loads bitmap `id` from `instance` (the program when null). False when it is missing.
    bool Load(UINT id, HINSTANCE instance = nullptr);
    bool Empty() const { return m_hImage == nullptr; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Draws at (x, y) with the transparent colour left out.
    void Draw(HDC dc, int x, int y) const;

    void AddListener(CakPictureListener* l) { m_listeners.push_back(l); }
    void RemoveListener(CakPictureListener* l);

private:
    void Free();

    HBITMAP m_hImage = nullptr;  // the picture with its transparent pixels turned black
    HBITMAP m_hMask = nullptr;   // white where transparent, black elsewhere
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<CakPictureListener*> m_listeners;
};

}  // namespace kq
