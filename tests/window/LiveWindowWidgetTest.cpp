#include <algorithm>
#include <fstream>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "TemporaryFolder.h"
#include "WindowFixture.h"
#include "window/ClickLabel.h"
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
      << "FACTORY 16D\tIntro\nUSER 3B\tVerse and chorus of the long song, the solo played twice\n"
         "Solo.vmp\n";
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
  EXPECT_EQ(text("lblLiveNext"), "Verse and chorus of the long song, the solo played twice");
  EXPECT_EQ(text("lblLivePosition"), "1 / 3");
  EXPECT_GE(live->findChild<QLabel*>("lblLiveLabel")->font().pixelSize(), 48);
  EXPECT_TRUE(Wire().empty());

  QTest::keyClick(live, Qt::Key_Right);
  EXPECT_EQ(Wire(), (std::vector<std::string>{"C0 0E", "C0 09"}));
  // Too wide for one line at 64 px: two lines, whole, no smaller than 48 px.
  const FittedText fitted = live->findChild<ClickLabel*>("lblLiveLabel")->Fitted();
  EXPECT_EQ(fitted.lines.size(), 2u);
  EXPECT_GE(fitted.pixelSize, 48);

  // The release (value 0) steps nothing; the press loads the file.
  ASSERT_TRUE(QTest::qWaitFor([&] { return text("lblLiveLabel") == "Solo"; }, 5000));
  const std::vector<std::string> load = Wire();
  ASSERT_FALSE(load.empty());
  EXPECT_EQ(load.back(), "B0 70 00");
  EXPECT_EQ(text("lblLivePosition"), "3 / 3");
  EXPECT_EQ(text("lblLiveNext"), "(fin de la setlist)");

  QTest::keyClick(live, Qt::Key_PageDown);
  EXPECT_EQ(text("lblLiveStatus"), "Déjà sur le dernier élément (3/3)");
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

// Keys given while a load runs wait in the queue until it ends: the steps among them count,
// and the editor goes straight to the last item asked for with one load, sending nothing of
// the stored presets passed over; the view's other keys (Escape) are dropped with the rest.
TEST_F(WindowTest, LiveStepsGivenDuringALoadEndOnTheLastItemAskedWithOneLoad) {
  const std::filesystem::path setlist =
      std::filesystem::temp_directory_path() / ("velmora-busy-" + std::to_string(getpid()));
  std::filesystem::create_directories(setlist);
  std::ofstream(setlist / "Solo.vmp", std::ios::binary) << "[AMP1]\r\nPower=ON\r\n";
  std::ofstream(setlist / "gig.vsl", std::ios::binary)
      << "FACTORY 16D\tIntro\nSolo.vmp\nUSER 3B\nFACTORY 2B\nSolo.vmp\tEncore\n";
  Start("[MIDI]\r\nOut=0\r\n[LIVE]\r\nSetlist=" + (setlist / "gig.vsl").string() + "\r\n");
  Wire();
  QTest::keyClick(window_.get(), Qt::Key_F11);
  auto* live = window_->findChild<FormWindow*>("TFormLive");
  ASSERT_TRUE(QTest::qWaitFor([live] { return live->isActiveWindow(); }));
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Space, Qt::Key_PageDown, Qt::Key_Escape}) {
    QMetaObject::invokeMethod(
        live, [live, key] { QTest::keyClick(live, key); }, Qt::QueuedConnection);
  }
  QTest::keyClick(live, Qt::Key_Right);
  QCoreApplication::processEvents();
  const std::vector<std::string> wire = Wire();
  const auto half = wire.begin() + std::ptrdiff_t(wire.size() / 2);
  EXPECT_EQ(std::vector<std::string>(wire.begin(), half),
            std::vector<std::string>(half, wire.end()));
  EXPECT_EQ(std::count(wire.begin(), wire.end(), "B0 70 00"), 2);
  EXPECT_EQ(live->findChild<QLabel*>("lblLivePosition")->text().toStdString(), "5 / 5");
  EXPECT_EQ(live->findChild<QLabel*>("lblLiveLabel")->text().toStdString(), "Encore");
  EXPECT_TRUE(live->isVisible());
  std::filesystem::remove_all(setlist);
}

// Answers the next file dialog with the name, or cancels it when the name is empty.
void AnswerFileDialog(const std::filesystem::path& name) {
  QTimer::singleShot(5, [name] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      return AnswerFileDialog(name);
    }
    dialog->selectFile(QString::fromStdString(name.string()));
    name.empty() ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
  });
}

// A key on a control, or without one a click.
struct PaneStep {
  const char* control;
  Qt::Key key = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
struct PaneCase {
  std::vector<PaneStep> steps;
  std::string saved;
};
constexpr PaneStep kFirstRow{"lvSetlist", Qt::Key_Up};

// The library window's setlist pane: two stored presets added, the second moved up with
// Alt+Up, saved under the name given to the save dialog and kept in config.ini; "Learn previous"
// binds the next message from the replayed input port (its release skipped) and keeps it in
// config.ini.
TEST_F(WindowTest, SetlistPaneEditsSavesAndLearnsTheFootswitch) {
  Start("[MIDI]\r\nOut=0\r\n", VELMORA_SOURCE_DIR, "300 0 B0 50 00\n600 0 C0 07\n");
  std::filesystem::create_directories(folder_ / "presets");
  QTest::keyClick(window_.get(), Qt::Key_L, Qt::ControlModifier);
  QWidget* library = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    library = QApplication::activeWindow();
    return library != nullptr && library->objectName() == "TFormBibliotheque";
  }));
  auto type = [library](const char* box, const QString& text) {
    auto* edit = library->findChild<QLineEdit*>(box);
    edit->clear();
    QTest::keyClicks(edit, text);
  };
  auto press = [library](const char* button) {
    QTest::mouseClick(library->findChild<QAbstractButton*>(button), Qt::LeftButton);
  };
  const std::filesystem::path gig = folder_ / "gig.vsl";
  press("bttnSetlistAjouterStocke");
  type("edtSetlistStored", "FACTORY 16D");
  press("bttnSetlistAjouterStocke");
  QTest::keyClick(library, Qt::Key_Up, Qt::AltModifier);
  AnswerFileDialog(folder_ / "gig");
  press("bttnSetlistEnregistrer");
  std::ifstream saved(gig, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "FACTORY 16D\nUSER 1A\n");

  press("bttnApprendrePrecedent");
  auto* footswitch = library->findChild<QLabel*>("lblPedale");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return footswitch->text().contains("précédent C0 07 (Virtual In 1)"); }, 5000))
      << footswitch->text().toStdString();
  std::ifstream config(folder_ / "config.ini", std::ios::binary);
  const std::string kept(std::istreambuf_iterator<char>(config), {});
  EXPECT_NE(kept.find("Setlist=" + gig.string() + "\r\n"), std::string::npos) << kept;
  EXPECT_NE(kept.find("PreviousPort=Virtual In 1\r\nPrevious=C0 07\r\n"), std::string::npos)
      << kept;
  library->close();
}

class SetlistPaneWindow : public WindowTest, public ::testing::WithParamInterface<PaneCase> {};

// USER 1A and FACTORY 16D added, then the case's gestures, then Save: the bytes on disk.
TEST_P(SetlistPaneWindow, EditsAndSavesTheChosenFile) {
  Start("[MIDI]\r\nOut=0\r\n");
  std::filesystem::create_directories(folder_ / "presets");
  std::ofstream(folder_ / "presets/Clean.vmp", std::ios::binary) << "[AMP1]\r\nPower=ON\r\n";
  QTest::keyClick(window_.get(), Qt::Key_L, Qt::ControlModifier);
  QWidget* library = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    library = QApplication::activeWindow();
    return library != nullptr && library->objectName() == "TFormBibliotheque";
  }));
  EXPECT_EQ(library->findChild<QLabel*>("lblSetlistFichier")->text(),
            "(nouvelle, pas encore enregistrée)");
  auto* add = library->findChild<QAbstractButton*>("bttnSetlistAjouterStocke");
  QTest::mouseClick(add, Qt::LeftButton);
  auto* stored = library->findChild<QLineEdit*>("edtSetlistStored");
  stored->clear();
  QTest::keyClicks(stored, "FACTORY 16D");
  QTest::mouseClick(add, Qt::LeftButton);
  for (const PaneStep& step : GetParam().steps) {
    QWidget* control = library->findChild<QWidget*>(step.control);
    control->setFocus();
    if (step.key == Qt::Key_unknown) {
      QTest::mouseClick(control, Qt::LeftButton);
    } else {
      QTest::keyClick(control, step.key, step.modifiers);
    }
  }
  AnswerFileDialog(folder_ / "gig.vsl");
  QTest::mouseClick(library->findChild<QAbstractButton*>("bttnSetlistEnregistrer"), Qt::LeftButton);
  EXPECT_EQ(ReadAll(folder_ / "gig.vsl"), GetParam().saved);
  EXPECT_EQ(library->findChild<QLabel*>("lblSetlistFichier")->text(), "gig.vsl");
  library->close();
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetlistPaneWindow,
    ::testing::Values(PaneCase{{kFirstRow, {"lvSetlist", Qt::Key_Down, Qt::AltModifier}},
                               "FACTORY 16D\nUSER 1A\n"},
                      // Insert: the library's selection goes after the pane's.
                      PaneCase{{kFirstRow, {"lvPresets", Qt::Key_Insert}},
                               "USER 1A\npresets/Clean.vmp\nFACTORY 16D\n"},
                      PaneCase{{kFirstRow, {"bttnSetlistRetirer"}}, "FACTORY 16D\n"}));

}  // namespace
}  // namespace velmora
