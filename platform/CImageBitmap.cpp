#include "CImageBitmap.h"

#include "CDc.h"
#include "CResources.h"

#include <QString>

CImageBitmap::CImageBitmap(int width, int height)
    : m_image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)
{
    m_image.fill(0xFF000000u);
}

CImageBitmap::CImageBitmap(const QImage& image)
{
    if (image.isNull())
        return;
    if (image.hasAlphaChannel()) {
        // Transparent parts become black, as a bitmap has no alpha.
        m_image = QImage(image.size(), QImage::Format_RGB32);
        m_image.fill(0xFF000000u);
        QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < m_image.height(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
            auto* dst = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            for (int x = 0; x < m_image.width(); ++x)
                dst[x] = src[x] | 0xFF000000u;
        }
    } else {
        m_image = image.convertToFormat(QImage::Format_RGB32);
    }
}

CImageBitmap::~CImageBitmap()
{
    if (m_selectedInto)
        m_selectedInto->BitmapGone(this);
}

CImageBitmap& CImageBitmap::operator=(const CImageBitmap& other)
{
    if (this != &other) {
        // A painter on the old pixels must not outlive them.
        if (m_selectedInto)
            m_selectedInto->Flush();
        m_image = other.m_image;
    }
    return *this;
}

std::int32_t CImageBitmap::Width() const { return m_image.width(); }

std::int32_t CImageBitmap::Height() const { return m_image.height(); }

bool CImageBitmap::LoadBitmap(UINT id)
{
    m_image = QImage();
    const res::Bitmap* entry = CResources::FindBitmap(id);
    if (!entry)
        return false;
    QImage loaded(QString::fromUtf8(entry->path.data(), qsizetype(entry->path.size())));
    if (loaded.isNull())
        return false;
    *this = CImageBitmap(loaded);
    return !m_image.isNull();
}

std::unique_ptr<CImageBitmap> CImageBitmap::FromResource(UINT id)
{
    auto bitmap = std::make_unique<CImageBitmap>();
    if (!bitmap->LoadBitmap(id))
        return nullptr;
    return bitmap;
}

COLORREF CImageBitmap::ToColorRef(QRgb rgb)
{
    return RGB(BYTE(qRed(rgb)), BYTE(qGreen(rgb)), BYTE(qBlue(rgb)));
}

QRgb CImageBitmap::ToQRgb(COLORREF color)
{
    return qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
}
