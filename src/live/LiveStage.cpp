#include "live/LiveStage.h"

#include <utility>

#include "surface/form/LiveWindowModel.h"

namespace velmora {

std::shared_ptr<LiveStage> MakeLiveStage() {
  return std::make_shared<LiveStage>();
}

void LiveStage::Adopt(Setlist setlist, std::filesystem::path file) {
  setlist_ = std::move(setlist);
  file_ = std::move(file);
  edited_ = false;
}

void LiveStage::Restart() {
  auto steps = std::make_shared<LiveSteps>(setlist_);
  const std::lock_guard lock(mutex_);
  steps_ = std::move(steps);
}

std::shared_ptr<LiveSteps> LiveStage::Steps() const {
  const std::lock_guard lock(mutex_);
  return steps_;
}

void LiveStage::Bind(const FootswitchBindings& stored) {
  footswitch_.Replace(stored);
  kept_ = stored;
}

bool LiveStage::TakeLearned() {
  FootswitchBindings now = footswitch_.Bindings();
  if (now == kept_) {
    return false;
  }
  kept_ = std::move(now);
  return true;
}

void LiveStage::Receive(std::string_view port, std::uint8_t status, std::uint8_t data1,
                        std::uint8_t data2) {
  const std::optional<StepAction> action = footswitch_.Receive(port, status, data1, data2);
  if (!action) {
    return;
  }
  if (const std::shared_ptr<LiveSteps> steps = Steps()) {
    steps->Ask({*action, 0});
  }
}

}  // namespace velmora
