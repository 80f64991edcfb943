#include "processing/loudness.h"

#include <algorithm>
#include <cmath>

double levelDb(double meanSquare)
{
    if (meanSquare <= 0.0)
        return levelFloorDb;
    return std::max(levelFloorDb, 10.0 * std::log10(meanSquare));
}

double meanSquareAt(double db)
{
    return std::pow(10.0, db / 10.0);
}

namespace
{
// Four independent sums, so that the additions need not wait for one another.
double sumOfSquares(const float *samples, qsizetype count)
{
    double sums[4] = {0.0, 0.0, 0.0, 0.0};
    qsizetype i = 0;
    for (; i + 4 <= count; i += 4)
        for (int k = 0; k < 4; ++k)
            sums[k] += double(samples[i + k]) * samples[i + k];
    for (; i < count; ++i)
        sums[0] += double(samples[i]) * samples[i];
    return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}
} // namespace

LoudnessMeter::LoudnessMeter(int sampleRate, int channels)
{
    m_loudness.sampleRate = sampleRate;
    m_loudness.channels = channels;
    m_loudness.windowFrames =
        std::max(1, int(std::lround(sampleRate * (loudnessWindowMs / 1000.0))));
    m_windowSamples = qint64(m_loudness.windowFrames) * std::max(1, channels);
}

void LoudnessMeter::add(const float *samples, qsizetype count)
{
    for (qsizetype i = 0; i < count;) {
        // Squares of one window's share summed in a tight loop.
        const qsizetype take = std::min<qsizetype>(count - i, m_windowSamples - m_inWindow);
        m_sum += sumOfSquares(samples + i, take);
        m_inWindow += take;
        i += take;
        if (m_inWindow == m_windowSamples) {
            m_loudness.meanSquares.append(float(m_sum / double(m_windowSamples)));
            m_sum = 0.0;
            m_inWindow = 0;
        }
    }
    m_samples += count;
}

Loudness LoudnessMeter::finish()
{
    if (m_inWindow > 0)
        m_loudness.meanSquares.append(float(m_sum / double(m_inWindow)));
    m_sum = 0.0;
    m_inWindow = 0;
    m_loudness.frames = m_samples / std::max(1, m_loudness.channels);
    return m_loudness;
}
