#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "catalogue/Variax.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kImages = fs::path(VELMORA_IMAGES_DIR);

struct Frame {
  int width = 0;
  int height = 0;
  int components = 0;
};

// Walks the marker segments of a baseline JPEG up to its first scan and checks that the
// file ends with the end-of-image marker. Returns an error text, empty when the file is
// sound; a progressive or 12-bit file counts as an error, as old decoders refuse it.
std::string ReadFrame(const fs::path& path, Frame& frame) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return "cannot open";
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
    return "no start-of-image marker";
  }
  if (bytes[bytes.size() - 2] != 0xFF || bytes.back() != 0xD9) {
    return "no end-of-image marker";
  }
  bool sawFrame = false;
  for (std::size_t at = 2; at + 4 <= bytes.size();) {
    if (bytes[at] != 0xFF) {
      return "bad marker at " + std::to_string(at);
    }
    const std::uint8_t marker = bytes[at + 1];
    const std::size_t length = bytes[at + 2] << 8 | bytes[at + 3];
    if (length < 2 || at + 2 + length > bytes.size()) {
      return "segment overruns the file at " + std::to_string(at);
    }
    const std::uint8_t* body = &bytes[at + 4];
    if (marker == 0xDA) {
      return sawFrame ? "" : "scan before any frame header";
    }
    if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      return "not a baseline frame";
    }
    if (marker == 0xC0) {
      if (length < 8 || body[0] != 8) {
        return "not an 8-bit frame";
      }
      frame = {body[3] << 8 | body[4], body[1] << 8 | body[2], body[5]};
      sawFrame = true;
    }
    at += 2 + length;
  }
  return "no scan";
}

void ExpectPicture(const std::string& relative, int width, int height) {
  SCOPED_TRACE(relative);
  Frame frame;
  ASSERT_EQ(ReadFrame(kImages / relative, frame), "");
  EXPECT_EQ(frame.width, width);
  EXPECT_EQ(frame.height, height);
  EXPECT_EQ(frame.components, 3);
}

TEST(GuitarPictures, EveryPictureTheGuitarTableNamesIsAGuitarSizedJpeg) {
  for (const GuitarRecord& record : GuitarCatalogue()) {
    ExpectPicture("Guitares/" + std::string(record.Bank) + "/" + std::string(record.Picture), 170,
                  369);
  }
}

TEST(GuitarPictures, FallbackSelectorPickupAndStartPicturesFitTheirControls) {
  ExpectPicture("Guitares/Variax 700 rouge.jpg", 170, 369);
  for (int position = 1; position <= 5; ++position) {
    ExpectPicture("Guitares/selecteur" + std::to_string(position) + ".jpg", 114, 44);
  }
  for (const char* pickup : {"nopickup.jpg", "single coil.jpg", "humbucker.jpg"}) {
    ExpectPicture(std::string("Guitares/") + pickup, 25, 17);
  }
  ExpectPicture("builtin/guitare.jpg", 170, 369);
  ExpectPicture("builtin/selecteur.jpg", 114, 44);
  ExpectPicture("builtin/micro.jpg", 25, 17);
  ExpectPicture("builtin/logo.jpg", 120, 30);
}

// A picture left behind by a renamed table entry would ship and never be shown.
TEST(GuitarPictures, BankFoldersHoldOnlyPicturesTheTableNames) {
  std::set<fs::path> named;
  for (const GuitarRecord& record : GuitarCatalogue()) {
    named.insert(fs::path(std::string(record.Bank)) / std::string(record.Picture));
  }
  std::set<fs::path> found;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kImages / "Guitares")) {
    const fs::path relative = fs::relative(entry.path(), kImages / "Guitares");
    if (entry.is_regular_file() && relative.has_parent_path()) {
      found.insert(relative);
    }
  }
  EXPECT_EQ(found, named);
}

}  // namespace
}  // namespace velmora
