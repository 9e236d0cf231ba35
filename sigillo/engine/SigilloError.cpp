#include "engine/SigilloError.h"

namespace sigillo {

SigilloError::SigilloError(long number, std::string description, std::string source)
    : std::runtime_error(description), info_{number, std::move(source), std::move(description)} {}

std::string ShowErrorText(const std::string& procedure, long number, const std::string& description) {
    return procedure + ": error " + std::to_string(number) + ": " + description;
}

void ShowError(Ui& ui, const std::string& procedure, long number, const std::string& description) {
    ui.messageBox(ShowErrorText(procedure, number, description), kAppTitle, MsgIcon::None, MsgButtons::Ok);
}

} // namespace sigillo
