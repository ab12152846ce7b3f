#pragma once

// What the end-to-end tests share: the folders the stage script prepares, the probe program's
// log, and a fixture that starts quevor.exe from a fresh folder.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "driver.h"
#include "support/settings_text.h"

namespace e2e {

inline const std::wstring kBin = L"C:\\e2e\\bin\\",
                          kNotepad = L"C:\\windows\\system32\\notepad.exe";

inline std::size_t colourCount(const RECT& r) {  // an icon shows many, a blank button few
    const std::vector<COLORREF> all = pixels(r);
    return std::set<COLORREF>(all.begin(), all.end()).size();
}

// What the probe program logged: a line "<its own path>|<working folder>" for each start.
inline std::wstring startedLog() {
    const std::string bytes = readBytes(L"C:\\e2e\\started.log");
    return {reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2};
}

// Each test starts quevor.exe from a fresh folder of its own.
class BarTest : public ::testing::Test {
  protected:
    std::wstring folder;

    void SetUp() override {
        // A fresh folder for each test of each run (a test takes seconds).
        folder = L"C:\\e2e\\run\\" + std::to_wstring(GetTickCount64()) + L"\\";
        copyFile(kBin + L"quevor.exe", folder + L"quevor.exe");
        DeleteFileW(L"C:\\e2e\\started.log");
        moveMouse({900, 700});  // away from where any bar stands
    }

    std::wstring settings() const { return folder + L"setting.ini"; }
    // The probe copied to each program's path (ASCII), and a setting.ini naming them: its bytes.
    std::string saveProbes(const std::vector<std::wstring>& programs, const std::string& width,
                           const std::string& addLeft,
                           const std::string& position = "X:100Y:100") const {
        std::vector<std::string> paths;
        for (const std::wstring& program : programs) {
            copyFile(kBin + L"e2e_probe.exe", program);
            paths.emplace_back(program.begin(), program.end());
        }
        const std::string file = quevor::testing::savedFile(paths, width, addLeft, "0", position);
        writeBytes(settings(), file);
        return file;
    }
    std::unique_ptr<Bar> start() const { return std::make_unique<Bar>(folder + L"quevor.exe"); }
};

}  // namespace e2e
