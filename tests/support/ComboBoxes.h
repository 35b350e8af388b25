#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace vitalog::test {

// The texts of a drop-down list, in order.
QStringList ItemTexts(const QComboBox& box);

// Chooses the entry as the keyboard does: made current, then activated.
void ChooseEntry(QComboBox& box, const QString& text);

// Chooses the entry as the mouse does: opens the list and clicks the entry.
void ClickEntry(QComboBox& box, const QString& text);

} // namespace vitalog::test
