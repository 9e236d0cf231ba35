#include "runtime/Trap.h"

#include <tessara/GridError.h>

#include <new>

namespace kartello {

std::optional<RuntimeError> trapped(const std::function<void()>& body) {
    try {
        body();
        return std::nullopt;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const tessara::GridError& e) {
        return RuntimeError(e.number, e.description);
    } catch (const std::bad_alloc&) {
        return RuntimeError(ErrOutOfMemory);
    }
}

QString procedureMessage(const Procedure& p, const RuntimeError& e) {
    if (p.text)
        return p.text(e);
    return errorMessageOf(e, p.name, p.owner, p.advice);
}

bool runProcedure(const std::function<void(const QString&)>& report, const Procedure& p,
                  const std::function<void()>& body) {
    const std::optional<RuntimeError> error = trapped(body);
    if (!error)
        return true;
    if (p.cleanUp)
        p.cleanUp();
    report(procedureMessage(p, *error));
    return false;
}

bool runProcedure(Ui& ui, const Procedure& p, const std::function<void()>& body) {
    const std::optional<RuntimeError> error = trapped(body);
    if (!error)
        return true;
    if (p.cleanUp)
        p.cleanUp();
    ui.setBusy(false);
    ui.messageBox(procedureMessage(p, *error), p.title, p.icon);
    return false;
}

} // namespace kartello
