#include "surface/MidiSend.h"

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Amplis.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "midi/Midi.h"

namespace velmora {

namespace {

// Every model message goes out with a trailing 00 byte, except the first channel's cab
// message; the hardware is used to exactly these bytes.
constexpr std::string_view kTrailingZero = " 00";

void SendRecordMessage(EditingContext& context, std::string_view message, bool trailingZero) {
  std::string text(message);
  if (trailingZero) {
    text += kTrailingZero;
  }
  SendMidiText(context, text);
}

bool InRange(int recordNumber, int count) {
  return recordNumber >= 1 && recordNumber <= count;
}

}  // namespace

void SendMidiText(EditingContext& context, std::string_view text) {
  const ComboBox& ports = context.form.cbOutputDevices;
  if (ports.Text().empty()) {
    context.view.ShowMessage(std::string(kNoOutputPortText));
    return;
  }
  // The conversion drops the last digit pair: this pad pair is the one it drops.
  GetMidiOutput().SendText(ports.itemIndex, std::string(text) + " 00");
}

void SendModelMessage(EditingContext& context, std::string_view kind, int recordNumber) {
  if (kind == "Ampli" && InRange(recordNumber, kAmpRecordCount)) {
    SendRecordMessage(context, AmpRecord(Channel::Amp1, recordNumber).Message, true);
  }
  if (kind == "Ampli_2" && InRange(recordNumber, kAmpRecordCount)) {
    SendRecordMessage(context, AmpRecord(Channel::Amp2, recordNumber).Message, true);
  }
  if (kind == "Enceinte" && InRange(recordNumber, kCabRecordCount)) {
    SendRecordMessage(context, CabRecord(Channel::Amp1, recordNumber).Message, false);
  }
  if (kind == "Enceinte_2" && InRange(recordNumber, kCabRecordCount)) {
    SendRecordMessage(context, CabRecord(Channel::Amp2, recordNumber).Message, true);
  }
  if (kind == "Guitare" && InRange(recordNumber, kGuitarRecordCount)) {
    SendRecordMessage(context, GuitarRecordAt(recordNumber).Message, true);
  }
}

}  // namespace velmora
