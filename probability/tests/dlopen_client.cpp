// A client that, like the programs that use the library, never links it: it
// loads it by path with dlopen (which must leave its control word alone),
// binds entry points by name and catches the library's exception by type.
// Exit status 0 when all of that works.
//   dlopen_client <path of libprobability.so>
#include "probability.h"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>

namespace {

int fail(const char* what) {
    std::fprintf(stderr, "dlopen_client: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return fail("usage: dlopen_client <library>");
    }
    // A distinctive word (53-bit precision, everything masked): any reset or
    // load of the unit's control word while the library loads would show.
    const uint16_t before = 0x027F;
    asm volatile("fldcw %0" : : "m"(before));
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return fail(dlerror());
    }
    uint16_t after = 0;
    asm volatile("fnstcw %0" : "=m"(after));
    if (after != before) {
        return fail("loading the library changed the control word");
    }
    const uint16_t extended = 0x037F; // back to the usual word for the checks below
    asm volatile("fldcw %0" : : "m"(extended));
    auto arcSin = reinterpret_cast<double (*)(double)>(dlsym(library, "ArcSin_Double"));
    auto extract = reinterpret_cast<double (*)(const char*, int32_t*, const char*)>(
        dlsym(library, "ExtractSample_PChar"));
    if (arcSin == nullptr || extract == nullptr) {
        return fail("an entry point did not resolve");
    }
    if (arcSin(1.0) != 1.5707963267948966) {
        return fail("ArcSin_Double(1) is not pi/2");
    }
    int32_t position = 0; // before the first character
    try {
        extract("1;2", &position, ";");
    } catch (const ProbabilityError& error) {
        return std::strcmp(error.what(), "Offset < 1") == 0 ? 0 : fail("wrong message");
    } catch (...) {
        return fail("the exception was not caught by its type");
    }
    return fail("nothing was thrown");
}
