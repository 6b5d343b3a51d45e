#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Shared by the fuzz targets: each one defines LLVMFuzzerTestOneInput;
// fuzzsupport.cpp gives them all the same LLVMFuzzerInitialize.

// The input as a byte array that does not own the fuzzer's buffer.
inline QByteArray inputBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A property every input must keep; a broken one counts as a crash, so the
// fuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
