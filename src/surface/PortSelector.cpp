#include "surface/PortSelector.h"

#include "midi/Midi.h"
#include "presets/IntegerText.h"

namespace velmora {

void OpenStoredOutputPort(EditingContext& context, std::string_view storedOut) {
  if (storedOut.empty()) {
    return;
  }
  ComboBox& ports = context.form.cbOutputDevices;
  const int index = StrToInt(storedOut);
  ports.itemIndex = index >= 0 && index < static_cast<int>(ports.items.size()) ? index : -1;
  GetMidiOutput().OpenDevice(ports.itemIndex);
}

void cbOutputDevicesSelect(EditingContext& context) {
  GetMidiOutput().OpenDevice(context.form.cbOutputDevices.itemIndex);
}

}  // namespace velmora
