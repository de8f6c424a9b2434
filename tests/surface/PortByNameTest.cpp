#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "TemporaryFolder.h"
#include "midi/Midi.h"
#include "surface/editing/PortSelector.h"
#include "surface/editing/Synchronise.h"
#include "surface/shell/ErrorDisplay.h"
#include "surface/shell/MainWindowLife.h"
#include "surface/shell/Monitor.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kConfigBeforeMidi = "[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\n";
constexpr const char* kConfigAfterMidi =
    "[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=1\r\nLETTER=A\r\n[KNOBS]\r\nFACTOR=8\r\n"
    "[CONFIG]\r\nLanguage=EN\r\n";

std::string ConfigWithMidi(const std::string& midiLines) {
  return kConfigBeforeMidi + midiLines + kConfigAfterMidi;
}

// Each run is one run of the program over the given output ports (and as many inputs),
// with the shell's guard around every event.
class PortByNameTest : public SurfaceTest {
 protected:
  void NewRun(const std::vector<std::string>& outputs) {
    auto platform = std::make_unique<VirtualMidiPlatform>(0, 2);
    for (const std::string& name : outputs) {
      platform->InsertOutput(99, name);
    }
    platform_ = platform.get();
    InstallMidiPlatform(std::move(platform));
    std::destroy_at(&form_);
    std::construct_at(&form_);
    hub_ = std::make_unique<MonitorHub>();
    ClearWire();
    view_.errors.clear();
  }

  void StartUp() {
    RunHandler(view_, [&] { FormCreate(context_, *hub_); });
    RunHandler(view_, [&] { FormShow(context_); });
    RunHandler(view_, [&] { MainWindowActivated(context_, Activation::FirstShow); });
  }

  std::string ClosedConfig() {
    EXPECT_TRUE(RunHandler(view_, [&] { FormClose(context_); }));
    FormDestroy(*hub_);
    return ReadAll(context_.folders.ConfigFile());
  }

  void Rescan() {
    RunHandler(view_, [&] { RescanPorts(context_, *hub_); });
  }

  std::vector<unsigned> SentPorts() const {
    std::vector<unsigned> ports;
    for (const SentBuffer& sent : platform_->Sent()) {
      if (ports.empty() || ports.back() != sent.port) {
        ports.push_back(sent.port);
      }
    }
    return ports;
  }

  std::unique_ptr<MonitorHub> hub_ = std::make_unique<MonitorHub>();
};

TEST_F(PortByNameTest, ShutdownWritesTheChosenPortsNameNextToItsIndex) {
  struct Case {
    std::vector<std::string> ports;
    std::string pick;  // the item picked, or "" for none
    int order;
    std::string midi;
  };
  const std::vector<Case> cases = {
      {{"Virtual Out 1", "Vetta USB"}, "Vetta USB", 1, "Out=1\r\nOutName=Vetta USB\r\n"},
      {{"Virtual Out 1", "Vetta USB"}, "", 1, "Out=-1\r\nOutName=\r\n"},
      {{"Twin", "Virtual Out 1", "Twin"}, "Twin", 2, "Out=2\r\nOutName=Twin\r\nOutNameOrder=2\r\n"},
      {{"Twin", "Virtual Out 1", "Twin"}, "Twin", 1, "Out=0\r\nOutName=Twin\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.midi);
    NewRun(c.ports);
    WriteConfig(ConfigWithMidi("Out=\r\n"));
    StartUp();
    int seen = 0;
    for (std::size_t index = 0; index < c.ports.size(); ++index) {
      if (c.ports[index] == c.pick && ++seen == c.order) {
        form_.cbOutputDevices.itemIndex = static_cast<int>(index);
        RunHandler(view_, [&] { cbOutputDevicesSelect(context_); });
      }
    }
    EXPECT_EQ(ClosedConfig(), ConfigWithMidi(c.midi));
  }
  // An order written before is brought up to date rather than left to outlive its port.
  NewRun({"Twin", "Twin"});
  WriteConfig(ConfigWithMidi("Out=1\r\nOutName=Twin\r\nOutNameOrder=2\r\n"));
  StartUp();
  form_.cbOutputDevices.itemIndex = 0;
  RunHandler(view_, [&] { cbOutputDevicesSelect(context_); });
  EXPECT_EQ(ClosedConfig(), ConfigWithMidi("Out=0\r\nOutName=Twin\r\nOutNameOrder=1\r\n"));
}

TEST_F(PortByNameTest, StartUpOpensThePortOfTheStoredNameWhereverItIsNow) {
  struct Case {
    const char* what;
    std::vector<std::string> ports;
    std::string midi;
    int selected;
  };
  const std::vector<Case> cases = {
      {"moved", {"USB Keys", "Virtual Out 1", "Vetta USB"}, "Out=1\r\nOutName=Vetta USB\r\n", 2},
      {"older file", {"USB Keys", "Vetta USB"}, "Out=1\r\n", 1},
      {"second twin", {"Twin", "Keys", "Twin"}, "Out=0\r\nOutName=Twin\r\nOutNameOrder=2\r\n", 2},
      {"first twin", {"Twin", "Keys", "Twin"}, "Out=2\r\nOutName=Twin\r\nOutNameOrder=\r\n", 0},
      {"order not a number", {"Keys", "Twin"}, "Out=0\r\nOutName=Twin\r\nOutNameOrder=x\r\n", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewRun(c.ports);
    WriteConfig(ConfigWithMidi(c.midi));
    StartUp();
    EXPECT_THAT(view_.errors, IsEmpty());
    EXPECT_THAT(view_.messages, IsEmpty());
    EXPECT_EQ(form_.cbOutputDevices.items, c.ports);
    EXPECT_EQ(form_.cbOutputDevices.itemIndex, c.selected);
    // USER 1A, then the default preset, all on the stored port.
    ASSERT_GE(Wire().size(), 2u);
    EXPECT_EQ(Wire()[0], "C0 0E");
    EXPECT_THAT(SentPorts(), ElementsAre(static_cast<unsigned>(c.selected)));
  }
}

TEST_F(PortByNameTest, AStoredNameThatIsNotConnectedOpensNothingAndSaysSoOnce) {
  struct Case {
    std::vector<std::string> ports;
    std::string midi;
    std::string box;
  };
  const std::vector<Case> cases = {
      {{"Virtual Out 1", "Keys"},
       "Out=0\r\nOutName=Vetta USB\r\n",
       "Le port MIDI \"Vetta USB\" n'est pas connecté.\nPorts MIDI OUT connectés :\n"
       "- Virtual Out 1\n- Keys"},
      {{},
       "Out=0\r\nOutName=Vetta USB\r\n",
       "Le port MIDI \"Vetta USB\" n'est pas connecté.\nPorts MIDI OUT connectés : aucun."},
      {{"Twin"},
       "Out=0\r\nOutName=Twin\r\nOutNameOrder=2\r\n",
       "Le port MIDI \"Twin\" n'est pas connecté.\nPorts MIDI OUT connectés :\n- Twin"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    NewRun(c.ports);
    WriteConfig(ConfigWithMidi(c.midi));
    StartUp();
    // Never the stored index: nothing is sent anywhere, and the whole start-up (the preset
    // panel's preset and the default preset) says it once.
    EXPECT_THAT(platform_->Sent(), IsEmpty());
    EXPECT_THAT(view_.messages, ElementsAre(c.box));
    EXPECT_THAT(view_.errors, IsEmpty());
    for (int index = 0; index < GetMidiOutput().DeviceCount(); ++index) {
      EXPECT_EQ(GetMidiOutput().HandleOf(index), kNoHandle);
    }
    const NamedPort missing = *form_.missingOutputPort;
    std::vector<std::string> items = c.ports;
    items.push_back(missing.name + " (non connecté)");
    EXPECT_EQ(form_.cbOutputDevices.items, items);
    EXPECT_EQ(form_.cbOutputDevices.itemIndex, static_cast<int>(c.ports.size()));
    // The rest of the start-up went on.
    EXPECT_EQ(form_.lblPresetBanque, "USER");
    EXPECT_EQ(form_.lblSensibiliteKnobsAMP1, "8");
    // The next gesture says it once more; the name is kept for the next start.
    RunHandler(view_, [&] { bttnSynchroClick(context_); });
    EXPECT_EQ(view_.messages.back(), "Le port MIDI \"" + missing.name + "\" n'est pas connecté.");
    EXPECT_EQ(view_.messages.size(), 2u);
    const std::string order = missing.order > 1 ? "OutNameOrder=2\r\n" : "";
    EXPECT_EQ(ClosedConfig(), ConfigWithMidi("Out=-1\r\nOutName=" + missing.name + "\r\n" + order));
  }
}

TEST_F(PortByNameTest, HotPlugKeepsChoicesByNameShowsAGonePortMissingAndReopensItOnReturn) {
  NewRun({"Virtual Out 1", "Vetta USB"});
  WriteConfig(ConfigWithMidi("Out=1\r\nOutName=Vetta USB\r\n"));
  StartUp();
  form_.lbxOutputDevices.checked = {true, false};
  form_.lbxOutputDevices.itemIndex = 0;
  RunHandler(view_, [&] { ApplyThruCheck(form_, *hub_); });
  form_.lbxInputDevices.checked = {false, true};
  form_.lbxInputDevices.itemIndex = 1;
  RunHandler(view_, [&] { lbxInputDevicesClickCheck(context_); });
  ClearWire();

  // A keyboard comes first: every index moves, every choice stays.
  platform_->InsertOutput(0, "USB Keys");
  platform_->InsertInput(0, "USB Keys In");
  Rescan();
  EXPECT_THAT(form_.cbOutputDevices.items, ElementsAre("USB Keys", "Virtual Out 1", "Vetta USB"));
  EXPECT_EQ(form_.cbOutputDevices.itemIndex, 2);
  EXPECT_THAT(form_.lbxOutputDevices.items, ElementsAre("USB Keys", "Virtual Out 1", "Vetta USB"));
  EXPECT_THAT(form_.lbxOutputDevices.checked, ElementsAre(false, true, false));
  EXPECT_EQ(form_.lbxOutputDevices.itemIndex, 1);
  EXPECT_THAT(form_.lbxInputDevices.checked, ElementsAre(false, false, true));
  EXPECT_NE(GetMidiInput().HandleOf(2), kNoHandle);
  // The thru follows its port to its new index, and the received line names the right input.
  platform_->InjectShort(2, 0xB0, 0x07, 0x64);
  DrainMonitor(context_, *hub_);
  EXPECT_THAT(SentPorts(), ElementsAre(1u));
  EXPECT_THAT(form_.memLog.Lines()[0], ::testing::HasSubstr("Virtual In 2"));
  ClearWire();

  // The amplifier's interface is pulled out: shown missing; a whole synchronise says it once.
  platform_->RemoveOutput(2);
  Rescan();
  EXPECT_THAT(form_.cbOutputDevices.items,
              ElementsAre("USB Keys", "Virtual Out 1", "Vetta USB (non connecté)"));
  EXPECT_EQ(form_.cbOutputDevices.itemIndex, 2);
  EXPECT_THAT(view_.events, IsEmpty());  // a rescan shows nothing and sends nothing
  RunHandler(view_, [&] { bttnSynchroClick(context_); });
  EXPECT_THAT(view_.messages, ElementsAre("Le port MIDI \"Vetta USB\" n'est pas connecté."));
  EXPECT_THAT(view_.errors, IsEmpty());
  EXPECT_THAT(platform_->Sent(), IsEmpty());
  // Picking the missing item changes nothing.
  RunHandler(view_, [&] { cbOutputDevicesSelect(context_); });
  EXPECT_TRUE(form_.missingOutputPort.has_value());
  ClearWire();

  // Back, somewhere else: opened and chosen again, and the next gesture reaches it.
  platform_->InsertOutput(0, "Vetta USB");
  Rescan();
  EXPECT_THAT(form_.cbOutputDevices.items, ElementsAre("Vetta USB", "USB Keys", "Virtual Out 1"));
  EXPECT_EQ(form_.cbOutputDevices.itemIndex, 0);
  EXPECT_FALSE(form_.missingOutputPort.has_value());
  EXPECT_NE(GetMidiOutput().HandleOf(0), kNoHandle);
  EXPECT_THAT(platform_->Sent(), IsEmpty());
  RunHandler(view_, [&] { bttnSynchroClick(context_); });
  EXPECT_THAT(view_.messages, IsEmpty());
  EXPECT_THAT(SentPorts(), ElementsAre(0u));
  EXPECT_EQ(ClosedConfig(), ConfigWithMidi("Out=0\r\nOutName=Vetta USB\r\n"));
}

TEST_F(PortByNameTest, PickingAPortWhileTheChosenOneIsMissingDropsTheMissingItem) {
  NewRun({"Virtual Out 1"});
  WriteConfig(ConfigWithMidi("Out=0\r\nOutName=Vetta USB\r\n"));
  StartUp();
  form_.cbOutputDevices.itemIndex = 0;
  RunHandler(view_, [&] { cbOutputDevicesSelect(context_); });
  EXPECT_THAT(form_.cbOutputDevices.items, ElementsAre("Virtual Out 1"));
  EXPECT_EQ(form_.cbOutputDevices.itemIndex, 0);
  EXPECT_NE(GetMidiOutput().HandleOf(0), kNoHandle);
  ClearWire();
  RunHandler(view_, [&] { bttnSynchroClick(context_); });
  EXPECT_THAT(view_.messages, IsEmpty());
  EXPECT_THAT(SentPorts(), ElementsAre(0u));
}

}  // namespace
}  // namespace velmora
