// TMainForm: Rotate mode, Horizontal, Vertical, Fit Screen and the arrow keys.
#include "app/main_form.h"

namespace mensor {

void TMainForm::PMenuCircumClick() {}
void TMainForm::PMenuLevalClick() {}
void TMainForm::PMenuPlumbClick() {}
void TMainForm::MenuFitScreenClick() {}
void TMainForm::FitScreenAsHorizontal1Click() {}
void TMainForm::FormDblClick() {}
void TMainForm::FormKeyDown(int, ShiftState) {}

}  // namespace mensor
