// Writes the setting.ini that is installed beside quevor.exe: the cleared state, exactly the
// bytes the clearing writer leaves, in the system's ANSI code page.
#include <cstdio>
#include <exception>
#include <fstream>

#include "settings/codec.h"
#include "settings/layout.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cleared_ini OUTPUT-FILE\n");
        return 2;
    }
    try {
        const auto codec = quevor::makeSystemCodec("");
        const std::string bytes = codec->encode(quevor::clearedStateText() + u"\r\n");
        std::ofstream file(argv[1], std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::fprintf(stderr, "cleared_ini: cannot write %s\n", argv[1]);
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cleared_ini: %s\n", e.what());
        return 1;
    }
}
