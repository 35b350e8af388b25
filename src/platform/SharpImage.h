#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vitalog {

// Pictures that come with a file of twice the resolution beside them ("name@2x.ext") for
// screens at 200 %. Qt finds such files itself only for the screens present at load time, so
// the program asks for them by name.

// "dir/name@2x.ext" for "dir/name.ext".
QString DoubleSizeFile(const QString& path);

// For a screen of the device pixel ratio: above 1, the "@2x" file (ratio 2) when it lies
// beside the file and is readable; else the file itself, whose pixels are hinted for 100 %.
// Null when neither can be read. The logical size is the file's either way.
QImage ReadSharpImage(const QString& path, qreal devicePixelRatio);

} // namespace vitalog
