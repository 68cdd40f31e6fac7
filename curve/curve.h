// The heating curve: two whole-number parameters P0 (base) and P2 (slope in tenths) give a target
// circuit temperature Tko for each whole outdoor temperature Tul from -40 to 20.
//
// Everything here is a pure function of its arguments; the program's one pair of parameters
// lives in the window module, which passes it in.
#pragma once

#include <string>
#include <string_view>

namespace curve {

inline constexpr int ParamMin = 0;
inline constexpr int ParamMax = 50;
inline constexpr int StartP0 = 20;
inline constexpr int StartP2 = 10;

inline constexpr int TulFirst = -40;
inline constexpr int TulLast = 20;
inline constexpr int SampleCount = TulLast - TulFirst + 1;  // 61

inline constexpr int TkoMin = 1;
inline constexpr int TkoMax = 95;

struct CurveSample {
    int Tul = 0;
    int Tko = 0;
    friend bool operator==(const CurveSample &, const CurveSample &) = default;
};

// Tko = (((P0 - Tul) * P2) / 10) + P0, with C++'s truncating division (-15 / 10 == -1),
// then limited to TkoMax and afterwards to TkoMin.
constexpr int CalcTko(int p0, int p2, int tul)
{
    int tko = ((p0 - tul) * p2) / 10 + p0;
    if (tko > TkoMax)
        tko = TkoMax;
    if (tko < TkoMin)
        tko = TkoMin;
    return tko;
}

// Calls onSample(CurveSample) for Tul = -40, -39, ..., 20, each as soon as it is computed.
template <typename OnSample>
void SweepCurve(int p0, int p2, OnSample &&onSample)
{
    for (int i = 0; i < SampleCount; ++i) {
        const int tul = TulFirst + i;
        onSample(CurveSample{tul, CalcTko(p0, p2, tul)});
    }
}

// The button steps: by exactly one, never leaving ParamMin..ParamMax; at a bound nothing happens.
constexpr void LowerParam(int &param)
{
    if (param > ParamMin)
        --param;
}

constexpr void RaiseParam(int &param)
{
    if (param < ParamMax)
        ++param;
}

// "P0=20": the name, '=' and the value in plain decimal.
std::string DisplayText(std::string_view name, int value);

}  // namespace curve
