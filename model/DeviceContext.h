#pragma once

#include <cstdint>
#include <memory>

// The drawing surface the flag operations need. The model only reads and writes
// pixels; the GUI's device context implements this over real images.
using COLORREF = std::uint32_t; // 0x00BBGGRR

class CBitmap {
public:
    virtual ~CBitmap() = default;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
};

class CDeviceContext {
public:
    virtual ~CDeviceContext() = default;
    virtual std::unique_ptr<CDeviceContext> CreateCompatibleDC() const = 0;
    virtual std::unique_ptr<CBitmap> CreateCompatibleBitmap(std::int32_t width,
                                                            std::int32_t height) const = 0;
    // Selects bmp for drawing and returns the bitmap selected before (may be null).
    virtual CBitmap* SelectObject(CBitmap* bmp) = 0;
    virtual COLORREF GetPixel(std::int32_t x, std::int32_t y) const = 0;
    virtual void SetPixel(std::int32_t x, std::int32_t y, COLORREF color) = 0;
};
