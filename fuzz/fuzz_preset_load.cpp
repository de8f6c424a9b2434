// Any bytes as a .vmp file, loaded through the engine over the virtual ports: the load may
// end with an error, never with a crash, and every buffer on the wire is a message the
// catalogues or the knob prefixes can make.

#include <cstdio>
#include <exception>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzTempFile.h"
#include "catalogue/Presets.h"
#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Amplis.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "surface/files/PresetFile.h"
#include "surface/form/FormModel.h"
#include "surface/form/FormView.h"

namespace {

using velmora::fuzz::Require;
using Message = std::vector<std::uint8_t>;

// A window that never shows anything and never sleeps; no picture exists.
class SilentView : public velmora::FormView {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
  velmora::SaveReply AskToSave(const velmora::SaveQuestion&) override {
    return velmora::SaveReply::kCancel;
  }
  void StepDelay() override {}
  void DrawKnobPointer(velmora::Knob, velmora::Rgb, velmora::KnobPoint,
                       velmora::KnobPoint) override {}
  bool PictureExists(const std::filesystem::path&) override { return false; }
  void LoadPicture(std::string_view, const std::filesystem::path&) override {}
  std::optional<std::filesystem::path> OpenDialog(const velmora::FileKind&,
                                                  const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> SaveDialog(const velmora::FileKind&,
                                                  const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> FolderDialog(const std::filesystem::path&) override {
    return std::nullopt;
  }
  void RepaintNow(std::string_view) override {}
  void ShowForm(std::string_view) override {}
  void CloseForm(std::string_view) override {}
  void OpenWebsite(std::string_view) override {}
};

// As SendMidiText puts it on the wire: the text with its pad pair, converted.
Message WireBytes(std::string_view text) {
  velmora::ByteStream stream;
  velmora::HexTextToStream(std::string(text) + " 00", stream);
  return stream.Bytes();
}

std::set<Message> MessagesTheEditorCanSend() {
  std::set<Message> messages;
  for (velmora::Channel channel : {velmora::Channel::Amp1, velmora::Channel::Amp2}) {
    for (const velmora::ModelRecord& record : velmora::AmpCatalogue(channel)) {
      messages.insert(WireBytes(record.Message));
    }
    for (const velmora::ModelRecord& record : velmora::CabCatalogue(channel)) {
      messages.insert(WireBytes(record.Message));
    }
    const velmora::ChannelCodeSet& codes = velmora::ChannelCodes(channel);
    messages.insert(WireBytes(codes.PowerOnText));
    messages.insert(WireBytes(codes.PowerOffText));
  }
  for (const velmora::GuitarRecord& guitar : velmora::GuitarCatalogue()) {
    messages.insert(WireBytes(guitar.Message));
  }
  for (const auto* table : {&velmora::UserPresetTable(), &velmora::FactoryPresetTable()}) {
    for (const velmora::PresetEntry& entry : *table) {
      messages.insert(WireBytes(entry.Message));
    }
  }
  messages.insert(WireBytes(velmora::kFactoryGroupText));
  messages.insert(WireBytes(velmora::kUserGroupText));
  // A knob's value goes out as one data byte after its prefix.
  for (velmora::Knob knob : velmora::kAllKnobs) {
    for (unsigned value = 0; value < 0x80; ++value) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%.2X", value);
      messages.insert(WireBytes(std::string(velmora::KnobPrefix(knob)) + digits));
    }
  }
  return messages;
}

struct Engine {
  Engine() {
    auto owned = std::make_unique<velmora::VirtualMidiPlatform>(1, 0);
    platform = owned.get();
    velmora::InstallMidiPlatform(std::move(owned));
    velmora::GetMidiOutput().OpenDevice(0);
  }
  velmora::VirtualMidiPlatform* platform = nullptr;
  const std::set<Message> allowed = MessagesTheEditorCanSend();
  SilentView view;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Engine engine;
  const auto file =
      velmora::fuzz::WriteScratchFile(std::string_view(reinterpret_cast<const char*>(data), size));
  velmora::FormModel form = velmora::MakeStartupForm();
  form.cbOutputDevices.items = velmora::GetMidiOutput().DeviceNames();
  form.cbOutputDevices.itemIndex = 0;
  const auto& folder = velmora::fuzz::ScratchFolder();
  velmora::EditingContext context{form, engine.view, velmora::ProgramFolders{folder, folder}};
  engine.platform->ClearSent();
  try {
    velmora::LoadPresetFromFile(context, file);
  } catch (const std::exception&) {
    // The window shows the error; what was sent before it must still be sound.
  }
  for (const velmora::SentBuffer& sent : engine.platform->Sent()) {
    Require(engine.allowed.contains(sent.bytes), "a message no catalogue or knob can make");
  }
  return 0;
}
