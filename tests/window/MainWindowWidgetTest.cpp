#include <map>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QWheelEvent>

#include "WindowFixture.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "surface/form/KnobPointer.h"
#include "surface/forms/MainForm.h"
#include "window/GradientButtonWidget.h"
#include "window/KnobWidget.h"
#include "window/PanelWidget.h"
#include "window/PictureWidget.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kConfigFrench =
    "[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\nOut=0\r\n[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\n"
    "NUMBER=1\r\nLETTER=A\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\nLanguage=FR\r\n";
constexpr const char* kTitle = "Velmora 1.01 -  Variax + Vetta II";

const char* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form:
    case ControlKind::Panel:
    case ControlKind::GradientPanel:
      return "velmora::PanelWidget";
    case ControlKind::GradientButton:
      return "velmora::GradientButtonWidget";
    case ControlKind::Button:
      return "QPushButton";
    case ControlKind::Label:
      return "velmora::ClickLabel";
    case ControlKind::ComboBox:
      return "QComboBox";
    case ControlKind::CheckList:
      return "QListWidget";
    case ControlKind::Memo:
      return "QPlainTextEdit";
    case ControlKind::Edit:
      return "QLineEdit";
    case ControlKind::Picture:
      return "velmora::PictureWidget";
    case ControlKind::Knob:
      return "velmora::KnobWidget";
    case ControlKind::ProgressBar:
      return "QProgressBar";
    case ControlKind::PopupMenu:
      return "QMenu";
    case ControlKind::Table:
      return "velmora::TableView";
  }
  return "";
}

std::string TextOf(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return label->text().toStdString();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return button->text().toStdString();
  }
  if (auto* box = qobject_cast<QComboBox*>(widget)) {
    return box->currentText().toStdString();
  }
  return {};
}

ColorScheme LookOf(QWidget* widget) {
  return qobject_cast<GradientButtonWidget*>(widget)->Look();
}

// After the start-up every control of the table is there, of its kind, in its place, with
// its state: the texts that change with the language and the state the default preset set.
class StartupScreen : public WindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StartupScreen, EveryControlAsTheTableAndTheModelSay) {
  const bool french = GetParam();
  Start(french ? kConfigFrench : "");
  EXPECT_EQ(window_->windowTitle().toStdString(), kTitle);
  EXPECT_EQ(window_->size(), QSize(703, 431 + 90));
  FormModel& form = window_->Form();
  for (const ControlEntry& control : MainFormRows().subspan(1)) {
    const std::string name(control.name);
    QObject* object = control.kind == ControlKind::PopupMenu
                          ? window_->findChild<QMenu*>(QString::fromStdString(name))
                          : Find<QWidget>(name);
    ASSERT_NE(object, nullptr) << name;
    EXPECT_STREQ(object->metaObject()->className(), ClassOf(control.kind)) << name;
    auto* widget = qobject_cast<QWidget*>(object);
    if (control.kind == ControlKind::PopupMenu) {
      continue;
    }
    const Geometry& place = control.geometry;
    EXPECT_EQ(widget->geometry(), QRect(place.left, place.top, place.width, place.height)) << name;
    const bool progress = name == "pbTraitementFichier";
    EXPECT_EQ(widget->isHidden(), !control.visible || progress) << name;
    const Binding* binding = FindBinding(MainWindowForm(), name);
    const ModelField field = binding != nullptr ? BoundField(*binding, form) : ModelField{};
    if (const std::string* const* caption = std::get_if<std::string*>(&field)) {
      if (control.kind == ControlKind::Label) {
        EXPECT_EQ(TextOf(widget), **caption) << name;
      }
    } else if (const GradientButton* const* button = std::get_if<GradientButton*>(&field)) {
      EXPECT_EQ(TextOf(widget), (*button)->caption) << name;
      EXPECT_EQ(LookOf(widget), (*button)->look) << name;
    } else if (control.kind == ControlKind::Label || control.kind == ControlKind::GradientButton) {
      EXPECT_EQ(TextOf(widget), control.caption) << name;
    }
  }
  const std::map<std::string, std::string> texts = {
      {"bttnNouveau", french ? "Nouveau" : "New"},
      {"bttnOuvrir", french ? "Ouvrir" : "Open"},
      {"bttnEnregistrer", french ? "Enregistrer" : "Save"},
      {"bttnSynchro", french ? "Synchroniser" : "Synchronise"},
      {"bttnGuitares", french ? "Guitare" : "Guitar"},
      {"bttnTraduire", french ? "Translate" : "Traduire"},
      {"bttnAPropos", french ? "A propos..." : "About..."},
      {"lblMateriel", french ? "Matériel:" : "Hardware:"},
      {"lblModelesGuitares", french ? "Modèles de guitares:" : "Guitars models:"},
      {"lblSensibilite1", french ? "Sensibilité: x" : "Sensibility: x"},
      {"lblSensibiliteKnobsAMP2", "8"},
      {"lblAmpliAMP1", "No amp model"},
      {"lblEnceinteAMP2", "No cab model"},
      {"cbAmpli1", "Bypass (no amp)"},
      {"cbEnceintes2", "Bypass (no cab)"},
      {"cbOutputDevices", "Virtual Out 1"},
      {"cbMateriel", "Variax + Vetta II"},
      {"bttnOnOffAMP1", "ON"},
      {"bttnOnOffAMP2", "OFF"},
      {"lblPresetBanque", "USER"},
      {"lblPresetNumero", "1"},
      {"lblPresetABCD", "A"},
      {"lblGuitareMarque", "..."},
      {"bttnPresets", "Presets"},
  };
  for (const auto& [name, text] : texts) {
    EXPECT_EQ(TextOf(Find<QWidget>(name)), text) << name;
  }
  EXPECT_EQ(Find<QComboBox>("cbAmpli1")->count(), 74);
  EXPECT_EQ(Find<QComboBox>("cbEnceintes1")->count(), 28);
  EXPECT_EQ(Find<QComboBox>("cbGuitares")->count(), 50);
  EXPECT_EQ(Find<QComboBox>("cbGuitares")->currentIndex(), -1);
  EXPECT_EQ(Find<QListWidget>("lbxOutputDevices")->count(), 2);
  EXPECT_EQ(LookOf(Find<QWidget>("bttnOnOffAMP1")), ColorScheme::csNeoDesert);
  EXPECT_EQ(LookOf(Find<QWidget>("bttnOnOffAMP2")), ColorScheme::csNeoSilver);
  EXPECT_EQ(LookOf(Find<QWidget>("bttnPresetUser")), ColorScheme::csNeoDesert);
  EXPECT_EQ(LookOf(Find<QWidget>("bttnPresetFactory")), ColorScheme::csNeoSilver);
  EXPECT_EQ(LookOf(Find<QWidget>("bttnPresetA")), ColorScheme::csNeoDesert);
  EXPECT_EQ(LookOf(Find<QWidget>("bttnGuitares")), ColorScheme::csNeoSun);
  EXPECT_TRUE(Find<QWidget>("pnlEcranAMP1")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("pnlEcranAMP2")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("cbAmpli2")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("knobVOL2")->isEnabled());
  EXPECT_FALSE(Find<PictureWidget>("imgGuitares")->Image().isNull());
  const std::vector<std::string> wire = Wire();
  ASSERT_GE(wire.size(), 3u);
  EXPECT_THAT(std::vector(wire.begin(), wire.begin() + 3),
              ElementsAre("C0 0E", "C0 00", "B0 0C 31 00"));
}

INSTANTIATE_TEST_SUITE_P(FrenchAndEnglish, StartupScreen, ::testing::Values(true, false));

// Only the player's pick sends: a selection made from code moves nothing on the wire.
TEST_F(WindowTest, UserPickSendsAndCodeSelectionDoesNot) {
  Start();
  Wire();
  auto* cabs = Find<QComboBox>("cbEnceintes1");
  cabs->setCurrentIndex(5);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(window_->Form().cbEnceintes1.itemIndex, 0);

  cabs->setCurrentIndex(0);
  QTest::keyClick(cabs, Qt::Key_Down);
  const ModelRecord& second = CabCatalogue(Channel::Amp1)[1];
  EXPECT_THAT(Wire(), ElementsAre(std::string(second.Message)));
  EXPECT_EQ(window_->Form().cbEnceintes1.itemIndex, 1);
  EXPECT_EQ(TextOf(Find<QWidget>("lblEnceinteAMP1")), second.ModelName);
  EXPECT_EQ(cabs->currentIndex(), 1);
}

// Left steps down, right up, any other button nothing; the wheel like the presses; a knob
// of a channel that is off is deaf.
TEST_F(WindowTest, KnobPressesAndWheel) {
  Start();
  Wire();
  auto* drive = Find<KnobWidget>("knobDRIVE1");
  QTest::mouseClick(drive, Qt::LeftButton);
  QTest::mouseClick(drive, Qt::RightButton);
  QTest::mouseClick(drive, Qt::MiddleButton);
  EXPECT_THAT(Wire(),
              ElementsAre("B0 0D 40", "B0 0D 38", "B0 0D 38", "B0 0D 40", "B0 0D 40", "B0 0D 40"));
  auto wheel = [drive](int delta) {
    QWheelEvent event(QPointF(12, 12), drive->mapToGlobal(QPointF(12, 12)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drive, &event);
  };
  wheel(120);
  wheel(-120);
  wheel(60);  // half a notch: nothing yet
  EXPECT_THAT(Wire(), ElementsAre("B0 0D 40", "B0 0D 48", "B0 0D 48", "B0 0D 40"));
  EXPECT_EQ(window_->Form().tbDRIVE1.Position(), 256);

  QTest::mouseClick(Find<KnobWidget>("knobDRIVE2"), Qt::LeftButton);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(window_->Form().tbDRIVE2.Position(), 256);
}

// One channel always stays on; the button's caption and look and its channel's controls
// follow.
TEST_F(WindowTest, PowerRulesOnTheButtons) {
  Start();
  Wire();
  auto state = [this](int channel) {
    const std::string n = std::to_string(channel);
    auto* button = Find<QAbstractButton>("bttnOnOffAMP" + n);
    const bool usable = Find<QWidget>("pnlEcranAMP" + n)->isEnabled() &&
                        Find<QWidget>("cbAmpli" + n)->isEnabled() &&
                        Find<QWidget>("cbEnceintes" + n)->isEnabled() &&
                        Find<QWidget>("knobVOL" + n)->isEnabled();
    return button->text().toStdString() +
           (LookOf(button) == ColorScheme::csNeoDesert ? " desert" : " silver") +
           (usable ? " usable" : " locked");
  };
  QTest::mouseClick(Find<QWidget>("bttnOnOffAMP2"), Qt::LeftButton);
  EXPECT_THAT(Wire(), ElementsAre("B0 70 7F", "B0 6F 7F"));
  EXPECT_EQ(state(2), "ON desert usable");
  QTest::mouseClick(Find<QWidget>("bttnOnOffAMP1"), Qt::LeftButton);
  EXPECT_THAT(Wire(), ElementsAre("B0 6F 00", "B0 70 7F"));
  EXPECT_EQ(state(1), "OFF silver locked");
  QTest::mouseClick(Find<QWidget>("bttnOnOffAMP2"), Qt::LeftButton);
  EXPECT_THAT(Wire(), ElementsAre("B0 70 7F"));
  EXPECT_EQ(state(2), "ON desert usable");
  EXPECT_EQ(state(1), "OFF silver locked");
}

// The canvas keeps every pointer the core draws until it erases it in yellow; erasing
// gives back the face exactly.
TEST_F(WindowTest, KnobCanvasPointersAndErasing) {
  Start();
  KnobWidget fresh(nullptr);
  const QImage face = fresh.Canvas();
  const QColor olive(128, 128, 0);
  const QColor yellow(255, 255, 0);
  EXPECT_EQ(face.pixelColor(0, 0), olive);
  EXPECT_EQ(face.pixelColor(12, 12), yellow);
  EXPECT_EQ(face.pixelColor(12, 1), yellow);
  const std::vector<std::pair<int, KnobPoint>> ends = {
      {0, {7, 20}}, {128, {3, 10}}, {256, {12, 3}}, {384, {21, 9}}, {508, {18, 19}}};
  for (const auto& [value, end] : ends) {
    ASSERT_EQ(KnobPointerEnd(value), end);
    fresh.DrawPointer(kKnobOlive, KnobPointerStart(), end);
    EXPECT_EQ(fresh.Canvas().pixelColor(end.x, end.y), olive) << value;
    EXPECT_EQ(fresh.Canvas().pixelColor(12, 12), olive) << value;
    fresh.DrawPointer(kKnobYellow, KnobPointerStart(), end);
    EXPECT_EQ(fresh.Canvas(), face) << value << " left a trace";
  }

  // In the window: the start-up drew DRIVE1 at 256; a left press moves it to 224.
  auto* drive = Find<KnobWidget>("knobDRIVE1");
  KnobWidget expected(nullptr);
  expected.DrawPointer(kKnobOlive, KnobPointerStart(), KnobPointerEnd(256));
  EXPECT_EQ(drive->Canvas(), expected.Canvas());
  QTest::mouseClick(drive, Qt::LeftButton);
  expected.DrawPointer(kKnobYellow, KnobPointerStart(), KnobPointerEnd(256));
  expected.DrawPointer(kKnobOlive, KnobPointerStart(), KnobPointerEnd(224));
  EXPECT_EQ(drive->Canvas(), expected.Canvas());
}

// A handler's error: the error box with the identity title and the text with its full stop;
// the press stops there.
TEST_F(WindowTest, ErrorBoxTextAndTitle) {
  Start("[KNOBS]\r\nFACTOR=beaucoup\r\n[CONFIG]\r\nLanguage=EN\r\n[MIDI]\r\nOut=0\r\n");
  Wire();
  const auto boxes =
      Boxes([this] { QTest::mouseClick(Find<KnobWidget>("knobBASS1"), Qt::LeftButton); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, kTitle);
  EXPECT_EQ(boxes[0].text, "'beaucoup' n'est pas une valeur entière correcte.");
  EXPECT_EQ(boxes[0].icon, static_cast<int>(QMessageBox::Critical));
  EXPECT_THAT(Wire(), ElementsAre("B0 0E 40"));
  EXPECT_EQ(window_->Form().tbBASS1.Position(), 256);
}

// Hiding and showing the guitar column and the preset panel gives back every place.
TEST_F(WindowTest, TogglingColumnAndPresetPanelRestoresGeometry) {
  Start();
  auto places = [this] {
    std::map<std::string, QRect> all;
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      if (widget->window() == window_.get() &&
          FindControl(MainFormRows(), widget->objectName().toStdString()) != nullptr) {
        all[widget->objectName().toStdString()] = widget->geometry();
      }
    }
    all["TForm1"] = QRect(QPoint(), window_->size());
    return all;
  };
  const auto before = places();
  auto sameAsBefore = [&before](const std::map<std::string, QRect>& now) {
    std::string moved;
    for (const auto& [name, place] : before) {
      if (now.at(name) != place) {
        moved += name + " ";
      }
    }
    return moved;
  };
  QTest::mouseClick(Find<QWidget>("bttnGuitares"), Qt::LeftButton);
  EXPECT_EQ(window_->size(), QSize(703 - 170, 521));
  EXPECT_TRUE(Find<QWidget>("imgGuitares")->isHidden());
  EXPECT_EQ(Find<QWidget>("pnlOptions")->x(), 6);
  EXPECT_EQ(Find<QWidget>("pnlPresets")->x(), 6);
  EXPECT_EQ(Find<QWidget>("pbTraitementFichier")->x(), 0);
  QTest::mouseClick(Find<QWidget>("bttnGuitares"), Qt::LeftButton);
  EXPECT_EQ(sameAsBefore(places()), "");
  EXPECT_FALSE(Find<QWidget>("imgGuitares")->isHidden());

  QTest::mouseClick(Find<QWidget>("bttnPresets"), Qt::LeftButton);
  EXPECT_EQ(window_->size(), QSize(703, 431));
  EXPECT_TRUE(Find<QWidget>("pnlPresets")->isHidden());
  EXPECT_EQ(LookOf(Find<QWidget>("bttnPresets")), ColorScheme::csNeoSilver);
  QTest::mouseClick(Find<QWidget>("bttnPresets"), Qt::LeftButton);
  EXPECT_EQ(sameAsBefore(places()), "");
  EXPECT_FALSE(Find<QWidget>("pnlPresets")->isHidden());

  // Ctrl+M: the monitor below, the window grown to hold it; the same keys take it away.
  QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(window_->size(), QSize(930, 609));
  EXPECT_FALSE(Find<QWidget>("memLog")->isHidden());
  QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(sameAsBefore(places()), "");
  EXPECT_TRUE(Find<QWidget>("memLog")->isHidden());
}

}  // namespace
}  // namespace velmora
