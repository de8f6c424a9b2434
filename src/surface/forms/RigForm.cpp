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

// The legends and the values beside them are labels of as many lines and the same height, so
// that each value stands level with its name however a shell aligns a label's lines.
constexpr ControlEntry kRows[] = {
    Window(kRigFormName, 560, 476, "Rig simulé", L::Light),
    Pane("pnlRig", K::GradientPanel, {}, {0, 0, 560, 476}, L::Light),
    Text("lblRigMidiOut", "pnlRig", {8, 8, 124, 16}, "MIDI OUT:", S::AboutText),
    Text("lblRigPort", "pnlRig", {136, 8, 416, 16}, kEmptyCaption, S::AboutText),
    Text("lblRigTitreAMP1", "pnlRig", {136, 32, 200, 19}, "AMP1", S::Heading),
    Text("lblRigTitreAMP2", "pnlRig", {344, 32, 208, 19}, "AMP2", S::Heading),
    // Nine lines: amp, cab, power, the six knobs.
    Text("lblRigLegende", "pnlRig", {8, 56, 124, 138}, kEmptyCaption, S::AboutText),
    Text("lblRigAMP1", "pnlRig", {136, 56, 200, 138}, kEmptyCaption, S::AboutText),
    Text("lblRigAMP2", "pnlRig", {344, 56, 208, 138}, kEmptyCaption, S::AboutText),
    // Three lines: guitar, preset, unknown messages.
    Text("lblRigLegendeRig", "pnlRig", {8, 202, 124, 46}, kEmptyCaption, S::AboutText),
    Text("lblRigValeurs", "pnlRig", {136, 202, 416, 46}, kEmptyCaption, S::AboutText),
    Text("lblRigChangements", "pnlRig", {8, 256, 300, 16}, kEmptyCaption, S::AboutText),
    Control("memRigChangements", K::Memo, "pnlRig", {8, 274, 544, 162}),
    Button("bttnRigFermer", "pnlRig", {477, 443, 75, 25}, "Fermer"),
};

constexpr Binding kBindings[] = {
    {kRigFormName, Field<&F::rig, &R::title>},
    {"lblRigPort", Field<&F::rig, &R::lblRigPort>},
    {"lblRigLegende", Field<&F::rig, &R::lblRigLegende>},
    {"lblRigAMP1", Field<&F::rig, &R::lblRigAMP1>},
    {"lblRigAMP2", Field<&F::rig, &R::lblRigAMP2>},
    {"lblRigLegendeRig", Field<&F::rig, &R::lblRigLegendeRig>},
    {"lblRigValeurs", Field<&F::rig, &R::lblRigValeurs>},
    {"lblRigChangements", Field<&F::rig, &R::lblRigChangements>},
    {"memRigChangements", Field<&F::rig, &R::memRigChangements>},
    {"bttnRigFermer", Field<&F::rig, &R::bttnRigFermer>,
     [](EditingContext& context) { context.view.CloseForm(kRigFormName); }},
};

constexpr Caption kCaptions[] = {
    {kRigFormName, "Rig simulé", "Simulated rig", {}},
    {"lblRigLegende",
     "Ampli\nEnceinte\nMarche\nDRIVE\nBASS\nMID\nTREB\nPRES\nVOL",
     "Amp\nCab\nPower\nDRIVE\nBASS\nMID\nTREB\nPRES\nVOL",
     {}},
    {"lblRigLegendeRig",
     "Guitare\nPreset\nMessages inconnus",
     "Guitar\nPreset\nUnknown messages",
     {}},
    {"lblRigChangements", "Derniers changements :", "Last changes:", {}},
    {"bttnRigFermer", "Fermer", "Close", {}},
};

constexpr std::string_view kTabOrder[] = {"memRigChangements", "bttnRigFermer"};

}  // namespace

const Form& RigWindowForm() {
  static const Form form{
      kRigFormName,   kRows, kBindings, kCaptions,
      kTabOrder,      {},    {},        [](const FormModel& model) { return model.rig.title; },
      nullptr,        false, {},        nullptr,
      RefreshRigView,
  };
  return form;
}

}  // namespace velmora
