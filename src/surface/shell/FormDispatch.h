#pragma once

// Where a window's gestures meet the core: each one runs its binding through the handler
// gate, so both shells wire their controls the same way and differ only in how a native
// event becomes an item, a check or a mouse button.

#include "surface/form/Binding.h"
#include "surface/shell/HandlerGate.h"
#include "surface/shell/MonitorHub.h"

namespace velmora {

class FormDispatch {
 public:
  FormDispatch(EditingContext& context, MonitorHub& hub, HandlerGate& gate)
      : context_(context), hub_(hub), gate_(gate) {}

  // The player's gesture on the binding's control; see RunBinding.
  void Run(const Binding& binding, int item = -1, bool checked = false,
           MouseButton button = MouseButton::Left, bool large = false);
  // A shortcut's handler.
  void Run(Handler handler);
  // Text typed into an edit box goes straight to the model, then the box's handler runs,
  // if it has one (a search as the player types).
  void KeepText(const Binding& binding, std::string text);

  // Where config.ini is, for what a window keeps of its own (its place).
  const ProgramFolders& Folders() const { return context_.folders; }

 private:
  EditingContext& context_;
  MonitorHub& hub_;
  HandlerGate& gate_;
};

}  // namespace velmora
