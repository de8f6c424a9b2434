#include "live/LiveView.h"

#include <exception>
#include <string>

#include "live/LiveStage.h"
#include "live/SetlistEditing.h"
#include "midi/Midi.h"

namespace velmora {

namespace {

// Only asks: the key may come while a load runs (see RunLiveSteps).
void Ask(EditingContext& context, StepRequest request) {
  context.form.live.typedNumber.clear();
  if (const std::shared_ptr<LiveSteps> steps = context.form.stage->Steps()) {
    steps->Ask(request);
  }
}

}  // namespace

void OpenLiveView(EditingContext& context) {
  context.form.stage->Restart();
  context.form.live.typedNumber.clear();
  context.form.live.lblLiveStatus.clear();
  OpenFootswitchInputs(context);
  context.view.ShowForm(kLiveFormName);
}

void LiveNext(EditingContext& context) {
  Ask(context, {StepAction::kNext, 0});
}

void LivePrevious(EditingContext& context) {
  Ask(context, {StepAction::kPrevious, 0});
}

void LiveFirst(EditingContext& context) {
  Ask(context, {StepAction::kFirst, 0});
}

void LiveDigit(EditingContext& context, char digit) {
  std::string& typed = context.form.live.typedNumber;
  // Nine digits are more items than any setlist holds; more would overflow the number.
  if (typed.size() < 9) {
    typed.push_back(digit);
  }
}

void LiveEnter(EditingContext& context) {
  const std::string typed = context.form.live.typedNumber;
  if (!typed.empty()) {
    Ask(context, {StepAction::kItem, static_cast<std::size_t>(std::stoul(typed))});
  }
}

void LiveToggleFullScreen(EditingContext& context) {
  context.form.live.fullScreen = !context.form.live.fullScreen;
}

void LeaveLiveView(EditingContext& context) {
  context.form.live.fullScreen = false;
  context.view.CloseForm(kLiveFormName);
}

void RunLiveSteps(EditingContext& context) {
  LiveStage& stage = *context.form.stage;
  if (const std::shared_ptr<LiveSteps> steps = stage.Steps()) {
    steps->RunPending(context);
  }
  if (stage.TakeLearned()) {
    ShowFootswitch(context.form);
    WriteFootswitchBindings(context.folders.ConfigFile(), stage.Pedal().Bindings());
  }
}

void RefreshLiveView(FormModel& form) {
  LiveWindow& live = form.live;
  const std::shared_ptr<LiveSteps> steps = form.stage->Steps();
  const LiveState state = steps ? steps->State() : LiveState{};
  const bool english = EnglishShown(form);
  live.lblLivePosition = std::to_string(state.position) + " / " + std::to_string(state.count);
  live.lblLiveLabel =
      state.count == 0 ? (english ? "The setlist is empty" : "La setlist est vide") : state.label;
  live.lblLiveNext = state.nextLabel.empty() && state.count > 0
                         ? (english ? "(end of the setlist)" : "(fin de la setlist)")
                         : state.nextLabel;
  if (steps) {
    for (const StepNotice& notice : steps->TakeNotices()) {
      live.lblLiveStatus = NoticeText(notice, english);
    }
  }
  if (!live.typedNumber.empty()) {
    live.lblLiveStatus = (english ? "Item " : "Élément ") + live.typedNumber + "…";
  }
}

void OpenFootswitchInputs(EditingContext& context) {
  CheckListBox& inputs = context.form.lbxInputDevices;
  std::string failed;
  for (std::size_t port = 0; port < inputs.items.size(); ++port) {
    if (inputs.checked[port]) {
      continue;
    }
    try {
      GetMidiInput().OpenDevice(static_cast<int>(port));
      inputs.checked[port] = true;
    } catch (const std::exception& error) {
      failed += "\n" + std::string(error.what());
    }
  }
  if (!failed.empty()) {
    context.view.ShowError("The footswitch does not listen on every input port:" + failed);
  }
}

bool EnglishShown(const FormModel& form) {
  return form.bttnTraduire.caption == "Traduire";
}

}  // namespace velmora
