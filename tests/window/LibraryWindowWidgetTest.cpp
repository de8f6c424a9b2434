#include <fstream>
#include <functional>

#include <gmock/gmock.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"
#include "profile/Profile.h"
#include "window/FormWindow.h"
#include "window/TableView.h"

namespace velmora {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

constexpr const char* kGuitar2 = "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00";

// Ctrl+L, a search typed into the box, and Enter: the list narrows as the keys go in, and
// the preset under the selection goes out as a load.
TEST_F(WindowTest, LibraryOpensWithCtrlLFiltersAsTypedAndAuditionsWithEnter) {
  Start();
  const std::filesystem::path presets = folder_ / "presets";
  std::filesystem::create_directories(presets / "Rock");
  std::ofstream(presets / "Clean.vmp", std::ios::binary) << "[AMP1]\r\nAmp=Line6 Clean\r\n";
  std::ofstream(presets / "Rock/Plexi Tele.vmp", std::ios::binary)
      << "[AMP1]\r\nPower=ON\r\nAmp='68 Brit Plexi Lead 100\r\nDRIVE1=4\r\n"
         "[Variax]\r\nGuitar=2 Telecaster modified\r\n";
  Wire();

  QTest::keyClick(window_.get(), Qt::Key_L, Qt::ControlModifier);
  // The search box has the focus once the window is up.
  ASSERT_TRUE(QTest::qWaitFor([] {
    return QApplication::focusWidget() != nullptr &&
           QApplication::focusWidget()->objectName() == "edtRecherche";
  }));
  QWidget* search = QApplication::focusWidget();
  auto* library = qobject_cast<FormWindow*>(search->window());
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->windowTitle(), "Preset library");
  auto* list = library->findChild<TableView*>("lvPresets");
  EXPECT_EQ(list->model()->rowCount(), 2);

  QTest::keyClicks(search, "plexi te");
  ASSERT_EQ(list->model()->rowCount(), 1);
  EXPECT_EQ(list->model()->index(0, 0).data().toString(), "Plexi Tele");
  EXPECT_EQ(list->model()->index(0, 3).data().toString(), "2 Telecaster modified");
  EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), "AMP1");

  QTest::keyClick(search, Qt::Key_Return);
  const std::vector<std::string> load = Wire();
  ASSERT_FALSE(load.empty());
  EXPECT_EQ(load.front(), kGuitar2);
  EXPECT_THAT(load, Contains("B0 0D 01"));
  EXPECT_EQ(load.back(), "B0 70 00");
  library->close();
}

// The name plate's menu, from a right-click: the captions of the language chosen beside their keys,
// each entry doing what its keys do.
TEST_F(WindowTest, NamePlateMenuOpensTheLibraryTheMonitorAndTheRigView) {
  Start();
  QWidget* plate = Find<QWidget>("pnlOptions");
  const auto shownTitled = [](const char* title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible() && widget->windowTitle().startsWith(title)) {
        return true;
      }
    }
    return false;
  };
  struct Case {
    int entry;
    std::function<bool()> done;
  };
  const Case cases[] = {
      {0, [&] { return shownTitled("Preset library"); }},
      {1, [&] { return Find<QWidget>("memLog")->isVisible(); }},
      {2, [&] { return shownTitled("Simulated rig"); }},
  };
  for (const Case& row : cases) {
    // The window the last entry opened has taken the focus.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    std::vector<std::string> items;
    QTimer::singleShot(0, [&items, &row] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* action : menu->actions()) {
        items.push_back(action->text().toStdString());
      }
      for (int i = 0; i <= row.entry; ++i) {
        QTest::keyClick(menu, Qt::Key_Down);
      }
      QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                            plate->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(plate, &click);
    EXPECT_THAT(items, ElementsAre("Preset library\tCtrl+L", "MIDI monitor\tCtrl+M",
                                   "Rig view\tCtrl+R", "Live view\tF11"));
    EXPECT_TRUE(QTest::qWaitFor(row.done)) << row.entry;
  }
}

FormWindow* OpenLibrary(QWidget& editor) {
  editor.activateWindow();
  if (!QTest::qWaitForWindowActive(&editor)) {
    return nullptr;
  }
  QTest::keyClick(&editor, Qt::Key_L, Qt::ControlModifier);
  FormWindow* library = nullptr;
  const bool shown = QTest::qWaitFor([&library] {
    QWidget* focus = QApplication::focusWidget();
    library = focus != nullptr ? qobject_cast<FormWindow*>(focus->window()) : nullptr;
    return library != nullptr && library->isVisible();
  });
  return shown ? library : nullptr;
}

// The window opens where it was left, its list and content pane grown with it; a place off
// every screen, too small or not a number is not trusted: the window opens centred at its
// designed size.
TEST_F(WindowTest, LibraryKeepsItsPlaceInConfigAndDistrustsABadOne) {
  Start();
  const std::filesystem::path config = folder_ / "config.ini";
  FormWindow* library = OpenLibrary(*window_);
  ASSERT_NE(library, nullptr);
  // 30 wider than designed (1048, the setlist pane's 288 on the right included).
  library->resize(1078, 520);
  library->move(5, 6);
  library->close();
  std::string kept;
  for (const char* key : {"WindowX", "WindowY", "WindowW", "WindowH"}) {
    kept += ReadProfileString(config, "LIBRARY", key) + " ";
  }
  EXPECT_EQ(kept, "5 6 1078 520 ");
  library = OpenLibrary(*window_);
  ASSERT_NE(library, nullptr);
  const auto place = [&library] {
    return std::to_string(library->x()) + " " + std::to_string(library->y()) + " " +
           std::to_string(library->width()) + " " + std::to_string(library->height()) + " ";
  };
  EXPECT_EQ(place(), kept);
  EXPECT_EQ(library->findChild<QWidget*>("lvPresets")->geometry(), QRect(8, 34, 530, 421));
  EXPECT_EQ(library->findChild<QWidget*>("lblContenu")->geometry(), QRect(546, 34, 236, 357));
  EXPECT_EQ(library->findChild<QWidget*>("bttnFermer")->geometry(), QRect(682, 487, 100, 25));

  const QPoint centred =
      library->screen()->availableGeometry().center() - QRect(0, 0, 1048, 463).center();
  const std::pair<const char*, const char*> untrusted[] = {
      {"WindowX", "5000"}, {"WindowW", "100"}, {"WindowH", "x"}, {"WindowY", ""}};
  for (const auto& [key, value] : untrusted) {
    library->close();
    WriteProfileString(config, "LIBRARY", key, value);
    library = OpenLibrary(*window_);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(QRect(library->pos(), library->size()), QRect(centred, QSize(1048, 463)))
        << key << "=" << value;
  }
  library->close();
}

// Ctrl+F goes back to the search box with its text selected; Up and Down there move the
// list's selection. The list follows a file another program adds, within seconds, the
// selection staying on its file.
TEST_F(WindowTest, LibraryKeysFromTheSearchBoxAndTheListFollowingTheFolder) {
  Start();
  const std::filesystem::path presets = folder_ / "presets";
  std::filesystem::create_directories(presets);
  for (const char* name : {"Clean.vmp", "Lead.vmp", "Rhythm.vmp"}) {
    std::ofstream(presets / name, std::ios::binary) << "[AMP1]\r\nAmp=Line6 Clean\r\n";
  }
  FormWindow* library = OpenLibrary(*window_);
  ASSERT_NE(library, nullptr);
  auto* search = library->findChild<QLineEdit*>("edtRecherche");
  auto* list = library->findChild<TableView*>("lvPresets");
  QTest::keyClicks(search, "l");
  QTest::keyClick(library, Qt::Key_Tab);
  ASSERT_NE(QApplication::focusWidget(), search);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), search);
  EXPECT_EQ(search->selectedText(), "l");
  QTest::keyClick(search, Qt::Key_Backspace);
  const auto selected = [list] {
    return list->currentIndex().siblingAtColumn(0).data().toString();
  };
  EXPECT_EQ(selected(), "Clean");
  QTest::keyClick(search, Qt::Key_Down);
  QTest::keyClick(search, Qt::Key_Down);
  QTest::keyClick(search, Qt::Key_Up);
  EXPECT_EQ(selected(), "Lead");
  EXPECT_EQ(QApplication::focusWidget(), search);

  std::ofstream(presets / "Acoustic.vmp", std::ios::binary) << "[AMP1]\r\nAmp=Line6 Clean\r\n";
  EXPECT_TRUE(QTest::qWaitFor([list] { return list->model()->rowCount() == 4; }, 5000));
  EXPECT_EQ(selected(), "Lead");
  library->close();
}

}  // namespace
}  // namespace velmora
