#include "sdk/screens/choice/KwAppListView.hpp"

#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/choice/AppsOverlayImageView.hpp"
#include "sdk/uikit/Palette.hpp"

namespace vyd {

using namespace swiftui;

namespace {

View nameText(const KWAppInfo& app) {
    return Text(app.name)
        .foregroundColor(Color(palette::textPrimary()))
        .font(Font::system(16, Font::Weight::semibold, Font::Design::default_))
        .truncationMode(TruncationMode::tail)
        .lineLimit(2)
        .multilineTextAlignment(TextAlignment::leading);
}

// One card: vertical (icons above the name, 168 x 152) or horizontal (icons beside the name,
// at least 72 high, as wide as it is offered).
struct AppCardView {
    State<bool> isVertical;
    State<KWAppInfo> kwAppInfo;

    View body() const {
        const KWAppInfo& app = *kwAppInfo;
        const View card =
            *isVertical ? HStack(VerticalAlignment::center, std::nullopt,
                                 {VStack(HorizontalAlignment::leading, std::nullopt,
                                         {View(AppsOverlayImageView{app.icons}), Spacer(37), nameText(app), Spacer(0)}),
                                  Spacer()})
                              .padding()
                              .frame(168, 152, Alignment::center())
                        : HStack(VerticalAlignment::center, std::nullopt,
                                 {View(AppsOverlayImageView{app.icons}).padding(EdgeSet(Edge::leading), 16),
                                  nameText(app).minimumScaleFactor(0.5).padding(EdgeSet(Edge::leading), 5), Spacer()})
                              .frame(FlexibleFrame{.minWidth = 0,
                                                   .maxWidth = infinity,
                                                   .minHeight = 72,
                                                   .idealHeight = 152,
                                                   .maxHeight = infinity,
                                                   .alignment = Alignment::center()});
        return card.background(Color(palette::backgroundTransparenceSecondary()))
            .clipShape(RoundedRectangle(16, RoundedCornerStyle::continuous), true);
    }
};

// The cards, arranged by how many apps there are and of which kind.
struct CardsView {
    State<std::shared_ptr<KwAppListViewModel>> viewModel;

    View body() const {
        const auto model = *viewModel;
        const auto& list = *model->kwsAppList;
        const auto card = [&model](const KWAppInfo& app, bool vertical) {
            return View(AppCardView{vertical, app}).onTapGesture(1, [model, app] { model->selectedApp().send(app); });
        };
        const auto id = [](const KWAppInfo& app) { return app.id; };
        std::vector<KWAppInfo> unstable;
        std::vector<KWAppInfo> stable;
        for (const auto& app : list) {
            (app.isStable() ? stable : unstable).push_back(app);
        }
        const auto arranged = [&] {
            return Group({ForEach(unstable, id, [&card](const KWAppInfo& app) { return card(app, true); }),
                          VStack(HorizontalAlignment::center, std::nullopt,
                                 {If(stable.size() >= 2,
                                     ForEach(stable, id, [&card](const KWAppInfo& app) { return card(app, false); }),
                                     If(stable.size() == 1, stable.empty() ? View() : card(stable.front(), true)))})});
        };
        // The single card of a one-app list takes taps like every other card.
        const bool single = list.size() == 1;
        const View cards = If(single, single ? card(list.front(), false) : View(), single ? View() : arranged());
        return HStack(VerticalAlignment::center, std::nullopt, {cards})
            .padding()
            .frame(std::nullopt,
                   list.size() == 1 ? KwAppListView::singleAppAreaHeight : KwAppListView::cardsAreaHeight);
    }
};

} // namespace

View KwAppListView::body() const {
    const auto model = viewModel.get();
    const auto presentation = presentationMode;
    const auto subscription = cancellable;
    const View crossButton = Button([model] { model->crossButtonPressed(); }, Image(Asset::webDsIc24CrossSmall.image()))
                                 .padding(EdgeSet(Edge::top), 0)
                                 .padding(EdgeSet(Edge::trailing), 16);
    return VStack(HorizontalAlignment::center, 0,
                  {Text(L10n::Ui::KwAppList::chooseApp())
                       .fontWeight(Font::Weight::semibold)
                       .font(Font::system(16, Font::Weight::medium, Font::Design::default_))
                       .foregroundColor(Color(palette::textPrimary()))
                       .truncationMode(TruncationMode::tail)
                       .padding(EdgeSet(Edge::bottom), 14)
                       .padding(EdgeSet(Edge::top), 5),
                   Text(L10n::Ui::KwAppList::inWhichYouAuthorizedB64())
                       .foregroundColor(Color(palette::textSecondary()))
                       .font(Font::system(14, Font::Weight::medium, Font::Design::default_))
                       .truncationMode(TruncationMode::tail)
                       .lineLimit(2)
                       .multilineTextAlignment(TextAlignment::center),
                   Spacer().frame(std::nullopt, 24), View(CardsView{model})})
        .background(Color(palette::backgroundTransparenceThird()), Alignment::center())
        .overlay(crossButton, Alignment::topTrailing())
        .onAppear([model, presentation, subscription] {
            subscription.set(model->dismissSubject().sink([presentation] { presentation->dismiss(); }));
        })
        .onDisappear([subscription] {
            if (*subscription) {
                (*subscription)->cancel();
            }
        });
}

} // namespace vyd
