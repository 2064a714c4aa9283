// A second process for the lock tests: opens a file with LockedFile as another editor would.
//   lock_probe try normal|readonly|unlocked PATH    exit 0 when opened, 3 when refused
//   lock_probe hold normal|readonly|unlocked PATH   prints "held" or "refused", keeps the file open
//                                          until its standard input closes
#include "platform/LockedFile.h"

#include <QString>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: lock_probe try|hold normal|readonly|unlocked PATH\n", stderr);
        return 2;
    }
    const bool hold = std::strcmp(argv[1], "hold") == 0;
    const auto mode = std::strcmp(argv[2], "normal") == 0     ? korven::LockMode::Normal
                      : std::strcmp(argv[2], "unlocked") == 0 ? korven::LockMode::Unlocked
                                                              : korven::LockMode::ReadOnly;
    const auto file = korven::LockedFile::open(QString::fromLocal8Bit(argv[3]), mode);
    if (!hold) {
        return file ? 0 : 3;
    }
    std::puts(file ? "held" : "refused");
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) {
    }
    return file ? 0 : 3;
}
