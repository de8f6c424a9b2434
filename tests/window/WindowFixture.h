#pragma once

// One run of the real window on the offscreen platform: a folder of its own, virtual MIDI
// ports recording every buffer, no pause between load groups, and the whole start-up
// (creation, show, first activation) done before the test body.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "midi/virtual/VirtualMidiPlatform.h"
#include "window/MainWindow.h"

namespace velmora {

class WindowTest : public ::testing::Test {
 protected:
  ~WindowTest() override;

  // config.ini as the program would find it (empty: none, so a first start); the pictures
  // are the project's own unless another folder is given.
  // replay: the input ports' scripted messages (see VirtualReplay.h).
  void Start(const std::string& config = {}, std::filesystem::path pictures = VELMORA_SOURCE_DIR,
             const std::string& replay = {});

  // Each buffer sent since the last call, as "B0 0D 40".
  std::vector<std::string> Wire();
  // Runs action and returns the text and title of the modal box it opens (closing it).
  struct Box {
    std::string title;
    std::string text;
    int icon = 0;
  };
  std::vector<Box> Boxes(const std::function<void()>& action);

  // The main window's own control of that name (the About window is its child too).
  template <typename Widget>
  Widget* Find(const std::string& name) const {
    for (Widget* widget : window_->findChildren<Widget*>(QString::fromStdString(name))) {
      if (widget->window() == window_.get()) {
        return widget;
      }
    }
    ADD_FAILURE() << "no " << name;
    return nullptr;
  }

  std::filesystem::path folder_;
  VirtualMidiPlatform* platform_ = nullptr;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace velmora
