#include "WindowFixture.h"

#include <atomic>
#include <fstream>

#include <unistd.h>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "midi/Midi.h"

namespace velmora {

namespace {
std::atomic<int> runs{0};
}  // namespace

WindowTest::~WindowTest() {
  if (window_) {
    window_->Destroy();
    window_.reset();
  }
  ReleaseMidiDevices();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void WindowTest::Start(const std::string& config, std::filesystem::path pictures,
                       const std::string& replay) {
  folder_ = std::filesystem::temp_directory_path() /
            ("velmora-window-" + std::to_string(getpid()) + "-" + std::to_string(runs++));
  std::filesystem::create_directories(folder_);
  if (!config.empty()) {
    std::ofstream(folder_ / "config.ini", std::ios::binary) << config;
  }
  if (!replay.empty()) {
    std::ofstream(folder_ / "replay.txt", std::ios::binary) << replay;
  }
  auto platform = std::make_unique<VirtualMidiPlatform>(
      2, 2, std::string(), replay.empty() ? std::string() : (folder_ / "replay.txt").string());
  platform_ = platform.get();
  InstallMidiPlatform(std::move(platform));
  window_ = std::make_unique<MainWindow>(ProgramFolders{folder_, std::move(pictures)},
                                         std::chrono::milliseconds(0));
  window_->Create();
  window_->show();
  ASSERT_TRUE(QTest::qWaitFor([this] { return window_->StartupDone(); }, 10000));
}

std::vector<std::string> WindowTest::Wire() {
  std::vector<std::string> wire;
  for (const SentBuffer& buffer : platform_->Sent()) {
    std::string text;
    for (std::uint8_t byte : buffer.bytes) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02X ", byte);
      text += hex;
    }
    if (!text.empty()) {
      text.pop_back();
    }
    wire.push_back(text);
  }
  platform_->ClearSent();
  return wire;
}

std::vector<WindowTest::Box> WindowTest::Boxes(const std::function<void()>& action) {
  std::vector<Box> boxes;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&boxes] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.push_back({box->windowTitle().toStdString(), box->text().toStdString(),
                       static_cast<int>(box->icon())});
      box->accept();
    }
  });
  closer.start(5);
  action();
  return boxes;
}

}  // namespace velmora
