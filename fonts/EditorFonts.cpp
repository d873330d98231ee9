#include "EditorFonts.h"

namespace {

LOGFONT MakeDefault(std::int32_t height, bool italic, std::uint8_t outPrecision,
                    const char16_t* face)
{
    LOGFONT lf;
    lf.height = height;
    lf.weight = FW_NORMAL;
    lf.italic = italic ? 1 : 0;
    lf.charSet = 0;
    lf.outPrecision = outPrecision;
    lf.clipPrecision = 2;
    lf.quality = 1;
    lf.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lf.faceName = face;
    return lf;
}

} // namespace

LOGFONT DefaultTextFont() { return MakeDefault(-14, false, 1, u"MS Sans Serif"); }

LOGFONT DefaultForeignFont() { return MakeDefault(-12, true, 3, u"Arial"); }

LOGFONT& TextFont()
{
    static LOGFONT font = DefaultTextFont();
    return font;
}

LOGFONT& ForeignFont()
{
    static LOGFONT font = DefaultForeignFont();
    return font;
}

void SetDefaultFonts()
{
    TextFont() = DefaultTextFont();
    ForeignFont() = DefaultForeignFont();
}
