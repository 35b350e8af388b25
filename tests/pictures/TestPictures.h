#pragma once

#include "records/DateKey.h"
#include "records/UserRecord.h"

#include <QColor>
#include <QSize>
#include <QString>

namespace vitalog::test {

// Writes a picture of one colour into a file; the format follows the extension unless given.
bool WritePicture(const QString& path, QSize size, const QColor& color = Qt::red,
                  const char* format = nullptr);
// A picture that looks like a photograph (sky, ground, a figure, its caption), for looking at.
bool WritePhoto(const QString& path, QSize size, const QColor& figure, const QString& caption);

// Records of a user, written through the core: a body composition record with its three
// values and its weight, a tape record whose sites are 10, 11, ... 16 inches, a picture.
void AddBodyComposition(const QString& dataDir, const UserRecord& user, DateKey date,
                        double bodyFat, double weight);
void AddTape(const QString& dataDir, const UserRecord& user, DateKey date);
void AddPicture(const QString& dataDir, const UserRecord& user, DateKey date, const QString& path);

} // namespace vitalog::test
