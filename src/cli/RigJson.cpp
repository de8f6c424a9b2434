#include "cli/RigJson.h"

#include <nlohmann/json.hpp>

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

template <typename Value>
Json OrNull(const std::optional<Value>& value) {
  return value ? Json(*value) : Json(nullptr);
}

Json ChannelJson(const RigState& state, Channel channel) {
  Json knobs = Json::object();
  for (int knob = 0; knob < kKnobsPerChannel; ++knob) {
    knobs[std::string(kAmpKnobNames[static_cast<std::size_t>(knob)])] =
        OrNull(state.Of(channel).knobs[static_cast<std::size_t>(knob)]);
  }
  Json object = Json::object();
  object["amp"] = OrNull(AmpText(state, channel));
  object["cab"] = OrNull(CabText(state, channel));
  object["power"] = OrNull(PowerText(state, channel));
  object["knobs"] = std::move(knobs);
  return object;
}

}  // namespace

std::string RigStateJson(const RigState& state) {
  Json object = Json::object();
  object["AMP1"] = ChannelJson(state, Channel::Amp1);
  object["AMP2"] = ChannelJson(state, Channel::Amp2);
  object["guitar"] = OrNull(GuitarText(state));
  object["preset"] = OrNull(PresetText(state));
  object["unknown"] = state.unknownCount;
  return object.dump();
}

}  // namespace velmora
