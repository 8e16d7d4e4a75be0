#include "AppContext.h"

namespace {
std::unique_ptr<AppContext> &slot()
{
    static std::unique_ptr<AppContext> current = std::make_unique<AppContext>();
    return current;
}
}  // namespace

AppContext &AppContext::instance()
{
    return *slot();
}

std::unique_ptr<AppContext> AppContext::install(std::unique_ptr<AppContext> context)
{
    std::unique_ptr<AppContext> previous = std::move(slot());
    slot() = std::move(context);
    return previous;
}
