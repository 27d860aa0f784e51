// TMainForm: outline, region, rubber band, standard label places, ruler cursor.
#include "app/main_form.h"

namespace mensor {

void TMainForm::SetOutline(double) {}
void TMainForm::ApplyRegion() {}
void TMainForm::LayOutRuler() {}
void TMainForm::DrawRuler(int, int) {}
void TMainForm::ComputeOutlineBounds() {}
void TMainForm::ResetStaffMarker() {}
void TMainForm::PlaceNumberLabel() {}
void TMainForm::RebuildRulerCursor() {}
void TMainForm::InitialLayout() {}

}  // namespace mensor
