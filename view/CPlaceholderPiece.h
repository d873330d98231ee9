#pragma once

// A format specifier (%d, %-5.2f, %s, ...) shown as a 25 x 15 picture of its
// value type. It can be neither edited nor deleted, and is written back as it
// was read.

#include "CPiece.h"

#include <QtGlobal>

#include <memory>

class CDc;

class CPlaceholderPiece : public CPiece {
public:
    CPlaceholderPiece(std::u16string specifier, std::int32_t line, CTextRow* row);

    std::u16string GetText() const override { return text; }
    CSize Measure(CDc& dc, int x, int y) override; // always 25 x 15
    void Draw(CDc& dc, int dx, int dy) override;
    bool IsFixed() const override { return true; }

    // Index of the picture in the placeholder strip, by the specifier's last
    // character: 3 character, 2 floating point, 4 string, 1 hex/octal/pointer,
    // 0 anything else (integers).
    static int ImageIndex(const std::u16string& specifier);

    // The placeholder strip (bitmap 145) is one for the whole program: the
    // view loads it when it is initialised and frees it when it is destroyed.
    // Without it placeholders draw a grey field. ratio: device pixels per pixel.
    static bool LoadStrip(const CDc& compatible, qreal ratio = 1.0);
    static void FreeStrip();
    static CDc* Strip();

    static constexpr int Width = 25;
    static constexpr int Height = 15;
};
