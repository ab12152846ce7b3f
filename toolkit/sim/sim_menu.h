#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/sim/sim_log.h"
#include "toolkit/toolkit.h"

namespace quevor::sim {

// The script name of an item ("quit", "show-title-bar"), and back; nullopt for an unknown name.
std::string menuItemName(MenuItem item);
std::optional<MenuItem> menuItemNamed(const std::string& name);

// The pop-up menu. Its items start shown or hidden as kMenuItems says. When the menu pops up, the
// user's answer is taken from the queue, or else asked of the answerer; no answer at all, or the
// choice of an item that is not shown (or of the separator), is a SimUsageError.
class SimMenu final : public Menu {
  public:
    using Answer = std::optional<MenuItem>;  // nullopt: dismissed

    explicit SimMenu(CallLog& log);

    bool visible(MenuItem item) const;
    void setVisible(MenuItem item, bool visible) override;
    void setCaption(MenuItem item, const std::u16string& caption) override;
    const std::u16string& caption(MenuItem item) const;
    std::optional<MenuItem> popup() override;
    void setChecked(MenuItem item, bool checked) override;
    bool checked(MenuItem item) const { return checked_[static_cast<std::size_t>(item)]; }
    std::optional<MenuItem> popupAt(const MenuAnchor& anchor,
                                    std::optional<MenuItem> selected) override;

    std::deque<Answer> answers;
    std::function<Answer()> answerer;

    // The visible items, in menu order.
    std::vector<MenuItem> visibleItems() const;
    int popups() const { return popups_; }
    // The item selected as the menu opened (from the keyboard), while it is open.
    std::optional<MenuItem> selected() const { return selected_; }

  private:
    std::optional<MenuItem> answer();  // the user's, checked

    CallLog& log_;
    std::array<bool, kMenuItems.size()> visible_{};
    std::array<std::u16string, kMenuItems.size()> captions_;
    std::array<bool, kMenuItems.size()> checked_{};
    int popups_ = 0;
    std::optional<MenuItem> selected_;
};

}  // namespace quevor::sim
