// A language library for the loader's tests: texts at and around the length
// limit, multi-byte characters across it, and gaps. Numbers not listed
// return null.

#include <string>

#if defined(_WIN32)
#define TEST_EXPORT __declspec(dllexport)
#else
#define TEST_EXPORT __attribute__((visibility("default")))
#endif

namespace {

std::string repeat(const char *piece, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += piece;
    return s;
}

const std::string &text(int number)
{
    // "中" is 3 bytes of UTF-8, "é" 2, "😀" 4.
    static const std::string texts[] = {
        "",
        repeat("a", 300),                          // 1
        repeat("b", 253),                          // 2
        repeat("a", 251) + "中" + repeat("z", 46), // 3: 中 at bytes 252-254
        repeat("a", 250) + "中" + repeat("z", 47), // 4: 中 at bytes 251-253
        repeat("a", 252) + "é" + repeat("z", 46),  // 5: é at bytes 253-254
        repeat("a", 250) + "😀" + repeat("z", 46),  // 6: 😀 at bytes 251-254
        repeat("a", 249) + "😀" + repeat("z", 46),  // 7: 😀 at bytes 250-253
        "",                                        // 8: present but empty
        repeat("中", 100),                         // 9
        "Ten",                                     // 10
    };
    return texts[number];
}

} // namespace

extern "C" TEST_EXPORT const char *qb380_string(int number)
{
    if (number >= 1 && number <= 10)
        return text(number).c_str();
    // Numbers a load never reads: anything here must stay unused.
    if (number == 82 || (number >= 87 && number <= 94))
        return "never read";
    return nullptr;
}
