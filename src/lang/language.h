// Process-wide language state: the executable's folder and the position of
// the current language pack (-1 for the built-in English).
#pragma once

#include <string>

namespace mensor {

extern std::string ExeDir;
extern int LanguageIndex;

}  // namespace mensor
