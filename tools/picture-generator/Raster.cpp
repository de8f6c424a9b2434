#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pictures {

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, double f) {
  return {c.r * f, c.g * f, c.b * f};
}

Rgb Hex(unsigned value) {
  return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

Shape Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    // Close to the true distance near the outline, which is all the edges need.
    const double px = (x - cx) / rx, py = (y - cy) / ry;
    const double k0 = std::hypot(px, py);
    const double k1 = std::hypot(px / rx, py / ry);
    if (k1 == 0) {
      return -std::min(rx, ry);
    }
    return k0 * (k0 - 1.0) / k1;
  };
}

Shape Box(double cx, double cy, double halfWidth, double halfHeight, double radius) {
  return [=](double x, double y) {
    const double qx = std::abs(x - cx) - (halfWidth - radius);
    const double qy = std::abs(y - cy) - (halfHeight - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
  };
}

Shape Polygon(std::vector<double> xy) {
  return [xy = std::move(xy)](double x, double y) {
    const std::size_t n = xy.size() / 2;
    double best = 1e18;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const double ax = xy[2 * j], ay = xy[2 * j + 1], bx = xy[2 * i], by = xy[2 * i + 1];
      const double ex = bx - ax, ey = by - ay, wx = x - ax, wy = y - ay;
      const double t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0);
      best = std::min(best, std::hypot(wx - ex * t, wy - ey * t));
      if ((ay > y) != (by > y) && x < ax + (y - ay) * ex / ey) {
        inside = !inside;
      }
    }
    return inside ? -best : best;
  };
}

Shape Segment(double x0, double y0, double x1, double y1, double halfWidth) {
  return [=](double x, double y) {
    const double ex = x1 - x0, ey = y1 - y0, wx = x - x0, wy = y - y0;
    const double length2 = ex * ex + ey * ey;
    const double t = length2 == 0 ? 0.0 : std::clamp((wx * ex + wy * ey) / length2, 0.0, 1.0);
    return std::hypot(wx - ex * t, wy - ey * t) - halfWidth;
  };
}

Shape Union(Shape a, Shape b) {
  return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Shape SmoothUnion(Shape a, Shape b, double k) {
  return [=](double x, double y) {
    const double da = a(x, y), db = b(x, y);
    const double h = std::clamp(0.5 + 0.5 * (db - da) / k, 0.0, 1.0);
    return db + (da - db) * h - k * h * (1.0 - h);
  };
}

Shape Subtract(Shape a, Shape b) {
  return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Shape SmoothSubtract(Shape a, Shape b, double k) {
  const Shape outside = SmoothUnion([a](double x, double y) { return -a(x, y); }, b, k);
  return [outside](double x, double y) { return -outside(x, y); };
}

Shape Intersect(Shape a, Shape b) {
  return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Shape Grow(Shape a, double pixels) {
  return [=](double x, double y) { return a(x, y) - pixels; };
}

Shape Outline(Shape a, double width) {
  return [=](double x, double y) { return std::abs(a(x, y)) - width / 2; };
}

Paint Solid(Rgb c) {
  return [=](double, double, double) { return c; };
}

Paint Burst(Rgb centre, Rgb edge, double depth) {
  return [=](double, double, double d) {
    const double t = std::clamp(-d / depth, 0.0, 1.0);
    return Mix(edge, centre, t * t * (3 - 2 * t));
  };
}

Paint Sparkle(Rgb base, double amount) {
  return [=](double x, double y, double) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    const double noise = ((h >> 8) & 0xFF) / 255.0 - 0.5;
    return Scale(base, 1.0 + noise * amount);
  };
}

Canvas::Canvas(int width, int height, Rgb background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * height, background) {}

void Canvas::Fill(const Shape& shape, const Paint& paint, double opacity) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double d = shape(px, py);
      const double cover = std::clamp(0.5 - d, 0.0, 1.0) * opacity;
      if (cover > 0) {
        Rgb& pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
        pixel = Mix(pixel, paint(px, py, d), cover);
      }
    }
  }
}

void Canvas::Fill(const Shape& shape, Rgb colour, double opacity) {
  Fill(shape, Solid(colour), opacity);
}

std::vector<unsigned char> Canvas::Bytes() const {
  std::vector<unsigned char> bytes;
  bytes.reserve(pixels_.size() * 3);
  auto channel = [](double v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
  };
  for (const Rgb& p : pixels_) {
    bytes.push_back(channel(p.r));
    bytes.push_back(channel(p.g));
    bytes.push_back(channel(p.b));
  }
  return bytes;
}

}  // namespace pictures
