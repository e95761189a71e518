#pragma once

// The date-time value: days since 1899-12-30 00:00, the fraction being the time of day.

#include <cstdint>

using TDateTime = double;
