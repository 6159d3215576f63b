// Filled shapes for drawing the sample pictures. A shape is a test whether a
// point lies inside; pictures ask it at every pixel centre, so edges come out
// hard. Only +, -, *, / and sqrt are used (all exactly rounded), so every
// machine draws the same pixels.
#pragma once

#include <functional>
#include <vector>

namespace puffel::art {

struct Point {
  double x = 0;
  double y = 0;
};

using Shape = std::function<bool(Point)>;

// Every point.
Shape Everywhere();

// The ellipse with centre (cx, cy) and half-axes rx, ry along x and y.
Shape Ellipse(double cx, double cy, double rx, double ry);

// The points within radius of the segment from a to b.
Shape Capsule(Point a, Point b, double radius);

// A stroke along the quadratic curve from p0 to p2 with control point p1, its
// radius going evenly from r0 at p0 to r2 at p2, made of steps capsules.
Shape CurveStroke(Point p0, Point p1, Point p2, double r0, double r2, int steps);

// The polygon through corners, filled by the even-odd rule.
Shape Polygon(std::vector<Point> corners);

Shape Union(std::vector<Shape> shapes);
Shape Intersection(Shape a, Shape b);
// The points of a that are not in b.
Shape Difference(Shape a, Shape b);

// The point of the quadratic curve p0, p1, p2 at parameter t (0..1).
Point CurvePoint(Point p0, Point p1, Point p2, double t);

}  // namespace puffel::art
