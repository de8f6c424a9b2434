#pragma once

// A tiny signed-distance rasteriser: shapes are distance functions in pixels (negative
// inside), so outlines, insets and soft edges all fall out of one number per pixel.

#include <functional>
#include <vector>

namespace pictures {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double f);
Rgb Hex(unsigned value);

using Shape = std::function<double(double x, double y)>;
// Colour at a point, also given the shape's distance there (for shading towards the edge).
using Paint = std::function<Rgb(double x, double y, double distance)>;

Shape Circle(double cx, double cy, double r);
Shape Ellipse(double cx, double cy, double rx, double ry);
// Rounded rectangle from its centre, half sizes and corner radius.
Shape Box(double cx, double cy, double halfWidth, double halfHeight, double radius);
Shape Polygon(std::vector<double> xy);
Shape Segment(double x0, double y0, double x1, double y1, double halfWidth);

Shape Union(Shape a, Shape b);
// Blends the two outlines over about k pixels, for organic body curves.
Shape SmoothUnion(Shape a, Shape b, double k);
Shape Subtract(Shape a, Shape b);
// Carves b out of a with the inner corners rounded over about k pixels.
Shape SmoothSubtract(Shape a, Shape b, double k);
Shape Intersect(Shape a, Shape b);
Shape Grow(Shape a, double pixels);
Shape Outline(Shape a, double width);

Paint Solid(Rgb c);
// From the centre colour deep inside to the edge colour at the outline.
Paint Burst(Rgb centre, Rgb edge, double depth);
// Metal flake: each pixel a little lighter or darker, the same on every run.
Paint Sparkle(Rgb base, double amount);

class Canvas {
 public:
  Canvas(int width, int height, Rgb background);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);
  void Fill(const Shape& shape, Rgb colour, double opacity = 1.0);
  // 8-bit RGB rows, top row first.
  std::vector<unsigned char> Bytes() const;

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace pictures
