// glossmark-bitmaps: draws the editor's bitmap resources and writes them as plain RGB PNGs.
//
// Run by hand whenever a picture changes, then commit resources/bitmaps/:
//
//   mkdir -p /tmp/flags && (cd /tmp/flags && npm install flag-icons@7.5.0)
//   cmake -S . -B build-bitmaps -DGLOSSMARK_BITMAP_GENERATOR=ON
//   cmake --build build-bitmaps --target glossmark-bitmaps
//   QT_QPA_PLATFORM=offscreen build-bitmaps/tools/bitmaps/glossmark-bitmaps
//       --flags /tmp/flags/node_modules/flag-icons --out resources/bitmaps [--preview /tmp/bmp]
//   (the last command on one line)
//
// Everything except the flags is drawn here; the flags come from the MIT-licensed flag-icons
// package, whose licence is copied next to the strip. --preview writes enlarged copies for
// looking at the small pictures.

#include "AboutBitmap.h"
#include "FlagList.h"
#include "FlagStrip.h"
#include "Palette.h"
#include "ToolbarBitmaps.h"
#include "TreeBitmaps.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

bool savePng(const QImage& image, const QString& path)
{
    // Plain RGB without alpha, so that the mask colours stay exactly what they are.
    if (image.convertToFormat(QImage::Format_RGB888).save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

QImage enlarged(const QImage& image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Each image of a strip enlarged (eight times, a large picture three times), at most six to
// a row, with a white gap between.
QImage stripSheet(const QImage& strip, int cellWidth)
{
    const int factor = cellWidth >= 100 ? 3 : 8;
    constexpr int perRow = 6;
    constexpr int gap = 6;
    const int count = strip.width() / cellWidth;
    const int columns = std::min(count, perRow);
    const int rows = (count + perRow - 1) / perRow;
    QImage sheet(columns * (cellWidth * factor + gap), rows * (strip.height() * factor + gap),
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int k = 0; k < count; ++k)
        painter.drawImage((k % perRow) * (cellWidth * factor + gap),
                          (k / perRow) * (strip.height() * factor + gap),
                          enlarged(strip.copy(k * cellWidth, 0, cellWidth, strip.height()),
                                   factor));
    return sheet;
}

// Part of the strip as the flag dialog shows it: rows of flags on white, mask grey
// transparent, three times enlarged so that a page fits on a screen.
QImage flagSheet(const QImage& strip, int first, int count)
{
    constexpr int perRow = 10;
    constexpr int cell = 3 * bitmaps::kFlagSize + 8;
    QImage sheet(perRow * cell, (count + perRow - 1) / perRow * cell, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < count; ++i) {
        QImage flag = strip.copy((first + i) * bitmaps::kFlagSize, 0, bitmaps::kFlagSize,
                                 bitmaps::kFlagSize)
                          .convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < flag.height(); ++y)
            for (int x = 0; x < flag.width(); ++x)
                if (flag.pixel(x, y) == bitmaps::kMaskGrey)
                    flag.setPixel(x, y, 0);
        painter.drawImage((i % perRow) * cell + 4, (i / perRow) * cell + 4, enlarged(flag, 3));
    }
    return sheet;
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the bitmap resources."));
    parser.addHelpOption();
    const QCommandLineOption flagsOption(
        QStringLiteral("flags"), QStringLiteral("Folder of the flag-icons package."),
        QStringLiteral("dir"));
    const QCommandLineOption outOption(QStringLiteral("out"),
                                       QStringLiteral("Folder the PNGs are written to."),
                                       QStringLiteral("dir"));
    const QCommandLineOption previewOption(
        QStringLiteral("preview"), QStringLiteral("Folder for enlarged copies to look at."),
        QStringLiteral("dir"));
    parser.addOptions({flagsOption, outOption, previewOption});
    parser.process(app);
    if (!parser.isSet(flagsOption) || !parser.isSet(outOption))
        parser.showHelp(2);

    const QDir out(parser.value(outOption));
    const QString flagsDir = parser.value(flagsOption);
    const QString preview = parser.value(previewOption);
    if (!preview.isEmpty())
        QDir().mkpath(preview);

    bool ok = true;
    const bitmaps::FlagStrip flags =
        bitmaps::renderFlagStrip(flagsDir + QStringLiteral("/flags/4x3"));
    for (const QString& code : flags.problems)
        std::fprintf(stderr, "flag %s could not be drawn\n", qPrintable(code));
    ok = ok && flags.problems.isEmpty();
    ok = savePng(flags.image, out.filePath(QStringLiteral("159.png"))) && ok;
    QFile index(out.filePath(QStringLiteral("159.txt")));
    if (index.open(QIODevice::WriteOnly | QIODevice::Truncate))
        index.write(flags.index.toUtf8());
    else
        ok = false;
    QFile::remove(out.filePath(QStringLiteral("LICENSE.flag-icons")));
    ok = QFile::copy(flagsDir + QStringLiteral("/LICENSE"),
                     out.filePath(QStringLiteral("LICENSE.flag-icons"))) && ok;
    constexpr int kFlagsPerSheet = 60;
    for (int first = 0; !preview.isEmpty() && first < static_cast<int>(bitmaps::kFlagCount);
         first += kFlagsPerSheet)
        flagSheet(flags.image, first,
                  std::min(kFlagsPerSheet, static_cast<int>(bitmaps::kFlagCount) - first))
            .save(QDir(preview).filePath(QStringLiteral("159-from-%1.png").arg(first)));

    struct Picture {
        int id;
        QImage image;
        int cellWidth;  // width of one image of the strip, for the preview
    };
    const bitmaps::ToolbarStrips toolbar = bitmaps::drawToolbarStrips();
    const std::vector<Picture> pictures = {
        {137, bitmaps::drawBoxStrip(), 10},
        {141, bitmaps::drawIconStrip(), 16},
        {145, bitmaps::drawPlaceholderStrip(), 25},
        {146, toolbar.hot, 20},
        {147, toolbar.normal, 20},
        {148, toolbar.checked, 20},
        {149, toolbar.disabled, 20},
        {165, bitmaps::drawAboutBitmap(flags.image), 250},
    };
    for (const Picture& picture : pictures) {
        ok = savePng(picture.image, out.filePath(QStringLiteral("%1.png").arg(picture.id))) && ok;
        if (!preview.isEmpty())
            stripSheet(picture.image, picture.cellWidth)
                .save(QDir(preview).filePath(QStringLiteral("%1-large.png").arg(picture.id)));
    }

    return ok ? 0 : 1;
}
