#pragma once

#include <vector>

namespace vitalog {

// Result of LoadAll: newest key first; records with equal keys stay in file order.
template <class Record> using RecordList = std::vector<Record>;

} // namespace vitalog
