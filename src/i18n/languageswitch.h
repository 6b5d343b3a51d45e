#pragma once

#include "i18n/languagetable.h"
#include "i18n/messageslots.h"
#include "i18n/texttargets.h"
#include "model/radiodata.h"

#include <QString>

#include <functional>

// Receives the texts meant for the windows (texttargets.h), one call per
// target, in ascending number order and interleaved with the model's own
// changes exactly as a load makes them.
using WindowTextSink = std::function<void(const TextTarget &target, const QString &text)>;

// Puts a language's texts into place, number by number in ascending order:
// - 46-54: the grid headings of columns 0-8;
// - 55-60: the value texts (offText ... narrowText); 55 also replaces entry 0
//   of the tone list, which keeps its 265 entries;
// - 76: the band choices become text + "2", text + "1";
// - 81: the time-out choices become offText, "1" + text ... "7" + text; then
//   the eight on/off lists are refilled from onText and offText in their own
//   item orders (APO, BEEP, BatSave, Scramble, keyswitch, Switch.U.P,
//   DownFreq, SpreadFreq);
// - 95-110: the message slots; after 110 both LED colour lists get 111-118;
// - 201-216 and 240-257, after all of these: the texts of this program's own commands
//   (window targets) and messages (the slots beyond 110);
// - every number with window targets: windowTexts, before the model change
//   of the same number.
// Every refilled list keeps its index; a setting raises its change reaction
// only when its shown text changes (which re-runs the SpreadFreq rule on a
// real change of language). The lists of scankind, VFO/MR, MR freq./MR CH,
// Squelch, VoxControl, Ring, BroadBand, Freq.Step and the band range lists
// keep their texts in every language.
void applyLanguage(const LanguageTable &texts, RadioData &data, MessageSlots &messages,
                   const WindowTextSink &windowTexts = {});

// Reads the library of the language name ("chn", "eng") from the program's
// folder and applies it. Without a usable library nothing changes anywhere
// and false is returned.
bool loadLanguage(const QString &name, RadioData &data, MessageSlots &messages,
                  const WindowTextSink &windowTexts = {});

// The language switch's conversion of the channel rows 1-199 to the value
// texts now in force. A cell changes only when it holds a fixed text of
// either language in its column:
// - columns 2, 4 (tones), 7, 8: "禁用"/"OFF" -> offText;
// - columns 7, 8 also: "启用"/"ON" -> onText;
// - column 5: "高功率"/"High" -> highText, "低功率"/"Low" -> lowText;
// - column 6: "宽带"/"Wide" -> wideText, "窄带"/"Narrow" -> narrowText.
// An empty value text (no language ever loaded) replaces nothing, so a
// switch without libraries cannot wipe the channels' values.
void convertFixedTexts(ChannelTable &table);
