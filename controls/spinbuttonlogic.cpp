#include "controls/spinbuttonlogic.h"

namespace duebell {

TSpinHalf DiagonalHalf(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0)
        return shNone;
    return static_cast<double>(y) < height - static_cast<double>(height) / width * x ? shTop
                                                                                     : shBottom;
}

void SpinButtonLogic::SetPressed(TSpinHalf half) {
    if (half == pressed_)
        return;
    pressed_ = half;
    if (Repaint)
        Repaint();
}

void SpinButtonLogic::Fire(TSpinHalf half) {
    if (half == shTop && OnTopClick)
        OnTopClick();
    else if (half == shBottom && OnBottomClick)
        OnBottomClick();
}

void SpinButtonLogic::Press(TSpinHalf half) {
    if (held_ != shNone || half == shNone)
        return;
    held_ = half;
    SetPressed(half);
    if (!timer_) {
        timer_ = CreateControlTimer();
        timer_->OnTimer = [this] { Tick(); };
    }
    timer_->Start(FirstRepeat);
    Fire(half);
}

void SpinButtonLogic::Move(TSpinHalf half) {
    if (held_ == shNone)
        return;
    SetPressed(half == held_ ? held_ : shNone);
}

void SpinButtonLogic::Release() {
    held_ = shNone;
    if (timer_)
        timer_->Stop();
    SetPressed(shNone);
}

void SpinButtonLogic::Tick() {
    if (StillHeld && !StillHeld()) {
        Release();
        return;
    }
    timer_->SetInterval(NextRepeats);
    if (pressed_ == shNone)
        return;
    try {
        Fire(pressed_);
    } catch (...) {
        // A failing step ends the repeat; the error goes on to the handler.
        timer_->Stop();
        throw;
    }
}

} // namespace duebell
