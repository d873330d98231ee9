#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace bitmaps {

inline constexpr int kFlagSize = 32;

// Where a flag lies inside its 32 x 32 square; everything outside is mask grey.
inline constexpr int kFlagTop = 4;
inline constexpr int kFlagHeight = 24;

struct FlagStrip {
    QImage image;          // 189 flags side by side, RGB
    QString index;         // "index code name" per line
    QStringList problems;  // flags that could not be drawn
};

// Renders every flag of the list from "<flagDir>/<code>.svg" (the 4:3 flag drawings).
FlagStrip renderFlagStrip(const QString& flagDir);

}  // namespace bitmaps
