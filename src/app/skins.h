#pragma once

#include "storage/appsettings.h"

#include <QString>

// The three skins, stored compressed in the program's resources as style
// sheets.

// The style sheet of a skin; empty for a number that is no skin.
QString skinStyleSheet(Skin skin);
