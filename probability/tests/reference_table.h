// The committed mpmath reference tables (tests/reference/*.tsv, made by the
// scripts beside them): one call per line, arguments as exact hexadecimal
// doubles, expected results as 50-digit decimals or nan/inf/-inf.
#pragma once

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" {
#include <quadmath.h>
}

namespace reference {

using Quad = __float128;

struct Row {
    std::string name;
    std::vector<double> arguments;
    std::vector<Quad> expected; // NaN: no answer exists; infinities as themselves
    std::string text;           // the line, for failure messages
};

inline Quad parseExpected(const std::string& field) {
    if (field == "nan") {
        return nanq("");
    }
    return strtoflt128(field.c_str(), nullptr); // also reads inf and -inf
}

// Every row of `file` whose argument count is `arity`; the remaining fields
// are expected results.
inline std::vector<Row> load(const std::string& file, std::size_t arity) {
    std::ifstream in(std::string(PROBABILITY_REFERENCE_DIR) + "/" + file);
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Row row;
        row.text = line;
        std::getline(fields, row.name, '\t');
        std::string field;
        while (std::getline(fields, field, '\t')) {
            if (row.arguments.size() < arity) {
                row.arguments.push_back(std::strtod(field.c_str(), nullptr));
            } else {
                row.expected.push_back(parseExpected(field));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// One unit in the last place of a double near `reference` (a fixed step
// among the subnormals).
inline Quad ulpAt(Quad reference) {
    const Quad magnitude = fabsq(reference);
    if (magnitude < 0x1p-1022Q) {
        return 0x1p-1074Q;
    }
    return scalbnq(1.0Q, ilogbq(magnitude) - 52);
}

// Distance of `got` from `reference` in ulps; 0 for a matching NaN or
// infinity, infinite for any other mismatch of kind.
inline double ulpError(double got, Quad reference) {
    if (isnanq(reference) || isinfq(reference)) {
        const bool same =
            isnanq(reference) ? std::isnan(got) : std::isinf(got) && (got > 0) == (reference > 0);
        return same ? 0.0 : INFINITY;
    }
    if (!std::isfinite(got)) {
        return INFINITY;
    }
    return static_cast<double>(fabsq(static_cast<Quad>(got) - reference) / ulpAt(reference));
}

} // namespace reference
