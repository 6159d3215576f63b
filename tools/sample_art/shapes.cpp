#include "sample_art/shapes.h"

#include <utility>

namespace puffel::art {

Shape Everywhere() {
  return [](Point) { return true; };
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](Point p) {
    const double u = (p.x - cx) / rx;
    const double v = (p.y - cy) / ry;
    return u * u + v * v <= 1.0;
  };
}

Shape Capsule(Point a, Point b, double radius) {
  return [=](Point p) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    const double ex = p.x - (a.x + t * dx);
    const double ey = p.y - (a.y + t * dy);
    return ex * ex + ey * ey <= radius * radius;
  };
}

Point CurvePoint(Point p0, Point p1, Point p2, double t) {
  const double s = 1.0 - t;
  return {s * s * p0.x + 2.0 * s * t * p1.x + t * t * p2.x,
          s * s * p0.y + 2.0 * s * t * p1.y + t * t * p2.y};
}

Shape CurveStroke(Point p0, Point p1, Point p2, double r0, double r2, int steps) {
  std::vector<Shape> pieces;
  Point from = p0;
  for (int k = 1; k <= steps; ++k) {
    const double t = static_cast<double>(k) / steps;
    const Point to = CurvePoint(p0, p1, p2, t);
    const double mid = (k - 0.5) / steps;
    pieces.push_back(Capsule(from, to, r0 + (r2 - r0) * mid));
    from = to;
  }
  return Union(std::move(pieces));
}

Shape Polygon(std::vector<Point> corners) {
  return [corners = std::move(corners)](Point p) {
    bool inside = false;
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point& a = corners[i];
      const Point& b = corners[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside;
  };
}

Shape Union(std::vector<Shape> shapes) {
  return [shapes = std::move(shapes)](Point p) {
    for (const Shape& shape : shapes) {
      if (shape(p)) return true;
    }
    return false;
  };
}

Shape Intersection(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](Point p) { return a(p) && b(p); };
}

Shape Difference(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](Point p) { return a(p) && !b(p); };
}

}  // namespace puffel::art
