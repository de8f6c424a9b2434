#pragma once

// Where a window's gestures meet the core: each one runs its binding through the handler
// gate, so both shells wire their controls the same way and differ only in how a native
// event becomes an item, a check or a mouse button.

#include <map>

#include "surface/form/Binding.h"
#include "surface/form/Form.h"
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
  // A handler of the form's own (a shortcut's, its work while shown).
  void Run(Handler handler);
  // A shortcut's handler; one with whenIdle runs even inside another handler, and its
  // whenIdle follows once none runs.
  void Run(const Shortcut& shortcut);
  // Text typed into an edit box goes straight to the model, then the box's handler runs,
  // if it has one (a search as the player types).
  void KeepText(const Binding& binding, std::string text);

  // Where config.ini is, for what a window keeps of its own (its place).
  const ProgramFolders& Folders() const { return context_.folders; }

 private:
  EditingContext& context_;
  MonitorHub& hub_;
  HandlerGate& gate_;
  // The gate holds back work by its address: one per whenIdle handler, kept for good.
  std::map<Handler, HandlerGate::Work> idleWork_;
};

}  // namespace velmora
