#include "live/LiveSteps.h"

#include <exception>
#include <utility>

#include "surface/editing/PresetBank.h"
#include "surface/files/PresetFileCommands.h"

namespace velmora {

LiveSteps::LiveSteps(Setlist setlist)
    : setlist_(std::move(setlist)), position_(setlist_.Count() > 0 ? 1 : 0) {}

void LiveSteps::SetWake(std::function<void()> wake) {
  wake_ = std::move(wake);
}

bool LiveSteps::Ask(StepRequest request) {
  {
    const std::lock_guard lock(mutex_);
    const std::size_t count = setlist_.Count();
    std::size_t target = 0;
    std::string refusal;
    switch (request.action) {
      case StepAction::kNext:
        target = position_ + 1;
        refusal = "Already on the last item";
        break;
      case StepAction::kPrevious:
        target = position_ - 1;
        refusal = "Already on the first item";
        break;
      case StepAction::kFirst:
        target = 1;
        refusal = "The setlist is empty";
        break;
      case StepAction::kItem:
        target = request.item;
        refusal = "No item " + std::to_string(request.item) + ": the setlist has " +
                  std::to_string(count);
        break;
    }
    if (target < 1 || target > count) {
      notices_.push_back(refusal + " (" + std::to_string(position_) + "/" + std::to_string(count) +
                         ")");
      return false;
    }
    position_ = target;
    pending_ = true;
  }
  if (wake_) {
    wake_();
  }
  return true;
}

void LiveSteps::RunPending(EditingContext& context) {
  for (;;) {
    std::size_t position = 0;
    {
      const std::lock_guard lock(mutex_);
      going_ = pending_;
      if (!pending_) {
        return;
      }
      pending_ = false;
      position = position_;
      notices_.push_back(std::to_string(position) + "/" + std::to_string(setlist_.Count()) + " " +
                         LabelAt(position));
    }
    try {
      GoTo(context, position);
    } catch (const std::exception& error) {
      context.view.ShowError(error.what());
    }
  }
}

void LiveSteps::GoTo(EditingContext& context, std::size_t position) {
  const SetlistItem& item = setlist_.Item(position - 1);
  if (item.IsFile()) {
    OpenGivenFile(context, item.file);
  } else {
    RecallStoredPreset(context, item.group, item.key);
  }
}

LiveState LiveSteps::State() const {
  const std::lock_guard lock(mutex_);
  return LiveState{position_, setlist_.Count(), LabelAt(position_), LabelAt(position_ + 1), going_};
}

std::vector<std::string> LiveSteps::TakeNotices() {
  const std::lock_guard lock(mutex_);
  return std::exchange(notices_, {});
}

std::string LiveSteps::LabelAt(std::size_t position) const {
  return position >= 1 && position <= setlist_.Count() ? setlist_.Item(position - 1).ShownLabel()
                                                       : std::string();
}

}  // namespace velmora
