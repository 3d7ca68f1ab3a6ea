#pragma once

// A cell of a collection: a view with a content view that fills it, into which code puts the
// cell's subviews. The content view is held to the cell's four edges by constraints, so that a
// cell fitted with systemLayoutSizeFitting takes the size of what its content view holds.

#include "platform/uikit/UIView.hpp"

#include <memory>
#include <optional>
#include <string>

namespace uikit {

namespace detail {

// Adds `contentView` as the first subview of `cell` and pins it to the cell's edges.
void embedContentView(UIView& cell, const std::shared_ptr<UIView>& contentView);

} // namespace detail

class UICollectionViewCell : public UIView {
public:
    static std::shared_ptr<UICollectionViewCell> make(const CGRect& frame = CGRect::zero()) {
        return create<UICollectionViewCell>(frame);
    }
    explicit UICollectionViewCell(const CGRect& frame = CGRect::zero());

    std::string className() const override { return "UICollectionViewCell"; }

    const std::shared_ptr<UIView>& contentView() const { return contentView_; }
    const std::optional<std::string>& reuseIdentifier() const { return reuseIdentifier_; }
    void setReuseIdentifier(std::optional<std::string> identifier) { reuseIdentifier_ = std::move(identifier); }
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected) { selected_ = selected; }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    // Called before the cell is handed out again; the base clears selection and highlight.
    virtual void prepareForReuse();

protected:
    void didInit() override;

private:
    std::shared_ptr<UIView> contentView_;
    std::optional<std::string> reuseIdentifier_;
    bool selected_ = false;
    bool highlighted_ = false;
};

} // namespace uikit
