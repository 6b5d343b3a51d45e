#pragma once

#include <cstdio>
#include <unistd.h>

// The process's resident memory in KiB (Linux: /proc/self/statm); 0 where
// it cannot be read.
inline long residentKiB()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}
