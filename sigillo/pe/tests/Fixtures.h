#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string fixture(const std::string& name) {
    return std::string(SIGILLO_FIXTURES) + "/" + name;
}

inline std::vector<uint8_t> fixtureBytes(const std::string& name) {
    std::ifstream in(fixture(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
