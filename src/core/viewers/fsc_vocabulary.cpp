#include "core/viewers/fsc_vocabulary.h"

#include <algorithm>
#include <array>
#include <string>

namespace kestrel {
namespace {

// The 40 keywords of the procedure language. "MEM*" and "MEM/" stand here
// for completeness only: the word walk ignores "*" and "/", so it never
// collects them.
constexpr std::array<std::string_view, 40> kKeywords{"DISP", "DRAW", "HEAD", "MESS", "PIC", "RNG", "DOSE", "EVAL",
    "MEMC", "MEMCX", "PICE", "IEEE", "PORT", "RESET", "MATH", "MEM+", "MEM-", "MEM*", "MEM/", "MEM2", "MEME", "MEMI",
    "ASK+", "ASK-", "CALL", "DOS", "JMP", "JMPF", "JMPT", "JMPZ", "JMPL", "LABEL", "OPBR", "RPT", "TARGET", "ACC",
    "RSLT", "STD", "TOL", "VSET"};

// Instrument FSCs: each model's name and its "M" twin (the same instrument
// driven in manual mode).
constexpr std::array<std::string_view, 67> kModels{// The meter calibrators of the standards list, the oscilloscope
    // calibrators of the scope list, their amplifiers, and the 730 series
    // whose help the 7300 shares.
    "3300", "3302", "3304", "3306", "3400", "3402", "3406", "7300", "7320", "7600", "7620", "6400", "8240", "8600",
    "7625", "3711", "730",
    // Reference multimeters and transfer standards.
    "6111", "6113", "6115", "6117", "2091", "2093", "1290", "1292",
    // Counters, timers and frequency standards.
    "2391", "2393", "2395", "2397", "4082", "4084",
    // Signal and function generators, synthesizers.
    "4410", "4412", "4414", "4416", "5930", "5932", "5934",
    // Power meters and sensors, attenuators.
    "5061", "5063", "2716", "2718",
    // Resistance, capacitance and inductance standards and decades.
    "9130", "9132", "9134", "9240", "9242", "9350", "9352",
    // Temperature readouts and sources.
    "1418", "1420", "1552", "1554", "1556",
    // Pressure controllers and gauges.
    "4620", "4622", "4624",
    // Power supplies, electronic loads, switch matrices and scanners.
    "3810", "3812", "3814", "6820", "6822", "6824", "2150", "2152"};

// A name without a manual twin: the bench meter Tessel reads over the bus.
constexpr std::array<std::string_view, 1> kSingles{"DVM"};

template <std::size_t N> constexpr std::array<std::string_view, N> sorted(std::array<std::string_view, N> words)
{
    std::sort(words.begin(), words.end());
    return words;
}

struct InstrumentNames {
    std::array<std::string, kModels.size() * 2 + kSingles.size()> names;
    InstrumentNames()
    {
        std::size_t i = 0;
        for (std::string_view model : kModels) {
            names[i++] = std::string(model);
            names[i++] = std::string("M").append(model);
        }
        for (std::string_view single : kSingles)
            names[i++] = std::string(single);
        std::sort(names.begin(), names.end());
    }
};

const InstrumentNames& instrumentNames()
{
    static const InstrumentNames names;
    return names;
}

} // namespace

bool isProcedureKeyword(std::string_view upperWord)
{
    static constexpr auto keywords = sorted(kKeywords);
    return std::binary_search(keywords.begin(), keywords.end(), upperWord);
}

bool isInstrumentFsc(std::string_view upperWord)
{
    const auto& names = instrumentNames().names;
    return std::binary_search(
        names.begin(), names.end(), upperWord, [](std::string_view a, std::string_view b) { return a < b; });
}

} // namespace kestrel
