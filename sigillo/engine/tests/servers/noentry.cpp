// A shared library that is no component server: it lacks both entry points.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t PlainAnswer() {
    return 42;
}
