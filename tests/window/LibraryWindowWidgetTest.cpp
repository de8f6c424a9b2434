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

// The name plate's menu, from a right-click or, once a click gave it the focus, Shift+F10:
// the captions of the language chosen beside their keys, each entry doing what its keys do.
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
    bool byKeys;
    std::function<bool()> done;
  };
  const Case cases[] = {
      {0, false, [&] { return shownTitled("Preset library"); }},
      {1, true, [&] { return Find<QWidget>("memLog")->isVisible(); }},
      {2, true, [&] { return shownTitled("Simulated rig"); }},
  };
  for (const Case& row : cases) {
    // The window the last entry opened has taken the focus.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    if (row.byKeys) {
      QTest::mouseClick(plate, Qt::LeftButton);
    }
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
    if (row.byKeys) {
      QTest::keyClick(plate, Qt::Key_F10, Qt::ShiftModifier);
    } else {
      QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                              plate->mapToGlobal(QPoint(20, 20)));
      QApplication::sendEvent(plate, &click);
    }
    EXPECT_THAT(items,
                ElementsAre("Preset library\tCtrl+L", "MIDI monitor\tCtrl+M", "Rig view\tCtrl+R"));
    EXPECT_TRUE(QTest::qWaitFor(row.done)) << row.entry;
  }
}

}  // namespace
}  // namespace velmora
