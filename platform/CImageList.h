#pragma once

// An image list (ImageList_AddMasked semantics): images of one size cut from
// strips, with one colour of each added strip made transparent.

#include "CImageBitmap.h"
#include "CSize.h"
#include "WinTypes.h"

#include <QIcon>
#include <QImage>

#include <vector>

class CDc;

class CImageList {
public:
    // Create: images of cx x cy; initial and grow are capacity hints only.
    bool Create(int cx, int cy, UINT flags = 0, int initial = 4, int grow = 4);
    // Convenience: Create with the image size and Add of a strip bitmap resource.
    bool Create(UINT bitmapId, int cx, int grow, COLORREF mask);

    // Add (masked): the strip is cut from the left into images of the list's
    // width (a rest narrower than one image is dropped; the strip's height is
    // cut or padded to the list's height); pixels equal to mask become
    // transparent. Returns the index of the first image added, or -1.
    int Add(const QImage& strip, COLORREF mask);
    int Add(const CImageBitmap& strip, COLORREF mask);

    int GetImageCount() const { return int(m_images.size()); }
    CSize GetImageSize() const { return {m_cx, m_cy}; }

    // Draws image index at (x, y); transparent pixels leave the destination
    // as it was. False for a bad index.
    bool Draw(int index, CDc& dc, int x, int y) const;

    // The image with transparency (ARGB32_Premultiplied), for item views.
    QImage GetImage(int index) const;
    QIcon GetIcon(int index) const;

    void RemoveAll() { m_images.clear(); }

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<QImage> m_images;
};
