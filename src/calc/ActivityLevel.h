#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace vitalog {

// One of the BMR screen's five activity choices.
struct ActivityLevel {
    std::string_view caption;
    std::string_view description;
    double factor;
};

inline constexpr std::array<ActivityLevel, 5> ActivityLevels{{
    {"Sedentary", "Little or no exercise", 1.2},
    {"Light", "Light exercise/sports 1-3 days per week", 1.375},
    {"Moderate", "Moderate exercise/sports 3-5 days per week", 1.55},
    {"Very", "Hard exercise/sports 6-7 days per week", 1.725},
    {"Extra", "Extreme hard daily exercise/sports and physical job", 1.9},
}};

// The factor of the choice with this caption; 0 when nothing is chosen (or no such caption).
double ActivityFactorFor(std::string_view caption);

// The index in ActivityLevels of a stored factor, by exact equality; none for any other value.
std::optional<std::size_t> ActivityLevelIndexFor(double factor);

} // namespace vitalog
