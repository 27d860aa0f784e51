// Process-wide language state.
#include "lang/language.h"

namespace mensor {

std::string ExeDir;
int LanguageIndex = -1;

}  // namespace mensor
