#include <fstream>
#include <iterator>

#include <unistd.h>

#include <gmock/gmock.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"
#include "window/FormWindow.h"
#include "window/InputDrop.h"
#include "window/JpegImage.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

const std::filesystem::path kGuitarPicture =
    std::filesystem::path(VELMORA_SOURCE_DIR) / "images/builtin/guitare.jpg";

// A damaged picture is refused in libjpeg's own words, with the file's name, instead of
// showing as a grey half-picture.
TEST(JpegImage, DecodesOrNamesLibjpegsError) {
  const std::vector<std::uint8_t> whole = ReadBytes(kGuitarPicture);
  ASSERT_GT(whole.size(), 2000u);
  const QImage image = DecodeJpeg(whole, "guitare.jpg");
  EXPECT_EQ(image.size(), QSize(170, 369));

  auto errorOf = [](const std::vector<std::uint8_t>& bytes) {
    try {
      DecodeJpeg(bytes, "p.jpg");
    } catch (const JpegDecodeError& error) {
      return std::string(error.what());
    }
    return std::string("decoded");
  };
  EXPECT_EQ(errorOf({'h', 'e', 'l', 'l', 'o'}), "p.jpg: Not a JPEG file: starts with 0x68 0x65");
  EXPECT_EQ(errorOf(std::vector<std::uint8_t>(whole.begin(), whole.begin() + 2000)),
            "p.jpg: Premature end of JPEG file");
  EXPECT_EQ(errorOf({}), "p.jpg: Empty input file");
}

// Through the window: the guitar's own picture is missing, so the fallback shows; the
// damaged selector picture then stops the guitar's application with libjpeg's text.
TEST_F(WindowTest, DamagedPictureShowsTheDecodersError) {
  const std::filesystem::path pictures =
      std::filesystem::temp_directory_path() / ("velmora-pictures-" + std::to_string(getpid()));
  std::filesystem::create_directories(pictures / "images/Guitares");
  std::filesystem::copy_file(kGuitarPicture, pictures / "images/Guitares/Variax 700 rouge.jpg",
                             std::filesystem::copy_options::overwrite_existing);
  const std::vector<std::uint8_t> whole = ReadBytes(kGuitarPicture);
  std::ofstream(pictures / "images/Guitares/selecteur2.jpg", std::ios::binary)
      .write(reinterpret_cast<const char*>(whole.data()), 1500);
  Start({}, pictures);
  Wire();
  auto* guitars = Find<QComboBox>("cbGuitares");
  guitars->setCurrentIndex(0);
  const auto boxes = Boxes([guitars] { QTest::keyClick(guitars, Qt::Key_Down); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, (pictures / "images/Guitares/selecteur2.jpg").string() +
                               ": Premature end of JPEG file.");
  EXPECT_THAT(Wire(), ElementsAre("F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00"));
  EXPECT_EQ(Find<QLabel>("lblGuitareModele")->text(), "Telecaster modified");
  std::filesystem::remove_all(pictures);
}

// Stands in for the desktop's web browser.
class Browser : public QObject {
  Q_OBJECT

 public:
  std::vector<std::string> opened;

 public slots:
  void Open(const QUrl& address) { opened.push_back(address.toString().toStdString()); }
};

// The About window shows its texts, its link opens the maker's website in the browser,
// "Fermer" closes it, and closing it reloads the default preset file onto the rig.
TEST_F(WindowTest, AboutWindowAndTheReloadWhenItCloses) {
  Start();
  Wire();
  Browser browser;
  QDesktopServices::setUrlHandler("https", &browser, "Open");
  std::vector<std::string> seen;
  QTimer::singleShot(0, [&seen] {
    auto* about = qobject_cast<FormWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    seen.push_back(about->windowTitle().toStdString());
    for (const char* name :
         {"lblNomLogiciel", "lblVersionLogiciel", "lblMateriel", "lblSiteLine6"}) {
      seen.push_back(about->findChild<QLabel*>(name)->text().toStdString());
    }
    // The designed 257 x 262, and the shortcut list below it.
    seen.push_back(about->size() == QSize(257, 423) ? "257x423" : "wrong size");
    seen.push_back(about->findChild<QLabel*>("lblRaccourcis")->text().toStdString());
    QTest::mouseClick(about->findChild<QLabel*>("lblSiteLine6"), Qt::LeftButton);
    seen.push_back(about->isVisible() ? "still open" : "closed");
    QTest::mouseClick(about->findChild<QAbstractButton*>("bttnAProposFermer"), Qt::LeftButton);
  });
  QTest::mouseClick(Find<QWidget>("bttnAPropos"), Qt::LeftButton);
  EXPECT_THAT(seen, ElementsAre("A propos...", "Velmora", "1.01", "Variax + Vetta II Edition",
                                "Line 6 official website", "257x423",
                                "Ctrl+N   New\nCtrl+O   Open\nCtrl+S   Save\nF5   Synchronise\n"
                                "Ctrl+M   Monitor\nCtrl+L   Library\nCtrl+R   Rig\nF11   Live\nF1  "
                                " About...\nCtrl+T   Traduire",
                                "still open"));
  QDesktopServices::unsetUrlHandler("https");
  EXPECT_THAT(browser.opened, ElementsAre("https://line6.com/"));
  const std::vector<std::string> reload = Wire();
  ASSERT_FALSE(reload.empty());
  EXPECT_EQ(reload.front(), "B0 0C 31 00");
  EXPECT_EQ(reload.back(), "B0 70 00");
}

// The monitor: checking an output port opens it and says its index; a message arriving on
// a checked input port is forwarded there, and its lines reach the log from the
// notification thread through the window's own thread.
TEST_F(WindowTest, MonitorForwardsAndLogs) {
  Start();
  QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);
  Wire();
  auto* outputs = Find<QListWidget>("lbxOutputDevices");
  const auto boxes = Boxes([outputs] { outputs->item(1)->setCheckState(Qt::Checked); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "1");
  EXPECT_EQ(boxes[0].icon, static_cast<int>(QMessageBox::Information));
  Find<QListWidget>("lbxInputDevices")->item(0)->setCheckState(Qt::Checked);

  platform_->InjectShort(0, 0xB0, 0x07, 0x64);
  platform_->InjectShort(0, 0xFE, 0x00, 0x00);
  auto* log = Find<QPlainTextEdit>("memLog");
  ASSERT_TRUE(QTest::qWaitFor([log] { return log->toPlainText().count('\n') == 1; }, 5000));
  const QStringList lines = log->toPlainText().split('\n');
  EXPECT_THAT(lines[0].toStdString(),
              ::testing::MatchesRegex(
                  R"(\[[0-9:.]+\] Virtual In 1: <Status> B0, <Data 1> 07 <Data 2> 64)"));
  EXPECT_EQ(lines[1].toStdString(), " -->Virtual Out 2");
  const std::vector<SentBuffer> sent = platform_->Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].port, 1u);
  EXPECT_TRUE(sent[0].isShort);
}

// The sensitivity labels open pmKnobs at the cursor; "x 16" stores 16 and shows it on both
// channels, and the next press moves the knob by 64.
TEST_F(WindowTest, SensitivityMenuFromTheLabels) {
  Start();
  Wire();
  std::vector<std::string> items;
  QTimer::singleShot(0, [&items] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
      items.push_back(action->objectName().toStdString() + "=" + action->text().toStdString());
    }
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(menu, Qt::Key_Down);
    }
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QTest::mouseClick(Find<QWidget>("lblSensibiliteKnobsAMP1"), Qt::LeftButton);
  EXPECT_THAT(items, ElementsAre("x11=x 1", "X1=x 4", "x81=x 8", "x161=x 16", "x321=x 32"));
  EXPECT_EQ(Find<QLabel>("lblSensibiliteKnobsAMP1")->text(), "16");
  EXPECT_EQ(Find<QLabel>("lblSensibiliteKnobsAMP2")->text(), "16");
  const std::vector<std::uint8_t> config = ReadBytes(folder_ / "config.ini");
  EXPECT_THAT(std::string(config.begin(), config.end()),
              ::testing::HasSubstr("[KNOBS]\r\nFACTOR=16\r\n"));
  EXPECT_THAT(Wire(), ::testing::IsEmpty());
  QTest::mouseClick(Find<QWidget>("knobTREB1"), Qt::RightButton);
  EXPECT_THAT(Wire(), ElementsAre("B0 10 40", "B0 10 50"));
}

// Clicks queued while a handler blocked are dropped, not replayed; other windows (the
// handler's message boxes) keep their input.
TEST(InputDrop, DropsQueuedInputToItsWindowOnly) {
  QWidget window;
  auto* button = new QPushButton("x", &window);
  window.show();
  QWidget box;
  auto* boxButton = new QPushButton("ok", &box);
  box.show();
  bool blocking = true;
  InputDrop blocker(window, [&blocking] { return blocking; });
  int clicks = 0;
  int boxClicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
  QObject::connect(boxButton, &QPushButton::clicked, [&boxClicks] { ++boxClicks; });
  auto postClick = [](QWidget* target) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(
          target, new QMouseEvent(type, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    }
  };
  postClick(button);
  postClick(boxButton);
  blocking = false;
  blocker.DropPendingInput();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(boxClicks, 1);
  postClick(button);
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace velmora

#include "DialogsWidgetTest.moc"

namespace velmora {
namespace {

// Ctrl+R: the rig view beside the main window, which keeps taking input (a power click shows
// at once); Ctrl+R again keeps the one window; closing the main window closes the view.
TEST_F(WindowTest, CtrlROpensTheRigViewWithoutHoldingTheMainWindow) {
  Start();
  QTest::keyClick(window_.get(), Qt::Key_R, Qt::ControlModifier);
  auto* rig = window_->findChild<FormWindow*>("TForm3");
  ASSERT_NE(rig, nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(rig->size(), QSize(560, 476));
  EXPECT_EQ(rig->windowTitle().toStdString(), "Simulated rig");
  auto lines = [rig](const char* name) {
    return rig->findChild<QLabel*>(name)->text().split('\n');
  };
  // The start-up's load: the default file's AMP2 is off.
  EXPECT_EQ(lines("lblRigAMP2").at(2).toStdString(), "OFF");

  QTest::mouseClick(Find<QWidget>("bttnOnOffAMP2"), Qt::LeftButton);
  EXPECT_EQ(lines("lblRigAMP2").at(2).toStdString(), "ON");
  const QString log = rig->findChild<QPlainTextEdit*>("memRigChangements")->toPlainText();
  EXPECT_EQ(log.split('\n').front().toStdString(), "AMP2 power: ON");

  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  QTest::keyClick(window_.get(), Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(window_->findChildren<FormWindow*>("TForm3").size(), 1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(rig));
  window_->close();
  EXPECT_FALSE(rig->isVisible());
}

}  // namespace
}  // namespace velmora
