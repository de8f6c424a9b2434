#pragma once

// The hidden monitor panel: input ports, MIDI thru to checked output ports, and its log.

#include "surface/editing/EditingContext.h"
#include "surface/shell/MonitorHub.h"

namespace velmora {

// The MIDI steps of the main window's creation, after the hub (and so LogLock) exists:
// fills lbxInputDevices, lbxOutputDevices and cbOutputDevices in device order and binds the
// input object's notifications to the hub. Opens nothing.
void MonitorFormCreate(FormModel& form, MonitorHub& hub);

// Unbinds the notifications, so nothing reaches the hub once the window is gone.
void MonitorFormDestroy(MonitorHub& hub);

// The user toggled the check box of lbxInputDevices.itemIndex: opens or closes that port.
void lbxInputDevicesClickCheck(EditingContext& context);

// The user toggled the check box of lbxOutputDevices.itemIndex: the thru targets follow the
// check at once, even when opening the port fails (the thru then opens it on demand).
// Checking opens the port and shows its index ("0"); unchecking closes it.
void lbxOutputDevicesClickCheck(EditingContext& context, MonitorHub& hub);
// The same without the index box, for a caller with no window.
void ApplyThruCheck(FormModel& form, MonitorHub& hub);

// Sends edtSysExData to every checked output port, last index first, and logs each send.
void btnSendSysExClick(EditingContext& context);

// User-interface thread: puts the queued lines at the top of memLog, event by event, and
// shows each error from the notification thread where it happened in that order; then
// shows the errors the device layer kept from that thread.
void DrainMonitor(EditingContext& context, MonitorHub& hub);

}  // namespace velmora
