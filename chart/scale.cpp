#include "scale.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

// No axis ever needs more; guards against a pathological labelExtent.
constexpr std::size_t MaxTicks = 2000;

// Widening a step that doesn't fit: the next nice step above this many times it (1 -> 2 -> 5 ->
// 10, so at least doubling), at most this many times, which covers any finite range.
constexpr double StepGrowth = 1.5;
constexpr int MaxStepWidenings = 200;

bool usableRange(AxisRange r)
{
    return std::isfinite(r.minimum) && std::isfinite(r.maximum) && r.maximum > r.minimum;
}

// Major ticks k*step inside the range, computed as (k0 + i) * step rather than by repeated
// addition so that rounding errors don't accumulate; a tick that is zero but for rounding is 0.
std::vector<double> majorTicks(AxisRange r, double step)
{
    std::vector<double> ticks;
    const double eps = step * 1e-9;
    const double first = std::ceil((r.minimum - eps) / step);
    for (std::size_t i = 0; i < MaxTicks; ++i) {
        double v = (first + double(i)) * step;
        if (v > r.maximum + eps)
            break;
        if (std::abs(v) < eps)
            v = 0;
        ticks.push_back(v);
    }
    return ticks;
}

}  // namespace

double niceStep(double rawStep)
{
    if (!(rawStep > 0) || !std::isfinite(rawStep))
        return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(rawStep)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        // the tolerance keeps 0.3 / 3 * 10 style rounding from skipping a step
        if (m * decade >= rawStep * (1 - 1e-12))
            return m * decade;
    }
    return 10 * decade;
}

AxisTicks computeTicks(AxisRange range, double lengthPx,
                       const std::function<double(double)> &labelExtent, int minorPerStep)
{
    AxisTicks result;
    if (!usableRange(range) || !(lengthPx > 0) || !std::isfinite(lengthPx))
        return result;

    const double span = range.maximum - range.minimum;
    const double pixelsPerUnit = lengthPx / span;
    // Start from the step at which one pixel separates labels, then widen until the widest
    // label fits between neighbours. Each pass at least doubles the step, so this ends within a
    // few dozen passes even for a wildly wrong extent.
    const auto fits = [&](double step) {
        if (span / step >= double(MaxTicks))
            return false;
        const double room = step * pixelsPerUnit;
        // The end labels first: too wide already, the step is rejected without measuring the
        // rest. Any label may be the widest (its separators and decimals differ), so when the
        // ends fit, all are measured; by then they are few, at least the end labels' width apart.
        const double first = std::ceil(range.minimum / step) * step;
        const double last = std::floor(range.maximum / step) * step;
        if (room < labelExtent(first) || room < labelExtent(last))
            return false;
        for (double v : majorTicks(range, step))
            if (room < labelExtent(v))
                return false;
        return true;
    };
    double step = niceStep(std::max(span / lengthPx, LabelResolution));
    for (int pass = 0; pass < MaxStepWidenings && !fits(step); ++pass)
        step = niceStep(step * StepGrowth);

    result.step = step;
    result.major = majorTicks(range, step);
    if (minorPerStep > 0) {
        const double minorStep = step / (minorPerStep + 1);
        for (std::size_t i = 0; i + 1 < result.major.size(); ++i)
            for (int k = 1; k <= minorPerStep; ++k)
                result.minor.push_back(result.major[i] + k * minorStep);
    }
    return result;
}

ScaleMap::ScaleMap(double data1, double data2, double pixel1, double pixel2)
    : m_d1(data1), m_d2(data2), m_p1(pixel1), m_p2(pixel2)
{
    const double span = data2 - data1;
    m_factor = (span != 0 && std::isfinite(span)) ? (pixel2 - pixel1) / span : 0;
}

double ScaleMap::toData(double pixel) const
{
    if (m_factor == 0)
        return m_d1;
    return m_d1 + (pixel - m_p1) / m_factor;
}

AxisRange clampView(AxisRange range)
{
    double lo = range.minimum, hi = range.maximum;
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return {-1, 1};
    if (lo > hi)
        std::swap(lo, hi);
    const double centre = std::clamp(lo / 2 + hi / 2, -ViewLimit, ViewLimit);
    const double minHalf = std::max(MinSpan, std::abs(centre) * 1e-9) / 2;
    const double half = std::clamp(hi / 2 - lo / 2, minHalf, ViewLimit);
    return {centre - half, centre + half};
}

}  // namespace chart
