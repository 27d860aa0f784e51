// TMainForm: see-through mode.
#include "app/main_form.h"

namespace mensor {

void TMainForm::PMenuTranserClick() {}
void TMainForm::SwitchSeeThroughOn(bool) {}
void TMainForm::SwitchSeeThroughOff() {}
void TMainForm::TakeScreenShoot() {}
void TMainForm::SetTranspColor(Color) {}
void TMainForm::SetTransparency(std::uint8_t) {}

}  // namespace mensor
