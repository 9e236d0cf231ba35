// Any bytes as an options file: loading may refuse them, never crash or hang.
#include "form/FormModel.h"
#include "runtime/RuntimeError.h"
#include "runtime/testing/FakeUi.h"
#include "session/OptionsFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kartello::FakeUi ui;
    kartello::FormModel form(ui);
    form.startUp();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        kartello::applyOptionsText(form, text);
    } catch (const kartello::RuntimeError&) {
    }
    // Whatever was loaded must save again as a well-formed file.
    const QString saved = kartello::optionsText(form);
    if (saved.count(QStringLiteral("\r\n")) < 43)
        __builtin_trap();
    return 0;
}
