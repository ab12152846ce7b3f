#include "slots/file_name.h"

namespace quevor {

std::u16string bareFileName(const std::u16string& path) {
    const std::size_t cut = path.find_last_of(u"\\/:");
    return cut == std::u16string::npos ? path : path.substr(cut + 1);
}

}  // namespace quevor
