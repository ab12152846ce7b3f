#pragma once

#include <string>
#include <vector>

#include "toolkit/sim/sim_log.h"
#include "toolkit/toolkit.h"

namespace quevor::sim {

struct SimButton {
    std::u16string key;
    std::u16string imageKey;
    std::u16string toolTip;
    bool operator==(const SimButton&) const = default;
};

struct SimImage {
    std::u16string key;
    bool neutral = false;  // the neutral icon, not a program's own
};

// The toolbar with its image list. Keys are unique within each; positions are
// 1-based and a new entry may go anywhere from 1 to one past the last.
class SimToolbar final : public Toolbar {
  public:
    explicit SimToolbar(CallLog& log) : log_(log) {}

    void addImage(int16 index, const std::u16string& key, const Icon& icon) override;
    void addButton(int16 index, const std::u16string& key, const std::u16string& imageKey) override;
    void setToolTip(int16 index, const std::u16string& text) override;
    void setImage(const std::u16string& key, const Icon& icon) override;
    void removeButton(int16 index) override;
    void moveButton(int16 from, int16 to) override;
    void clearButtons() override;
    void showFocus(const std::u16string& key) override;

    const std::vector<SimButton>& buttons() const { return buttons_; }
    // The button with this key, or nullptr.
    const SimButton* find(const std::u16string& key) const;
    // The button shows the neutral icon: its program's answer has not come.
    bool showsNeutral(const SimButton& button) const;
    // The key of the button showing the keyboard focus, "" for none.
    const std::u16string& focused() const { return focused_; }

  private:
    void checkButton(int16 index) const;  // an index of an existing button

    CallLog& log_;
    std::vector<SimButton> buttons_;
    std::vector<SimImage> images_;
    std::u16string focused_;
};

}  // namespace quevor::sim
