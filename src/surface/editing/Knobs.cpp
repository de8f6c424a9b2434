#include "surface/editing/Knobs.h"

#include <cstdio>
#include <string>

#include "profile/IntegerText.h"
#include "profile/Profile.h"
#include "surface/editing/MidiSend.h"
#include "surface/files/SettingsFile.h"
#include "surface/form/KnobPointer.h"

namespace velmora {

namespace {

constexpr std::string_view kDefaultFactor = "8";

// The factor as the settings file holds it. An empty value counts as missing.
std::string ReadFactorText(const EditingContext& context) {
  std::string text =
      ReadProfileString(context.folders.ConfigFile(), settings::kKnobs, settings::kKnobsFactor);
  return text.empty() ? std::string(kDefaultFactor) : text;
}

std::string TwoHexDigits(int value) {
  char digits[3];
  std::snprintf(digits, sizeof digits, "%.2X", static_cast<unsigned>(value) & 0xFFu);
  return digits;
}

}  // namespace

void RefreshKnob(EditingContext& context, std::string_view knobName, std::string_view send) {
  const std::optional<Knob> knob = FindKnob(knobName);
  if (!knob) {
    return;
  }
  FormModel& form = context.form;
  const int value = form.ValueHolder(*knob).Position();
  context.view.DrawKnobPointer(*knob, kKnobYellow, KnobPointerStart(),
                               KnobPointerEnd(form.LastDrawnKnobValue));
  context.view.DrawKnobPointer(*knob, kKnobOlive, KnobPointerStart(), KnobPointerEnd(value));
  if (send == kSendYes) {
    SendMidiText(context, std::string(KnobPrefix(*knob)) + TwoHexDigits(value / 4));
  }
  form.LastDrawnKnobValue = value;
}

void StepKnob(EditingContext& context, Knob knob, MouseButton button) {
  if (button == MouseButton::Middle) {
    return;
  }
  const long long factor = StrToInt(ReadFactorText(context));
  TrackBar& holder = context.form.ValueHolder(knob);
  // Wide arithmetic: a huge factor must end at a limit, not wrap around.
  const long long step = 4 * factor;
  holder.SetPosition(button == MouseButton::Left ? holder.Position() - step
                                                 : holder.Position() + step);
}

void SetKnobFactor(EditingContext& context, int factor) {
  const std::filesystem::path config = context.folders.ConfigFile();
  WriteProfileString(config, settings::kKnobs, settings::kKnobsFactor, std::to_string(factor));
  context.form.lblSensibiliteKnobsAMP1 = ReadFactorText(context);
  context.form.lblSensibiliteKnobsAMP2 = ReadFactorText(context);
}

void KnobMouseDown(EditingContext& context, Knob knob, MouseButton button) {
  if (!context.form.ScreenPanel(KnobChannel(knob)).enabled) {
    return;
  }
  RefreshKnob(context, KnobName(knob), kSendYes);
  StepKnob(context, knob, button);
  RefreshKnob(context, KnobName(knob), kSendYes);
}

}  // namespace velmora
