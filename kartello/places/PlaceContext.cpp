#include "places/PlaceContext.h"

#include "runtime/RuntimeError.h"

#include <new>

namespace kartello {

bool trapErrors(Ui& ui, const std::function<QString(const RuntimeError&)>& message,
                const std::function<void()>& body, MsgIcon icon, const QString& title) {
    try {
        body();
        return true;
    } catch (const RuntimeError& e) {
        ui.messageBox(message(e), title, icon);
    } catch (const tessara::GridError& e) {
        ui.messageBox(message(RuntimeError(e.number, e.description)), title, icon);
    } catch (const std::bad_alloc&) {
        ui.messageBox(message(RuntimeError(7)), title, icon);
    }
    ui.setBusy(false);
    return false;
}

bool trapProcedure(Ui& ui, const QString& procedure, const std::function<void()>& body) {
    return trapErrors(
        ui, [&](const RuntimeError& e) { return errorMessage(e, procedure); }, body);
}

} // namespace kartello
