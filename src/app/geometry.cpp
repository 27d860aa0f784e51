// The ruler's geometric model: corner rules and standard places.
#include "app/geometry.h"

#include <algorithm>

namespace mensor {

int MinOf4(int a, int b, int c, int d) { return std::min({a, b, c, d}); }
int MaxOf4(int a, int b, int c, int d) { return std::max({a, b, c, d}); }

}  // namespace mensor
