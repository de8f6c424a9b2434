#pragma once

// The hidden monitor panel: input ports, MIDI thru to checked output ports, and its log.

#include "surface/EditingContext.h"

namespace velmora {

// Owns LogLock and what the notification thread may touch.
class MonitorHub;

// The MIDI steps of the main window's creation, after the hub (and so LogLock) exists:
// fills lbxInputDevices, lbxOutputDevices and cbOutputDevices in device order and binds the
// input object's notifications to the hub. Opens nothing.
void MonitorFormCreate(FormModel& form, MonitorHub& hub);

// Unbinds the notifications, so nothing reaches the hub once the window is gone.
void MonitorFormDestroy(MonitorHub& hub);

}  // namespace velmora
