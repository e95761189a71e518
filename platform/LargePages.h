#pragma once

// Large buffers (a whole configuration file, the nodes of its parsed tree) are filled once and
// then read; backed by large pages they cost a few page faults instead of thousands.

#include <cstddef>

// Advises the system to back the whole large pages inside [AStart, AStart + ALength) with
// large pages. Only advice: ignored where the system does not support it.
void AdviseLargePages(void* AStart, size_t ALength) noexcept;
