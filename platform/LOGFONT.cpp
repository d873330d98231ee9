#include "LOGFONT.h"

#include "QtStrings.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDefaultPixelSize = 12;

QString FirstInstalled(std::initializer_list<const char*> names, QFontDatabase::SystemFont fallback)
{
    for (const char* name : names) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(name)))
            return QString::fromLatin1(name);
    }
    return QFontDatabase::systemFont(fallback).family();
}

enum class Kind { Sans, Serif, Fixed };

Kind KindOf(const QString& face, std::uint8_t pitchAndFamily)
{
    const QString lower = face.toLower();
    if (lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("mono")) ||
        lower == QLatin1String("fixedsys") || lower == QLatin1String("terminal"))
        return Kind::Fixed;
    if (lower.contains(QLatin1String("times")) ||
        (lower.contains(QLatin1String("serif")) && !lower.contains(QLatin1String("sans"))))
        return Kind::Serif;
    const std::uint8_t family = pitchAndFamily & 0xF0;
    if ((pitchAndFamily & 0x03) == FIXED_PITCH || family == FF_MODERN)
        return Kind::Fixed;
    if (family == FF_ROMAN)
        return Kind::Serif;
    return Kind::Sans;
}

} // namespace

QString InstalledFaceFor(const QString& face, std::uint8_t pitchAndFamily)
{
    // Asked for every piece of text the views measure, so remembered.
    static QHash<QString, QString> cache;
    const QString key = face + QChar(u'\x01') + QString::number(pitchAndFamily);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QString installed;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        installed = face;
    } else {
        switch (KindOf(face, pitchAndFamily)) {
        case Kind::Fixed:
            installed = FirstInstalled({"DejaVu Sans Mono", "Liberation Mono", "Courier New"},
                                       QFontDatabase::FixedFont);
            break;
        case Kind::Serif:
            installed = FirstInstalled({"DejaVu Serif", "Liberation Serif", "Times New Roman"},
                                       QFontDatabase::GeneralFont);
            break;
        case Kind::Sans:
            installed = FirstInstalled({"DejaVu Sans", "Liberation Sans", "Arial"},
                                       QFontDatabase::GeneralFont);
            break;
        }
    }
    cache.insert(key, installed);
    return installed;
}

QFont MakeQFont(const LOGFONT& lf)
{
    QFont font;
    font.setFamily(InstalledFaceFor(ToQString(lf.faceName), lf.pitchAndFamily));
    font.setKerning(false); // GDI text output does not kern
    font.setItalic(lf.italic != 0);
    font.setUnderline(lf.underline != 0);
    font.setStrikeOut(lf.strikeOut != 0);
    font.setWeight(lf.weight <= 0 ? QFont::Normal
                                  : QFont::Weight(std::clamp(int(lf.weight), 1, 1000)));
    if (lf.quality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::NoAntialias);
    else if (lf.quality == ANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::PreferAntialias);

    if (lf.height < 0) {
        font.setPixelSize(std::max(1, -lf.height));
    } else if (lf.height > 0) {
        // A positive height is the cell height (ascent + descent): scale the em
        // size so the cell comes out at that height.
        font.setPixelSize(lf.height);
        const int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != lf.height) {
            const int em = int(std::lround(double(lf.height) * lf.height / cell));
            font.setPixelSize(std::max(1, em));
        }
    } else {
        font.setPixelSize(kDefaultPixelSize);
    }

    if (lf.width > 0) {
        const int natural = QFontMetrics(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(std::clamp(int(std::lround(100.0 * lf.width / natural)), 1, 4000));
    }
    return font;
}

CSize DialogBaseUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    const int extent =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(extent / 26 + 1) / 2, fm.height()};
}

LOGFONT MakeLogFont(const QFont& font)
{
    LOGFONT lf;
    const QFontInfo info(font);
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : info.pixelSize();
    lf.height = -std::max(1, pixels);
    lf.weight = font.weight();
    lf.italic = font.italic() ? 1 : 0;
    lf.underline = font.underline() ? 1 : 0;
    lf.strikeOut = font.strikeOut() ? 1 : 0;
    lf.charSet = 0;
    lf.outPrecision = 3;
    lf.clipPrecision = 2;
    lf.quality = 1;
    if (info.fixedPitch())
        lf.pitchAndFamily = FIXED_PITCH | FF_MODERN;
    else if (font.styleHint() == QFont::Serif)
        lf.pitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    else
        lf.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lf.faceName = ToU16(font.family()).substr(0, 31);
    return lf;
}
