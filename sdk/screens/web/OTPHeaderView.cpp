#include "sdk/screens/web/OTPHeaderView.hpp"

#include "platform/uikit/UIImage.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/uikit/Palette.hpp"

#include <string>

namespace vyd {
namespace {

using namespace swiftui;

// Calls the action when there is one.
std::function<void()> ifSet(const std::function<void()>& action) {
    return [action] {
        if (action) {
            action();
        }
    };
}

} // namespace

View OTPHeaderView::body() const {
    auto chevron = uikit::UIImage::named(std::string(AssetName::chevronBackward), sdkBundle());
    View back = If(isShowBackButton, Button(ifSet(onBack), Image(chevron).frame(24, 24)));
    View done = Button(ifSet(onDone), Text(L10n::Ui::Common::done())
                                          .font(Font::system(17, Font::Weight::regular, Font::Design::default_))
                                          .foregroundColor(Color(palette::inversedThemedText()))
                                          .padding(Edge::trailing, 8));
    return HStack(VerticalAlignment::center, std::nullopt, {back, Spacer(), done})
        .padding(EdgeSet::horizontal(), 14)
        .frame(std::nullopt, 42)
        .background(Color(uikit::UIColor::systemGroupedBackground()));
}

} // namespace vyd
