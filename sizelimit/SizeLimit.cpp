#include "SizeLimit.h"

#include "LOGFONT.h"
#include "QtStrings.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include <string>

namespace size_limit {

namespace {

// The platform's dialog base units come from its system font, and the width
// of a size-limited text is measured in its stock variable-pitch font; both
// stand-ins are made once.
QFont StockFont(std::int32_t height, std::int32_t weight, const std::u16string& face)
{
    LOGFONT lf;
    lf.height = height;
    lf.weight = weight;
    lf.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lf.faceName = face;
    return MakeQFont(lf);
}

const QFont& SystemFont()
{
    static const QFont font = StockFont(-16, FW_BOLD, u"System");
    return font;
}

const QFont& VariablePitchFont()
{
    static const QFont font = StockFont(-11, FW_NORMAL, u"MS Sans Serif");
    return font;
}

int DialogBaseUnitX()
{
    static const int base = DialogBaseUnits(SystemFont()).cx & 0xFFFF;
    return base;
}

} // namespace

bool IsSizeLimitedKind(std::int32_t kindCode)
{
    switch (kindCode) {
    case 2: case 22: case 23: case 24: case 25:
        return true;
    default:
        return false;
    }
}

bool CanMeasure() { return !QFontInfo(VariablePitchFont()).family().isEmpty(); }

int TextWidth(std::u16string_view text)
{
    return QFontMetrics(VariablePitchFont()).horizontalAdvance(ToQString(text));
}

int Limit(std::int32_t width)
{
    return ((DialogBaseUnitX() * width) / 4 * 31) / 40;
}

bool Fits(std::u16string_view text, std::int32_t width)
{
    return TextWidth(text) < Limit(width);
}

} // namespace size_limit
