#include <algorithm>
#include <cstdio>
#include <map>

#include "midi/Midi.h"

namespace velmora {

TMidiDevices::TMidiDevices(MidiPlatform& platform, const char* className, bool receives)
    : platform_(platform),
      className_(className),
      table_(std::make_shared<const PortTable>()),
      receives_(receives) {}

TMidiDevices::~TMidiDevices() = default;

std::shared_ptr<const TMidiDevices::PortTable> TMidiDevices::Table() const {
  std::lock_guard lock(tableMutex_);
  return table_;
}

std::vector<std::string> TMidiDevices::DeviceNames() const {
  std::vector<std::string> names;
  for (const auto& slot : *Table()) {
    names.push_back(slot->name);
  }
  return names;
}

int TMidiDevices::DeviceCount() const {
  return static_cast<int>(Table()->size());
}

MidiResult TMidiDevices::LastResult() const {
  return lastResult_;
}

void TMidiDevices::CheckResult(MidiResult result) {
  lastResult_ = result;
  if (result == kMidiOk) {
    return;
  }
  std::string text;
  if (!platform_.ErrorText(result, text)) {
    // A refusal without a text is still a refusal: going on would report a failed step
    // as done.
    text = "The MIDI system refused the operation (code " + std::to_string(result) + ").";
  }
  throw MidiError(text);
}

void TMidiDevices::ThrowOutOfBounds(long long index) const {
  char text[96];
  std::snprintf(text, sizeof text, "%s: Device index out of bounds! (%lld)", className_, index);
  throw MidiError(text);
}

std::shared_ptr<TMidiDevices::PortSlot> TMidiDevices::SlotAt(int index) const {
  const auto table = Table();
  if (index < 0 || index >= static_cast<int>(table->size())) {
    ThrowOutOfBounds(index);
  }
  return (*table)[static_cast<std::size_t>(index)];
}

MidiHandle TMidiDevices::HandleOf(int index) const {
  return SlotAt(index)->handle;
}

void TMidiDevices::SetHandle(int index, MidiHandle handle) {
  SlotAt(index)->handle = handle;
}

std::shared_ptr<TMidiDevices::PortSlot> TMidiDevices::SlotOfKey(std::uintptr_t key,
                                                                int& index) const {
  std::lock_guard lock(tableMutex_);
  for (std::size_t at = 0; at < table_->size(); ++at) {
    if ((*table_)[at]->key == key) {
      index = static_cast<int>(at);
      return (*table_)[at];
    }
  }
  index = -1;
  for (const auto& slot : vanished_) {
    if (slot->key == key) {
      return slot;
    }
  }
  return nullptr;
}

std::shared_ptr<TMidiDevices::PortSlot> TMidiDevices::NewSlot(const std::string& name) {
  auto slot = std::make_shared<PortSlot>();
  slot->name = name;
  slot->key = nextKey_++;
  if (receives_) {
    slot->sysEx = std::make_unique<TSysExData>();
  }
  return slot;
}

std::vector<std::string> TMidiDevices::ListPlatformPorts() {
  std::vector<std::string> names;
  const unsigned count = PlatformCount();
  for (unsigned id = 0; id < count; ++id) {
    std::string name;
    CheckResult(PlatformName(id, name));
    names.push_back(name.substr(0, name.find('\0')));
  }
  return names;
}

void TMidiDevices::ListPorts() {
  AdoptPorts(ListPlatformPorts());
}

void TMidiDevices::AdoptPorts(const std::vector<std::string>& names) {
  std::lock_guard lock(tableMutex_);
  // The k-th port of a name stays the k-th port of that name: the platform gives nothing
  // else that tells two ports of one name apart.
  std::map<std::string, std::vector<std::shared_ptr<PortSlot>>> kept;
  for (const auto& slot : *table_) {
    kept[slot->name].push_back(slot);
  }
  std::map<std::string, std::size_t> taken;
  auto table = std::make_shared<PortTable>();
  for (const std::string& name : names) {
    auto& sameName = kept[name];
    std::size_t& order = taken[name];
    table->push_back(order < sameName.size() ? sameName[order] : NewSlot(name));
    ++order;
  }
  for (auto& [name, slots] : kept) {
    for (std::size_t order = taken[name]; order < slots.size(); ++order) {
      if (slots[order]->handle != kNoHandle) {
        vanished_.push_back(slots[order]);
      }
    }
  }
  table_ = std::move(table);
}

void TMidiDevices::CloseVanishedPorts() noexcept {
  PortTable closing;
  {
    std::lock_guard lock(tableMutex_);
    closing = vanished_;
  }
  // Outside the lock: closing an input port hands its buffer back through the notification
  // procedure, which looks the slot up by its key.
  for (const auto& slot : closing) {
    ClosePortQuietly(*slot);
  }
  std::lock_guard lock(tableMutex_);
  std::erase_if(vanished_, [&](const auto& slot) {
    return std::find(closing.begin(), closing.end(), slot) != closing.end();
  });
}

void TMidiDevices::Rescan() {
  AdoptPorts(ListPlatformPorts());
  CloseVanishedPorts();
}

}  // namespace velmora
