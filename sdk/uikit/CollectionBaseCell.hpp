#pragma once
#include "platform/uikit/UICollectionViewCell.hpp"
#include "sdk/uikit/TableBaseProtocols.hpp"

#include <memory>

namespace vyd {

// A collection cell that subclasses fill in `configure`; the base versions do nothing.
class BaseCollectionViewCell : public uikit::UICollectionViewCell, public BaseCellProtocol {
public:
    static std::shared_ptr<BaseCollectionViewCell> make(const uikit::CGRect& frame = uikit::CGRect::zero()) {
        return create<BaseCollectionViewCell>(frame);
    }

    explicit BaseCollectionViewCell(const uikit::CGRect& frame = uikit::CGRect::zero()) : UICollectionViewCell(frame) {}

    std::string className() const override { return "BaseCollectionViewCell"; }

    void configure(const std::shared_ptr<CellIdentifiableProtocol>& /*with*/) override {}
    void configure() override {}
};

} // namespace vyd
