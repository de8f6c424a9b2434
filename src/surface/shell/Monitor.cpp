#include "surface/shell/Monitor.h"

#include <string>

#include "live/LiveStage.h"
#include "live/LiveView.h"
#include "midi/DeviceSlots.h"
#include "midi/LogLines.h"
#include "surface/shell/ErrorDisplay.h"

namespace velmora {

void MonitorFormCreate(FormModel& form, MonitorHub& hub) {
  TMidiInput& input = GetMidiInput();
  std::vector<std::string> inputs = input.DeviceNames();
  form.lbxInputDevices.SetItems(inputs);
  hub.SetInputNames(std::move(inputs));
  std::vector<std::string> outputs = GetMidiOutput().DeviceNames();
  form.lbxOutputDevices.SetItems(outputs);
  form.cbOutputDevices.items = std::move(outputs);
  hub.PublishThruTargets(form.lbxOutputDevices);
  hub.SetShortListener(
      [stage = form.stage](std::string_view port, std::uint8_t status, std::uint8_t data1,
                           std::uint8_t data2) { stage->Receive(port, status, data1, data2); });
  hub.BindTo(input);
}

void MonitorFormDestroy(MonitorHub& hub) {
  // The input object outlives the window; it may already be gone at program end.
  hub.Unbind(PeekMidiInput());
}

void lbxInputDevicesClickCheck(EditingContext& context) {
  const CheckListBox& list = context.form.lbxInputDevices;
  if (list.Checked(list.itemIndex)) {
    GetMidiInput().OpenDevice(list.itemIndex);
  } else {
    GetMidiInput().CloseDevice(list.itemIndex);
  }
}

void ApplyThruCheck(FormModel& form, MonitorHub& hub) {
  const CheckListBox& list = form.lbxOutputDevices;
  hub.PublishThruTargets(list);
  if (list.Checked(list.itemIndex)) {
    GetMidiOutput().OpenDevice(list.itemIndex);
  } else {
    GetMidiOutput().CloseDevice(list.itemIndex);
  }
}

void lbxOutputDevicesClickCheck(EditingContext& context, MonitorHub& hub) {
  ApplyThruCheck(context.form, hub);
  const CheckListBox& list = context.form.lbxOutputDevices;
  if (list.Checked(list.itemIndex)) {
    context.view.ShowMessage(std::to_string(list.itemIndex));
  }
}

void btnSendSysExClick(EditingContext& context) {
  FormModel& form = context.form;
  const CheckListBox& list = form.lbxOutputDevices;
  for (int index = static_cast<int>(list.items.size()) - 1; index >= 0; --index) {
    if (list.Checked(index)) {
      GetMidiOutput().SendText(index, form.edtSysExData + " 00");
      form.memLog.InsertAtTop(
          RawSendLogLine(list.items[static_cast<std::size_t>(index)], form.edtSysExData));
    }
  }
}

void DrainMonitor(EditingContext& context, MonitorHub& hub) {
  for (MonitorEvent& event : hub.TakeEvents()) {
    for (std::string& line : event.lines) {
      context.form.memLog.InsertAtTop(std::move(line));
    }
    for (const std::string& error : event.errors) {
      context.view.ShowError(ErrorBoxText(error));
    }
  }
  if (TMidiInput* input = PeekMidiInput()) {
    for (std::string text; input->TakeNotificationError(text);) {
      context.view.ShowError(ErrorBoxText(text));
    }
  }
  // A footswitch message may have asked for a step, or ended a learn.
  RunLiveSteps(context);
}

}  // namespace velmora
