#pragma once
// The one way a procedure boundary traps its errors. Whatever a procedure
// calls may raise the program's run-time error, the grid's error or run out
// of memory; the boundary turns each into one RuntimeError, runs the
// procedure's clean-up and reports the error with the procedure's message.
#include "runtime/RuntimeError.h"
#include "runtime/Ui.h"

#include <functional>
#include <optional>
#include <utility>

namespace kartello {

// Runs body and answers the error it raised, or nothing when it ran through:
// a RuntimeError as raised, a grid error with its number and description,
// a failed allocation as ErrOutOfMemory.
std::optional<RuntimeError> trapped(const std::function<void()>& body);

// How one procedure reports a trapped error.
struct Procedure {
    explicit Procedure(QString procedureName, QString adviceText = QString(),
                       QString ownerText = QStringLiteral(" of form Main"))
        : name(std::move(procedureName)), advice(std::move(adviceText)), owner(std::move(ownerText)) {}

    QString name;                                     // "guardaCSV"
    QString advice;                                   // ". Review your input data", or ""
    QString owner;                                    // " of Módulo Module1" for the sort module
    std::function<void()> cleanUp;                    // resets what the procedure left half done
    std::function<QString(const RuntimeError&)> text; // a message of its own instead of the standard one
    MsgIcon icon = MsgIcon::None;
    QString title = QStringLiteral("Kartello");
};

// "Error n (description) in procedure name" + owner + advice, or p.text(e).
QString procedureMessage(const Procedure& p, const RuntimeError& e);

// A procedure boundary: runs body; when it raises, runs the clean-up, turns
// the busy pointer off and shows the procedure's message. False when an error
// was trapped.
bool runProcedure(Ui& ui, const Procedure& p, const std::function<void()>& body);

// A boundary that hands its message to `report` instead of a message box
// (graph generation collects its messages this way). False when trapped.
bool runProcedure(const std::function<void(const QString&)>& report, const Procedure& p,
                  const std::function<void()>& body);

} // namespace kartello
