#include "surface/forms/LiveForm.h"

#include "surface/form/RowMakers.h"

namespace velmora {

namespace {

using K = ControlKind;
using S = TextStyle;
using L = PanelLook;
using F = FormModel;
using V = LiveWindow;
using namespace rows;

constexpr int kWidth = 900;
constexpr int kHeight = 540;

constexpr ControlEntry kRows[] = {
    Window(kLiveFormName, kWidth, kHeight, "Live", L::Black),
    Pane("pnlLive", K::Panel, {}, {0, 0, kWidth, kHeight}, L::Black),
    Text("lblLivePosition", "pnlLive", {600, 20, 280, 40}, {}, S::StageCount),
    Text("lblLiveLabel", "pnlLive", {20, 110, 860, 150}, {}, S::Stage),
    Text("lblLiveSuivant", "pnlLive", {20, 290, 860, 40}, "Suivant :", S::StageNext),
    Text("lblLiveNext", "pnlLive", {20, 334, 860, 48}, {}, S::StageNext),
    Control("pbTraitementFichier", K::ProgressBar, "pnlLive", {20, 414, 860, 20}),
    Text("lblLiveStatus", "pnlLive", {20, 450, 860, 24}, {}, S::Normal),
    Text("lblLiveKeys", "pnlLive", {20, 486, 860, 40}, {}, S::Grey),
};

constexpr Binding kBindings[] = {
    {kLiveFormName, Field<&F::live, &V::title>},
    {"lblLivePosition", Field<&F::live, &V::lblLivePosition>},
    {"lblLiveLabel", Field<&F::live, &V::lblLiveLabel>},
    {"lblLiveSuivant", Field<&F::live, &V::lblLiveSuivant>},
    {"lblLiveNext", Field<&F::live, &V::lblLiveNext>},
    {"pbTraitementFichier", Field<&F::pbTraitementFichier>},
    {"lblLiveStatus", Field<&F::live, &V::lblLiveStatus>},
    {"lblLiveKeys", Field<&F::live, &V::lblLiveKeys>},
};

constexpr Caption kCaptions[] = {
    {"lblLiveSuivant", "Suivant :", "Next:", {}},
    {"lblLiveKeys",
     "Espace, Page suiv., Droite : suivant · Page préc., Gauche : précédent · Début : premier\n"
     "chiffres et Entrée : élément N · F11 : plein écran · Échap : quitter",
     "Space, Page Down, Right: next · Page Up, Left: previous · Home: first\n"
     "digits and Enter: item N · F11: full screen · Escape: leave",
     {}},
};

template <char Digit>
void TypeDigit(EditingContext& context) {
  LiveDigit(context, Digit);
}

// A step key asks for its step; the editor goes there once no handler runs, so the keys
// pressed during a load move on as far as they asked, with one load.
constexpr Shortcut Step(std::string_view keys, Handler ask, std::string_view work) {
  return {keys, {}, ask, work, RunLiveSteps};
}

constexpr Shortcut kShortcuts[] = {
    Step("Space", LiveNext, "Next"),        Step("PgDown", LiveNext, "Next"),
    Step("Right", LiveNext, "Next"),        Step("PgUp", LivePrevious, "Previous"),
    Step("Left", LivePrevious, "Previous"), Step("Home", LiveFirst, "First"),
    Step("0", TypeDigit<'0'>, "0"),         Step("1", TypeDigit<'1'>, "1"),
    Step("2", TypeDigit<'2'>, "2"),         Step("3", TypeDigit<'3'>, "3"),
    Step("4", TypeDigit<'4'>, "4"),         Step("5", TypeDigit<'5'>, "5"),
    Step("6", TypeDigit<'6'>, "6"),         Step("7", TypeDigit<'7'>, "7"),
    Step("8", TypeDigit<'8'>, "8"),         Step("9", TypeDigit<'9'>, "9"),
    Step("Return", LiveEnter, "Item N"),    {"F11", {}, LiveToggleFullScreen, "Full screen"},
    {"Escape", {}, LeaveLiveView, "Leave"},
};

}  // namespace

const Form& LiveWindowForm() {
  static const Form form{
      .id = kLiveFormName,
      .rows = kRows,
      .bindings = kBindings,
      .captions = kCaptions,
      .tabOrder = {},
      .pictures = {},
      .shortcuts = kShortcuts,
      .title = [](const FormModel& model) { return model.live.title; },
      .modal = false,
      .refresh = RefreshLiveView,
      .fullScreen = [](const FormModel& model) { return model.live.fullScreen; },
  };
  return form;
}

}  // namespace velmora
