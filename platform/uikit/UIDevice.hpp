#pragma once

// The device the app runs on. There is one simulated device per process: its orientation and
// idiom are what the simulated device (platform/testing) last set, portrait iPhone until then.
// Reads are safe from any thread.

#include <atomic>
#include <optional>
#include <string>

namespace uikit {

// The platform's raw values.
enum class UIDeviceOrientation : int {
    unknown = 0,
    portrait = 1,
    portraitUpsideDown = 2,
    landscapeLeft = 3,
    landscapeRight = 4,
    faceUp = 5,
    faceDown = 6,
};

constexpr int rawValue(UIDeviceOrientation orientation) { return static_cast<int>(orientation); }
// Absent for a raw value the platform does not define.
std::optional<UIDeviceOrientation> deviceOrientationFromRawValue(int rawValue);

enum class UIUserInterfaceIdiom : int { unspecified = -1, phone = 0, pad = 1, tv = 2, carPlay = 3, mac = 5 };

constexpr int rawValue(UIUserInterfaceIdiom idiom) { return static_cast<int>(idiom); }

class UIDevice {
public:
    static UIDevice& current();

    UIDeviceOrientation orientation() const { return orientation_.load(); }
    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_.load(); }

    // Set by the simulated device. An orientation outside the platform's values is refused with
    // a message on standard error and changes nothing; the result tells whether it was taken.
    bool setOrientation(UIDeviceOrientation orientation);
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_.store(idiom); }

    UIDevice(const UIDevice&) = delete;
    UIDevice& operator=(const UIDevice&) = delete;

private:
    UIDevice() = default;

    std::atomic<UIDeviceOrientation> orientation_{UIDeviceOrientation::portrait};
    std::atomic<UIUserInterfaceIdiom> idiom_{UIUserInterfaceIdiom::phone};
};

} // namespace uikit
