// Probability.dll as Windows and its callers see it: exactly the named
// exports, undecorated, in both DLLs; in the 32-bit DLL every export removes
// its own arguments (ret N) and gives doubles back in ST(0); the 64-bit DLL
// loaded by a C program under Wine answers a sample of every family.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.append(buffer.data(), n);
    }
    pclose(pipe);
    return output;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> exportNames() {
    std::set<std::string> names;
    std::istringstream in(readFile(PROBABILITY_EXPORT_NAMES_PATH));
    std::string name;
    while (in >> name) {
        names.insert(name);
    }
    return names;
}

// The names of the export table, as objdump lists its name pointer table.
std::set<std::string> exportTable(const std::string& objdump, const std::string& dll) {
    const std::string text = run(objdump + " -p '" + dll + "'");
    std::set<std::string> names;
    const std::size_t start = text.find("[Ordinal/Name Pointer] Table");
    std::istringstream in(text.substr(start == std::string::npos ? text.size() : start));
    std::string line;
    std::getline(in, line);
    const std::regex entry(R"(^\s*\[\s*\d+\]\s+(\S+)\s*$)");
    while (std::getline(in, line) && !line.empty()) {
        std::smatch m;
        if (std::regex_match(line, m, entry)) {
            names.insert(m[1]);
        }
    }
    return names;
}

TEST(WindowsDll, BothDllsExportExactlyTheNamedEntryPointsUndecorated) {
    const std::set<std::string> expected = exportNames();
    ASSERT_EQ(expected.size(), 247u);
    EXPECT_EQ(exportTable(PROBABILITY_OBJDUMP64, PROBABILITY_DLL64_DIR "/Probability.dll"), expected);
    EXPECT_EQ(exportTable(PROBABILITY_OBJDUMP32, PROBABILITY_DLL32_DIR "/Probability.dll"), expected);
}

struct Prototype {
    int argumentBytes; // 8 per double, 4 per other argument (32-bit slots)
    bool returnsDouble;
};

// Every exported prototype of the public header, from its text.
std::map<std::string, Prototype> headerPrototypes() {
    std::string header = readFile(PROBABILITY_HEADER_PATH);
    header = std::regex_replace(header, std::regex(R"(/\*[\s\S]*?\*/)"), " ");
    std::map<std::string, Prototype> prototypes;
    const std::regex declaration(R"(PROBABILITY_API\s+([\w\s\*]*?)\s*\b(\w+)\s*\(([^)]*)\)\s*;)");
    for (std::sregex_iterator it(header.begin(), header.end(), declaration), end; it != end; ++it) {
        Prototype p{0, std::regex_match((*it)[1].str(), std::regex(R"(\s*double\s*)"))};
        std::istringstream parameters((*it)[3].str());
        std::string parameter;
        while (std::getline(parameters, parameter, ',')) {
            if (std::regex_match(parameter, std::regex(R"(\s*void\s*)"))) {
                continue;
            }
            const bool isDouble =
                parameter.find("double") != std::string::npos && parameter.find('*') == std::string::npos;
            p.argumentBytes += isDouble ? 8 : 4;
        }
        prototypes[(*it)[2]] = p;
    }
    return prototypes;
}

// The instructions of each function of the 32-bit DLL, by symbol.
std::map<std::string, std::vector<std::string>> disassembly32() {
    const std::string text = run(std::string(PROBABILITY_OBJDUMP32) +
                                 " -d --no-show-raw-insn '" PROBABILITY_DLL32_DIR "/Probability.dll'");
    std::map<std::string, std::vector<std::string>> functions;
    std::istringstream in(text);
    std::string line;
    std::vector<std::string>* current = nullptr;
    const std::regex label(R"(^[0-9a-f]+ <(.*)>:$)");
    while (std::getline(in, line)) {
        std::smatch m;
        if (std::regex_match(line, m, label)) {
            current = &functions[m[1]];
        } else if (current != nullptr && line.find('\t') != std::string::npos) {
            current->push_back(line.substr(line.rfind('\t') + 1));
        }
    }
    return functions;
}

TEST(WindowsDll, Every32BitExportRemovesItsArgumentsAndReturnsDoublesInSt0) {
    const auto prototypes = headerPrototypes();
    ASSERT_EQ(prototypes.size(), 247u);
    const auto functions = disassembly32();
    for (const auto& [name, prototype] : prototypes) {
        // stdcall symbols are _Name@bytes; the export table names them plainly.
        const std::string symbol = "_" + name + "@" + std::to_string(prototype.argumentBytes);
        ASSERT_TRUE(functions.count(symbol)) << name << ": no function " << symbol;
        const std::vector<std::string>& body = functions.at(symbol);
        int returns = 0;
        bool x87 = false;
        for (const std::string& instruction : body) {
            if (instruction.rfind("ret", 0) == 0) {
                ++returns;
                std::ostringstream expected;
                expected << "$0x" << std::hex << prototype.argumentBytes;
                if (prototype.argumentBytes == 0) {
                    EXPECT_EQ(instruction.find('$'), std::string::npos) << name << ": " << instruction;
                } else {
                    EXPECT_NE(instruction.find(expected.str()), std::string::npos)
                        << name << " should remove " << prototype.argumentBytes << " bytes: " << instruction;
                }
            }
            // Without SSE a double can only come back in ST(0): loaded there
            // here, or left there by a callee that returns the same double.
            x87 = x87 || instruction.rfind("fld", 0) == 0 || instruction.rfind("fild", 0) == 0 ||
                  instruction.rfind("fst", 0) == 0 || instruction.rfind("call", 0) == 0;
            EXPECT_EQ(instruction.find("%xmm0"), std::string::npos) << name << " uses SSE: " << instruction;
        }
        EXPECT_GT(returns, 0) << name << " never returns itself";
        if (prototype.returnsDouble) {
            EXPECT_TRUE(x87) << name << " returns a double without the x87 stack";
        }
    }
}

TEST(WindowsDll, The64BitDllAnswersACCallerUnderWine) {
    // One fresh prefix for this run, removed afterwards.
    const std::filesystem::path prefix =
        std::filesystem::temp_directory_path() / ("probability-wine-" + std::to_string(getpid()));
    const std::string command =
        "WINEPREFIX='" + prefix.string() +
        "' WINELOADER='" PROBABILITY_WINE64 "' WINEDEBUG=-all '" PROBABILITY_WINE64
        "' '" PROBABILITY_DLL64_DIR "/probability_dll_client.exe' '" PROBABILITY_DLL64_DIR
        "/Probability.dll' '" PROBABILITY_REFERENCE_DIR "/elementary.tsv' '" PROBABILITY_REFERENCE_DIR
        "/complex.tsv' 2>/dev/null; echo \"status $?\"";
    const std::string output = run(command);
    run("WINEPREFIX='" + prefix.string() + "' '" +
        std::filesystem::path(PROBABILITY_WINE64).replace_filename("wineserver").string() +
        "' -k 2>/dev/null");
    std::filesystem::remove_all(prefix);
    EXPECT_NE(output.find(" 0 failed"), std::string::npos) << output;
    EXPECT_NE(output.find("status 0"), std::string::npos) << output;
    EXPECT_EQ(output.find("FAILED"), std::string::npos) << output;
}

} // namespace
