#include "ActivityLevel.h"

namespace vitalog {

double ActivityFactorFor(std::string_view caption) {
    for (const ActivityLevel& level : ActivityLevels)
        if (level.caption == caption)
            return level.factor;
    return 0;
}

std::optional<std::size_t> ActivityLevelIndexFor(double factor) {
    for (std::size_t i = 0; i < ActivityLevels.size(); ++i)
        if (ActivityLevels[i].factor == factor)
            return i;
    return std::nullopt;
}

} // namespace vitalog
