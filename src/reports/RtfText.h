#pragma once

#include "RtfFormats.h"

#include <string>
#include <string_view>

namespace vitalog {

// The pieces of RTF text that RtfWriter writes, built from the formats. Line breaks are "\n"
// here; the writer turns each into CR LF as it writes.

// Font table text from a list of names separated by ";" (empty items skipped, the rest
// numbered from 0); the default table of seven fonts when the list is empty.
std::string RtfFontTable(std::string_view fonts);

// Colour table text from a list of numbers separated by ";" (empty items skipped), three to a
// colour; the default table of 15 colours, black first, when the list is empty.
std::string RtfColourTable(std::string_view colours);

// Everything before the document format: RTF version, code page, font and colour tables,
// generator and information group.
std::string RtfHeader(std::string_view fontTable, std::string_view colourTable);

std::string RtfDocumentText(const RtfDocumentFormat& format);

// Starts with a line break.
std::string RtfSectionText(const RtfSectionFormat& format);

// The paragraph words, character words and the format's text (escaped), after a line break.
std::string RtfParagraphText(const RtfParagraphFormat& format);

// Starts with a line break.
std::string RtfTableRowText(const RtfTableRowFormat& format);

// A cell definition ending at `rightBoundary` twips from the row's left edge; starts with a
// line break.
std::string RtfTableCellText(const RtfTableCellFormat& format, std::int32_t rightBoundary);

// A text as RTF reads it back: backslash and braces escaped, every other byte as it is
// (bytes 0x80-0xFF are Windows-1252 under the header's code page).
std::string RtfEscape(std::string_view text);

} // namespace vitalog
