#pragma once

// A created font (CreateFontIndirect) that a CDc can select.

#include "LOGFONT.h"

#include <QFont>

class CFont {
public:
    CFont() = default;
    explicit CFont(const QFont& font) : m_font(font), m_created(true) {}

    bool CreateFontIndirect(const LOGFONT& lf);
    // A font of the given point size and face, 96 pixels to the inch.
    bool CreatePointFont(int tenthsOfPoint, const std::u16string& face);
    void DeleteObject();

    bool IsCreated() const { return m_created; }
    const QFont& GetQFont() const { return m_font; }
    const LOGFONT& GetLogFont() const { return m_logFont; }

private:
    QFont m_font;
    LOGFONT m_logFont;
    bool m_created = false;
};
