#include "surface/editing/GuitarPanel.h"

#include <array>
#include <string>
#include <string_view>

#include "catalogue/Variax.h"
#include "surface/editing/MidiSend.h"

namespace velmora {

namespace {

constexpr std::string_view kPictureFolder = "images/Guitares/";
constexpr std::string_view kFallbackGuitarPicture = "Variax 700 rouge.jpg";

std::filesystem::path PicturePath(const EditingContext& context, std::string_view relative) {
  return context.folders.pictures / (std::string(kPictureFolder) + std::string(relative));
}

// The control shows the file only once the window has loaded it.
void ShowPicture(EditingContext& context, std::string_view controlName, Picture& control,
                 const std::filesystem::path& path) {
  context.view.LoadPicture(controlName, path);
  control.file = path;
}

std::string_view PickupPicture(std::string_view digit) {
  if (digit == "0") {
    return "nopickup.jpg";
  }
  if (digit == "1") {
    return "single coil.jpg";
  }
  if (digit == "2") {
    return "humbucker.jpg";
  }
  return {};
}

// "1:0:1" -> "1", "0", "1"; missing parts are empty.
std::array<std::string_view, 3> SplitPattern(std::string_view pattern) {
  std::array<std::string_view, 3> parts{};
  for (std::string_view& part : parts) {
    const std::size_t colon = pattern.find(':');
    part = pattern.substr(0, colon);
    pattern = colon == std::string_view::npos ? std::string_view{} : pattern.substr(colon + 1);
  }
  return parts;
}

void ApplyGuitarRecord(EditingContext& context, int recordNumber) {
  FormModel& form = context.form;
  const GuitarRecord& guitar = GuitarRecordAt(recordNumber);
  SendModelMessage(context, "Guitare", recordNumber);

  const std::filesystem::path own =
      PicturePath(context, std::string(guitar.Bank) + "/" + std::string(guitar.Picture));
  ShowPicture(context, "imgGuitares", form.imgGuitares,
              context.view.PictureExists(own) ? own : PicturePath(context, kFallbackGuitarPicture));

  form.lblGuitareMarque = guitar.Brand;
  form.lblGuitareModele = guitar.Model;
  form.lblVariaxBanque = guitar.Bank;
  form.lblGuitareAnnee = guitar.Year;

  const std::string_view position = guitar.Position;
  if (position.size() == 1 && position[0] >= '1' && position[0] <= '5') {
    ShowPicture(context, "imgSelecteurMicros", form.imgSelecteurMicros,
                PicturePath(context, "selecteur" + std::string(position) + ".jpg"));
  }

  if (guitar.PickupPattern.empty()) {
    return;
  }
  const std::array<std::string_view, 3> parts = SplitPattern(guitar.PickupPattern);
  const std::array<std::string_view, 3> names = {"imgMicroManche", "imgMicroCentre",
                                                 "imgMicroChevalet"};
  const std::array<Picture*, 3> pictures = {&form.imgMicroManche, &form.imgMicroCentre,
                                            &form.imgMicroChevalet};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string_view file = PickupPicture(parts[i]);
    if (!file.empty()) {
      ShowPicture(context, names[i], *pictures[i], PicturePath(context, file));
    }
  }
}

void MoveGuitarColumn(FormModel& form, int shift) {
  form.windowWidth += shift;
  for (Panel* panel : form.MovablePanels()) {
    panel->left += shift;
  }
}

}  // namespace

void ApplyGuitarSelection(EditingContext& context) {
  const std::string key = context.form.cbGuitares.Text();
  for (int i = 1; i <= kGuitarRecordCount; ++i) {
    if (GuitarKey(i) == key) {
      ApplyGuitarRecord(context, i);
    }
  }
}

void FillGuitarList(FormModel& form) {
  for (int i = 1; i <= kGuitarRecordCount; ++i) {
    form.cbGuitares.items.push_back(GuitarKey(i));
  }
}

void HideGuitarPicture(FormModel& form) {
  form.bttnGuitares.look = ColorScheme::csNeoSilver;
  form.imgGuitares.visible = false;
  MoveGuitarColumn(form, -kGuitarColumnWidth);
}

void ShowGuitarPicture(FormModel& form) {
  form.bttnGuitares.look = ColorScheme::csNeoSun;
  form.imgGuitares.visible = true;
  MoveGuitarColumn(form, kGuitarColumnWidth);
}

void cbGuitaresChange(EditingContext& context) {
  ApplyGuitarSelection(context);
}

void bttnGuitaresClick(FormModel& form) {
  if (form.bttnGuitares.look == ColorScheme::csNeoSun) {
    HideGuitarPicture(form);
  } else if (form.bttnGuitares.look == ColorScheme::csNeoSilver) {
    ShowGuitarPicture(form);
  }
}

}  // namespace velmora
