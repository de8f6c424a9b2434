// Every message the catalogues can produce means its record or value to the rig, and every
// other message of the same shapes is unknown. The messages are made from the catalogues'
// own texts; the shapes vary each byte that differs between a table's messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "catalogue/Presets.h"
#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "midi/Midi.h"
#include "rig/HexBytes.h"
#include "rig/RigMessages.h"
#include "rig/RigState.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Known {
  Bytes message;
  RigMessage meaning;
};

struct Table {
  std::string name;
  std::vector<Known> messages;
};

// Record n of a catalogue means record n.
template <typename Records>
void AddRecords(Table& table, const Records& records, RigMessageKind kind, Channel channel) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    table.messages.push_back({BytesOf(records[i].Message), {kind, channel, int(i) + 1}});
  }
}

std::vector<Table> CatalogueTables() {
  std::vector<Table> tables;
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    const std::string name = ChannelName(channel) + " ";
    Table amps{name + "amps", {}}, cabs{name + "cabs", {}}, power{name + "power", {}};
    AddRecords(amps, AmpCatalogue(channel), RigMessageKind::kAmp, channel);
    AddRecords(cabs, CabCatalogue(channel), RigMessageKind::kCab, channel);
    const ChannelCodeSet& codes = ChannelCodes(channel);
    power.messages = {{BytesOf(codes.PowerOnText), {RigMessageKind::kPower, channel, 0, 1}},
                      {BytesOf(codes.PowerOffText), {RigMessageKind::kPower, channel, 0, 0}}};
    for (int knob = 0; knob < kKnobsPerChannel; ++knob) {
      Table knobs{name + std::string(kAmpKnobNames[knob]), {}};
      for (int value = 0; value < 128; ++value) {
        Bytes message = BytesOf(std::string(codes.KnobPrefixes[knob]) + "00");
        message.back() = static_cast<std::uint8_t>(value);
        knobs.messages.push_back({message, {RigMessageKind::kKnob, channel, knob, value}});
      }
      tables.push_back(knobs);
    }
    tables.insert(tables.end(), {amps, cabs, power});
  }
  Table guitars{"guitars", {}}, presets{"presets", {}};
  AddRecords(guitars, GuitarCatalogue(), RigMessageKind::kGuitar, Channel::Amp1);
  for (PresetGroup group : {PresetGroup::kUser, PresetGroup::kFactory}) {
    const auto& table = group == PresetGroup::kUser ? UserPresetTable() : FactoryPresetTable();
    for (int i = 0; i < kPresetEntryCount; ++i) {
      presets.messages.push_back(
          {BytesOf(table[i].Message), {RigMessageKind::kPreset, Channel::Amp1, i, 0, group}});
    }
  }
  tables.insert(tables.end(), {guitars, presets});
  return tables;
}

// Every message of the table's shape: each byte where the table's messages differ takes
// every data value; the status byte also takes the next channel's.
std::vector<Bytes> Shapes(const Table& table) {
  const Bytes& first = table.messages.front().message;
  std::vector<Bytes> shapes{first};
  for (std::size_t at = 0; at < first.size(); ++at) {
    const bool varies =
        std::any_of(table.messages.begin(), table.messages.end(),
                    [&](const Known& known) { return known.message[at] != first[at]; });
    if (at == 0 || varies) {
      std::vector<Bytes> next;
      for (const Bytes& shape : shapes) {
        for (int value = at == 0 ? first[0] : 0; value < (at == 0 ? first[0] + 2 : 128); ++value) {
          next.push_back(shape);
          next.back()[at] = static_cast<std::uint8_t>(value);
        }
      }
      shapes = std::move(next);
    }
  }
  return shapes;
}

TEST(RigMessagesTest, EveryCatalogueMessageMeansItsRecordAndEveryOtherOfItsShapeIsUnknown) {
  std::set<Bytes> produced;
  std::size_t count = 0;
  for (const Table& table : CatalogueTables()) {
    for (const Known& known : table.messages) {
      EXPECT_EQ(DecodeRigMessage(known.message), known.meaning) << table.name;
      produced.insert(known.message);
      ++count;
    }
  }
  // The model messages are all distinct, so each belongs to one record.
  EXPECT_EQ(produced.size(), count);
  std::size_t unknown = 0;
  for (const Table& table : CatalogueTables()) {
    for (const Bytes& shape : Shapes(table)) {
      if (!produced.contains(shape)) {
        EXPECT_EQ(DecodeRigMessage(shape).kind, RigMessageKind::kUnknown)
            << table.name << ": " << static_cast<int>(shape[0]) << "/" << shape.size();
        ++unknown;
      }
    }
  }
  EXPECT_GT(unknown, 30000u);
}

}  // namespace
}  // namespace velmora
