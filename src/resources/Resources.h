#pragma once

namespace vitalog {

// Registers the pictures and files built into the program; safe to call more than once.
void InitResources();

} // namespace vitalog
