#pragma once

#include "i18n/languagetable.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Language libraries: "chn.dll" and "eng.dll" in the program's folder, on
// every platform. Each is a run-time loadable library that exports
//
//     extern "C" const char *qb380_string(int number);
//
// returning the text of a language string as zero-terminated UTF-8, or null
// for a number it does not hold. A library, once loaded, stays loaded until
// the program ends.

// The name of the exported lookup function.
inline constexpr char LanguageLookupSymbol[] = "qb380_string";

// The file of a language: the program's folder + name + ".dll" ("eng" gives
// <folder>/eng.dll).
QString languageLibraryPath(const QString &name);

// Reads numbers 1-118 (except 82 and 87-94) and 201-216, 240-257 from the language
// library at path; a number it lacks gives an empty text, a text longer than
// 253 bytes is cut (cutUtf8). Returns nothing when no file exists at path,
// and nothing either when the file exists but is no loadable library or
// lacks the lookup function; the latter is noted once per path as a warning
// on stderr.
std::optional<LanguageTable> readLanguageLibrary(const QString &path);

// readLanguageLibrary(languageLibraryPath(name)).
std::optional<LanguageTable> readLanguage(const QString &name);

// The first maxBytes bytes of UTF-8 text, shortened further so that no
// character is split: a multi-byte character that does not fit whole is
// dropped whole.
QByteArray cutUtf8(const QByteArray &text, int maxBytes);
