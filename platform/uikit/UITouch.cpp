#include "platform/uikit/UITouch.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIView.hpp"

#include <algorithm>
#include <cassert>

namespace uikit {

UITouch::UITouch(const std::shared_ptr<UIView>& root, const CGPoint& location, double timestamp)
    : root_(root), location_(location), previousLocation_(location), timestamp_(timestamp),
      previousTimestamp_(timestamp) {}

CGPoint UITouch::location(const UIView* in) const { return in ? in->convertFrom(location_, nullptr) : location_; }

CGPoint UITouch::previousLocation(const UIView* in) const {
    return in ? in->convertFrom(previousLocation_, nullptr) : previousLocation_;
}

namespace {

bool isRecognized(UIGestureRecognizerState state) {
    return state == UIGestureRecognizerState::began || state == UIGestureRecognizerState::ended ||
           state == UIGestureRecognizerState::changed;
}

bool mayRecognizeTogether(UIGestureRecognizer& a, UIGestureRecognizer& b) {
    const auto da = a.delegate();
    const auto db = b.delegate();
    return (da && da->gestureRecognizerShouldRecognizeSimultaneouslyWith(a, b)) ||
           (db && db->gestureRecognizerShouldRecognizeSimultaneouslyWith(b, a));
}

} // namespace

UITouchSequence::UITouchSequence(const std::shared_ptr<UIView>& root, const CGPoint& location, double timestamp)
    : touch_(std::make_shared<UITouch>(root, location, timestamp)), event_(UIEventType::touches, timestamp) {
    assert(foundation::isMainThread());
    const auto hit = root ? root->hitTest(location, &event_) : nullptr;
    touch_->view_ = hit;
    if (!hit) {
        finished_ = true;
        return;
    }
    for (auto v = hit; v; v = v->superview()) {
        for (const auto& recognizer : v->gestureRecognizers()) {
            if (!recognizer->isEnabled()) {
                continue;
            }
            const auto delegate = recognizer->delegate();
            if (delegate && !delegate->gestureRecognizerShouldReceive(*recognizer, *touch_)) {
                continue;
            }
            recognizers_.push_back(recognizer);
        }
    }
    const UITouchSet touches{touch_};
    for (const auto& recognizer : this->recognizers()) {
        recognizer->touchesBegan(touches, &event_);
        resolveRecognitions();
    }
    if (!viewCancelled_) {
        hit->touchesBegan(touches, &event_);
    }
}

UITouchSequence::~UITouchSequence() {
    if (!finished_) {
        cancel();
    }
}

std::vector<std::shared_ptr<UIGestureRecognizer>> UITouchSequence::recognizers() const {
    std::vector<std::shared_ptr<UIGestureRecognizer>> alive;
    for (const auto& weak : recognizers_) {
        if (auto recognizer = weak.lock()) {
            alive.push_back(recognizer);
        }
    }
    return alive;
}

void UITouchSequence::move(const CGPoint& location, double timestamp) {
    step(UITouchPhase::moved, location, timestamp);
}

void UITouchSequence::end(const CGPoint& location, double timestamp) { step(UITouchPhase::ended, location, timestamp); }

void UITouchSequence::cancel() {
    if (finished_) {
        return;
    }
    touch_->phase_ = UITouchPhase::cancelled;
    const UITouchSet touches{touch_};
    for (const auto& recognizer : recognizers()) {
        recognizer->touchesCancelled(touches, &event_);
    }
    if (!viewCancelled_) {
        viewCancelled_ = true;
        if (const auto view = touch_->view()) {
            view->touchesCancelled(touches, &event_);
        }
    }
    finish();
}

void UITouchSequence::step(UITouchPhase phase, const CGPoint& location, double timestamp) {
    assert(foundation::isMainThread());
    if (finished_) {
        return;
    }
    touch_->previousLocation_ = touch_->location_;
    touch_->previousTimestamp_ = touch_->timestamp_;
    touch_->location_ = location;
    touch_->timestamp_ = timestamp;
    touch_->phase_ = phase;
    event_ = UIEvent(UIEventType::touches, timestamp);
    const UITouchSet touches{touch_};
    // One recogniser at a time, so that one that recognises makes the others fail before they
    // could recognise on the same touch.
    for (const auto& recognizer : recognizers()) {
        if (recognizer->state() == UIGestureRecognizerState::failed) {
            continue;
        }
        if (phase == UITouchPhase::ended) {
            recognizer->touchesEnded(touches, &event_);
        } else {
            recognizer->touchesMoved(touches, &event_);
        }
        resolveRecognitions();
    }
    if (!viewCancelled_) {
        if (const auto view = touch_->view()) {
            if (phase == UITouchPhase::ended) {
                view->touchesEnded(touches, &event_);
            } else {
                view->touchesMoved(touches, &event_);
            }
        }
    }
    if (phase == UITouchPhase::ended) {
        finish();
    }
}

void UITouchSequence::resolveRecognitions() {
    const auto all = recognizers();
    for (const auto& winner : all) {
        if (!isRecognized(winner->state())) {
            continue;
        }
        for (const auto& other : all) {
            if (other != winner && other->state() == UIGestureRecognizerState::possible &&
                !mayRecognizeTogether(*winner, *other)) {
                other->setState(UIGestureRecognizerState::failed);
            }
        }
        if (winner->cancelsTouchesInView() && !viewCancelled_) {
            viewCancelled_ = true;
            if (const auto view = touch_->view()) {
                view->touchesCancelled({touch_}, &event_);
            }
        }
    }
}

void UITouchSequence::finish() {
    finished_ = true;
    for (const auto& recognizer : recognizers()) {
        recognizer->reset();
    }
}

} // namespace uikit
