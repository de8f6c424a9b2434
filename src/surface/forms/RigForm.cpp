#include "surface/forms/RigForm.h"

#include "surface/editing/RigView.h"
#include "surface/form/RowMakers.h"

namespace velmora {

namespace {

using K = ControlKind;
using S = TextStyle;
using L = PanelLook;
using F = FormModel;
using R = RigForm;
using namespace rows;

// Twelve lines of the legend and of the AMP1 column, nine of the AMP2 column: one line each,
// at the same height in all three, so that each value stands beside its name.
constexpr ControlEntry kRows[] = {
    Window(kRigFormName, 560, 476, "Rig simulé", L::Light),
    Pane("pnlRig", K::GradientPanel, {}, {0, 0, 560, 476}, L::Light),
    Text("lblRigMidiOut", "pnlRig", {8, 8, 100, 16}, "MIDI OUT:", S::AboutText),
    Text("lblRigPort", "pnlRig", {112, 8, 440, 16}, kEmptyCaption, S::AboutText),
    Text("lblRigTitreAMP1", "pnlRig", {112, 32, 210, 19}, "AMP1", S::Heading),
    Text("lblRigTitreAMP2", "pnlRig", {330, 32, 222, 19}, "AMP2", S::Heading),
    Text("lblRigLegende", "pnlRig", {8, 56, 100, 184}, kEmptyCaption, S::AboutText),
    Text("lblRigAMP1", "pnlRig", {112, 56, 210, 184}, kEmptyCaption, S::AboutText),
    Text("lblRigAMP2", "pnlRig", {330, 56, 222, 184}, kEmptyCaption, S::AboutText),
    Text("lblRigChangements", "pnlRig", {8, 248, 300, 16}, kEmptyCaption, S::AboutText),
    Control("memRigChangements", K::Memo, "pnlRig", {8, 266, 544, 170}),
    Button("bttnRigFermer", "pnlRig", {477, 443, 75, 25}, "Fermer"),
};

constexpr Binding kBindings[] = {
    {kRigFormName, Field<&F::rig, &R::title>},
    {"lblRigPort", Field<&F::rig, &R::lblRigPort>},
    {"lblRigLegende", Field<&F::rig, &R::lblRigLegende>},
    {"lblRigAMP1", Field<&F::rig, &R::lblRigAMP1>},
    {"lblRigAMP2", Field<&F::rig, &R::lblRigAMP2>},
    {"lblRigChangements", Field<&F::rig, &R::lblRigChangements>},
    {"memRigChangements", Field<&F::rig, &R::memRigChangements>},
    {"bttnRigFermer", Field<&F::rig, &R::bttnRigFermer>,
     [](EditingContext& context) { context.view.CloseForm(kRigFormName); }},
};

constexpr Caption kCaptions[] = {
    {kRigFormName, "Rig simulé", "Simulated rig", {}},
    {"lblRigLegende",
     "Ampli\nEnceinte\nMarche\nDRIVE\nBASS\nMID\nTREB\nPRES\nVOL\nGuitare\nPreset\n"
     "Messages inconnus",
     "Amp\nCab\nPower\nDRIVE\nBASS\nMID\nTREB\nPRES\nVOL\nGuitar\nPreset\nUnknown messages",
     {}},
    {"lblRigChangements", "Derniers changements :", "Last changes:", {}},
    {"bttnRigFermer", "Fermer", "Close", {}},
};

constexpr std::string_view kTabOrder[] = {"memRigChangements", "bttnRigFermer"};

}  // namespace

const Form& RigWindowForm() {
  static const Form form{
      kRigFormName,
      kRows,
      kBindings,
      kCaptions,
      kTabOrder,
      {},
      {},
      [](const FormModel& model) { return model.rig.title; },
      nullptr,
      false,
      RefreshRigView,
  };
  return form;
}

}  // namespace velmora
