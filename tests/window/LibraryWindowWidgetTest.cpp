#include <fstream>

#include <gmock/gmock.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

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

}  // namespace
}  // namespace velmora
