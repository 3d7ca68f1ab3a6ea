#include "sdk/panel/SlidePanelLayout.hpp"

#include <algorithm>
#include <cmath>

namespace vyd {

namespace {

CGFloat finiteOr(CGFloat value, CGFloat fallback) { return std::isfinite(value) ? value : fallback; }

} // namespace

coregraphics::CGRect SlidePanelLayoutContext::reference(SlidePanelReferenceGuide guide) const {
    if (guide == SlidePanelReferenceGuide::superview) {
        return bounds;
    }
    return uikit::inset(bounds, safeAreaInsets);
}

CGFloat SlidePanelLayoutAnchor::surfaceTop(const SlidePanelLayoutContext& context) const {
    const auto reference = context.reference(referenceGuide_);
    const CGFloat inset = finiteOr(absoluteInset_, 0);
    return edge_ == SlidePanelReferenceEdge::top ? reference.minY() + inset : reference.maxY() - inset;
}

CGFloat SlidePanelIntrinsicLayoutAnchor::surfaceTop(const SlidePanelLayoutContext& context) const {
    const auto reference = context.reference(referenceGuide_);
    CGFloat height = 0;
    if (context.contentFittingHeight) {
        height = std::max<CGFloat>(0, finiteOr(context.contentFittingHeight(context.bounds.width()), 0));
    }
    return reference.maxY() - height + finiteOr(absoluteOffset_, 0);
}

CGFloat SlidePanelLayout::backdropAlpha(const SlidePanelStateRef& state) const {
    return state == SlidePanelState::full() ? 0.3 : 0.0;
}

SlidePanelAnchors SlidePanelBottomLayout::anchors() const {
    using Anchor = SlidePanelLayoutAnchor;
    return {
        {SlidePanelState::full(),
         std::make_shared<Anchor>(18, SlidePanelReferenceEdge::top, SlidePanelReferenceGuide::safeArea)},
        {SlidePanelState::half(),
         std::make_shared<Anchor>(262, SlidePanelReferenceEdge::bottom, SlidePanelReferenceGuide::safeArea)},
        {SlidePanelState::tip(),
         std::make_shared<Anchor>(69, SlidePanelReferenceEdge::bottom, SlidePanelReferenceGuide::safeArea)},
    };
}

SlidePanelLayoutPositions::SlidePanelLayoutPositions(const SlidePanelLayout& layout,
                                                     const SlidePanelLayoutContext& context) {
    hiddenTop_ = context.bounds.maxY();
    struct Entry {
        SlidePanelStateRef state;
        CGFloat top;
    };
    std::vector<Entry> entries{{SlidePanelState::hidden(), hiddenTop_}};
    for (const auto& pair : layout.anchors()) {
        const auto& state = pair.first;
        const auto& anchor = pair.second;
        if (!state || !anchor || state == SlidePanelState::hidden()) {
            continue;
        }
        const bool known =
            std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.state == state; });
        if (known) {
            continue;
        }
        // A surface never rests below the hidden place: that would be a hidden panel in disguise.
        entries.push_back({state, std::min(finiteOr(anchor->surfaceTop(context), hiddenTop_), hiddenTop_)});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.state->order() < b.state->order(); });
    topMost_ = hiddenTop_;
    for (const auto& entry : entries) {
        states_.push_back(entry.state);
        tops_.push_back(entry.top);
        if (entry.state != SlidePanelState::hidden()) {
            topMost_ = std::min(topMost_, entry.top);
        }
    }
}

std::vector<SlidePanelStateRef> SlidePanelLayoutPositions::visibleStates() const {
    std::vector<SlidePanelStateRef> visible;
    std::copy_if(states_.begin(), states_.end(), std::back_inserter(visible),
                 [](const SlidePanelStateRef& s) { return s != SlidePanelState::hidden(); });
    return visible;
}

bool SlidePanelLayoutPositions::contains(const SlidePanelStateRef& state) const {
    return std::find(states_.begin(), states_.end(), state) != states_.end();
}

SlidePanelStateRef SlidePanelLayoutPositions::validState(const SlidePanelStateRef& state) const {
    if (!state) {
        return SlidePanelState::hidden();
    }
    if (contains(state)) {
        return state;
    }
    SlidePanelStateRef best = states_.front();
    for (const auto& candidate : states_) {
        const auto distance = std::llabs(static_cast<long long>(candidate->order()) - state->order());
        const auto bestDistance = std::llabs(static_cast<long long>(best->order()) - state->order());
        // The later (more expanded) one wins a tie, so a made-up state never hides the panel
        // when a visible state is as near.
        if (distance <= bestDistance) {
            best = candidate;
        }
    }
    return best;
}

CGFloat SlidePanelLayoutPositions::surfaceTop(const SlidePanelStateRef& state) const {
    const auto valid = validState(state);
    const auto it = std::find(states_.begin(), states_.end(), valid);
    return tops_[static_cast<std::size_t>(it - states_.begin())];
}

SlidePanelStateRef SlidePanelLayoutPositions::nearestState(CGFloat y, bool includeHidden) const {
    // Far-away values would make every distance the same number.
    y = std::clamp(finiteOr(y, hiddenTop_), std::min(topMost_, hiddenTop_), hiddenTop_);
    SlidePanelStateRef best;
    CGFloat bestDistance = 0;
    for (std::size_t i = 0; i < states_.size(); ++i) {
        if (!includeHidden && states_[i] == SlidePanelState::hidden()) {
            continue;
        }
        const CGFloat distance = std::fabs(tops_[i] - y);
        if (!best || distance <= bestDistance) {
            best = states_[i];
            bestDistance = distance;
        }
    }
    return best ? best : SlidePanelState::hidden();
}

} // namespace vyd
