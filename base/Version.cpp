#include "base/Version.h"

#include <cstdio>
#include <cstring>

namespace tesedra {

bool AtenderVersion(const char* programa, int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return false;
    std::printf("%s %s\n", programa, kVersion);
    return true;
}

} // namespace tesedra
