#pragma once

// The Variax panel: applying the chosen guitar model, and the guitar picture column that
// can be hidden to narrow the window.

#include "surface/editing/EditingContext.h"

namespace velmora {

// Sends the guitar named by cbGuitares, then shows its picture (or the fallback picture
// when the guitar has none), labels, selector and pickup pictures. A picture that cannot
// be loaded ends the operation with its error; what was sent and shown stays.
void ApplyGuitarSelection(EditingContext& context);

// The fifty guitar keys, in catalogue order, as the items of cbGuitares; no selection.
void FillGuitarList(FormModel& form);

// The guitar picture column: the guitar button's look is the record of whether it shows.
void HideGuitarPicture(FormModel& form);
void ShowGuitarPicture(FormModel& form);

void cbGuitaresChange(EditingContext& context);
void bttnGuitaresClick(FormModel& form);

}  // namespace velmora
