#include "Guard.h"

#include "Messages.h"

#include <QString>
#include <exception>

void RunGuarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const StopOperation &) {
        // The box has been shown already; the operation simply ends.
    } catch (const std::exception &e) {
        ShowError(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowError(QStringLiteral("未知错误"));
    }
}
