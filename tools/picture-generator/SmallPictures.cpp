#include "SmallPictures.h"

#include <vector>

namespace pictures {
namespace {

const Rgb kPanel = Hex(0x0C0C0C);
const Rgb kYellow = Hex(0xF0D020);
const Rgb kCream = Hex(0xF2EEE0);
const Rgb kPole = Hex(0xB4B8BC);

double NotchX(int position) {
  return 57 + (position - 3) * 16.0;
}

void Screw(Canvas& canvas, double x, double y) {
  canvas.Fill(Circle(x, y, 3.2), Burst(Hex(0xD8DCE0), Hex(0x707478), 2.5));
  canvas.Fill(Segment(x - 2, y + 1, x + 2, y - 1, 0.5), Hex(0x303030));
}

void PolePieces(Canvas& canvas, double y, double radius) {
  for (int i = 0; i < 6; ++i) {
    canvas.Fill(Circle(12.5 + (i - 2.5) * 3.5, y, radius), kPole);
  }
}

}  // namespace

Canvas DrawSelector(int position) {
  Canvas canvas(kSelectorWidth, kSelectorHeight, kPanel);
  canvas.Fill(Box(57, 22, 54, 19, 6), Burst(Hex(0xC8CCD0), Hex(0x6A6E72), 7));
  Screw(canvas, 10, 22);
  Screw(canvas, 104, 22);
  for (int p = 1; p <= 5; ++p) {
    canvas.Fill(Box(NotchX(p), 8, 0.9, 2.6, 0.4), p == position ? kYellow : Hex(0x404448));
    canvas.Fill(Circle(NotchX(p), 25.2, 2.2), Hex(0x050505));
  }
  canvas.Fill(Box(57, 22, 35, 3.2, 3.2), Hex(0x050505));
  const double x = NotchX(position);
  canvas.Fill(Box(x + 2, 25, 6.5, 11, 5.5), Hex(0x000000), 0.45);
  canvas.Fill(Box(x, 23, 6.5, 11, 5.5), Burst(kCream, Hex(0xA8A090), 5));
  canvas.Fill(Ellipse(x - 2, 18, 2.2, 3.5), Hex(0xFFFFFF), 0.5);
  return canvas;
}

Canvas DrawPickupPicture(int kind) {
  Canvas canvas(kPickupWidth, kPickupHeight, Hex(0x000000));
  const double cy = kPickupHeight / 2.0;
  if (kind == 0) {
    canvas.Fill(Box(12.5, cy, 11.5, 7.5, 2.5), Hex(0x484848));
    canvas.Fill(Box(12.5, cy, 10.5, 6.5, 2), Burst(Hex(0x1C1C1C), Hex(0x080808), 3));
    canvas.Fill(Circle(3.6, cy, 1.1), Hex(0x505050));
    canvas.Fill(Circle(21.4, cy, 1.1), Hex(0x505050));
  } else if (kind == 1) {
    canvas.Fill(Box(12.5, cy, 12, 4.6, 3.5), Burst(kCream, Hex(0xA8A090), 2.5));
    PolePieces(canvas, cy, 1.1);
  } else {
    canvas.Fill(Box(12.5, cy, 12.3, 8.3, 2), Hex(0xE0D8C0));
    for (double row : {cy - 3.6, cy + 3.6}) {
      canvas.Fill(Box(12.5, row, 10.8, 3.2, 1.6), Burst(Hex(0x2A2A2A), Hex(0x0C0C0C), 2));
      PolePieces(canvas, row, 1.0);
    }
  }
  return canvas;
}

Canvas DrawLogo() {
  Canvas canvas(kLogoWidth, kLogoHeight, Hex(0x000000));
  // Each letter is strokes on a 12 x 20 cell, leaning a little forward.
  const std::vector<std::vector<double>> letters = {
      {0, 0, 6, 20, 12, 0},                                                // V
      {0, 20, 6, 0, 12, 20, -1, 2.5, 13, 9.5, 13},                         // A, then its bar
      {0, 20, 0, 0, 8, 0, 12, 3, 12, 7, 8, 10, 0, 10, -1, 6, 10, 12, 20},  // R
      {6, 0, 6, 20},                                                       // I
      {0, 20, 6, 0, 12, 20, -1, 2.5, 13, 9.5, 13},                         // A
      {0, 0, 12, 20, -1, 12, 0, 0, 20},                                    // X
  };
  const double stroke = 1.9, top = 5, slant = 0.18;
  double left = 8;
  for (const auto& strokes : letters) {
    bool start = true;
    double px = 0, py = 0;
    for (std::size_t i = 0; i < strokes.size(); ++i) {
      if (strokes[i] < 0) {
        start = true;
        continue;
      }
      const double cellY = strokes[i + 1];
      const double x = left + strokes[i] + (20 - cellY) * slant, y = top + cellY;
      if (!start) {
        canvas.Fill(Segment(px, py, x, y, stroke), kYellow);
      }
      start = false;
      px = x;
      py = y;
      ++i;
    }
    left += 18;
  }
  return canvas;
}

}  // namespace pictures
