#pragma once

// The main window's life as sequences on the form model: created, shown, activated, closed,
// destroyed. A shell calls these from its own events; like every handler, each one ends
// where an error arises, and the shell shows the error's text and goes on. The knob faces'
// persistent canvas is the shell's own, painted when it builds its widgets.

#include "surface/editing/EditingContext.h"
#include "surface/shell/Monitor.h"

namespace velmora {

// Why the main window came back to the front.
enum class Activation {
  FirstShow,    // the end of the start-up
  AboutClosed,  // the About window was closed
  Other,        // a message box or a dialog closed, another application gave the focus back
};

// Taps the sends for the rig view, fills the port lists and binds the monitor (the hub holds
// LogLock from here on), then creates defaut.vmp and config.ini when missing. A file that cannot be
// created throws "Impossible d'écrire dans <path>" and skips what follows; the start-up goes on.
void FormCreate(EditingContext& context, MonitorHub& hub);

// Title, model selectors, language, the stored MIDI OUT port, the preset panel and its
// preset, the guitar column and the knob sensitivity, in that order. An error (a stored
// port that cannot be opened, say) skips the remaining steps; the window is usable anyway.
void FormShow(EditingContext& context);

// The one rule for when an activation reloads the default preset file: at the end of the
// start-up, once, and each time the About window closes. Never for any other cause, so a
// message box closing during or after a load cannot start loads without end; never while
// a load or a synchronise runs.
void MainWindowActivated(EditingContext& context, Activation cause);

// Shows the About window modally, then the main window is activated again.
void bttnAProposClick(EditingContext& context);

// Writes the state into defaut.vmp, then the port and preset panel settings into
// config.ini. A write that fails throws and the window must stay open; closing again
// starts over. The preset panel's keys are written only if they were restored at start-up.
void FormClose(EditingContext& context);
// The player's own close (the close box, Alt+F4): setlist edits not saved are asked about
// first. A close ordered by a signal or the session's end never waits on a question.
void FormCloseByPlayer(EditingContext& context);

// Unbinds the monitor; LogLock goes with the hub.
void FormDestroy(MonitorHub& hub);

}  // namespace velmora
