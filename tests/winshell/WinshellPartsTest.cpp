#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include "surface/files/PictureFile.h"
#include "surface/form/KnobPointer.h"
#include "surface/forms/MainForm.h"
#include "winshell/AccessibleRoles.h"
#include "winshell/ControlSet.h"
#include "winshell/KnobCanvas.h"
#include "winshell/Pictures.h"
#include "winshell/Utf16.h"

namespace velmora {
namespace {

using Pixels = std::vector<std::uint32_t>;

// What the canvas shows at its own size, one 0x00RRGGBB word per pixel, row by row.
Pixels Snapshot(const KnobCanvas& canvas) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kKnobPictureSize;
  info.bmiHeader.biHeight = -kKnobPictureSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  canvas.Show(dc, {0, 0, kKnobPictureSize, kKnobPictureSize});
  GdiFlush();
  const auto* words = static_cast<const std::uint32_t*>(bits);
  Pixels pixels(words, words + kKnobPictureSize * kKnobPictureSize);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  for (std::uint32_t& pixel : pixels) {
    pixel &= 0xFFFFFF;
  }
  return pixels;
}

std::uint32_t Word(Rgb colour) {
  return (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
}

std::uint32_t At(const Pixels& pixels, KnobPoint point) {
  return pixels[static_cast<std::size_t>(point.y * kKnobPictureSize + point.x)];
}

WORD knobCode = 0;

// Through the system's own accessibility call, a knob reads as a slider with the value sent;
// a value set above or below it turns the knob one step that way.
TEST(KnobAccessibleTest, AValueSetTurnsTheKnobOneStepTowardsIt) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterControlClasses(instance);
  WNDCLASSW type{};
  type.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    knobCode = message == WM_COMMAND ? HIWORD(wParam) : knobCode;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  };
  type.lpszClassName = L"VelmoraRecordingWindow";
  RegisterClassW(&type);
  HWND window = CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 700, 500, nullptr, nullptr,
                                instance, nullptr);
  if (window == nullptr) {
    GTEST_SKIP() << "no window can be made here (Wine without a screen: run it under xvfb-run)";
  }
  ControlSet controls;
  controls.Build(window, MainWindowForm());
  Control& knob = *controls.Find("knobDRIVE1");
  AnnotateKnobValue(knob, 64);
  IAccessible* accessible = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(knob.hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                       reinterpret_cast<void**>(&accessible)),
            S_OK);
  VARIANT self{};
  self.vt = VT_I4;
  VARIANT role{};
  BSTR value = nullptr;
  ASSERT_EQ(accessible->get_accRole(self, &role), S_OK);
  ASSERT_EQ(accessible->get_accValue(self, &value), S_OK);
  EXPECT_EQ(std::to_wstring(role.lVal) + L" " + value,
            std::to_wstring(ROLE_SYSTEM_SLIDER) + L" 64");
  const std::tuple<const wchar_t*, bool, HRESULT, WORD> cases[] = {
      {L"65", true, S_OK, kKnobRight}, {L"0", true, S_OK, kKnobLeft},      {L"64", true, S_OK, 0},
      {L"6x", true, E_INVALIDARG, 0},  {L"127", false, E_ACCESSDENIED, 0},
  };
  for (const auto& [asked, enabled, result, code] : cases) {
    EnableWindow(knob.hwnd, enabled);
    knobCode = 0;
    EXPECT_EQ(accessible->put_accValue(self, SysAllocString(asked)), result) << asked;
    EXPECT_EQ(knobCode, code) << asked;
  }
  accessible->Release();
}

// The core draws a knob's pointer in olive and erases it in yellow; the canvas keeps what is
// drawn, so every erase must give the face back exactly, at every one of the 509 values.
TEST(KnobCanvasTest, EveryPointerDrawnAndErasedLeavesTheFaceAsItWas) {
  KnobCanvas canvas;
  const Pixels face = Snapshot(canvas);
  EXPECT_EQ(At(face, {0, 0}), Word(kKnobOlive));
  EXPECT_EQ(At(face, KnobPointerStart()), Word(kKnobYellow));
  EXPECT_EQ(At(face, {12, 0}), Word(kKnobYellow));
  EXPECT_EQ(At(face, {0, 12}), Word(kKnobYellow));
  for (int value = TrackBar::kMin; value <= TrackBar::kMax; ++value) {
    const KnobPoint end = KnobPointerEnd(value);
    canvas.DrawPointer(kKnobOlive, KnobPointerStart(), end);
    const Pixels drawn = Snapshot(canvas);
    ASSERT_EQ(At(drawn, end), Word(kKnobOlive)) << "value " << value;
    ASSERT_EQ(At(drawn, KnobPointerStart()), Word(kKnobOlive)) << "value " << value;
    // Three pixels wide, no blending: only the two colours, and more than a one-pixel line.
    int pointer = 0;
    for (std::uint32_t pixel : drawn) {
      ASSERT_TRUE(pixel == Word(kKnobOlive) || pixel == Word(kKnobYellow)) << "value " << value;
    }
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      pointer += drawn[i] != face[i] ? 1 : 0;
    }
    ASSERT_GE(pointer, 2 * kKnobPointerLength) << "value " << value;
    canvas.DrawPointer(kKnobYellow, KnobPointerStart(), end);
    ASSERT_EQ(Snapshot(canvas), face) << "value " << value;
  }
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(PicturesTest, DecodesAJpegAndNamesTheFileOfOneItCannotDecode) {
  const PictureDecoder decoder;
  const std::filesystem::path folder = std::filesystem::path(VELMORA_SOURCE_DIR) / "images";
  const std::filesystem::path micro = folder / "builtin" / "micro.jpg";
  EXPECT_TRUE(LoadPictureFile(micro));
  EXPECT_TRUE(LoadPictureFile(folder / "Guitares" / "single coil.jpg"));

  std::vector<std::uint8_t> truncated = FileBytes(micro);
  truncated.resize(truncated.size() / 3);
  const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'};
  for (const auto& bytes : {text, std::vector<std::uint8_t>{}}) {
    try {
      DecodePicture(bytes, "Z:\\images\\Guitares\\cassée.jpg");
      ADD_FAILURE() << "decoded " << bytes.size() << " bytes";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what())
                    .rfind("Z:\\images\\Guitares\\cassée.jpg: not a readable "
                           "JPEG picture (GDI+ ",
                           0),
                0u)
          << error.what();
    }
  }
  // A cut file is either refused with its name or shown as far as it goes; never a crash.
  try {
    DecodePicture(truncated, "cut.jpg");
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("cut.jpg: ", 0), 0u) << error.what();
  }
  // A file that cannot be read keeps the core's own text, whichever window shows it.
  const std::filesystem::path missing = folder / "Guitares" / "absente.jpg";
  try {
    LoadPictureFile(missing);
    ADD_FAILURE() << "loaded a missing file";
  } catch (const PictureOpenError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Impossible d'ouvrir le fichier", 0), 0u)
        << error.what();
  }
}

TEST(Utf16Test, TextAndPathsCrossBothWaysUnchanged) {
  const std::string french = "Sélectionnez un modèle d'enceinte... ü ß € 🎸";
  const std::wstring wide = ToUtf16(french);
  EXPECT_EQ(wide.substr(0, 3), L"S\u00e9l");
  EXPECT_EQ(ToUtf8(wide), french);
  EXPECT_EQ(ToUtf16(""), L"");
  EXPECT_EQ(ToUtf8(L""), "");
  EXPECT_EQ(PathText(std::filesystem::path(L"C:\\Presets\\Br\u00fbl\u00e9.vmp")),
            "C:\\Presets\\Brûlé.vmp");
}

}  // namespace
}  // namespace velmora
