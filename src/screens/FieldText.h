#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace vitalog {

// How entry fields read and write numbers. A field may hold blanks or tabs around the number
// and nothing else; a text that reads as 0 counts only when it starts with "0".
bool ParseWholeNumber(const QString& text, int& value);
bool ParseRealNumber(const QString& text, double& value);

// "%d"; reals with up to 15 significant digits; the desired body fat with up to 6.
QString FormatWholeNumber(int value);
QString FormatRealNumber(double value);
QString FormatDesiredBodyFat(float value);

// Stored texts are Windows-1252; a text without such a form has no stored form (nullopt).
std::optional<std::string> ToStoredText(const QString& text);
QString FromStoredText(std::string_view bytes);

// The first character of a text that a stored text cannot hold (no Windows-1252 form, or a
// NUL), whole also when it lies outside the Basic Multilingual Plane; empty when every
// character can be stored.
QString FirstUnstorableCharacter(const QString& text);
// A character as a message names it: in quotes, or by its code when it is invisible.
QString ShownCharacter(const QString& character);

} // namespace vitalog
