#pragma once

// A bitmap over a QImage in Format_RGB32; what CDc selects and draws into.
// Pixels cross the boundary as COLORREF (0x00BBGGRR); inside, QImage keeps
// 0xFFRRGGBB, so the two are converted on every GetPixel/SetPixel.

#include "DeviceContext.h"
#include "WinTypes.h"

#include <QImage>

#include <memory>

class CDc;

class CImageBitmap : public CBitmap {
public:
    CImageBitmap() = default;
    ~CImageBitmap() override;
    CImageBitmap(const CImageBitmap& other) : CBitmap(), m_image(other.m_image) {}
    CImageBitmap& operator=(const CImageBitmap& other);
    // A bitmap of width x height, all black (like a new compatible bitmap).
    CImageBitmap(int width, int height);
    // Takes image, converted to Format_RGB32 (alpha dropped, on black).
    explicit CImageBitmap(const QImage& image);

    std::int32_t Width() const override;
    std::int32_t Height() const override;

    // LoadBitmap: the bitmap resource id of the installed CResources set,
    // read from its Qt resource path. False, and the bitmap left empty, when the
    // id or the file is missing.
    bool LoadBitmap(UINT id);
    static std::unique_ptr<CImageBitmap> FromResource(UINT id);

    bool IsNull() const { return m_image.isNull(); }
    const QImage& GetImage() const { return m_image; }
    QImage& GetImage() { return m_image; }

    static COLORREF ToColorRef(QRgb rgb);
    static QRgb ToQRgb(COLORREF color);

private:
    friend class CDc;
    QImage m_image;
    CDc* m_selectedInto = nullptr; // the DC drawing into this bitmap, if any
};
