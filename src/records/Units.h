#pragma once

namespace vitalog {

// Weights are stored in pounds and lengths in inches; these are the only conversion factors.
inline constexpr double KgToLb = 2.20462;
inline constexpr double LbToKg = 0.45359290943563974; // 1 / 2.20462
inline constexpr double InToCm = 2.54;
inline constexpr double CmToIn = 0.39370078740157477; // 1 / 2.54

enum UnitSystem : int { Imperial = 1, Metric = 2 };
enum LengthUnits : int { Inches = 3, Centimetres = 4 };
enum Sex : int { Male = 1, Female = 2 };

} // namespace vitalog
