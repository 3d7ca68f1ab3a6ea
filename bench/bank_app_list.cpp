// What the bank-app list sheet costs to lay out: the declarative sheet with five apps against
// the same arrangement built from platform views and Auto Layout constraints, both made and laid
// out afresh (what showing the sheet costs), and laid out again at another width.
#include "bench/RatioReporter.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/choice/KwAppListView.hpp"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace uikit;

std::shared_ptr<UIImage> icon() {
    static const auto image =
        UIImage::withCGImage(coregraphics::CGImage::make(42, 42, std::vector<coregraphics::CGRGBA>(42 * 42)));
    return image;
}

// Four VY Bank apps and the dynamic entry, two icons each.
std::vector<vyd::KWAppInfo> fiveApps() {
    std::vector<vyd::KWAppInfo> apps;
    for (const char* name : {"VY Bank", "VY Bank Business", "VY Bank Kids", "VY Bank Invest"}) {
        apps.emplace_back(std::vector{icon(), icon()}, name, vyd::KWAppInfo::Stable{"vybank://"});
    }
    apps.emplace_back(std::vector{icon(), icon()}, "VY Bank Beta", vyd::KWAppInfo::Unstable{{"vybankbeta"}});
    return apps;
}

std::shared_ptr<swiftui::UIHostingController> declarativeSheet() {
    auto model = vyd::KwAppListViewModel::make({}, fiveApps(), nullptr, nullptr, nullptr, nullptr);
    return swiftui::UIHostingController::make(swiftui::View(vyd::KwAppListView{}).environmentObject(model));
}

// MARK: The same sheet from platform views

std::shared_ptr<UIView> constrained(const std::shared_ptr<UIView>& view) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    return view;
}

std::shared_ptr<UILabel> label(const std::string& text, CGFloat size, UIFontWeight weight, int lines) {
    auto made = UILabel::make();
    made->setText(text);
    made->setFont(UIFont::systemFont(size, weight));
    made->setNumberOfLines(lines);
    constrained(made);
    return made;
}

// The fanned icons: a row as wide as 33 n + 9, icon 0 at the trailing edge.
std::shared_ptr<UIView> icons(std::size_t count, std::vector<NSLayoutConstraint::Pointer>& out) {
    auto row = constrained(UIView::make());
    out.push_back(row->widthAnchor().constraintEqualToConstant(33.0 * static_cast<CGFloat>(count) + 9));
    out.push_back(row->heightAnchor().constraintEqualToConstant(42));
    for (std::size_t i = 0; i < count; ++i) {
        auto image = constrained(UIImageView::make(icon()));
        image->layer()->setCornerRadius(10);
        image->setClipsToBounds(true);
        row->addSubview(image);
        out.push_back(image->widthAnchor().constraintEqualToConstant(42));
        out.push_back(image->heightAnchor().constraintEqualToConstant(42));
        out.push_back(image->topAnchor().constraintEqualTo(row->topAnchor()));
        out.push_back(
            image->trailingAnchor().constraintEqualTo(row->trailingAnchor(), -33.0 * static_cast<CGFloat>(i)));
    }
    return row;
}

std::shared_ptr<UIView> card(const vyd::KWAppInfo& app, bool vertical, std::vector<NSLayoutConstraint::Pointer>& out) {
    auto box = constrained(UIView::make());
    box->layer()->setCornerRadius(16);
    box->setClipsToBounds(true);
    auto row = icons(app.icons.size(), out);
    auto name = label(app.name, 16, UIFontWeight::semibold, 2);
    box->addSubview(row);
    box->addSubview(name);
    if (vertical) {
        out.push_back(box->widthAnchor().constraintEqualToConstant(168));
        out.push_back(box->heightAnchor().constraintEqualToConstant(152));
        out.push_back(row->leadingAnchor().constraintEqualTo(box->leadingAnchor(), 16));
        out.push_back(row->topAnchor().constraintEqualTo(box->topAnchor(), 16));
        out.push_back(name->topAnchor().constraintGreaterThanOrEqualTo(row->bottomAnchor(), 37));
        out.push_back(name->leadingAnchor().constraintEqualTo(box->leadingAnchor(), 16));
        out.push_back(name->trailingAnchor().constraintLessThanOrEqualTo(box->trailingAnchor(), -16));
        out.push_back(name->bottomAnchor().constraintLessThanOrEqualTo(box->bottomAnchor(), -16));
    } else {
        out.push_back(box->heightAnchor().constraintGreaterThanOrEqualToConstant(72));
        out.push_back(row->leadingAnchor().constraintEqualTo(box->leadingAnchor(), 16));
        out.push_back(row->centerYAnchor().constraintEqualTo(box->centerYAnchor()));
        out.push_back(name->leadingAnchor().constraintEqualTo(row->trailingAnchor(), 8 + 5));
        out.push_back(name->centerYAnchor().constraintEqualTo(box->centerYAnchor()));
        out.push_back(name->trailingAnchor().constraintLessThanOrEqualTo(box->trailingAnchor(), -8));
    }
    return box;
}

std::shared_ptr<UIView> autoLayoutSheet(CGFloat width) {
    auto root = UIView::make({0, 0, width, 844});
    std::vector<NSLayoutConstraint::Pointer> out;
    auto sheet = constrained(UIView::make());
    root->addSubview(sheet);
    auto title = label(vyd::L10n::Ui::KwAppList::chooseApp(), 16, UIFontWeight::semibold, 1);
    auto subtitle = label(vyd::L10n::Ui::KwAppList::inWhichYouAuthorizedB64(), 14, UIFontWeight::medium, 2);
    subtitle->setTextAlignment(NSTextAlignment::center);
    auto area = constrained(UIView::make());
    const auto apps = fiveApps();
    auto column = UIStackView::make(std::vector<std::shared_ptr<UIView>>{});
    column->setAxis(UILayoutConstraintAxis::vertical);
    column->setSpacing(8);
    auto cards = UIStackView::make(std::vector<std::shared_ptr<UIView>>{card(apps.back(), true, out), column});
    for (std::size_t i = 0; i + 1 < apps.size(); ++i) {
        column->addArrangedSubview(card(apps[i], false, out));
    }
    cards->setSpacing(8);
    cards->setAlignment(UIStackViewAlignment::center);
    constrained(cards);
    area->addSubview(cards);
    auto cross = constrained(UIButton::make());
    sheet->addSubview(title);
    sheet->addSubview(subtitle);
    sheet->addSubview(area);
    sheet->addSubview(cross);
    const std::vector<NSLayoutConstraint::Pointer> placing{
        sheet->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
        sheet->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
        sheet->centerYAnchor().constraintEqualTo(root->centerYAnchor()),
        title->topAnchor().constraintEqualTo(sheet->topAnchor(), 5),
        title->centerXAnchor().constraintEqualTo(sheet->centerXAnchor()),
        subtitle->topAnchor().constraintEqualTo(title->bottomAnchor(), 14),
        subtitle->centerXAnchor().constraintEqualTo(sheet->centerXAnchor()),
        subtitle->widthAnchor().constraintLessThanOrEqualTo(sheet->widthAnchor()),
        area->topAnchor().constraintEqualTo(subtitle->bottomAnchor(), 24),
        area->leadingAnchor().constraintEqualTo(sheet->leadingAnchor()),
        area->trailingAnchor().constraintEqualTo(sheet->trailingAnchor()),
        area->heightAnchor().constraintEqualToConstant(154),
        area->bottomAnchor().constraintEqualTo(sheet->bottomAnchor()),
        cards->leadingAnchor().constraintEqualTo(area->leadingAnchor(), 16),
        cards->trailingAnchor().constraintEqualTo(area->trailingAnchor(), -16),
        cards->centerYAnchor().constraintEqualTo(area->centerYAnchor()),
        cross->topAnchor().constraintEqualTo(sheet->topAnchor()),
        cross->trailingAnchor().constraintEqualTo(sheet->trailingAnchor(), -16),
        cross->widthAnchor().constraintEqualToConstant(24),
        cross->heightAnchor().constraintEqualToConstant(24),
    };
    out.insert(out.end(), placing.begin(), placing.end());
    NSLayoutConstraint::activate(out);
    root->layoutIfNeeded();
    return root;
}

void BM_SheetMakeAndLayOut_BaselineAutoLayout(benchmark::State& state) {
    for (auto _ : state) {
        const auto root = autoLayoutSheet(390);
        benchmark::DoNotOptimize(root->subviews().front()->frame());
    }
}

void BM_SheetMakeAndLayOut_Declarative(benchmark::State& state) {
    for (auto _ : state) {
        const auto host = declarativeSheet();
        const auto view = host->hostingView();
        view->setFrame({0, 0, 390, 844});
        view->layoutIfNeeded();
        benchmark::DoNotOptimize(view->graph().root()->frame());
    }
}

void BM_SheetLayOutAtAnotherWidth_BaselineAutoLayout(benchmark::State& state) {
    const auto root = autoLayoutSheet(390);
    CGFloat width = 390;
    for (auto _ : state) {
        width = width == 390 ? 375 : 390;
        root->setFrame({0, 0, width, 844});
        root->layoutIfNeeded();
        benchmark::DoNotOptimize(root->subviews().front()->frame());
    }
}

void BM_SheetLayOutAtAnotherWidth_Declarative(benchmark::State& state) {
    const auto host = declarativeSheet();
    const auto view = host->hostingView();
    CGFloat width = 390;
    for (auto _ : state) {
        width = width == 390 ? 375 : 390;
        view->setFrame({0, 0, width, 844});
        view->layoutIfNeeded();
        benchmark::DoNotOptimize(view->graph().root()->frame());
    }
}

BENCHMARK(BM_SheetMakeAndLayOut_BaselineAutoLayout);
BENCHMARK(BM_SheetMakeAndLayOut_Declarative);
BENCHMARK(BM_SheetLayOutAtAnotherWidth_BaselineAutoLayout);
BENCHMARK(BM_SheetLayOutAtAnotherWidth_Declarative);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
