// Counts heap allocations of the whole process (ours, GLUT's, Mesa's, X's) while enabled.
#pragma once

#include <cstdint>

namespace alloc {

void Enable(bool enabled);
uint64_t Count();
void ResetCount();

} // namespace alloc
