#include "shell/form1.h"

#include "slots/add_program.h"
#include "slots/start_program.h"

namespace quevor {

Form1::Form1(Toolkit& toolkit, FileStore& store, const TextCodec& codec)
    : toolkit_(toolkit), store_(store), codec_(codec) {}

SettingsFile Form1::settingsFile() const {
    return SettingsFile(state_.settingsPath, store_, codec_);
}

void Form1::Form_Unload() {}

void Form1::Tlb1_ButtonClick(const std::u16string& key) {
    startSlotProgram(state_.slots, toolkit_, key);
}

void Form1::Command1_Click() { addProgram(state_.slots, toolkit_, codec_); }

void Form1::Picture1_MouseDown(int16, int16, float, float) {}

}  // namespace quevor
