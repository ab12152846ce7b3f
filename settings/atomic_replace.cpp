#include "settings/atomic_replace.h"

#include <random>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"

namespace quevor {
namespace {

#ifdef _WIN32
constexpr std::u16string_view kSeparators = u"\\/";
constexpr char16_t kSeparator = u'\\';
#else
constexpr std::u16string_view kSeparators = u"/";
constexpr char16_t kSeparator = u'/';
#endif

std::u16string fileNameOf(const std::u16string& target) {
    const std::size_t cut = target.find_last_of(kSeparators);
    return cut == std::u16string::npos ? target : target.substr(cut + 1);
}

std::u16string temporaryName(const std::u16string& target, unsigned number) {
    return u"." + fileNameOf(target) + u"." + ascii(std::to_string(number)) + u".tmp";
}

bool isTemporaryName(const std::u16string& entry, const std::u16string& target) {
    const std::u16string prefix = u"." + fileNameOf(target) + u".";
    const std::u16string_view suffix = u".tmp";
    if (entry.size() <= prefix.size() + suffix.size() ||
        entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < entry.size() - suffix.size(); ++i) {
        if (entry[i] < u'0' || entry[i] > u'9') return false;
    }
    return true;
}

void removeLeftovers(ReplaceSteps& steps, const std::u16string& folder,
                     const std::u16string& target) {
    for (const std::u16string& name : steps.names(folder)) {
        if (isTemporaryName(name, target)) steps.remove(inFolder(folder, name));
    }
}

}  // namespace

std::u16string folderOf(const std::u16string& target) {
    const std::size_t cut = target.find_last_of(kSeparators);
    if (cut == std::u16string::npos) return u".";
    return cut == 0 ? target.substr(0, 1) : target.substr(0, cut);
}

std::u16string inFolder(const std::u16string& folder, const std::u16string& name) {
    if (!folder.empty() && kSeparators.find(folder.back()) != std::u16string_view::npos)
        return folder + name;
    return folder + kSeparator + name;
}

void replaceAtomically(ReplaceSteps& steps, const std::u16string& target, std::string_view bytes) {
    const std::u16string folder = folderOf(target);
    std::random_device random;
    std::u16string temp;
    bool created = false;
    for (int attempt = 0; attempt < 16 && !created; ++attempt) {
        temp = inFolder(folder, temporaryName(target, random()));
        created = steps.create(temp, target);
    }
    if (!created) fail(Message::noTemporaryName, {target});
    try {
        steps.commit(temp, target, bytes);
    } catch (...) {
        steps.discard(temp);
        throw;
    }
    steps.flushFolder(folder);
    removeLeftovers(steps, folder, target);
}

}  // namespace quevor
