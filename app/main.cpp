// quevor.exe: the bar on the Win32 toolkit.
#include "settings/codec.h"
#include "settings/file_store.h"
#include "shell/bar.h"
#include "toolkit/win32/win32_toolkit.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quevor;
    std::unique_ptr<FileStore> store;
    std::unique_ptr<TextCodec> codec;
    return win32::runBar(instance, showCommand,
                         [&](Toolkit& toolkit) -> std::unique_ptr<BarEvents> {
                             store = makeSystemFileStore();
                             codec = makeSystemCodec("");  // the system's ANSI code page
                             return std::make_unique<Bar>(toolkit, *store, *codec);
                         });
}
