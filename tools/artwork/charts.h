// The three classification charts that the record screens show and the
// exported reports embed at about half size.
#pragma once

#include "icons.h"

#include <vector>

namespace art {

std::vector<Artwork> chartArtwork();

} // namespace art
