#include "PictureList.h"

#include <array>
#include <map>
#include <utility>

#include "GuitarDrawing.h"
#include "Looks.h"
#include "SmallPictures.h"
#include "catalogue/Variax.h"

namespace pictures {
namespace {

// The pickups a picture shows are all those used by the positions that share it.
std::vector<std::pair<std::string, std::array<int, 3>>> GuitarPictures() {
  std::vector<std::pair<std::string, std::array<int, 3>>> found;
  std::map<std::string, std::size_t> index;
  for (const velmora::GuitarRecord& record : velmora::GuitarCatalogue()) {
    const std::string path =
        std::string("Guitares/") + std::string(record.Bank) + "/" + std::string(record.Picture);
    auto [it, added] = index.emplace(path, found.size());
    if (added) {
      found.push_back({path, {0, 0, 0}});
    }
    std::array<int, 3>& pickups = found[it->second].second;
    for (std::size_t i = 0; i < 3; ++i) {
      const int kind = record.PickupPattern[2 * i] - '0';
      pickups[i] = std::max(pickups[i], kind);
    }
  }
  return found;
}

}  // namespace

std::vector<PictureFile> AllPictures() {
  std::vector<PictureFile> files;
  for (const auto& [path, pickups] : GuitarPictures()) {
    const std::size_t slash = path.rfind('/');
    const std::size_t bankStart = path.find('/') + 1;
    const std::string bank = path.substr(bankStart, slash - bankStart);
    const std::string picture = path.substr(slash + 1);
    files.push_back({path, kGuitarWidth, kGuitarHeight,
                     [=] { return DrawGuitar(LookFor(bank, picture, pickups)); }});
  }
  files.push_back({"Guitares/Variax 700 rouge.jpg", kGuitarWidth, kGuitarHeight,
                   [] { return DrawGuitar(FallbackLook()); }});
  for (int p = 1; p <= 5; ++p) {
    files.push_back({"Guitares/selecteur" + std::to_string(p) + ".jpg", kSelectorWidth,
                     kSelectorHeight, [p] { return DrawSelector(p); }});
  }
  const char* pickupNames[] = {"nopickup.jpg", "single coil.jpg", "humbucker.jpg"};
  for (int kind = 0; kind < 3; ++kind) {
    files.push_back({std::string("Guitares/") + pickupNames[kind], kPickupWidth, kPickupHeight,
                     [kind] { return DrawPickupPicture(kind); }});
  }
  files.push_back(
      {"builtin/guitare.jpg", kGuitarWidth, kGuitarHeight, [] { return DrawGuitar(StartLook()); }});
  files.push_back(
      {"builtin/selecteur.jpg", kSelectorWidth, kSelectorHeight, [] { return DrawSelector(3); }});
  files.push_back(
      {"builtin/micro.jpg", kPickupWidth, kPickupHeight, [] { return DrawPickupPicture(1); }});
  files.push_back({"builtin/logo.jpg", kLogoWidth, kLogoHeight, [] { return DrawLogo(); }});
  return files;
}

}  // namespace pictures
