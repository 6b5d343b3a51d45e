#pragma once

#include "model/bandranges.h"
#include "model/channeltable.h"
#include "model/functionsettings.h"

// Everything the tool programs into a radio: the channel table, the function
// settings and the band range lists. The editor, the codec, the files and the
// language switch all work on one of these.
struct RadioData
{
    ChannelTable table;
    FunctionSettings settings;
    BandRanges bands;
};
