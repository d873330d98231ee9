#include "TreeBitmaps.h"

#include "Palette.h"
#include "PixelArt.h"

#include <QFont>
#include <QPainter>

#include <array>

namespace bitmaps {
namespace {

constexpr int kIconWidth = 16;
constexpr int kIconHeight = 15;

QImage greyStrip(int width, int height)
{
    QImage strip(width, height, QImage::Format_RGB32);
    strip.fill(kMaskGrey);
    return strip;
}

}  // namespace

// The view draws its dotted tree lines on even offsets from the top of a row; a one-line row
// puts the box 7 pixels down, so the dots of the tee and the corner fall on odd rows of the
// image and the branch on row 4, the row of the view's horizontal line.
void drawTreeBox(QImage& image, int left, int top, bool plus)
{
    drawSprite(image, left, top,
               {
                   "ddddddddd",
                   "dWWWWWWWd",
                   "dWWWWWWWd",
                   "dWWWWWWWd",
                   "dWKKKKKWd",
                   "dWWWWWWWd",
                   "dWWWWWWWd",
                   "dWWWWWWWd",
                   "ddddddddd",
               });
    if (plus)
        drawSprite(image, left + 4, top + 2, {"K", "K", ".", "K", "K"});
}

QImage drawBoxStrip()
{
    QImage strip = greyStrip(40, 10);
    drawTreeBox(strip, 0, 0, true);
    drawTreeBox(strip, 10, 0, false);
    drawSprite(strip, 20, 0,
               {
                   "..........",
                   "....K.....",
                   "..........",
                   "....K.....",
                   "....K.K.K.",
                   "....K.....",
                   "..........",
                   "....K.....",
                   "..........",
                   "....K.....",
               });
    drawSprite(strip, 30, 0,
               {
                   "..........",
                   "....K.....",
                   "..........",
                   "....K.....",
                   "....K.K.K.",
                   "..........",
                   "..........",
                   "..........",
                   "..........",
                   "..........",
               });
    return strip;
}

QImage drawIconStrip()
{
    QImage strip = greyStrip(18 * kIconWidth, kIconHeight);
    const auto icon = [&strip](int index, std::initializer_list<const char*> rows) {
        drawSprite(strip, index * kIconWidth, 0, rows);
    };
    // 0: dialog, a window with its title bar
    icon(0, {
                "................",
                "KKKKKKKKKKKKKKKK",
                "KnnnnnnnnnnnnnnK",
                "KnWWWWWWnnnnWWnK",
                "KnnnnnnnnnnnnnnK",
                "KssssssssssssssK",
                "KsddddddddddddsK",
                "KsdWWWWWWWWWWWsK",
                "KsdWWWWWWWWWWWsK",
                "KssssssssssssssK",
                "KssssssWWWWWWKsK",
                "KssssssWssssdKsK",
                "KssssssKKKKKKKsK",
                "KssssssssssssssK",
                "KKKKKKKKKKKKKKKK",
            });
    // 1: menu bar with its pull-down
    icon(1, {
                "................",
                "KKKKKKKKKKKKKKKK",
                "KnnnnnWsssssssdK",
                "KnWWWnWsKKKsKKdK",
                "KnnnnnWsssssssdK",
                "KKKKKKKKKKKKKKKK",
                "KWWWWWWWWWWK....",
                "KWKKKKKKWWWKd...",
                "KWWWWWWWWWWKd...",
                "KWKKKKKWWWWKd...",
                "KWWWWWWWWWWKd...",
                "KWKKKKKKKWWKd...",
                "KWWWWWWWWWWKd...",
                "KKKKKKKKKKKKd...",
                ".dddddddddddd...",
            });
    // 2: string table, abc white on blue
    icon(2, {
                "................",
                "................",
                "nnnnnnnnnnnnnnnn",
                "nnnnnnnnnnnnnnnn",
                "nnnnnnWnnnnnnnnn",
                "nnnnnnWnnnnnnnnn",
                "nnnWWnWWnnnWWnnn",
                "nnWnWnWnWnWnnnnn",
                "nnWnWnWnWnWnnnnn",
                "nnnWWnWWnnnWWnnn",
                "nnnnnnnnnnnnnnnn",
                "nnnnnnnnnnnnnnnn",
                "................",
                "................",
                "................",
            });
    // 3: popup menu frame with one highlighted item
    icon(3, {
                "................",
                "KKKKKKKKKKKKKK..",
                "KWWWWWWWWWWWWKd.",
                "KWKKKKKKWWWWWKd.",
                "KWWWWWWWWWWWWKd.",
                "KnnnnnnnnnnnnKd.",
                "KnWWWWWWWnnnnKd.",
                "KnnnnnnnnnnnnKd.",
                "KWWWWWWWWWWWWKd.",
                "KWKKKKKWWWWWWKd.",
                "KWWWWWWWWWWWWKd.",
                "KWKKKKKKKKWWWKd.",
                "KWWWWWWWWWWWWKd.",
                "KKKKKKKKKKKKKKd.",
                ".dddddddddddddd.",
            });
    // 4: text, abc blue on white in a sunken field
    icon(4, {
                "................",
                "................",
                "dddddddddddddddW",
                "dWWWWWWWWWWWWWWW",
                "dWWWWWnWWWWWWWWW",
                "dWWWWWnWWWWWWWWW",
                "dWWnnWnnWWWnnWWW",
                "dWnWnWnWnWnWWWWW",
                "dWnWnWnWnWnWWWWW",
                "dWWnnWnnWWWnnWWW",
                "dWWWWWWWWWWWWWWW",
                "dWWWWWWWWWWWWWWW",
                "WWWWWWWWWWWWWWWW",
                "................",
                "................",
            });
    // 5: highlighted item that opens a submenu
    icon(5, {
                "................",
                "KKKKKKKKKKKKKK..",
                "KWWWWWWWWWWWWKd.",
                "KWKKKKKKWWWWWKd.",
                "KWWWWWWWWWWWWKd.",
                "KnnnnnnnnnWnnKd.",
                "KnWWWWWWnnWWnKd.",
                "KnWWWWWWnnWWWKd.",
                "KnnnnnnnnnWWnKd.",
                "KnnnnnnnnnWnnKd.",
                "KWWWWWWWWWWWWKd.",
                "KWKKKKKKKKWWWKd.",
                "KWWWWWWWWWWWWKd.",
                "KKKKKKKKKKKKKKd.",
                ".dddddddddddddd.",
            });
    // 6: push button
    icon(6, {
                "................",
                "................",
                "KKKKKKKKKKKKKKKK",
                "KWWWWWWWWWWWWWdK",
                "KWssssssssssssdK",
                "KWssssssssssssdK",
                "KWsssKKKsKssKsdK",
                "KWssKsssKKsKssdK",
                "KWssKsssKKKsssdK",
                "KWssKsssKKsKssdK",
                "KWsssKKKsKssKsdK",
                "KWssssssssssssdK",
                "KddddddddddddddK",
                "KKKKKKKKKKKKKKKK",
                "................",
            });
    // 7: group frame labelled xyz
    icon(7, {
                "................",
                "................",
                "...K.K.K.K.KKK..",
                "dd..K..K.K...Kdd",
                "dW..K...KK..K.dW",
                "dW.K.K...K.KKKdW",
                "dW......K.....dW",
                "dW............dW",
                "dW............dW",
                "dW............dW",
                "dW............dW",
                "dW............dW",
                "dW............dW",
                "ddddddddddddddWW",
                "WWWWWWWWWWWWWWWW",
            });
    // 8: static text, Aa
    icon(8, {
                "................",
                "................",
                "................",
                "....KK..........",
                "....KK..........",
                "...KKKK.........",
                "...K.KK.........",
                "..KK..KK..KKKK..",
                "..KK..KK.....KK.",
                "..KKKKKK..KKKKK.",
                ".KK....KKKK..KK.",
                ".KK....KKKK..KK.",
                "KKKK..KKKKKKKKKK",
                "................",
                "................",
            });
    // 9: red cross for texts of no particular kind
    icon(9, {
                "................",
                "................",
                "..mR.......mR...",
                "..RRR.....RRR...",
                "...RRR...RRR....",
                "....RRR.RRR.....",
                ".....RRRRR......",
                "......RRR.......",
                ".....RRRRR......",
                "....RRR.RRR.....",
                "...RRR...RRR....",
                "..RRR.....RRR...",
                "..RR.......RR...",
                "................",
                "................",
            });
    // 10, 11: blank
    // 12, 13: green tick, the text is done
    for (int index : {12, 13}) {
        icon(index, {
                        "................",
                        "................",
                        "................",
                        "............gg..",
                        "...........ggg..",
                        "..........ggg...",
                        ".gg......ggg....",
                        ".ggg....ggg.....",
                        "..ggg..ggg......",
                        "...gggggg.......",
                        "....gggg........",
                        ".....gg.........",
                        "................",
                        "................",
                        "................",
                    });
    }
    // 14: done, but something below is still to be edited
    icon(14, {
                 "................",
                 "................",
                 "...........RR...",
                 "...........RR...",
                 "......gg...RR...",
                 ".....ggg...RR...",
                 "g...ggg....RR...",
                 "gg.ggg...RRRRRR.",
                 ".gggg.....RRRR..",
                 "..gg.......RR...",
                 "................",
                 "................",
                 "................",
                 "................",
                 "................",
             });
    // 15, 16: the text is to be edited
    for (int index : {15, 16}) {
        icon(index, {
                        "................",
                        "................",
                        "........R.......",
                        "........RR......",
                        "........RRR.....",
                        "........RRRR....",
                        "..RRRRRRRRRRR...",
                        "..RRRRRRRRRRRR..",
                        "..RRRRRRRRRRR...",
                        "........RRRR....",
                        "........RRR.....",
                        "........RR......",
                        "........R.......",
                        "................",
                        "................",
                    });
    }
    // 17: the text and something below are to be edited
    icon(17, {
                 "................",
                 "................",
                 "...........RR...",
                 "....R......RR...",
                 "....RR.....RR...",
                 "....RRR....RR...",
                 "RRRRRRRR...RR...",
                 "RRRRRRRRR.RRRRRR",
                 "RRRRRRRR...RRRR.",
                 "....RRR.....RR..",
                 "....RR..........",
                 "....R...........",
                 "................",
                 "................",
                 "................",
             });
    return strip;
}

QImage drawPlaceholderStrip()
{
    constexpr int kWidth = 25;
    constexpr int kHeight = 15;
    constexpr std::array<const char*, 5> samples = {"123", "A7", "3.7", "a", "abc"};
    QImage strip = greyStrip(kWidth * static_cast<int>(samples.size()), kHeight);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    font.setItalic(true);
    // Two colours only: the samples must stay crisp black on the view's grey.
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter painter(&strip);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const QRect cell(static_cast<int>(i) * kWidth, 0, kWidth, kHeight);
        painter.drawText(cell, Qt::AlignCenter, QString::fromLatin1(samples[i]));
    }
    return strip;
}

}  // namespace bitmaps
