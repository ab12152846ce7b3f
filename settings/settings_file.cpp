#include "settings/settings_file.h"

namespace quevor {

std::u16string SettingsFile::readSettingsText() const { return codec_.decode(store_.read(path_)); }

void SettingsFile::replaceSettingsText(std::u16string_view text) const {
    store_.replace(path_, codec_.encode(text));
}

}  // namespace quevor
