#include "live/LiveSteps.h"

#include <exception>
#include <utility>

#include "surface/editing/PresetBank.h"
#include "surface/files/PresetFileCommands.h"

namespace velmora {

std::string NoticeText(const StepNotice& notice, bool english) {
  using Kind = StepNotice::Kind;
  const std::string at = std::to_string(notice.position) + "/" + std::to_string(notice.count);
  switch (notice.kind) {
    case Kind::kWent:
      return at + " " + notice.label;
    case Kind::kOnLast:
      return (english ? "Already on the last item (" : "Déjà sur le dernier élément (") + at + ")";
    case Kind::kOnFirst:
      return (english ? "Already on the first item (" : "Déjà sur le premier élément (") + at + ")";
    case Kind::kEmpty:
      return (english ? "The setlist is empty (" : "La setlist est vide (") + at + ")";
    case Kind::kNoItem:
      return (english ? "No item " + std::to_string(notice.item) + ": the setlist has "
                      : "Pas d'élément " + std::to_string(notice.item) + " : la setlist en a ") +
             std::to_string(notice.count) + " (" + at + ")";
  }
  return at;
}

std::vector<std::string> NoticeTexts(const std::vector<StepNotice>& notices, bool english) {
  std::vector<std::string> texts;
  for (const StepNotice& notice : notices) {
    texts.push_back(NoticeText(notice, english));
  }
  return texts;
}

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
    StepNotice::Kind refusal = StepNotice::Kind::kEmpty;
    switch (request.action) {
      case StepAction::kNext:
        target = position_ + 1;
        refusal = StepNotice::Kind::kOnLast;
        break;
      case StepAction::kPrevious:
        target = position_ - 1;
        refusal = StepNotice::Kind::kOnFirst;
        break;
      case StepAction::kFirst:
        target = 1;
        break;
      case StepAction::kItem:
        target = request.item;
        refusal = StepNotice::Kind::kNoItem;
        break;
    }
    if (target < 1 || target > count) {
      // On an empty setlist there is no last or first item to be on.
      notices_.push_back(
          {count == 0 ? StepNotice::Kind::kEmpty : refusal, position_, count, request.item, {}});
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
      notices_.push_back(
          {StepNotice::Kind::kWent, position, setlist_.Count(), position, LabelAt(position)});
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

std::vector<StepNotice> LiveSteps::TakeNotices() {
  const std::lock_guard lock(mutex_);
  return std::exchange(notices_, {});
}

std::string LiveSteps::LabelAt(std::size_t position) const {
  return position >= 1 && position <= setlist_.Count() ? setlist_.Item(position - 1).ShownLabel()
                                                       : std::string();
}

}  // namespace velmora
