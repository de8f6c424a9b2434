#include "GuitarShapes.h"

#include <cmath>

namespace pictures {
namespace {

constexpr double C = kCentre;

// The outline of a classic waisted body from its two bouts.
Shape Bouts(double upperY, double upperRx, double upperRy, double lowerY, double lowerRx,
            double lowerRy, double blend) {
  return SmoothUnion(Ellipse(C, upperY, upperRx, upperRy), Ellipse(C, lowerY, lowerRx, lowerRy),
                     blend);
}

}  // namespace

double FretY(int fret) {
  return kNutY + (kSaddleY - kNutY) * (1 - std::pow(2.0, -fret / 12.0));
}

BodyOutline OutlineOf(Body body, double w) {
  switch (body) {
    case Body::Tele: {
      Shape slab = SmoothUnion(Box(C, 262, 47, 42, 22), Ellipse(C, 316, 58, 44), 18);
      return {SmoothSubtract(slab, Ellipse(C + 50, 220, 36, 36), 8), FretY(21) + 2, 21};
    }
    case Body::Strat:
    case Body::Modelling: {
      Shape horns =
          Union(Segment(C - 28, 262, C - 34, 214, 15), Segment(C + 28, 266, C + 32, 228, 13));
      Shape shape = SmoothUnion(Bouts(266, 48, 38, 318, 60, 44, 16), horns, 10);
      return {SmoothSubtract(shape, Ellipse(C, 212, 14, 30), 6), FretY(21) + 2, 21};
    }
    case Body::Carved: {
      Shape shape =
          SmoothUnion(Bouts(258, 50, 42, 314, 63, 47, 18), Segment(C + 30, 250, C + 38, 226, 9), 8);
      return {SmoothSubtract(shape, Ellipse(C + 22, 222, 11, 26), 5), FretY(22), 22};
    }
    case Body::Firebird: {
      Shape horns =
          Union(Segment(C - 26, 268, C - 44, 200, 14), Segment(C + 26, 272, C + 40, 232, 11));
      Shape shape = SmoothUnion(Bouts(266, 46, 34, 318, 60, 42, 16), horns, 10);
      return {SmoothSubtract(shape, Ellipse(C, 214, 20, 30), 6), FretY(22), 22};
    }
    case Body::Hollow: {
      Shape shape = SmoothUnion(Bouts(246, 58, 44, 310, 74, 52, 20),
                                Segment(C + 40, 250, C + 48, 214, 12), 8);
      return {SmoothSubtract(shape, Ellipse(C + 26, 206, 14, 32), 6), FretY(21), 21};
    }
    case Body::Wave: {
      Shape horns =
          Union(Segment(C - 40, 250, C - 44, 218, 18), Segment(C + 36, 256, C + 54, 204, 10));
      Shape shape = SmoothUnion(Bouts(264, 58, 40, 314, 70, 48, 18), horns, 10);
      return {SmoothSubtract(shape, Ellipse(C + 4, 206, 26, 34), 6), FretY(21), 21};
    }
    case Body::Semi: {
      Shape horns =
          Union(Segment(C - 44, 250, C - 46, 216, 17), Segment(C + 44, 250, C + 46, 216, 17));
      Shape shape = SmoothUnion(Bouts(252, 62, 44, 312, 72, 50, 18), horns, 10);
      return {SmoothSubtract(shape, Ellipse(C, 204, 26, 34), 6), FretY(22), 22};
    }
    case Body::Archtop: {
      Shape shape = SmoothUnion(Bouts(244, 64 * w, 46, 306, 80 * w, 56, 20),
                                Segment(C + 46 * w, 246, C + 56 * w, 206, 12), 8);
      return {SmoothSubtract(shape, Ellipse(C + 30 * w, 206, 16 * w, 34), 6), FretY(20), 20};
    }
    case Body::Dreadnought: {
      Shape upper = SmoothUnion(Box(C, 244, 54 * w, 34, 26 * w), Ellipse(C, 234, 50 * w, 30), 6);
      Shape lower = Box(C, 314, 68 * w, 48, 44 * w);
      return {SmoothUnion(upper, lower, 14), FretY(20), 20};
    }
    case Body::Resonator: {
      Shape upper = Box(C, 246, 54, 34, 30);
      Shape lower = Box(C, 314, 64, 46, 40);
      return {SmoothUnion(upper, lower, 14), FretY(19), 19};
    }
    case Body::Banjo:
      return {Circle(C, 296, 62), FretY(22), 22};
  }
  return {};
}

Shape GuardOf(Body body, double neckEnd) {
  switch (body) {
    case Body::Strat:
    case Body::Modelling:
      return SmoothUnion(Ellipse(C - 8, 290, 40, 42), Ellipse(C + 2, 252, 30, 20), 12);
    case Body::Tele:
      return Ellipse(C - 12, 262, 40, 40);
    case Body::Carved:
      return Box(C + 4, 276, 30, 34, 14);
    case Body::Wave:
      return Ellipse(C + 10, 290, 46, 40);
    case Body::Resonator:
      return Ellipse(C, 286, 40, 38);
    case Body::Dreadnought:
      return Ellipse(C + 22, neckEnd + 38, 15, 24);
    default:
      return Ellipse(C + 30, 276, 10, 24);
  }
}

Shape HeadstockOf(Head head) {
  switch (head) {
    case Head::InLine:
      // The tuners sit on the bass side, the tip rounds off to the left.
      return SmoothUnion(Box(C, 72, 9, 14, 3), Ellipse(C - 7, 40, 15, 32), 10);
    case Head::Reverse:
      return SmoothUnion(Box(C, 72, 9, 14, 3), Ellipse(C + 8, 40, 14, 32), 10);
    case Head::Split:
      return Polygon({C - 9, kNutY + 2, C - 17, 34, C - 16, 14, C - 4, 10, C, 14, C + 4, 10, C + 16,
                      14, C + 17, 34, C + 9, kNutY + 2});
    case Head::Slotted12:
      return Polygon({C - 9, kNutY + 2, C - 15, 10, C + 15, 10, C + 9, kNutY + 2});
    case Head::Small:
      return Polygon({C - 8, kNutY + 2, C - 14, 30, C - 10, 16, C, 12, C + 10, 16, C + 14, 30,
                      C + 8, kNutY + 2});
  }
  return {};
}

std::vector<double> TunersOf(Head head, bool twelveStrings) {
  std::vector<double> xy;
  const int perSide = twelveStrings ? 6 : 3;
  switch (head) {
    case Head::InLine:
    case Head::Reverse: {
      const double x = head == Head::InLine ? C - 12 : C + 12;
      for (int i = 0; i < 6; ++i) {
        xy.insert(xy.end(), {x, 18.0 + i * 9.0});
      }
      return xy;
    }
    case Head::Split:
    case Head::Slotted12:
    case Head::Small: {
      const double top = head == Head::Slotted12 ? 16 : 22;
      const double step = twelveStrings ? 10.0 : 16.0;
      const double spread = head == Head::Small ? 9 : 11;
      for (int i = 0; i < perSide; ++i) {
        xy.insert(xy.end(), {C - spread, top + i * step, C + spread, top + i * step});
      }
      return xy;
    }
  }
  return xy;
}

}  // namespace pictures
