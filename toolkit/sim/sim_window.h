#pragma once

#include "toolkit/geometry.h"
#include "toolkit/sim/sim_log.h"
#include "toolkit/toolkit.h"

namespace quevor::sim {

// Bar as plain values. The design size is the design client area inside a simulated frame of
// 120 twips across (two 60-twip borders) and 525 down (caption and borders), so the window
// starts 720 x 1125 at 0, 0.
class SimWindow final : public Window {
  public:
    static constexpr float kDesignWidth = geometry::twips(geometry::kDesignClientSize) + 120.0f;
    static constexpr float kDesignHeight = geometry::twips(geometry::kDesignClientSize) + 525.0f;

    explicit SimWindow(CallLog& log) : log_(log) {}

    float left() const override { return left_; }
    float top() const override { return top_; }
    float width() const override { return width_; }
    float height() const override { return height_; }
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    void minimize() override;
    void setCaptionVisible(bool visible) override;
    void makeTopmost() override;

    bool minimized() const { return minimized_; }
    bool topmost() const { return topmost_; }
    bool caption() const { return caption_; }
    bool shown() const { return shown_; }

    // The toolkit shows the window once its load handler has returned.
    void show() { shown_ = true; }
    // What the user does to the window through the platform.
    void userMove(float left, float top);
    void userRestore() { minimized_ = false; }

  private:
    CallLog& log_;
    float left_ = 0.0f;
    float top_ = 0.0f;
    float width_ = kDesignWidth;
    float height_ = kDesignHeight;
    bool caption_ = true;
    bool minimized_ = false;
    bool topmost_ = false;
    bool shown_ = false;
};

// The add button, at its design place 0, 0 and at its design width.
class SimAddButton final : public AddButton {
  public:
    explicit SimAddButton(CallLog& log) : log_(log) {}
    float left() const override { return left_; }
    void setLeft(float twips) override;
    float width() const override { return geometry::twips(geometry::kAddButtonSize); }
    void showFocus(bool focused) override;
    bool focused() const { return focused_; }

  private:
    CallLog& log_;
    float left_ = 0.0f;
    bool focused_ = false;
};

}  // namespace quevor::sim
