#pragma once

// The shape every language library shares. A language library is a run-time
// loadable library ("chn.dll", "eng.dll") beside the program that exports one
// C function:
//
//     const char *qb380_string(int number);
//
// It returns the text of a language string as zero-terminated UTF-8, or null
// for a number the library does not hold. The texts live in static storage
// for as long as the library is loaded (it is never unloaded).

#include <cstddef>

#if defined(_WIN32)
#define QB_LANG_EXPORT __declspec(dllexport)
#else
#define QB_LANG_EXPORT __attribute__((visibility("default")))
#endif

struct LanguageString
{
    int number;
    const char *text;
};

// Linear search: 110 entries, read once per language load.
template <std::size_t N>
const char *findLanguageString(const LanguageString (&table)[N], int number)
{
    for (const LanguageString &entry : table)
        if (entry.number == number)
            return entry.text;
    return nullptr;
}
