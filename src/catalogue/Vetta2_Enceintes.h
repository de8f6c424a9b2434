#pragma once

// The cab models of the amplifier's two channels.

#include <array>
#include <optional>
#include <string_view>

#include "catalogue/Vetta2_Amplis.h"

namespace velmora {

const std::array<ModelRecord, kCabRecordCount>& CabCatalogue(Channel channel);
const ModelRecord& CabRecord(Channel channel, int recordNumber);
std::optional<int> FindCabRecord(Channel channel, std::string_view displayName);

}  // namespace velmora
