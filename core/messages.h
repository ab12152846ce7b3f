#pragma once

// Every text the user can see, in one table (messages.cpp), so the wording is reviewed in one
// place and the simulator prints what the program shows. The texts are Japanese, like the menu
// the same users read. Each says what happened and, where the user can do something, what.
// Placeholders {1}, {2}, ... take the arguments in order; a path comes without its 「」.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quevor {

enum class Message {
    // setting.ini on the disk
    fileNotFound,     // {1} path
    accessDenied,     // {1} path
    fileInUse,        // {1} path
    cannotOpen,       // {1} path, {2} the system's reason
    cannotRead,       // {1} path, {2} the system's reason
    cannotWrite,      // {1} path, {2} the system's reason
    nothingWritten,   // {1} path
    notAFile,         // {1} path
    noTemporaryName,  // {1} path
    // the code page
    codePageMissing,  // {1} code page
    notText,          // {1} code page
    notTextAt,        // {1} code page, {2} byte number
    cannotEncode,     // {1} code page
    fileTooLarge,
    // setting.ini's values
    notANumber,      // {1} key, {2} value
    numberTooLarge,  // {1} key, {2} value
    searchedTooFar,  // {1} key
    keyMissing,      // {1} key
    outOfRange,
    // the quit's save and the clear
    saveNotVerified,   // {1} path, {2} why (one of the two below, or another message)
    wouldNotReadBack,  //
    wouldChangeAgain,  //
    notSavedQuit,      // {1} what went wrong (a message above)
    notSavedClear,     // {1} what went wrong (a message above)
    // programs on the bar
    cannotAdd,           // {1} the program as named below, {2} reason
    namedProgram,        // {1} path
    namedShortcut,       // {1} shortcut, {2} its target
    cannotMove,          // {1} path, {2} reason
    cannotStart,         // {1} path, {2} reason
    barFull,             //
    barFullWithMissing,  // {1} the missing programs, {2} the menu item that frees them
    listSeparator,       // between the missing programs
    // why a path cannot be stored
    pathTooLong,
    pathControlCharacter,
    pathNotAProgram,
    pathHoldsKey,       // {1} the text
    pathHoldsExe,       // {1} ".exe" or ".EXE"
    pathPlaceholder,    // {1} the name
    pathNotInCodePage,  // {1} code page
    // shortcuts and files as the platform answers
    shortcutNotAFile,
    shortcutUnreadable,
    programMissing,
    // the window system
    cannotLoadFunction,   // {1} function, {2} reason
    cannotCheckInstance,  // {1} reason
    cannotCreateWindow,   // {1} reason
    cannotCreateToolbar,  // {1} reason
    cannotCreateImages,
    cannotStoreIcon,
    cannotChangeButtons,    // {1} reason
    cannotCreateAddButton,  // {1} reason
    cannotCreateMenu,       // {1} reason
    cannotOpenDialog,       // {1} error code
    cannotPlaceWindow,      // {1} reason
    cannotChangeWindow,     // {1} reason
    cannotStartWork,        // {1} reason
    // a fault of the program itself
    internalError,  // {1} what
    outOfMemory,
    unknownError,
    // a program's folder, and the start with Windows
    cannotOpenFolder,         // {1} path, {2} reason
    cannotReadStartupEntry,   // {1} reason
    cannotWriteStartupEntry,  // {1} reason
    // files dropped on a program's button
    parametersTooLong,  // {1} path, {2} characters the command line would have, {3} its limit
    // names for assistive technology
    addButtonName,
};

// The message's text with its placeholders filled in.
std::u16string messageText(Message id, std::initializer_list<std::u16string_view> args = {});
std::u16string messageText(Message id, const std::vector<std::u16string>& args);

}  // namespace quevor
