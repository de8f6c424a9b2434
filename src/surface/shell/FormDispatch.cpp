#include "surface/shell/FormDispatch.h"

#include <utility>

namespace velmora {

void FormDispatch::Run(const Binding& binding, int item, bool checked, MouseButton button,
                       bool large) {
  gate_.Run([this, &binding, item, checked, button, large] {
    RunBinding(binding, {context_, hub_, binding.control, item, checked, button, large});
  });
}

void FormDispatch::Run(Handler handler) {
  gate_.Run([this, handler] { handler(context_); });
}

void FormDispatch::Run(const Shortcut& shortcut) {
  Run(shortcut.handler);
  if (shortcut.whenIdle != nullptr) {
    const auto [work, added] = idleWork_.try_emplace(shortcut.whenIdle);
    if (added) {
      work->second = [this, idle = shortcut.whenIdle] { idle(context_); };
    }
    gate_.RunWhenIdle(work->second);
  }
}

void FormDispatch::KeepText(const Binding& binding, std::string text) {
  KeepTypedText(binding, context_.form, std::move(text));
  if (binding.Runs()) {
    Run(binding);
  }
}

}  // namespace velmora
