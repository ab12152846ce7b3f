#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "kill_checks.h"

namespace quevor::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path besideThisProgram(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(std::wstring(self, length)).parent_path() / name;
}

// save_loop.exe on the file, its standard output a pipe; returns once it has said "ready".
PROCESS_INFORMATION startLoop(const fs::path& program, const fs::path& settings) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    PROCESS_INFORMATION process{};
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return process;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring command = L"\"" + program.wstring() + L"\" \"" + settings.wstring() + L"\"";
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        process = PROCESS_INFORMATION{};
    }
    CloseHandle(writeEnd);
    char ready[6] = {};
    DWORD got = 0;
    if (process.hProcess && (!ReadFile(readEnd, ready, 5, &got, nullptr) || got != 5)) {
        TerminateProcess(process.hProcess, 3);
    }
    CloseHandle(readEnd);
    return process;
}

// The atomic replace of the Windows store: TerminateProcess at any moment of a quit or a clear
// leaves the old file or the new one, and start-up reads it.
TEST(KillDuringSave, TerminatingTheProcessLeavesTheOldOrTheNewFile) {
    const char* count = std::getenv("QUEVOR_KILLS");
    const int kills = count ? std::atoi(count) : 100;
    const auto codec = makeSystemCodec();
    const auto store = makeSystemFileStore();
    const std::set<std::string> states = endStates(*codec, false);

    const fs::path program = besideThisProgram(L"save_loop.exe");
    ASSERT_TRUE(fs::exists(program)) << program;
    const fs::path folder = fs::temp_directory_path() / ("quevor-kill-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path path = folder / "setting.ini";
    const SettingsFile file(path.u16string(), *store, *codec);

    // How long one quit and one clear take here, so the kills spread over the whole loop.
    store->replace(path.u16string(), clearedFile());
    const auto begun = Clock::now();
    fuzz::LiveBar timing = killedBar(false);
    saveSettings(file, timing);
    clearSettings(file);
    const auto loop = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begun);

    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    std::uniform_int_distribution<long long> delay(0, 2 * loop.count() + 2);
    std::set<std::string> seen;
    int leftovers = 0;
    for (int k = 0; k < kills; ++k) {
        store->replace(path.u16string(), clearedFile());
        const PROCESS_INFORMATION process = startLoop(program, path);
        ASSERT_NE(process.hProcess, nullptr) << "save_loop.exe did not start";
        Sleep(static_cast<DWORD>(delay(random)));
        TerminateProcess(process.hProcess, 9);
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_EQ(code, 9u) << "save_loop.exe ended by itself";

        ASSERT_NO_FATAL_FAILURE(expectCompleteState(file, states, k, seen, leftovers));
    }
    expectNoTemporaryFileStays(*store, path);
    EXPECT_EQ(seen, states);
    std::printf("%d kills, %zu of %zu states seen, %d temporary files left behind, loop %lld ms\n", kills,
                seen.size(), states.size(), leftovers, static_cast<long long>(loop.count()));
}

}  // namespace
}  // namespace quevor::testing
