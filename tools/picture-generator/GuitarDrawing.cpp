#include "GuitarDrawing.h"

#include <cmath>

namespace pictures {
namespace {

constexpr double C = kCentre;
const Rgb kBlack = Hex(0x000000);
const Rgb kWhite = Hex(0xFFFFFF);
const Rgb kString = Hex(0xE4E4E0);

// Half the string spread at a height: narrow at the nut, wider at the saddles.
double StringHalfSpread(double y) {
  return 5.5 + (y - kNutY) / (kSaddleY - kNutY) * 3.5;
}

double StringX(int string, double y) {
  return C + (string - 2.5) / 2.5 * StringHalfSpread(y);
}

Shape Taper(double yTop, double halfTop, double yBottom, double halfBottom) {
  return Polygon(
      {C - halfTop, yTop, C + halfTop, yTop, C + halfBottom, yBottom, C - halfBottom, yBottom});
}

void DrawHeadstock(Canvas& canvas, const GuitarLook& look) {
  const Shape head = HeadstockOf(look.head);
  canvas.Fill(head, Burst(look.headFace, Scale(look.headFace, 0.6), 4));
  // A dark face needs a light rim to stand out from the black window.
  const bool dark = look.headFace.r + look.headFace.g + look.headFace.b < 0.9;
  canvas.Fill(Subtract(head, Grow(head, -1.2)),
              dark ? Mix(look.headFace, kWhite, 0.45) : Scale(look.headFace, 0.45));
  const std::vector<double> tuners = TunersOf(look.head, look.twelveStrings);
  for (std::size_t i = 0; i + 1 < tuners.size(); i += 2) {
    const double x = tuners[i], y = tuners[i + 1];
    const double side = look.head == Head::InLine    ? -1
                        : look.head == Head::Reverse ? 1
                        : x < C                      ? -1
                                                     : 1;
    canvas.Fill(Box(x + side * 9, y, 4, 2.4, 1.2), look.hardware);
    canvas.Fill(Box(x + side * 5, y, 2, 1, 0.5), Scale(look.hardware, 0.7));
    canvas.Fill(Circle(x, y, 1.8), Scale(look.hardware, 0.55));
  }
}

void DrawNeckAndFingerboard(Canvas& canvas, const GuitarLook& look, const BodyOutline& outline) {
  canvas.Fill(Taper(kNutY, 8.5, outline.neckEnd + 10, 11),
              Burst(look.neck, Scale(look.neck, 0.7), 3));
  const Shape board = Taper(kNutY, 7.5, outline.neckEnd, 10);
  canvas.Fill(board, look.fingerboard);
  const Rgb fret = Hex(0xB8BCC0);
  const bool dark = look.fingerboard.r < 0.5;
  const Rgb dot = dark ? Hex(0xE8E2D0) : Hex(0x202020);
  for (int f = 1; f <= outline.frets; ++f) {
    const double y = FretY(f);
    canvas.Fill(Intersect(board, Box(C, y, 12, 0.45, 0)), fret);
    const double middle = (y + FretY(f - 1)) / 2;
    if (f == 12 || f == 24) {
      canvas.Fill(Circle(C - 4, middle, 1.3), dot);
      canvas.Fill(Circle(C + 4, middle, 1.3), dot);
    } else if (f % 12 == 3 || f % 12 == 5 || f % 12 == 7 || f % 12 == 9) {
      canvas.Fill(Circle(C, middle, 1.5), dot);
    }
  }
  canvas.Fill(Box(C, kNutY, 8, 1.2, 0.5), Hex(0xF0E8D0));
}

void DrawOpening(Canvas& canvas, const GuitarLook& look, const BodyOutline& outline) {
  const double w = look.widthScale;
  switch (look.opening) {
    case Opening::None:
      return;
    case Opening::FHoles:
      for (double side : {-1.0, 1.0}) {
        const double x = C + side * 44 * w;
        Shape f = Union(Segment(x - side * 3, 258, x + side * 2, 282, 1.4),
                        Segment(x + side * 2, 282, x - side * 2, 304, 1.4));
        f = Union(f, Union(Circle(x - side * 3, 257, 2.4), Circle(x - side * 2, 305, 2.4)));
        canvas.Fill(f, Hex(0x0A0806));
      }
      return;
    case Opening::SoundHole:
      canvas.Fill(Circle(C, outline.neckEnd + 18, 19), Hex(0x2A1A10));
      canvas.Fill(Outline(Circle(C, outline.neckEnd + 18, 21.5), 1.2), Hex(0x1A1A1A));
      canvas.Fill(Outline(Circle(C, outline.neckEnd + 18, 23.5), 0.8), Hex(0xE0D8C0));
      canvas.Fill(Circle(C, outline.neckEnd + 18, 16.5), Hex(0x060403));
      return;
    case Opening::Resonator: {
      for (double side : {-1.0, 1.0}) {
        canvas.Fill(Circle(C + side * 34, 244, 10), Hex(0x0A0A0A));
        canvas.Fill(Outline(Circle(C + side * 34, 244, 10), 1.2), look.hardware);
      }
      canvas.Fill(Circle(C, 304, 40), Burst(look.hardware, Scale(look.hardware, 0.7), 12));
      for (int ring = 0; ring < 3; ++ring) {
        canvas.Fill(Outline(Circle(C, 304, 34 - ring * 7), 0.8), Scale(look.hardware, 0.6));
      }
      for (int i = 0; i < 12; ++i) {
        const double a = i * 3.14159265358979 / 6;
        canvas.Fill(Circle(C + 30 * std::cos(a), 304 + 30 * std::sin(a), 1.6), Hex(0x151515));
      }
      canvas.Fill(Circle(C, 304, 11), Scale(look.hardware, 0.85));
      return;
    }
    case Opening::Slash:
      canvas.Fill(Segment(C + 38, 276, C + 48, 294, 2.6), Hex(0x080808));
      canvas.Fill(Outline(Segment(C + 38, 276, C + 48, 294, 2.6), 0.8), kWhite);
      return;
    case Opening::DrumHead:
      canvas.Fill(Circle(C, 296, 56), Burst(Hex(0xF2EAD6), Hex(0xC8BCA0), 30));
      for (int i = 0; i < 20; ++i) {
        const double a = i * 3.14159265358979 / 10;
        canvas.Fill(Circle(C + 59 * std::cos(a), 296 + 59 * std::sin(a), 1.4),
                    Scale(look.hardware, 0.6));
      }
      return;
  }
}

void DrawGuard(Canvas& canvas, const GuitarLook& look, const Shape& guard) {
  if (look.guard) {
    canvas.Fill(guard, *look.guard);
    canvas.Fill(Subtract(guard, Grow(guard, -1)), Scale(*look.guard, 0.7));
  }
}

void DrawPickup(Canvas& canvas, const GuitarLook& look, int kind, double y) {
  const Rgb pole = Hex(0xB0B4B8);
  if (kind == 1) {
    canvas.Fill(Box(C, y, 16, 4.8, 2.8), Scale(look.pickupCover, 0.55));
    canvas.Fill(Box(C, y, 15, 3.8, 2.2), look.pickupCover);
    for (int s = 0; s < 6; ++s) {
      canvas.Fill(Circle(StringX(s, y), y, 0.9), pole);
    }
  } else if (kind == 2) {
    canvas.Fill(Box(C, y, 17, 7.5, 1.5), Scale(look.pickupCover, 0.5));
    canvas.Fill(Box(C, y, 14.5, 6, 1.2), look.pickupCover);
    for (double row : {-2.8, 2.8}) {
      for (int s = 0; s < 6; ++s) {
        canvas.Fill(Circle(StringX(s, y), y + row, 0.85), pole);
      }
    }
  }
}

// Where the strings end: the tailpiece or the bridge pins.
double DrawBridge(Canvas& canvas, const GuitarLook& look) {
  const Rgb metal = look.hardware;
  const Rgb shade = Scale(metal, 0.6);
  switch (look.body) {
    case Body::Tele:
      canvas.Fill(Box(C, kSaddleY + 4, 17, 14, 2), metal);
      canvas.Fill(Box(C, kSaddleY + 4, 15, 12, 1.5), shade, 0.35);
      for (double dx : {-9.0, 0.0, 9.0}) {
        canvas.Fill(Box(C + dx, kSaddleY, 3.5, 2, 1), metal);
      }
      return kSaddleY + 14;
    case Body::Strat:
    case Body::Modelling:
      canvas.Fill(Box(C, kSaddleY + 3, 15, 7, 1.5), metal);
      for (int s = 0; s < 6; ++s) {
        canvas.Fill(Box(StringX(s, kSaddleY), kSaddleY, 1.6, 2.2, 0.6), shade);
      }
      return kSaddleY + 8;
    case Body::Carved:
    case Body::Firebird:
    case Body::Semi:
      canvas.Fill(Box(C, kSaddleY, 14, 2.4, 1.2), metal);
      canvas.Fill(Box(C, kSaddleY + 18, 15, 3, 1.5), metal);
      return kSaddleY + 18;
    case Body::Hollow:
    case Body::Archtop:
    case Body::Wave:
    case Body::Banjo:
    case Body::Resonator: {
      canvas.Fill(Box(C, kSaddleY, 13, 2, 1), look.body == Body::Banjo ? Hex(0xC8A070) : metal);
      canvas.Fill(Polygon({C - 9, 330, C + 9, 330, C + 6, 358, C - 6, 358}), metal);
      canvas.Fill(Box(C, 352, 3, 3, 1), shade);
      return 332;
    }
    case Body::Dreadnought:
      canvas.Fill(Box(C, kSaddleY + 3, 22, 5.5, 2.5), Hex(0x1E120A));
      canvas.Fill(Box(C, kSaddleY, 12, 0.8, 0.4), Hex(0xF0E8D0));
      for (int s = 0; s < 6; ++s) {
        canvas.Fill(Circle(StringX(s, kSaddleY + 5), kSaddleY + 5, 1.2), Hex(0xF0E8D0));
      }
      return kSaddleY + 5;
  }
  return kSaddleY;
}

void DrawControls(Canvas& canvas, const GuitarLook& look) {
  const Rgb knob = look.guard ? Hex(0xF0ECE0) : Hex(0xD8A838);
  std::vector<double> knobs;
  switch (look.body) {
    case Body::Tele:
      canvas.Fill(Box(C + 40, 322, 5, 22, 5), look.hardware);
      knobs = {C + 40, 314, C + 40, 330};
      break;
    case Body::Strat:
    case Body::Modelling:
      knobs = {C + 30, 318, C + 40, 332, C + 45, 346};
      break;
    case Body::Carved:
    case Body::Semi:
    case Body::Hollow:
    case Body::Archtop:
    case Body::Firebird:
    case Body::Wave:
      knobs = {C + 38, 316, C + 52, 326, C + 34, 336, C + 48, 346};
      break;
    default:
      return;
  }
  for (std::size_t i = 0; i + 1 < knobs.size(); i += 2) {
    canvas.Fill(Circle(knobs[i], knobs[i + 1], 4.2), Scale(knob, 0.6));
    canvas.Fill(Circle(knobs[i] - 0.5, knobs[i + 1] - 0.5, 3.4), knob);
  }
}

// The tuner post a string winds on: in-line heads keep the low string nearest the nut, a
// reverse head the high string; a three-a-side head has the low strings on the left.
std::size_t PostIndex(Head head, int string) {
  switch (head) {
    case Head::InLine:
      return 2 * static_cast<std::size_t>(5 - string);
    case Head::Reverse:
      return 2 * static_cast<std::size_t>(string);
    default:
      return string < 3 ? 4 * static_cast<std::size_t>(2 - string)
                        : 4 * static_cast<std::size_t>(string - 3) + 2;
  }
}

void DrawStrings(Canvas& canvas, const GuitarLook& look, double tailY) {
  const std::vector<double> posts = TunersOf(look.head, false);
  const int courses = look.twelveStrings ? 12 : 6;
  for (int i = 0; i < courses; ++i) {
    const int s = look.twelveStrings ? i / 2 : i;
    const double offset = look.twelveStrings ? (i % 2 == 0 ? -0.6 : 0.6) : 0;
    const double xNut = StringX(s, kNutY) + offset, xTail = StringX(s, tailY) + offset;
    canvas.Fill(Segment(xNut, kNutY, xTail, tailY, 0.32), kString, 0.85);
    if (!look.twelveStrings) {
      const std::size_t post = PostIndex(look.head, s);
      canvas.Fill(Segment(xNut, kNutY, posts[post], posts[post + 1], 0.3), kString, 0.7);
    }
  }
}

}  // namespace

Canvas DrawGuitar(const GuitarLook& look) {
  Canvas canvas(kGuitarWidth, kGuitarHeight, kBlack);
  const BodyOutline outline = OutlineOf(look.body, look.widthScale);
  DrawHeadstock(canvas, look);
  canvas.Fill(Taper(kNutY, 8.5, outline.neckEnd + 10, 11), look.neck);
  canvas.Fill(outline.shape, look.finish);
  canvas.Fill(Subtract(outline.shape, Grow(outline.shape, -2.2)), look.edge);
  // A faint rim of light keeps a dark edge from melting into the black window.
  canvas.Fill(Subtract(Grow(outline.shape, -0.3), Grow(outline.shape, -1.1)), kWhite, 0.22);
  canvas.Fill(Intersect(Grow(outline.shape, -5), Ellipse(C - 30, 268, 12, 56)), kWhite, 0.08);
  // A flat-top's guard lies under the sound hole's rosette; an electric's carries the pickups.
  const Shape guard = Intersect(Grow(outline.shape, -3), GuardOf(look.body, outline.neckEnd));
  if (look.body == Body::Dreadnought) {
    DrawGuard(canvas, look, guard);
    DrawOpening(canvas, look, outline);
  } else {
    DrawOpening(canvas, look, outline);
    DrawGuard(canvas, look, guard);
  }
  DrawNeckAndFingerboard(canvas, look, outline);
  const double neckPickup = outline.neckEnd + 12;
  const double bridgePickup = kSaddleY - 16;
  const double ys[3] = {neckPickup, (neckPickup + bridgePickup) / 2, bridgePickup};
  for (int i = 0; i < 3; ++i) {
    DrawPickup(canvas, look, look.pickups[i], ys[i]);
  }
  const double tailY = DrawBridge(canvas, look);
  DrawControls(canvas, look);
  DrawStrings(canvas, look, tailY);
  return canvas;
}

}  // namespace pictures
