#include "surface/editing/MidiSend.h"

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Amplis.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "midi/Midi.h"
#include "surface/editing/PortSelector.h"

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

int operationDepth = 0;
bool portBoxShownInOperation = false;

// The box about a port that cannot be sent to: once per operation, every time outside one.
void ShowPortBox(EditingContext& context, const std::string& text) {
  if (portBoxShownInOperation) {
    return;
  }
  portBoxShownInOperation = operationDepth > 0;
  context.view.ShowMessage(text);
}

}  // namespace

PlayerOperation::PlayerOperation() {
  if (operationDepth++ == 0) {
    portBoxShownInOperation = false;
  }
}

PlayerOperation::~PlayerOperation() {
  if (--operationDepth == 0) {
    portBoxShownInOperation = false;
  }
}

void SendMidiText(EditingContext& context, std::string_view text) {
  const FormModel& form = context.form;
  if (form.missingOutputPort) {
    if (!form.missingPortAnnounced) {
      ShowPortBox(context, PortNotConnectedText(form.missingOutputPort->name));
    }
    return;
  }
  const ComboBox& ports = form.cbOutputDevices;
  if (ports.Text().empty()) {
    ShowPortBox(context, std::string(kNoOutputPortText));
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
