#include "ToolbarBitmaps.h"

#include "Palette.h"
#include "PixelArt.h"
#include "TreeBitmaps.h"

#include <functional>
#include <vector>

namespace bitmaps {
namespace {

constexpr int kImageSize = 20;
constexpr QRgb kCheckedGrey = 0xFFE0E0E0;  // the toolbar fills a checked button with it

using Art = std::function<void(QImage&)>;

void floppy(QImage& image, int left, int top)
{
    drawSprite(image, left, top,
               {
                   "KKKKKKKKKKKKKKKK",
                   "KnKWWWWWWWWWWKnK",
                   "KnKWWWWWWWWWWKnK",
                   "KnKWddddddddWKnK",
                   "KnKWWWWWWWWWWKnK",
                   "KnKWddddddddWKnK",
                   "KnKWWWWWWWWWWKnK",
                   "KnnKKKKKKKKKKnnK",
                   "KnnnnnnnnnnnnnnK",
                   "KnnnssssssssnnnK",
                   "KnnnsKKssssssnnK",
                   "KnnnsKKssssssnnK",
                   "KnnnsKKssssssnnK",
                   "KnnnssssssssssnK",
                   ".KKKKKKKKKKKKKKK",
               });
}

void page(QImage& image, int left, int top, int height)
{
    drawSprite(image, left, top,
               {
                   "KKKKKKKK....",
                   "KWWWWWWKK...",
                   "KWWWWWWKWK..",
                   "KWWWWWWKKKK.",
                   "KWWWWWWWWWK.",
               });
    for (int y = top + 5; y < top + height - 1; ++y)
        drawSprite(image, left, y, {"KWWWWWWWWWK."});
    drawSprite(image, left, top + height - 1, {"KKKKKKKKKKK."});
}

void globe(QImage& image, int left, int top)
{
    drawSprite(image, left, top,
               {
                   "....KKKKKK....",
                   "..KKBBggBBKK..",
                   ".KBBBgggBBBBK.",
                   ".KggBBggBBggK.",
                   "KBgggBBBBgggBK",
                   "KBggggBBBggBBK",
                   "KBBgggBBBBgBBK",
                   "KBBBggBBBBBBBK",
                   "KBBBBgBBBggBBK",
                   "KBBBBBBBggggBK",
                   ".KBBBBBBBggBK.",
                   ".KBBBBBBBBBBK.",
                   "..KKBBBBBBKK..",
                   "....KKKKKK....",
               });
}

std::vector<Art> buttonArt()
{
    return {
        // 32815 new translation: a fresh page with a sparkle
        [](QImage& image) {
            page(image, 1, 4, 16);
            drawSprite(image, 3, 10,
                       {
                           "nnnnnn.",
                           ".......",
                           "nnnnnnn",
                           ".......",
                           "nnnnn..",
                           ".......",
                           "nnnnnnn",
                       });
            drawSprite(image, 13, 0,
                       {
                           "...Y...",
                           "o..Y..o",
                           ".o.Y.o.",
                           "..YYY..",
                           "YYYYYYY",
                           "..YYY..",
                           ".o.Y.o.",
                           "o..Y..o",
                           "...Y...",
                       });
        },
        // 32809 open a language: the opening folder
        [](QImage& image) {
            drawSprite(image, 0, 3,
                       {
                           "....................",
                           "..KKKKK.............",
                           ".KWYYYYK............",
                           ".KYYYYYYKKKKKKK.....",
                           ".KYYYYYYYYYYYYoK....",
                           ".KYYYYYYYYYYYYoK....",
                           ".KYYYYKKKKKKKKKKKKKK",
                           ".KYYYKYYYYYYYYYYYYoK",
                           ".KYYKYYYYYYYYYYYYoK.",
                           ".KYKYYYYYYYYYYYYoK..",
                           ".KYKYYYYYYYYYYYYoK..",
                           ".KKYYYYYYYYYYYYoK...",
                           ".KKoooooooooooooK...",
                           ".KKKKKKKKKKKKKKK....",
                       });
        },
        // 32811 save: the floppy disk
        [](QImage& image) { floppy(image, 2, 3); },
        // 32814 save under a new name: floppy and pencil
        [](QImage& image) {
            floppy(image, 0, 1);
            drawSprite(image, 9, 8,
                       {
                           "........KK.",
                           ".......KMMK",
                           "......KsKMK",
                           ".....KYsYK.",
                           "....KYYoK..",
                           "...KYYoK...",
                           "..KYYoK....",
                           ".KWYoK.....",
                           ".KWWK......",
                           "KKKK.......",
                           "KK.........",
                       });
        },
        // 33009 find: the magnifying glass
        [](QImage& image) {
            drawSprite(image, 1, 1,
                       {
                           "....KKKKK.........",
                           "..KKCCWWWKK.......",
                           ".KCCCCCWWWWK......",
                           ".KCCCCCCWWWK......",
                           "KCCCCCCCCCWWK.....",
                           "KCCCCCCCCCCWK.....",
                           "KCCCCCCCCCCCK.....",
                           "KtCCCCCCCCCCK.....",
                           "KttCCCCCCCCCK.....",
                           ".KttCCCCCCCK......",
                           ".KtttCCCCCKKK.....",
                           "..KKtttCKKKKKK....",
                           "....KKKKKKoKKKK...",
                           "...........KoKKK..",
                           "............KoKKK.",
                           ".............KoKKK",
                           "..............KoKK",
                           "...............KK.",
                       });
        },
        // 33010 replace: one letter turned into another
        [](QImage& image) {
            drawSprite(image, 0, 1,
                       {
                           "...nn...............",
                           "..nnnn..............",
                           "..nnnn..............",
                           ".nn..nn.............",
                           ".nn..nn.............",
                           ".nnnnnn.............",
                           "nn....nn............",
                           "nn....nn............",
                           "....................",
                           "..KK................",
                           "..KK................",
                           "..KK......K.........",
                           "..KK......KK..RRRRR.",
                           "..KKKKKKKKKKK.RR..RR",
                           "..KKKKKKKKKKKKRR..RR",
                           "..........KKK.RRRRR.",
                           "..........KK..RR..RR",
                           "..........K...RR..RR",
                           "..............RRRRR.",
                       });
        },
        // 33002 choose a flag: a waving tricolour on its pole
        [](QImage& image) {
            for (int y = 1; y < 19; ++y)
                drawSprite(image, 2, y, {"Kd"});
            drawSprite(image, 2, 0, {"KK"});
            constexpr int wave[] = {0, 0, 0, 0, 1, 1, 2, 2, 2, 1, 1, 0, 0, 0, 1};
            constexpr QRgb stripes[] = {vga::black, vga::red, vga::yellow};
            for (int column = 0; column < 15; ++column)
                for (int row = 0; row < 12; ++row)
                    image.setPixel(4 + column, 2 + wave[column] + row, stripes[row / 4]);
        },
        // 32810 version update: a page with a green arrow up
        [](QImage& image) {
            page(image, 1, 1, 17);
            drawSprite(image, 3, 7,
                       {
                           "dddddd",
                           "......",
                           "ddddd.",
                           "......",
                           "dddddd",
                       });
            drawSprite(image, 10, 7,
                       {
                           "....KK....",
                           "...KggK...",
                           "..KggggK..",
                           ".KggggggK.",
                           "KKKKggKKKK",
                           "...KggK...",
                           "...KggK...",
                           "...KggK...",
                           "...KggK...",
                           "...KggK...",
                           "...KKKK...",
                       });
        },
        // 32807 show a foreign language
        [](QImage& image) {
            globe(image, 0, 0);
            drawSprite(image, 12, 12,
                       {
                           "..KKKK..",
                           "..KggK..",
                           "KKKggKKK",
                           "KggggggK",
                           "KggggggK",
                           "KKKggKKK",
                           "..KggK..",
                           "..KKKK..",
                       });
        },
        // 32808 hide the foreign language
        [](QImage& image) {
            globe(image, 0, 0);
            drawSprite(image, 12, 12,
                       {
                           "KK....KK",
                           "KRK..KRK",
                           ".KRKKRK.",
                           "..KRRK..",
                           "..KRRK..",
                           ".KRKKRK.",
                           "KRK..KRK",
                           "KK....KK",
                       });
        },
        // 32806 collapse the whole tree
        [](QImage& image) {
            drawTreeBox(image, 1, 1, true);
            drawTreeBox(image, 1, 11, true);
            drawSprite(image, 5, 10, {"K"});
            drawSprite(image, 10, 5, {"KKKKKKKK."});
            drawSprite(image, 10, 15, {"KKKKKKKKK"});
        },
        // 32804 expand the whole tree
        [](QImage& image) {
            drawTreeBox(image, 1, 1, false);
            drawSprite(image, 10, 5, {"KKKKKKKK."});
            drawSprite(image, 5, 10,
                       {
                           "K.............",
                           "..............",
                           "K.............",
                           "..............",
                           "K.K.KKKKKKKKK.",
                           "..............",
                           "K.............",
                           "..............",
                           "K.K.KKKKKKKKKK",
                       });
        },
        // 32805 show the texts still to be edited
        [](QImage& image) {
            drawSprite(image, 0, 1,
                       {
                           "..........KKKKKKKK..",
                           "....................",
                           "...R................",
                           "...RR...............",
                           "RRRRRR..KKKKKKKKKKK.",
                           "RRRRRRR.............",
                           "RRRRRR..............",
                           "...RR...............",
                           "...R................",
                           "..........KKKKKKKKK.",
                           "....................",
                           "...R................",
                           "...RR...............",
                           "RRRRRR..KKKKKKKKKKKK",
                           "RRRRRRR.............",
                           "RRRRRR..............",
                           "...RR...............",
                           "...R................",
                           "..........KKKKKKK...",
                       });
        },
        // 57664 about the editor
        [](QImage& image) {
            drawSprite(image, 1, 1,
                       {
                           "......KKKKKK......",
                           "....KKnnnnnnKK....",
                           "...KnnnnnnnnnnK...",
                           "..KnnnnnWWnnnnnK..",
                           ".KnnnnnnWWnnnnnnK.",
                           ".KnnnnnnnnnnnnnnK.",
                           "KnnnnnnWWWnnnnnnnK",
                           "KnnnnnnnWWnnnnnnnK",
                           "KnnnnnnnWWnnnnnnnK",
                           "KnnnnnnnWWnnnnnnnK",
                           "KnnnnnnnWWnnnnnnnK",
                           "KnnnnnnnWWnnnnnnnK",
                           ".KnnnnnWWWWnnnnnK.",
                           ".KnnnnnnnnnnnnnnK.",
                           "..KnnnnnnnnnnnnK..",
                           "...KnnnnnnnnnnK...",
                           "....KKnnnnnnKK....",
                           "......KKKKKK......",
                       });
        },
        // 57669 help on what is clicked next
        [](QImage& image) {
            drawSprite(image, 1, 2,
                       {
                           "K..................",
                           "KK.........nnnnn...",
                           "KWK.......nn...nn..",
                           "KWWK......nn...nn..",
                           "KWWWK..........nn..",
                           "KWWWWK........nn...",
                           "KWWWWWK......nn....",
                           "KWWWWWWK.....nn....",
                           "KWWWWWWWK....nn....",
                           "KWWWWWKKKK.........",
                           "KWWKWWK......nn....",
                           "KWK.KWWK.....nn....",
                           "KK..KWWK...........",
                           "K....KWWK..........",
                           ".....KWWK..........",
                           "......KK...........",
                       });
        },
    };
}

QImage composed(const std::vector<QImage>& icons, const std::function<QRgb(QRgb)>& look,
                QRgb background)
{
    QImage strip(kImageSize * static_cast<int>(icons.size()), kImageSize,
                 QImage::Format_RGB32);
    strip.fill(background);
    for (std::size_t k = 0; k < icons.size(); ++k)
        for (int y = 0; y < kImageSize; ++y)
            for (int x = 0; x < kImageSize; ++x)
                if (const QRgb pixel = icons[k].pixel(x, y); qAlpha(pixel) != 0)
                    strip.setPixel(static_cast<int>(k) * kImageSize + x, y, look(pixel));
    return strip;
}

// The normal look keeps every shape but only four greys, so the bar stays quiet until the
// mouse brings a button to life. Each colour has its grey chosen by hand: by brightness alone
// a blue globe with green land would turn into a black blot.
QRgb greyLook(QRgb colour)
{
    switch (colour | 0xFF000000) {
    case vga::black:
    case vga::navy:
    case vga::maroon:
        return vga::black;
    case vga::green:
    case vga::lime:
    case vga::aqua:
    case vga::silver:
    case vga::fuchsia:
        return vga::silver;
    case vga::yellow:
    case vga::white:
        return vga::white;
    default:
        return vga::grey;
    }
}

// Like the platform's own disabled buttons: everything that is neither white nor face grey
// becomes a grey shape with a white copy one pixel down and right beneath it.
QImage embossed(const std::vector<QImage>& icons)
{
    QImage strip(kImageSize * static_cast<int>(icons.size()), kImageSize,
                 QImage::Format_RGB32);
    strip.fill(vga::silver);
    const auto ink = [](QRgb pixel) {
        return qAlpha(pixel) != 0 && (pixel | 0xFF000000) != vga::white &&
               (pixel | 0xFF000000) != vga::silver;
    };
    for (QRgb shade : {vga::white, vga::grey}) {
        const int shift = shade == vga::white ? 1 : 0;
        for (std::size_t k = 0; k < icons.size(); ++k)
            for (int y = 0; y < kImageSize; ++y)
                for (int x = 0; x < kImageSize; ++x)
                    if (ink(icons[k].pixel(x, y)) && x + shift < kImageSize &&
                        y + shift < kImageSize)
                        strip.setPixel(static_cast<int>(k) * kImageSize + x + shift, y + shift,
                                       shade);
    }
    return strip;
}

}  // namespace

ToolbarStrips drawToolbarStrips()
{
    std::vector<QImage> icons;
    for (const Art& art : buttonArt()) {
        QImage icon(kImageSize, kImageSize, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        art(icon);
        icons.push_back(icon);
    }
    const auto same = [](QRgb colour) { return colour; };
    return {
        composed(icons, same, vga::silver),
        composed(icons, greyLook, vga::silver),
        embossed(icons),
        composed(icons, same, kCheckedGrey),
    };
}

}  // namespace bitmaps
