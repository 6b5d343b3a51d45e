// A loadable library that is not a language library: it lacks the lookup
// function.

#if defined(_WIN32)
#define TEST_EXPORT __declspec(dllexport)
#else
#define TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" TEST_EXPORT int not_a_language(void)
{
    return 0;
}
