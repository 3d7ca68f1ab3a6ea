#include "UIKitRoad.hpp"

#include "sdk/VYDCore.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <httplib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

namespace hostapp {
namespace {

using coregraphics::CGRect;

void printFrame(const char* what, const CGRect& frame) {
    std::printf("  %s at (%.0f, %.0f), %.0f x %.0f\n", what, frame.origin.x, frame.origin.y, frame.width(),
                frame.height());
}

void waitUntil(const std::function<bool()>& done) {
    foundation::RunLoop::main().runUntil(done, 5.0);
    foundation::RunLoop::main().runUntilIdle();
}

bool shimmers(const uikit::UIView& view) {
    for (const auto& layer : view.layer()->sublayers()) {
        if (layer->name() == vyd::ShimmerKey::shimmer) {
            return true;
        }
    }
    return false;
}

// The partner's own image server on this machine, serving the SDK's logo.
class ImageServer {
public:
    ImageServer() {
        std::ifstream file(vyd::sdkBundlePath() + "/vy_logo.png", std::ios::binary);
        std::string png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        server_.Get("/logo.png", [png](const httplib::Request&, httplib::Response& response) {
            response.set_content(png, "image/png");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~ImageServer() {
        server_.stop();
        thread_.join();
    }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

void showSnackBar(const std::shared_ptr<uikit::UIViewController>& screen) {
    std::printf("show a snack bar\n");
    const auto bar = vyd::SnackBarViewController::make("Signed in with VY ID");
    bar->showSnackBarOn(screen);
    waitUntil([&] { return bar->snackBarView()->frame().maxY() < 844; });
    printFrame("\"Signed in with VY ID\"", bar->snackBarView()->frame());
    std::printf("flick it down\n");
    testing::SimulatedUser::drag(bar->snackBarView(), {0, 40}, {0, 800});
    waitUntil([&] { return !bar->isSnackBarShown(); });
    std::printf("  snack bar shown: %s\n", bar->isSnackBarShown() ? "yes" : "no");
}

void showBottomSheet(const std::shared_ptr<uikit::UIViewController>& screen) {
    std::printf("present a bottom sheet\n");
    auto sheet = uikit::UIViewController::make();
    const auto text = uikit::UILabel::make();
    text->setText("VY Bank confirms who you are; the shop gets no password.");
    text->setNumberOfLines(0);
    text->setTranslatesAutoresizingMaskIntoConstraints(false);
    sheet->view()->addSubview(text);
    uikit::NSLayoutConstraint::activate({
        text->topAnchor().constraintEqualTo(sheet->view()->topAnchor(), 32),
        text->leadingAnchor().constraintEqualTo(sheet->view()->leadingAnchor(), 16),
        text->trailingAnchor().constraintEqualTo(sheet->view()->trailingAnchor(), -16),
        text->bottomAnchor().constraintLessThanOrEqualTo(sheet->view()->bottomAnchor(), -24),
    });
    const auto transition = vyd::SheetTransition::make();
    const auto delegate = std::make_shared<vyd::SheetTransitioningDelegate>(transition);
    sheet->setModalPresentationStyle(uikit::UIModalPresentationStyle::custom);
    sheet->setTransitioningDelegate(delegate);
    screen->present(sheet, true);
    waitUntil([&] { return !sheet->isBeingPresented(); });
    printFrame("sheet", sheet->view()->frame());
    std::printf("  \"%s\"\n", text->text()->c_str());

    const double height = sheet->view()->frame().height();
    std::printf("drag it down by a fifth of its height\n");
    testing::SimulatedUser::drag(sheet->view(), {0, height / 5});
    waitUntil([&] { return !sheet->isBeingDismissed(); });
    std::printf("  sheet presented: %s\n", screen->presentedViewController() ? "yes" : "no");
    std::printf("drag it down by half its height\n");
    testing::SimulatedUser::drag(sheet->view(), {0, height / 2});
    waitUntil([&] { return !screen->presentedViewController(); });
    std::printf("  sheet presented: %s\n", screen->presentedViewController() ? "yes" : "no");
}

void showImage(const std::shared_ptr<uikit::UIViewController>& screen) {
    ImageServer server;
    std::printf("load the partner's logo into an image view\n");
    const auto imageView = uikit::UIImageView::make(CGRect(16, 100, 96, 96));
    screen->view()->addSubview(imageView);
    vyd::setImage(imageView, server.url("/logo.png"), uikit::UIImageRenderingMode::alwaysOriginal);
    std::printf("  while loading: %s\n", shimmers(*imageView) ? "a shimmering placeholder" : "nothing");
    waitUntil([&] { return imageView->image() != nullptr; });
    const auto size = imageView->image()->size();
    std::printf("  loaded: an image of %.0f x %.0f points, %s\n", size.width, size.height,
                shimmers(*imageView) ? "still shimmering" : "no more shimmer");
    std::printf("load a link the server has no image for\n");
    const auto missing = uikit::UIImageView::make(CGRect(128, 100, 96, 96));
    screen->view()->addSubview(missing);
    vyd::setImage(missing, server.url("/missing.png"), uikit::UIImageRenderingMode::alwaysOriginal);
    waitUntil([&] { return !shimmers(*missing); });
    std::printf("  the image view is %s\n", missing->isHidden() ? "hidden" : "shown");
}

} // namespace

void showUIKitRoad() {
    std::printf("\n== UI kit\n");
    testing::SimulatedDevice device;
    const auto screen = device.rootViewController();
    showSnackBar(screen);
    showBottomSheet(screen);
    showImage(screen);
}

} // namespace hostapp
