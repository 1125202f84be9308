// Pressing and repeating the halves of a spin button: a press fires its half at once, a held
// half fires again after 400 ms and then every 100 ms while it stays pressed under the mouse
// and the button is still held.
#pragma once

#include "controls/controltimer.h"

#include <functional>
#include <memory>

namespace duebell {

enum TSpinHalf { shNone, shTop, shBottom };

// The half under a point of a W x H button split along its diagonal from bottom-left to
// top-right: the top half while y < H - (H / W) x.
TSpinHalf DiagonalHalf(int x, int y, int width, int height);

class SpinButtonLogic {
public:
    static constexpr int FirstRepeat = 400;
    static constexpr int NextRepeats = 100;

    // The half shown pressed now (shNone while the mouse is off the half pressed first).
    TSpinHalf Pressed() const { return pressed_; }
    // The half the press began on.
    TSpinHalf Held() const { return held_; }

    void Press(TSpinHalf half);
    // The mouse moved while held: `half` is the half under it, shNone outside the button.
    void Move(TSpinHalf half);
    void Release();

    std::function<void()> OnTopClick;
    std::function<void()> OnBottomClick;
    std::function<void()> Repaint;
    // Asked before each repeat: false ends the press as a release would, for a release that
    // can no longer reach the button (a modal box took the mouse, the button went away).
    std::function<bool()> StillHeld;

private:
    void Fire(TSpinHalf half);
    void Tick();
    void SetPressed(TSpinHalf half);

    TSpinHalf pressed_ = shNone;
    TSpinHalf held_ = shNone;
    std::unique_ptr<ControlTimer> timer_;
};

} // namespace duebell
