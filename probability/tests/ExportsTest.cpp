// The library's dynamic interface as outside programs see it: every declared
// function resolves by name, nothing beyond the listed names is exported,
// and the exception type is catchable by a client that only dlopens it.
#include "probability.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> listedNames() {
    std::istringstream in(readFile(PROBABILITY_EXPORT_NAMES_PATH));
    std::set<std::string> names;
    for (std::string name; in >> name;) {
        names.insert(name);
    }
    return names;
}

// The function names declared in the public header.
std::vector<std::string> declaredNames() {
    const std::string header = readFile(PROBABILITY_HEADER_PATH);
    // A declaration line: the macro, a return type, the name, "(".
    const std::regex declaration(R"(\nPROBABILITY_API\s+[^;(]*?\b([A-Za-z_0-9]+)\s*\()");
    std::vector<std::string> names;
    for (auto it = std::sregex_iterator(header.begin(), header.end(), declaration);
         it != std::sregex_iterator(); ++it) {
        names.push_back((*it)[1]);
    }
    return names;
}

// Defined global and weak symbols of the ELF dynamic symbol table.
std::vector<std::string> dynamicExports(const std::string& image) {
    std::vector<std::string> names;
    if (image.size() < sizeof(Elf64_Ehdr)) {
        return names;
    }
    const auto* header = reinterpret_cast<const Elf64_Ehdr*>(image.data());
    const auto* sections = reinterpret_cast<const Elf64_Shdr*>(image.data() + header->e_shoff);
    for (int i = 0; i < header->e_shnum; ++i) {
        if (sections[i].sh_type != SHT_DYNSYM) {
            continue;
        }
        const char* strings = image.data() + sections[sections[i].sh_link].sh_offset;
        const auto* symbols = reinterpret_cast<const Elf64_Sym*>(image.data() + sections[i].sh_offset);
        const size_t count = sections[i].sh_size / sizeof(Elf64_Sym);
        for (size_t s = 1; s < count; ++s) {
            const int binding = ELF64_ST_BIND(symbols[s].st_info);
            if (symbols[s].st_shndx != SHN_UNDEF && (binding == STB_GLOBAL || binding == STB_WEAK)) {
                names.emplace_back(strings + symbols[s].st_name);
            }
        }
    }
    return names;
}

TEST(Exports, TheListHoldsEveryEntryPointOnce) {
    std::istringstream in(readFile(PROBABILITY_EXPORT_NAMES_PATH));
    std::vector<std::string> lines;
    for (std::string name; in >> name;) {
        lines.push_back(name);
    }
    EXPECT_EQ(lines.size(), 247u);
    EXPECT_EQ(listedNames().size(), lines.size()) << "no name twice";
}

TEST(Exports, EveryDeclaredFunctionIsListedAndResolvesWithDlsym) {
    const std::set<std::string> listed = listedNames();
    const std::vector<std::string> declared = declaredNames();
    ASSERT_GE(declared.size(), 160u) << "the header parse found the declarations";
    void* library = dlopen(PROBABILITY_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const std::string& name : declared) {
        EXPECT_TRUE(listed.count(name)) << name << " is declared but not a listed entry point";
        EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name << " does not resolve";
    }
    dlclose(library);
}

TEST(Exports, NothingOutsideTheListedNamesIsExported) {
    const std::set<std::string> listed = listedNames();
    const std::vector<std::string> exported = dynamicExports(readFile(PROBABILITY_LIBRARY_PATH));
    ASSERT_FALSE(exported.empty());
    for (const std::string& name : exported) {
        // The exception type's own C++ symbols (type information, vtable,
        // destructors) are the one addition to the C entry points.
        const bool exceptionType = name.find("16ProbabilityError") != std::string::npos;
        EXPECT_TRUE(listed.count(name) || exceptionType) << name << " leaks out of the library";
    }
}

TEST(Exports, AClientThatOnlyDlopensTheLibraryKeepsItsControlWordAndCatchesTheExceptionByType) {
    const std::string command =
        std::string("'") + PROBABILITY_DLOPEN_CLIENT_PATH + "' '" + PROBABILITY_LIBRARY_PATH + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(Exports, ALinkedCallerCatchesTheExceptionByType) {
    int32_t position = 0;
    try {
        ExtractSample_PChar("1;2", &position, ";");
        FAIL() << "nothing was thrown";
    } catch (const ProbabilityError& error) {
        EXPECT_STREQ(error.what(), "Offset < 1");
    }
}

} // namespace
