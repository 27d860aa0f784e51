// The units the ruler measures in: the field Unit of the ruler window, the
// entry Unit of app.ini and the scale the painter draws. A value outside
// these (a hand-edited app.ini) draws no scale and measures as custom.
#pragma once

namespace mensor {

enum RulerUnit : int { kUnitPixels = 0, kUnitCentimetres = 1, kUnitInches = 2, kUnitCustom = 3 };

}  // namespace mensor
