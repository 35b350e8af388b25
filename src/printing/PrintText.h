#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace vitalog {

struct AppServices;

// Prints a plain text over as many pages as it needs, in the report font: the print dialog
// (all pages; no page numbers, no selection), then pages filled with as many characters as fit.
// Pages are cut by character count, so a page may end inside a line or a word. A job that
// cannot start, or a page that cannot be ended, is abandoned without a message.
void PrintText(AppServices& services, QWidget* parent, const QString& text);

// The texts of the pages: each the longest run of the characters still to print whose height,
// word-wrapped into the page width, is at most pageHeight (found by a binary search that tries
// the whole remainder first), but at least one character. heightNeeded measures a text as the
// page would wrap it.
QStringList PageTexts(const QString& text, int pageHeight,
                      const std::function<int(const QString&)>& heightNeeded);

} // namespace vitalog
