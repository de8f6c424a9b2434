#include "surface/forms/AboutForm.h"

#include <algorithm>

#include "surface/editing/About.h"
#include "surface/form/RowMakers.h"

namespace velmora {

namespace {

using K = ControlKind;
using S = TextStyle;
using L = PanelLook;
using F = FormModel;
using A = AboutForm;
using namespace rows;

constexpr ControlEntry kRows[] = {
    Window(kAboutFormName, 257, 262, "A propos...", L::Light),
    Pane("pnlAPropos", K::GradientPanel, {}, {0, 0, 257, 262}, L::Light),
    Text("lblNomLogiciel", "pnlAPropos", {8, 8, 100, 19}, kEmptyCaption, S::Heading),
    Text("lblVersionLogiciel", "pnlAPropos", {112, 8, 100, 19}, kEmptyCaption, S::Heading),
    Text("lblMateriel", "pnlAPropos", {8, 27, 241, 16}, kEmptyCaption, S::AboutText),
    Control("imgAProposLogo", K::Picture, "pnlAPropos", {8, 64, 241, 150}),
    Text("lblSiteLine6", "pnlAPropos", {8, 242, 160, 16}, "Site officiel de Line 6", S::Link),
    Button("bttnAProposFermer", "pnlAPropos", {176, 230, 75, 25}, "Fermer"),
    // The keyboard shortcuts, one a line, below the designed window, which grows to hold them.
    Text("lblRaccourcis", {}, {8, 266, 241, 149}, kEmptyCaption, S::AboutText),
};

// Room left below the shortcut list.
constexpr int kListMargin = 8;

ClientSize AboutClientSize(const FormModel&) {
  const Geometry& window = kRows[0].geometry;
  const Geometry& list = FindControl(kRows, "lblRaccourcis")->geometry;
  return {window.width, std::max(window.height, list.top + list.height + kListMargin)};
}

constexpr Binding kBindings[] = {
    {"lblNomLogiciel", Field<&F::about, &A::lblNomLogiciel>},
    {"lblVersionLogiciel", Field<&F::about, &A::lblVersionLogiciel>},
    {"lblMateriel", Field<&F::about, &A::lblMateriel>},
    {"lblSiteLine6", Field<&F::about, &A::lblSiteLine6>,
     [](EditingContext& context) { lblSiteLine6Click(context.view); }},
    {"bttnAProposFermer", Field<&F::about, &A::bttnAProposFermer>,
     [](EditingContext& context) { context.view.CloseForm(kAboutFormName); }},
    {"lblRaccourcis", Field<&F::about, &A::lblRaccourcis>},
};

constexpr Caption kCaptions[] = {
    {"lblSiteLine6", "Site officiel de Line 6", "Line 6 official website", {}},
};

constexpr std::string_view kTabOrder[] = {"lblSiteLine6", "bttnAProposFermer"};

constexpr BuiltinPictureRow kPictures[] = {{"imgAProposLogo", "logo.jpg"}};

}  // namespace

const Form& AboutWindowForm() {
  static const Form form{
      kAboutFormName,
      kRows,
      kBindings,
      kCaptions,
      kTabOrder,
      kPictures,
      {},
      [](const FormModel& model) { return model.about.title; },
      AboutClientSize,
      true,
  };
  return form;
}

}  // namespace velmora
