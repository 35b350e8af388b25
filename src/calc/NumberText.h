#pragma once

#include <string>

namespace vitalog {

// printf-style formatting into a std::string. Numbers always use '.' as the decimal point,
// whatever locale the GUI has installed, because stored texts and reports must not vary.
[[gnu::format(printf, 1, 2)]] std::string FormatText(const char* format, ...);

// Rounds by printing with "%.2f" (or "%.3f") and reading the text back: 70.456 -> 70.46.
double RoundTo2(double value);
double RoundTo3(double value);

// A height in inches as feet and inches, through one of three printf texts:
//   wholeFeet     inches 0 (any fraction dropped); gets int feet, e.g. "%d ' 0 ''"
//   withFraction  a fraction; gets int feet, double inches, double fraction * 100,
//                 e.g. "%d ' %.0f.%.0f ''"
//   plain         otherwise; gets int feet, double inches, e.g. "%d ' %.0f ''"
// A height whose whole part no int holds (NaN and infinities too) prints as "%.0f" of itself.
std::string FormatFeetInches(double height, const char* wholeFeet, const char* withFraction,
                             const char* plain);

// Puts a thousands comma into a text that starts with value printed as "%.0f".
std::string InsertThousandsComma(std::string text, double value);

} // namespace vitalog
