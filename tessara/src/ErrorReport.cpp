// The control's single error path: every trapped routine ends up here.
#include "tessara/GridModel.h"

namespace tessara {

void GridModel::reportError(const GridError& error, const QString& routine) {
    // Invalid use of Null comes from empty values the host passed; it is not worth a report.
    if (error.number == ErrInvalidUseOfNull)
        return;
    const QString source = QStringLiteral("Error ") + QString::number(error.number) +
                           QStringLiteral(" has occured in ") + QStringLiteral("Tessara.ocx, ") + routine;
    emit ErrorMsg(source, error.description);
}

} // namespace tessara
