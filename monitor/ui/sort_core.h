// The order of list-view rows: plain comparison of the texts a list shows.
#pragma once
#include <string>

namespace ui {

// Compares two cell texts for sorting: when both are numbers (an optional minus sign, digits
// with groups of three after "," "." "'" or a space, as thousands separators show them, and an
// optional decimal part) they compare as numbers, and a number comes before a text; two texts,
// and equal numbers, compare as texts: letters without regard to case, then by case, so different texts never
// compare equal. < 0, 0 or > 0.
int CompareCellTexts(const std::string& a, const std::string& b);

}  // namespace ui
