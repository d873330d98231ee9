#include "CImageList.h"

#include "CDc.h"

#include <QPixmap>

bool CImageList::Create(int cx, int cy, UINT /*flags*/, int initial, int /*grow*/)
{
    m_images.clear();
    if (cx <= 0 || cy <= 0)
        return false;
    m_cx = cx;
    m_cy = cy;
    m_images.reserve(std::size_t(std::max(initial, 0)));
    return true;
}

bool CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    CImageBitmap strip;
    if (!strip.LoadBitmap(bitmapId) || !Create(cx, strip.Height(), 0, strip.Width() / std::max(cx, 1), grow))
        return false;
    return Add(strip, mask) >= 0;
}

int CImageList::Add(const CImageBitmap& strip, COLORREF mask) { return Add(strip.GetImage(), mask); }

int CImageList::Add(const QImage& strip, COLORREF mask)
{
    if (m_cx <= 0 || strip.isNull() || strip.width() < m_cx)
        return -1;
    const QRgb key = CImageBitmap::ToQRgb(mask) & 0x00FFFFFFu;
    const QImage source = strip.convertToFormat(QImage::Format_RGB32);
    const int first = GetImageCount();
    const int count = source.width() / m_cx;
    for (int i = 0; i < count; ++i) {
        QImage image(m_cx, m_cy, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const int rows = std::min(m_cy, source.height());
        for (int y = 0; y < rows; ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(y)) + i * m_cx;
            auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < m_cx; ++x)
                dst[x] = (src[x] & 0x00FFFFFFu) == key ? 0u : (src[x] | 0xFF000000u);
        }
        m_images.push_back(std::move(image));
    }
    return first;
}

bool CImageList::Draw(int index, CDc& dc, int x, int y) const
{
    if (index < 0 || index >= GetImageCount())
        return false;
    dc.DrawImage(x, y, m_images[std::size_t(index)]);
    return true;
}

QImage CImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return {};
    return m_images[std::size_t(index)];
}

QIcon CImageList::GetIcon(int index) const
{
    const QImage image = GetImage(index);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}
