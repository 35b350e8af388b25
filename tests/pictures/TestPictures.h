#pragma once

#include <QColor>
#include <QSize>
#include <QString>

namespace vitalog::test {

// Writes a picture of one colour into a file; the format follows the extension unless given.
// Fails the calling test (returns false) when Qt cannot write it.
bool WritePicture(const QString& path, QSize size, const QColor& color = Qt::red,
                  const char* format = nullptr);

} // namespace vitalog::test
