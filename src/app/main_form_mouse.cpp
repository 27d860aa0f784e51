// TMainForm: the mouse gestures on the ruler and the read-out label.
#include "app/main_form.h"

namespace mensor {

void TMainForm::FormMouseDown(MouseButton, ShiftState, int, int) {}
void TMainForm::FormMouseMove(ShiftState, int, int) {}
void TMainForm::FormMouseUp(MouseButton, ShiftState, int, int) {}
double TMainForm::GetDistance(int, int, int, int, int, int) const { return 0; }
double TMainForm::GetAngle(double) { return 0; }
int TMainForm::iOnScale(int, int) const { return 0; }

}  // namespace mensor
