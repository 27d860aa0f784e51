// TMainForm: the cross-hair marker and the scale line.
#include "app/main_form.h"

namespace mensor {

void TMainForm::LabelStaffMouseDown(MouseButton, ShiftState, int, int) {}
void TMainForm::LabelStaffMouseMove(ShiftState, int, int) {}
void TMainForm::LabelStaffMouseUp(MouseButton, ShiftState, int, int) {}
void TMainForm::DrawStaff(int, int, int, int) {}
void TMainForm::DrawScaleLine(int, int, int) {}
void TMainForm::MenuShowScaleLineClick() {}

}  // namespace mensor
