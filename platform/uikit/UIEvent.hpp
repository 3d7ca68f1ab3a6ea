#pragma once

// The event that a touch or a control action belongs to. Headless events carry only what the
// code that receives them can observe: their type and time stamp.

namespace uikit {

enum class UIEventType : int { touches = 0, motion = 1, remoteControl = 2, presses = 3 };

class UIEvent {
public:
    explicit UIEvent(UIEventType type = UIEventType::touches, double timestamp = 0)
        : type_(type), timestamp_(timestamp) {}

    UIEventType type() const { return type_; }
    // Seconds on the main run loop's clock.
    double timestamp() const { return timestamp_; }

private:
    UIEventType type_;
    double timestamp_;
};

} // namespace uikit
