// The project's addresses, shown as links in the about box. No language pack
// changes them.
#pragma once

namespace mensor {

inline constexpr const char* kWebAddress = "https://www.mensor-ruler.org/";
inline constexpr const char* kSupportMailAddress = "support@mensor-ruler.org";

}  // namespace mensor
