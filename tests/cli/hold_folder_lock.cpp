// Holds an installation folder as another Quorvel program would, for the command-line tests:
// takes the folder's lock, says "taken" on standard output and keeps it until a line (or the
// end of input) comes on standard input, or until it is killed.

#include "platform/folder_lock.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hold_folder_lock FOLDER\n");
        return 2;
    }
    quorvel::FolderLock lock(argv[1]);
    if (lock.take(std::chrono::milliseconds(0)) != quorvel::FolderLockResult::Taken) {
        std::printf("refused\n");
        return 1;
    }
    std::printf("taken\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return 0;
}
