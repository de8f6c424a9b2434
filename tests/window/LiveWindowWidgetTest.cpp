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
  EXPECT_EQ(fitted.lines.front() + " " + fitted.lines.back(),
            "Verse and chorus of the long song, the solo played twice");

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

// Answers the next file dialog with the name, or cancels it when the name is empty.
void AnswerFileDialog(const std::filesystem::path& name) {
  auto* answer = new QTimer;
  QObject::connect(answer, &QTimer::timeout, [answer, name] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      answer->deleteLater();
      answer->stop();
      if (name.empty()) {
        dialog->reject();
      } else {
        dialog->selectFile(QString::fromStdString(name.string()));
        static_cast<QDialog*>(dialog)->accept();
      }
    }
  });
  answer->start(5);
}

// A gesture on the pane: text typed into an edit box, a key on a control, or a click.
struct PaneStep {
  const char* control;
  const char* typed = nullptr;
  Qt::Key key = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct PaneCase {
  const char* name;
  std::vector<PaneStep> steps;
  std::string saved;
};

constexpr PaneStep kAddStored{"bttnSetlistAjouterStocke"};
constexpr PaneStep kTypeFactory{"edtSetlistStored", "FACTORY 16D"};
constexpr PaneStep kFirstRow{"lvSetlist", nullptr, Qt::Key_Up};

class SetlistPaneWindow : public WindowTest, public ::testing::WithParamInterface<PaneCase> {};

// The pane's gestures, then Save: a setlist never saved asks for its file, and the name
// typed without extension gets ".vsl"; the bytes on disk and config.ini follow.
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
  for (const PaneStep& step : GetParam().steps) {
    QWidget* control = library->findChild<QWidget*>(step.control);
    if (step.typed != nullptr) {
      qobject_cast<QLineEdit*>(control)->clear();
      QTest::keyClicks(control, step.typed);
    } else if (step.key != Qt::Key_unknown) {
      control->setFocus();
      QTest::keyClick(control, step.key, step.modifiers);
    } else {
      QTest::mouseClick(qobject_cast<QAbstractButton*>(control), Qt::LeftButton);
    }
  }
  AnswerFileDialog(folder_ / "gig");
  QTest::mouseClick(library->findChild<QAbstractButton*>("bttnSetlistEnregistrer"), Qt::LeftButton);
  EXPECT_EQ(ReadAll(folder_ / "gig.vsl"), GetParam().saved) << GetParam().name;
  EXPECT_EQ(library->findChild<QLabel*>("lblSetlistFichier")->text(), "gig.vsl");
  EXPECT_NE(ReadAll(folder_ / "config.ini").find("Setlist=" + (folder_ / "gig.vsl").string()),
            std::string::npos);
  library->close();
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetlistPaneWindow,
    ::testing::Values(PaneCase{"Alt+Up moves the selected item up",
                               {kAddStored,
                                kTypeFactory,
                                kAddStored,
                                {"lvSetlist", nullptr, Qt::Key_Up, Qt::AltModifier}},
                               "FACTORY 16D\nUSER 1A\n"},
                      PaneCase{"Alt+Down moves it down",
                               {kAddStored,
                                kTypeFactory,
                                kAddStored,
                                kFirstRow,
                                {"lvSetlist", nullptr, Qt::Key_Down, Qt::AltModifier}},
                               "FACTORY 16D\nUSER 1A\n"},
                      PaneCase{"Insert adds the library's selection after the pane's",
                               {kAddStored,
                                kTypeFactory,
                                kAddStored,
                                kFirstRow,
                                {"lvPresets", nullptr, Qt::Key_Insert}},
                               "USER 1A\npresets/Clean.vmp\nFACTORY 16D\n"},
                      PaneCase{
                          "Remove takes the selected item out",
                          {kAddStored, kTypeFactory, kAddStored, kFirstRow, {"bttnSetlistRetirer"}},
                          "FACTORY 16D\n"}));

// "Learn previous" binds the next message from the replayed input port (its release
// skipped) and keeps it in config.ini; Open's dialog cancelled leaves the setlist.
TEST_F(WindowTest, SetlistPaneLearnsTheFootswitch) {
  Start("[MIDI]\r\nOut=0\r\n", VELMORA_SOURCE_DIR, "300 0 B0 50 00\n600 0 C0 07\n");
  QTest::keyClick(window_.get(), Qt::Key_L, Qt::ControlModifier);
  QWidget* library = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    library = QApplication::activeWindow();
    return library != nullptr && library->objectName() == "TFormBibliotheque";
  }));
  auto press = [library](const char* button) {
    QTest::mouseClick(library->findChild<QAbstractButton*>(button), Qt::LeftButton);
  };
  press("bttnSetlistAjouterStocke");
  AnswerFileDialog({});
  press("bttnSetlistOuvrir");
  EXPECT_EQ(library->findChild<QLabel*>("lblSetlistFichier")->text(),
            "(nouvelle, pas encore enregistrée)");

  press("bttnApprendrePrecedent");
  auto* footswitch = library->findChild<QLabel*>("lblPedale");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return footswitch->text().contains("précédent C0 07 (Virtual In 1)"); }, 5000))
      << footswitch->text().toStdString();
  const std::string kept = ReadAll(folder_ / "config.ini");
  EXPECT_NE(kept.find("PreviousPort=Virtual In 1\r\nPrevious=C0 07\r\n"), std::string::npos)
      << kept;
  library->close();
}

}  // namespace
}  // namespace velmora
