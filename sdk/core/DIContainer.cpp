#include "sdk/core/DIContainer.hpp"

#include "sdk/core/DelegateManager.hpp"

namespace vyd {
namespace {

DIEntry<DelegateManagerProtocol>& delegateManagerEntry() {
    static DIEntry<DelegateManagerProtocol> entry([] { return std::make_shared<DelegateManager>(); });
    return entry;
}

} // namespace

std::shared_ptr<DelegateManagerProtocol> DIContainer::delegateManager() { return delegateManagerEntry().get(); }
void DIContainer::setDelegateManager(std::shared_ptr<DelegateManagerProtocol> value) {
    delegateManagerEntry().set(std::move(value));
}

} // namespace vyd
