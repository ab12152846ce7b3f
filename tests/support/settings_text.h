#pragma once

// setting.ini texts for every test, the Windows end-to-end driver included (standard C++ only):
//   bytes("CL:0[CR][LF]")  spelled-out line breaks;  shownBytes(b)  the reverse, for reports;
//   savedFile(paths, w, cl, t, position)  the file a quit leaves ("" = the slot's placeholder);
//   workedExampleFile()  two programs added to a cleared bar, then quit (281 bytes);
//   clearedFile()  the file a clear leaves.  What a quit saves: loadedBar() in fake_bar.h.

#include <string>
#include <vector>

namespace quevor::testing {

inline std::string bytes(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool cr = text.compare(i, 4, "[CR]") == 0, lf = text.compare(i, 4, "[LF]") == 0;
        out += cr ? '\r' : lf ? '\n' : text[i];
        if (cr || lf) i += 3;
    }
    return out;
}

inline std::string shownBytes(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        out += c == '\r'   ? "[CR]"
               : c == '\n' ? "[LF]"
               : u < 0x20  ? "[" + std::to_string(u) + "]"
                           : std::string(1, c);
    }
    return out;
}

inline std::string savedFile(const std::vector<std::string>& paths,
                             const std::string& width = "735", const std::string& addLeft = "0",
                             const std::string& title = "0",
                             const std::string& position = "X:100Y:100") {
    std::string out = "CL:" + addLeft + "[CR][LF]W:" + width + "[CR][LF][CR]";
    for (std::size_t n = 1; n <= 15; ++n) {
        const bool filled = n <= paths.size() && !paths[n - 1].empty();
        out +=
            "Path" + std::to_string(n) + ":" + (filled ? paths[n - 1] : std::to_string(n) + ".exe");
        out += n < 15 ? "[CR][LF]" : "";
    }
    return bytes(out + "Path16:16.exe[CR][LF][CR]" + position + "[CR][LF][CR]T:" + title +
                 "[CR][LF]");
}

inline std::string workedExampleFile() {
    return savedFile({"C:\\Tools\\edit.exe", "D:\\Games\\play.exe"}, "1905", "1170");
}

inline std::string clearedFile() {
    std::string out = "CL:0W:735";
    for (int n = 1; n <= 14; ++n)
        out += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe[CR][LF]";
    return bytes(out + "Path15:15.exePath16:16.exe[CR][LF][CR]X:100Y:100[CR][LF]");
}

}  // namespace quevor::testing
