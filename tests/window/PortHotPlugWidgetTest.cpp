#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "WindowFixture.h"

namespace velmora {
namespace {

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) {
    items << box.itemText(i);
  }
  return items;
}

TEST_F(WindowTest, PortListsFollowPortsThatComeAndGoWithoutSendingOrShowingAnything) {
  Start();
  Wire();
  auto* ports = Find<QComboBox>("cbOutputDevices");
  auto* thru = Find<QListWidget>("lbxOutputDevices");
  ASSERT_EQ(ports->currentText(), "Virtual Out 1");

  // Told from the platform; the window rescans on its own thread once events are processed.
  platform_->InsertOutput(0, "USB Keys");
  ASSERT_TRUE(QTest::qWaitFor([&] { return ports->count() == 3; }, 5000));
  EXPECT_EQ(Items(*ports), QStringList({"USB Keys", "Virtual Out 1", "Virtual Out 2"}));
  EXPECT_EQ(ports->currentIndex(), 1);
  EXPECT_EQ(thru->count(), 3);

  const std::vector<Box> boxes = Boxes([&] {
    platform_->RemoveOutput(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return thru->count() == 2; }, 5000));
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Items(*ports),
            QStringList({"USB Keys", "Virtual Out 2", "Virtual Out 1 (non connecté)"}));
  EXPECT_EQ(ports->currentIndex(), 2);
  EXPECT_TRUE(Wire().empty());
}

}  // namespace
}  // namespace velmora
