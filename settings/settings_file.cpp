#include "settings/settings_file.h"

namespace quevor {

std::u16string SettingsFile::readSettingsText() const { return codec_.decode(store_.read(path_)); }

void SettingsFile::writeSettingsText(std::u16string_view text) const {
    std::u16string whole(text);
    whole += u"\r\n";
    store_.replace(path_, codec_.encode(whole));
}

}  // namespace quevor
