#pragma once

#include <string_view>

namespace vitalog::MeasurementType {

// The method text stored in a body composition record; the text is the only identification.
inline constexpr std::string_view JacksonPollock7 = "Jackson/Pollock 7";
inline constexpr std::string_view JacksonPollock4 = "Jackson/Pollock 4";
inline constexpr std::string_view Durnin = "Durnin";
inline constexpr std::string_view Parrillo = "Parrillo";
inline constexpr std::string_view JacksonPollock3 = "Jackson/Pollock 3";
inline constexpr std::string_view TapeMeasurement = "Tape Measurement";
inline constexpr std::string_view Other = "Other";

// Older names of two methods, still found in stored records and read as those methods.
inline constexpr std::string_view SevenSiteCaliper = "Seven Site Caliper";
inline constexpr std::string_view ThreeSiteCaliper = "Three Site Caliper";

// A method text a record may hold: one of the seven, or an older name.
constexpr bool IsKnown(std::string_view text) {
    for (const std::string_view method :
         {JacksonPollock7, JacksonPollock4, Durnin, Parrillo, JacksonPollock3, TapeMeasurement,
          Other, SevenSiteCaliper, ThreeSiteCaliper}) {
        if (method == text)
            return true;
    }
    return false;
}

} // namespace vitalog::MeasurementType
