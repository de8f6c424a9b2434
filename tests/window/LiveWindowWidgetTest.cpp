#include <fstream>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "WindowFixture.h"
#include "window/FormWindow.h"

namespace velmora {
namespace {

// The setlist kept in config.ini opens at start; F11 shows its first item without sending
// it, Right sends the second, the footswitch bound in config.ini loads the third from the
// replayed input port, and the end is said, not stepped past. F11 in the view fills the
// screen; Escape leaves.
TEST_F(WindowTest, LiveViewStepsByKeysAndByTheFootswitch) {
  const std::filesystem::path setlist =
      std::filesystem::temp_directory_path() / ("velmora-live-" + std::to_string(getpid()));
  std::filesystem::create_directories(setlist);
  std::ofstream(setlist / "Solo.vmp", std::ios::binary) << "[AMP1]\r\nPower=ON\r\n";
  std::ofstream(setlist / "gig.vsl", std::ios::binary)
      << "FACTORY 16D\tIntro\nUSER 3B\tVerse\nSolo.vmp\n";
  Start("[MIDI]\r\nOut=0\r\n[LIVE]\r\nSetlist=" + (setlist / "gig.vsl").string() +
            "\r\nNext=B0 50 7F\r\n",
        VELMORA_SOURCE_DIR, "400 0 B0 50 00\n400 0 B0 50 7F\n");
  Wire();

  QTest::keyClick(window_.get(), Qt::Key_F11);
  QWidget* live = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    live = QApplication::activeWindow();
    return live != nullptr && live->objectName() == "TFormLive";
  }));
  auto text = [live](const char* name) {
    return live->findChild<QLabel*>(name)->text().toStdString();
  };
  EXPECT_EQ(text("lblLiveLabel"), "Intro");
  EXPECT_EQ(text("lblLiveNext"), "Verse");
  EXPECT_EQ(text("lblLivePosition"), "1 / 3");
  EXPECT_GE(live->findChild<QLabel*>("lblLiveLabel")->font().pixelSize(), 48);
  EXPECT_TRUE(Wire().empty());

  QTest::keyClick(live, Qt::Key_Right);
  EXPECT_EQ(Wire(), (std::vector<std::string>{"C0 0E", "C0 09"}));
  EXPECT_EQ(text("lblLiveLabel"), "Verse");

  // The release (value 0) steps nothing; the press loads the file.
  ASSERT_TRUE(QTest::qWaitFor([&] { return text("lblLiveLabel") == "Solo"; }, 5000));
  const std::vector<std::string> load = Wire();
  ASSERT_FALSE(load.empty());
  EXPECT_EQ(load.back(), "B0 70 00");
  EXPECT_EQ(text("lblLivePosition"), "3 / 3");
  EXPECT_EQ(text("lblLiveNext"), "(fin de la setlist)");

  QTest::keyClick(live, Qt::Key_PageDown);
  EXPECT_EQ(text("lblLiveStatus"), "Already on the last item (3/3)");
  QTest::keyClicks(live, "1");
  QTest::keyClick(live, Qt::Key_Return);
  EXPECT_EQ(text("lblLiveLabel"), "Intro");
  EXPECT_EQ(Wire(), (std::vector<std::string>{"C0 4E", "C0 7F"}));

  QTest::keyClick(live, Qt::Key_F11);
  EXPECT_TRUE(live->isFullScreen());
  QTest::keyClick(live, Qt::Key_Escape);
  EXPECT_FALSE(live->isVisible());
  std::filesystem::remove_all(setlist);
}

}  // namespace
}  // namespace velmora
