#pragma once

// The amplifier's two channels: applying the chosen amp and cab, and the power buttons.

#include "surface/editing/EditingContext.h"

namespace velmora {

// Sends the amp chosen in the channel's amp selector, shows its model name, re-sends the
// channel's six knobs and, when a cab is chosen, pauses and sends that cab twice. An
// empty selector does nothing.
void ApplyAmpModel(EditingContext& context, Channel channel);

// Sends the cab chosen in the channel's cab selector once and shows its model name.
void ApplyCabModel(EditingContext& context, Channel channel);

// The on or off look: caption "ON" or "OFF", desert or silver, and the channel's screen
// and two selectors enabled or disabled. Sends nothing.
void SetPowerCaption(FormModel& form, Channel channel, bool on);
void SetChannelControlsEnabled(FormModel& form, Channel channel, bool enabled);
void SetPowerLook(FormModel& form, Channel channel, bool on);

// A press on the channel's power button. At least one channel stays on: a channel goes
// off only while the other one is on.
void PowerButtonClick(EditingContext& context, Channel channel);

// The user picked an item. A disabled selector cannot be picked from, so nothing happens.
void cbAmpli1Change(EditingContext& context);
void cbAmpli2Change(EditingContext& context);
void cbEnceintes1Change(EditingContext& context);
void cbEnceintes2Change(EditingContext& context);
void bttnOnOffAMP1Click(EditingContext& context);
void bttnOnOffAMP2Click(EditingContext& context);

}  // namespace velmora
