#include "AboutBitmap.h"

#include "FlagList.h"
#include "FlagStrip.h"
#include "Palette.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <cstring>

namespace bitmaps {
namespace {

constexpr int kWidth = 250;
constexpr int kHeight = 115;

QImage flagOf(const QImage& strip, const char* code)
{
    for (std::size_t k = 0; k < kFlags.size(); ++k)
        if (std::strcmp(kFlags[k].code, code) == 0)
            return strip.copy(static_cast<int>(k) * kFlagSize, kFlagTop, kFlagSize, kFlagHeight);
    qFatal("flag %s is not in the strip", code);
}

// A language page: white sheet with a folded corner, a flag at the top and lines of text.
void languagePage(QPainter& painter, int left, int top, const QImage& flag)
{
    constexpr int width = 52;
    constexpr int height = 66;
    constexpr int fold = 10;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawRect(left + 3, top + 3, width, height);
    const QPolygon sheet({QPoint(left, top), QPoint(left + width - fold, top),
                          QPoint(left + width, top + fold), QPoint(left + width, top + height),
                          QPoint(left, top + height)});
    painter.setPen(QColor(vga::black));
    painter.setBrush(QColor(vga::white));
    painter.drawPolygon(sheet);
    painter.setBrush(QColor(vga::silver));
    painter.drawPolygon(QPolygon({QPoint(left + width - fold, top),
                                  QPoint(left + width - fold, top + fold),
                                  QPoint(left + width, top + fold)}));
    painter.drawImage(left + 6, top + 6, flag);
    painter.setPen(QColor(vga::grey));
    const int lengths[] = {38, 30, 40, 24, 34};
    int y = top + 36;
    for (int length : lengths) {
        painter.drawLine(left + 6, y, left + 6 + length, y);
        y += 5;
    }
}

// Text with a black shadow two pixels down and right, so it stands off the gradient.
void shadowedText(QPainter& painter, const QRect& box, const QString& text, QRgb colour)
{
    painter.setPen(QColor(vga::black));
    painter.drawText(box.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(QColor(colour));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

}  // namespace

QImage drawAboutBitmap(const QImage& flagStrip)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);

    QLinearGradient sky(0, 0, kWidth, kHeight);
    sky.setColorAt(0.0, QColor(0, 0, 96));
    sky.setColorAt(1.0, QColor(0, 96, 160));
    painter.fillRect(image.rect(), sky);

    languagePage(painter, 8, 14, flagOf(flagStrip, "fr"));
    languagePage(painter, 24, 26, flagOf(flagStrip, "gb"));
    languagePage(painter, 40, 38, flagOf(flagStrip, "de"));

    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect titleBox(104, 22, 140, 36);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    // As large as the name fits beside the pages, whatever the font at hand measures.
    for (int size = 30; size > 10; --size) {
        title.setPixelSize(size);
        if (QFontMetrics(title).horizontalAdvance(QStringLiteral("Glossmark")) + 2 <=
            titleBox.width())
            break;
    }
    painter.setFont(title);
    shadowedText(painter, titleBox, QStringLiteral("Glossmark"), vga::white);

    QFont subtitle(QStringLiteral("DejaVu Serif"));
    subtitle.setPixelSize(22);
    subtitle.setBold(true);
    subtitle.setItalic(true);
    const QRect subtitleBox(150, 58, 96, 30);
    painter.setFont(subtitle);
    shadowedText(painter, subtitleBox, QStringLiteral("Editor"), vga::yellow);

    painter.setPen(QColor(vga::yellow));
    painter.drawLine(104, 60, 240, 60);
    return image;
}

}  // namespace bitmaps
