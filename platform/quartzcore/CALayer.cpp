#include "platform/quartzcore/CALayer.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/quartzcore/CATransaction.hpp"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cmath>

namespace quartzcore {

namespace {

std::uint64_t nextAnimationId() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

} // namespace

CALayer::~CALayer() {
    // Sublayers may outlive this layer through other owners; they must not point back to it.
    for (const auto& sublayer : sublayers_) {
        sublayer->superlayer_.reset();
    }
}

CGRect CALayer::frame() const {
    const CGSize size = bounds_.size;
    const CGRect local{-size.width / 2, -size.height / 2, size.width, size.height};
    const CGRect placed = transform_.isIdentity() ? local : local.applying(transform_);
    return placed.offsetBy(position_.x, position_.y);
}

void CALayer::setCornerRadius(CGFloat radius) {
    if (radius == cornerRadius_) {
        return;
    }
    if (const auto delegate = delegate_.lock()) {
        delegate->layerWillChange(*this, "cornerRadius", cornerRadius_, radius);
    }
    cornerRadius_ = radius;
}

void CALayer::setFrame(const CGRect& frame) {
    const CGRect f = frame.standardized();
    if (f.isNull()) {
        return;
    }
    bounds_.size = f.size;
    position_ = {f.midX(), f.midY()};
}

bool CALayer::isAncestorOrSelf(const CALayer& layer) const {
    for (const CALayer* current = &layer; current != nullptr;) {
        if (current == this) {
            return true;
        }
        const auto parent = current->superlayer_.lock();
        current = parent.get();
    }
    return false;
}

void CALayer::detachFromSuperlayer() {
    if (auto parent = superlayer_.lock()) {
        auto& siblings = parent->sublayers_;
        siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                      [this](const std::shared_ptr<CALayer>& l) { return l.get() == this; }),
                       siblings.end());
    }
    superlayer_.reset();
}

void CALayer::addSublayer(const std::shared_ptr<CALayer>& layer) { insertSublayer(layer, sublayers_.size()); }

void CALayer::insertSublayer(const std::shared_ptr<CALayer>& layer, std::size_t index) {
    if (!layer || layer->isAncestorOrSelf(*this)) {
        return;
    }
    // Keep the layer alive while it moves between parents.
    const std::shared_ptr<CALayer> moving = layer;
    moving->detachFromSuperlayer();
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), moving);
    moving->superlayer_ = weak_from_this();
}

void CALayer::insertSublayerBelow(const std::shared_ptr<CALayer>& layer, const std::shared_ptr<CALayer>& sibling) {
    if (!layer || layer == sibling) {
        return;
    }
    // Take the layer out first so that the sibling's index is the one after the move.
    if (layer->superlayer().get() == this) {
        layer->detachFromSuperlayer();
    }
    const auto it = std::find(sublayers_.begin(), sublayers_.end(), sibling);
    insertSublayer(layer, static_cast<std::size_t>(it - sublayers_.begin()));
}

void CALayer::removeFromSuperlayer() {
    const auto keepAlive = shared_from_this();
    detachFromSuperlayer();
}

CALayer::Sublayers CALayer::sublayersInDrawingOrder() const {
    Sublayers ordered = sublayers_;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a->zPosition() < b->zPosition(); });
    return ordered;
}

void CALayer::add(const std::shared_ptr<CAAnimation>& animation, const std::string& key) {
    assert(foundation::isMainThread());
    if (!animation) {
        return;
    }
    std::vector<RunningAnimation> replaced;
    if (!key.empty()) {
        const auto it = std::find_if(animations_.begin(), animations_.end(),
                                     [&](const RunningAnimation& a) { return a.key == key; });
        if (it != animations_.end()) {
            replaced.push_back(std::move(*it));
            animations_.erase(it);
        }
    }

    auto copy = animation->copy();
    const double now = CACurrentMediaTime();
    if (copy->beginTime == 0) {
        copy->beginTime = now;
    }
    const std::uint64_t id = nextAnimationId();
    const double active = copy->activeDuration(CATransaction::animationDuration());
    animations_.push_back({key, copy, id});

    std::weak_ptr<CALayer> weakSelf = weak_from_this();
    if (copy->delegate) {
        foundation::DispatchQueue::main().asyncAfter(copy->beginTime - now, [weakSelf, id] {
            const auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            for (const auto& running : self->animations_) {
                if (running.id == id) {
                    const auto started = running.animation;
                    started->delegate->animationDidStart(*started);
                    return;
                }
            }
        });
    }
    if (std::isfinite(active)) {
        foundation::DispatchQueue::main().asyncAfter(copy->beginTime - now + active, [weakSelf, id] {
            if (const auto self = weakSelf.lock()) {
                self->complete(id);
            }
        });
    }
    notifyStopped(std::move(replaced), false);
}

void CALayer::complete(std::uint64_t id) {
    const auto it =
        std::find_if(animations_.begin(), animations_.end(), [&](const RunningAnimation& a) { return a.id == id; });
    if (it == animations_.end()) {
        return;
    }
    std::vector<RunningAnimation> finished;
    finished.push_back(std::move(*it));
    animations_.erase(it);
    notifyStopped(std::move(finished), true);
}

void CALayer::notifyStopped(std::vector<RunningAnimation> stopped, bool finished) {
    // A delegate may add or remove animations, or drop the last reference to this layer.
    const auto keepAlive = shared_from_this();
    for (const RunningAnimation& running : stopped) {
        if (running.animation->delegate) {
            running.animation->delegate->animationDidStop(*running.animation, finished);
        }
    }
}

std::shared_ptr<const CAAnimation> CALayer::animation(const std::string& key) const {
    if (key.empty()) {
        return nullptr;
    }
    for (const auto& running : animations_) {
        if (running.key == key) {
            return running.animation;
        }
    }
    return nullptr;
}

std::vector<std::string> CALayer::animationKeys() const {
    std::vector<std::string> keys;
    for (const auto& running : animations_) {
        if (!running.key.empty()) {
            keys.push_back(running.key);
        }
    }
    return keys;
}

void CALayer::removeAnimation(const std::string& key) {
    if (key.empty()) {
        return;
    }
    const auto it =
        std::find_if(animations_.begin(), animations_.end(), [&](const RunningAnimation& a) { return a.key == key; });
    if (it == animations_.end()) {
        return;
    }
    std::vector<RunningAnimation> removed;
    removed.push_back(std::move(*it));
    animations_.erase(it);
    notifyStopped(std::move(removed), false);
}

void CALayer::removeAllAnimations() {
    std::vector<RunningAnimation> removed;
    removed.swap(animations_);
    notifyStopped(std::move(removed), false);
}

} // namespace quartzcore
