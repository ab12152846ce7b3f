#include "hostile_files.h"

namespace quevor::testing {
namespace {

std::string slotRecords(const std::string& path1, const std::string& path2) {
    std::string out = "Path1:" + path1 + "\r\nPath2:" + path2 + "\r\n";
    for (int n = 3; n <= 14; ++n) out += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe\r\n";
    return out + "Path15:15.exePath16:16.exe\r\n\r";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

std::string workedExampleFile() {
    return "CL:1170\r\nW:1905\r\n\r" + slotRecords("C:\\Tools\\edit.exe", "D:\\Games\\play.exe") +
           "X:100Y:100\r\n\rT:0\r\n";
}

std::string clearedFile() {
    std::string out = "CL:0W:735";
    for (int n = 1; n <= 14; ++n) out += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe\r\n";
    return out + "Path15:15.exePath16:16.exe\r\n\rX:100Y:100\r\n";
}

std::vector<HostileFile> hostileFiles() {
    using O = Outcome;
    const std::string worked = workedExampleFile();
    std::vector<HostileFile> rows = {
        {"worked example", worked, O::Works, ""},
        {"cleared state", clearedFile(), O::Works, ""},
        {"empty", "", O::Works, ""},
        {"only NUL bytes", std::string(300, '\0'), O::Works, ""},
        // A UTF-8 mark is no Shift_JIS text.
        {"byte-order mark", "\xEF\xBB\xBF" + worked, O::StartUpStops, "is not CP932 text (byte 0)"},
        {"LF line ends", replaced(replaced(worked, "\r\n", "\n"), "\r", "\n"), O::Works, ""},
        {"CR line ends", replaced(worked, "\r\n", "\r"), O::Works, ""},
        {"a comment longer than 32767 characters", std::string(33000, ';') + worked, O::StartUpStops,
         "Overflow"},
        {"blanks after the last record beyond 32767 characters", worked + std::string(33000, ' '), O::Works, ""},
        {"a path longer than 32767 characters",
         "CL:0W:735Path1:C:\\" + std::string(33000, 'a') + ".exe\r\nX:1Y:1\r\n", O::StartUpStops, "Overflow"},
        {"binary garbage", std::string("\x81\x00\xFF\xFE\x80\xA0\xFD\x7F\x82", 9) + worked, O::StartUpStops,
         "is not CP932 text"},
        {"Shift_JIS path", replaced(worked, "C:\\Tools\\edit.exe", "C:\\\x83\x63\x81\x5B\x83\x8B\\\x95\x5C.exe"),
         O::Works, ""},
        {"UTF-8 path", replaced(worked, "C:\\Tools\\edit.exe", "C:\\\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB.exe"),
         O::StartUpStops, "is not CP932 text"},
        {"keys twice", worked + "CL:99\r\nW:99\r\nPath1:E:\\other.exe\r\nX:5Y:5\r\nT:1\r\n", O::StartUpStops,
         "'T:' value"},
        {"W before CL", replaced(worked, "CL:1170\r\nW:1905\r\n", "W:1905\r\nCL:1170\r\n"), O::StartUpStops,
         "'W:' value"},
        {"Y before X", replaced(worked, "X:100Y:100", "Y:100X:100"), O::StartUpStops, "'X:' value"},
        {"T before X", replaced(worked, "X:100Y:100\r\n\rT:0\r\n", "T:0\r\nX:100Y:100\r\n"), O::StartUpStops,
         "'T:' value"},
        {"slot records swapped", replaced(worked, "Path2:D:\\Games\\play.exe\r\nPath3:3.exe", "Path3:3.exe\r\nPath2:D:\\Games\\play.exe"),
         O::Works, ""},
        {"first slot record last", replaced(replaced(worked, "Path1:", "Path9:"), "Path9:9", "Path1:9"), O::StartUpStops,
         "'W:' value"},
        {"edges beyond 16 bits", replaced(worked, "X:100Y:100", "X:40000Y:-99999"), O::Works, ""},
        {"title bar beyond 16 bits", replaced(worked, "T:0", "T:65536"), O::StartUpStops, "Overflow: 'T:'"},
        {"width beyond single precision", replaced(worked, "W:1905", "W:1e39"), O::StartUpStops, "Overflow: 'W:'"},
        {"width far beyond 16 bits", replaced(worked, "W:1905", "W:4000000"), O::Works, ""},
        {"read-only file", worked, O::QuitStops, "Permission denied", true, false},
        {"read-only folder", worked, O::QuitStops, "Permission denied", false, true},
    };
    // Cut off in the middle of every record: inside its key, and inside its value.
    std::size_t start = 0;
    for (const std::string key : {"CL:", "W:", "Path1:", "Path2:", "Path3:", "Path8:", "Path14:", "Path15:",
                                  "Path16:", "X:", "Y:", "T:"}) {
        const std::size_t at = worked.find(key, start);
        const std::size_t next = worked.find_first_of("\r", at);
        rows.push_back({"cut inside the key " + key, worked.substr(0, at + key.size() / 2), O::Either, "value"});
        rows.push_back({"cut inside the value of " + key, worked.substr(0, at + key.size() + (next - at - key.size()) / 2),
                        O::Either, "value"});
        start = at + 1;
    }
    return rows;
}

}  // namespace quevor::testing
