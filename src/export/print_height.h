// The height of a figure printed from the STL and 3MF exports ("印刷の高さ").
#pragma once

namespace puffel {

// Millimetres, whole.
constexpr int MinPrintHeight = 1;
constexpr int MaxPrintHeight = 1000;
constexpr int DefaultPrintHeight = 100;

}  // namespace puffel
