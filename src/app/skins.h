#pragma once

#include <QString>

// The three skins, stored compressed in the program's resources as style
// sheets: 1 "blue family", 2 "steel plate", 3 "coffee".
constexpr int SkinCount = 3;

// The style sheet of skin n (1-3); empty for any other number.
QString skinStyleSheet(int n);
