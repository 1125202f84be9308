// The behaviour of a glyph speed button without its widget: its state (up, disabled, down,
// exclusive, inactive) under the mouse, groups of buttons of which one is down at a time, the
// auto-repeat of a held button, and where its drop-down menu opens.
#pragma once

#include "controls/buttonglyph.h"
#include "controls/controltimer.h"

#include <QPoint>
#include <QSize>
#include <functional>
#include <memory>

namespace duebell {

enum TExDropDownMenuPos { dmpBottom, dmpRight };
enum TMenuAlignment { maLeft, maRight, maCenter };

// Where a drop-down menu opens, relative to the button's top-left corner.
QPoint DropDownMenuPoint(bool hasMenu, TExDropDownMenuPos position, TMenuAlignment alignment,
                         QSize button);

class SpeedButtonLogic {
public:
    SpeedButtonLogic();

    TExButtonState State() const { return state_; }
    bool MouseInside() const { return mouseInside_; }
    bool Dragging() const { return dragging_; }

    bool Down() const { return down_; }
    // Without a group a button is never down; a down button goes up only with AllowAllUp.
    // Going down makes the other buttons of the group go up (through NotifyGroup).
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    bool AllowTimer() const { return allowTimer_; }
    // Switching the repeat off frees its timer.
    void SetAllowTimer(bool allow);
    int InitPause = 500;
    int RepeatInterval = 100;

    // Input from the widget.
    void SetEnabled(bool enabled);
    void Press();
    void MoveWhileDragging(bool inside);
    // Answers whether the release clicks.
    bool Release(bool inside);
    void SetMouseInside(bool inside) { mouseInside_ = inside; }
    // Another button of the same parent went down or changed its group settings.
    void GroupNotice(int groupIndex, const SpeedButtonLogic& sender);
    bool TimerActive() const { return timer_ && timer_->IsActive(); }

    // Wired by the widget.
    std::function<void()> Repaint;
    std::function<void()> NotifyGroup;
    std::function<void()> Click;
    // Down went from up to down or back (set, pressed, or released by the group).
    std::function<void()> DownChanged;

private:
    void SetState(TExButtonState state);
    void TimerTick();

    TExButtonState state_ = ebsUp;
    bool mouseInside_ = false;
    bool dragging_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool allowTimer_ = false;
    std::unique_ptr<ControlTimer> timer_;
};

} // namespace duebell
