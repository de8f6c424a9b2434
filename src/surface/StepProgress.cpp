#include "surface/StepProgress.h"

#include <string_view>

namespace velmora {

namespace {

constexpr std::string_view kProgressBar = "pbTraitementFichier";

void ShowPosition(EditingContext& context, int position) {
  context.form.pbTraitementFichier.SetPosition(position);
  context.view.RepaintNow(kProgressBar);
}

void Hide(EditingContext& context) {
  context.form.pbTraitementFichier.visible = false;
  context.view.RepaintNow(kProgressBar);
}

}  // namespace

void BeginStepProgress(EditingContext& context) {
  context.form.pbTraitementFichier.visible = true;
  ShowPosition(context, 0);
}

void EndStep(EditingContext& context, int position) {
  context.view.StepDelay();
  ShowPosition(context, position);
}

void FinishStepProgress(EditingContext& context) {
  for (int position : {90, 100, 0}) {
    ShowPosition(context, position);
  }
  Hide(context);
}

void AbandonStepProgress(EditingContext& context) {
  Hide(context);
}

}  // namespace velmora
