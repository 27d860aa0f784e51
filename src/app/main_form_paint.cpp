// TMainForm::FormPaint: see-through background, colours, scale, scale line.
#include "app/main_form.h"

namespace mensor {

void TMainForm::FormPaint(Canvas&) {}

}  // namespace mensor
