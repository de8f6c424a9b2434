#include "surface/editing/PortSelector.h"

#include "midi/Midi.h"
#include "profile/IntegerText.h"
#include "surface/shell/Monitor.h"

namespace velmora {

namespace {

// The position of the order-th port named so; -1 when fewer are connected.
int IndexOfNamed(const std::vector<std::string>& names, const NamedPort& port) {
  int seen = 0;
  for (std::size_t index = 0; index < names.size(); ++index) {
    if (names[index] == port.name && ++seen == port.order) {
      return static_cast<int>(index);
    }
  }
  return -1;
}

NamedPort NamedAt(const std::vector<std::string>& names, int index) {
  NamedPort port{names[static_cast<std::size_t>(index)], 0};
  for (int at = 0; at <= index; ++at) {
    if (names[static_cast<std::size_t>(at)] == port.name) {
      ++port.order;
    }
  }
  return port;
}

// The ports connected now, without the missing port's item.
std::vector<std::string> ConnectedOutputs(const FormModel& form) {
  std::vector<std::string> names = form.cbOutputDevices.items;
  if (form.missingOutputPort && !names.empty()) {
    names.pop_back();
  }
  return names;
}

// An order that is not a whole number from 1 up counts as the first port of the name: the
// name alone still finds the port.
int StoredOrder(std::string_view text) {
  try {
    const int order = StrToInt(text);
    return order >= 1 ? order : 1;
  } catch (const ConversionError&) {
    return 1;
  }
}

void ChooseMissing(FormModel& form, NamedPort port) {
  std::vector<std::string> names = ConnectedOutputs(form);
  form.missingOutputPort = std::move(port);
  ShowOutputPorts(form, std::move(names));
}

void ChooseConnected(EditingContext& context, int index) {
  FormModel& form = context.form;
  if (form.missingOutputPort) {
    std::vector<std::string> names = ConnectedOutputs(form);
    form.missingOutputPort.reset();
    ShowOutputPorts(form, std::move(names));
  }
  form.cbOutputDevices.itemIndex = index;
  GetMidiOutput().OpenDevice(index);
}

// A check list's new items with each checked port still checked, found by name and order.
CheckListBox FollowChecks(const CheckListBox& list, const std::vector<std::string>& names) {
  CheckListBox followed;
  followed.SetItems(names);
  for (int index = 0; index < static_cast<int>(list.items.size()); ++index) {
    const NamedPort port = NamedAt(list.items, index);
    const int now = IndexOfNamed(names, port);
    if (now >= 0) {
      followed.checked[static_cast<std::size_t>(now)] = list.Checked(index);
      if (index == list.itemIndex) {
        followed.itemIndex = now;
      }
    }
  }
  return followed;
}

}  // namespace

std::string PortNotConnectedText(std::string_view name) {
  return "Le port MIDI \"" + std::string(name) + "\" n'est pas connecté.";
}

std::string PortNotConnectedAtStartText(std::string_view name,
                                        const std::vector<std::string>& connected) {
  std::string text = PortNotConnectedText(name);
  if (connected.empty()) {
    return text + "\nPorts MIDI OUT connectés : aucun.";
  }
  text += "\nPorts MIDI OUT connectés :";
  for (const std::string& port : connected) {
    text += "\n- " + port;
  }
  return text;
}

void ShowOutputPorts(FormModel& form, std::vector<std::string> names) {
  ComboBox& ports = form.cbOutputDevices;
  const std::optional<NamedPort> chosen = ChosenOutputPort(form);
  ports.items = std::move(names);
  ports.itemIndex = -1;
  if (form.missingOutputPort) {
    ports.items.push_back(form.missingOutputPort->name + std::string(kMissingPortMarker));
    ports.itemIndex = static_cast<int>(ports.items.size()) - 1;
  } else if (chosen) {
    ports.itemIndex = IndexOfNamed(ports.items, *chosen);
  }
}

std::optional<NamedPort> ChosenOutputPort(const FormModel& form) {
  if (form.missingOutputPort) {
    return form.missingOutputPort;
  }
  const ComboBox& ports = form.cbOutputDevices;
  if (ports.itemIndex < 0 || ports.itemIndex >= static_cast<int>(ports.items.size())) {
    return std::nullopt;
  }
  return NamedAt(ports.items, ports.itemIndex);
}

void OpenStoredOutputPort(EditingContext& context, const StoredOutputPort& stored) {
  FormModel& form = context.form;
  ComboBox& ports = form.cbOutputDevices;
  if (!stored.name.empty()) {
    // The index may now name another device: the name alone decides.
    const NamedPort port{stored.name, StoredOrder(stored.order)};
    const int index = IndexOfNamed(ConnectedOutputs(form), port);
    if (index >= 0) {
      ChooseConnected(context, index);
      return;
    }
    const std::vector<std::string> connected = ConnectedOutputs(form);
    ChooseMissing(form, port);
    form.missingPortAnnounced = true;
    context.view.ShowMessage(PortNotConnectedAtStartText(port.name, connected));
    return;
  }
  if (stored.out.empty()) {
    return;
  }
  const int index = StrToInt(stored.out);
  ports.itemIndex = index >= 0 && index < static_cast<int>(ports.items.size()) ? index : -1;
  GetMidiOutput().OpenDevice(ports.itemIndex);
}

void cbOutputDevicesSelect(EditingContext& context) {
  FormModel& form = context.form;
  const int picked = form.cbOutputDevices.itemIndex;
  if (form.missingOutputPort && picked == static_cast<int>(form.cbOutputDevices.items.size()) - 1) {
    return;
  }
  if (form.missingOutputPort) {
    ChooseConnected(context, picked);
    return;
  }
  GetMidiOutput().OpenDevice(picked);
}

void RescanPorts(EditingContext& context, MonitorHub& hub) {
  FormModel& form = context.form;
  TMidiOutput& output = GetMidiOutput();
  TMidiInput& input = GetMidiInput();
  const std::vector<std::string> outputs = output.ListPlatformPorts();
  const std::vector<std::string> inputs = input.ListPlatformPorts();

  const std::optional<NamedPort> chosen = ChosenOutputPort(form);
  form.lbxOutputDevices = FollowChecks(form.lbxOutputDevices, outputs);
  form.lbxInputDevices = FollowChecks(form.lbxInputDevices, inputs);
  hub.SwitchPorts(
      [&] {
        output.AdoptPorts(outputs);
        input.AdoptPorts(inputs);
      },
      form.lbxOutputDevices, inputs);
  output.CloseVanishedPorts();
  input.CloseVanishedPorts();

  const int index = chosen ? IndexOfNamed(outputs, *chosen) : -1;
  if (chosen && index < 0) {
    form.missingOutputPort = chosen;
  }
  const bool cameBack = form.missingOutputPort && index >= 0;
  if (cameBack) {
    form.missingOutputPort.reset();
  }
  ShowOutputPorts(form, outputs);
  if (cameBack) {
    ChooseConnected(context, index);
  }
}

void WatchPortChanges(std::function<void()> changed) {
  CurrentMidiPlatform().WatchPorts(std::move(changed));
}

}  // namespace velmora
