#include "controls/speedbuttonlogic.h"

namespace duebell {

QPoint DropDownMenuPoint(bool hasMenu, TExDropDownMenuPos position, TMenuAlignment alignment,
                         QSize button) {
    if (!hasMenu)
        return {0, 0};
    const int w = button.width();
    const int h = button.height();
    if (position == dmpBottom) {
        switch (alignment) {
        case maLeft:
            return {-1, h};
        case maRight:
            return {w + 1, h};
        case maCenter:
            return {w / 2, h};
        }
    }
    switch (alignment) {
    case maLeft:
        return {w, -1};
    case maRight:
        return {-1, -1};
    case maCenter:
        return {w / 2, h};
    }
    return {0, 0};
}

SpeedButtonLogic::SpeedButtonLogic() = default;

void SpeedButtonLogic::SetState(TExButtonState state) {
    if (state == state_)
        return;
    state_ = state;
    if (Repaint)
        Repaint();
}

void SpeedButtonLogic::SetDown(bool down) {
    if (groupIndex_ == 0)
        down = false;
    if (down == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = down;
    if (down) {
        if (state_ == ebsUp)
            state_ = ebsExclusive;
    } else if (state_ == ebsExclusive) {
        state_ = ebsUp;
    }
    if (Repaint)
        Repaint();
    if (DownChanged)
        DownChanged();
    if (down && NotifyGroup)
        NotifyGroup();
}

void SpeedButtonLogic::SetGroupIndex(int index) {
    if (index == groupIndex_)
        return;
    groupIndex_ = index;
    if (NotifyGroup)
        NotifyGroup();
}

void SpeedButtonLogic::SetAllowAllUp(bool allow) {
    if (allow == allowAllUp_)
        return;
    allowAllUp_ = allow;
    if (NotifyGroup)
        NotifyGroup();
}

void SpeedButtonLogic::SetAllowTimer(bool allow) {
    allowTimer_ = allow;
    if (!allow)
        timer_.reset();
}

void SpeedButtonLogic::SetEnabled(bool enabled) {
    if (!enabled) {
        dragging_ = false;
        SetState(ebsDisabled);
    } else {
        SetState(down_ && groupIndex_ != 0 ? ebsExclusive : ebsUp);
    }
}

void SpeedButtonLogic::Press() {
    if (state_ == ebsDisabled)
        return;
    mouseInside_ = true;
    if (!down_)
        state_ = ebsDown;
    dragging_ = true;
    if (Repaint)
        Repaint();
    if (allowTimer_) {
        if (!timer_) {
            timer_ = CreateControlTimer();
            timer_->OnTimer = [this] { TimerTick(); };
        }
        timer_->Start(InitPause);
    }
}

void SpeedButtonLogic::MoveWhileDragging(bool inside) {
    if (!dragging_)
        return;
    if (inside)
        SetState(down_ ? ebsExclusive : ebsDown);
    else
        SetState(down_ ? ebsExclusive : ebsUp);
}

bool SpeedButtonLogic::Release(bool inside) {
    if (!dragging_)
        return false;
    dragging_ = false;
    if (timer_)
        timer_->Stop();
    if (groupIndex_ == 0) {
        state_ = ebsUp;
        mouseInside_ = false;
        if (Repaint)
            Repaint();
    } else if (inside) {
        SetDown(!down_);
        SetState(down_ ? ebsExclusive : ebsUp);
    } else {
        SetState(down_ ? ebsExclusive : ebsUp);
    }
    return inside;
}

void SpeedButtonLogic::GroupNotice(int groupIndex, const SpeedButtonLogic& sender) {
    if (&sender == this || groupIndex != groupIndex_ || groupIndex_ == 0)
        return;
    if (sender.down_ && down_) {
        down_ = false;
        state_ = ebsUp;
        if (Repaint)
            Repaint();
        if (DownChanged)
            DownChanged();
    }
    allowAllUp_ = sender.allowAllUp_;
}

void SpeedButtonLogic::TimerTick() {
    timer_->SetInterval(RepeatInterval);
    if (state_ == ebsDown && dragging_ && Click)
        Click();
}

} // namespace duebell
