#include "sdk/screens/choice/AppsOverlayImageView.hpp"

namespace vyd {

using namespace swiftui;

View AppsOverlayImageView::body() const {
    const int count = static_cast<int>(images.size());
    const auto& icons = images;
    // Icons keep their own size, centred in their frame and cut by the rounded clip.
    return ZStack(Alignment::center(), {ForEach(0, count,
                                                [&icons](int i) {
                                                    return Image(icons[static_cast<std::size_t>(i)])
                                                        .frame(iconSize, iconSize, Alignment::center())
                                                        .clipShape(RoundedRectangle(10, RoundedCornerStyle::continuous),
                                                                   true)
                                                        .offset(-step * i, 0)
                                                        .shadow(Color::black().opacity(0.15), 8, 0, 4);
                                                })})
        .frame(step * count + 9, std::nullopt, Alignment::trailing());
}

} // namespace vyd
