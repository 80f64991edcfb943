#pragma once

#include <QList>
#include <QString>

// A file's loudness over time as the silence filter measures it: the mean of the squared
// samples of all channels over consecutive windows of 20 ms.
struct Loudness {
    int sampleRate = 0;
    int channels = 0;
    qint64 frames = 0;        // samples per channel in the whole file
    int windowFrames = 0;     // samples per channel in each window (the last may be short)
    QList<float> meanSquares; // one per window

    double seconds() const { return sampleRate > 0 ? double(frames) / sampleRate : 0.0; }
    double windowSeconds() const
    {
        return sampleRate > 0 ? double(windowFrames) / sampleRate : 0.0;
    }
};

// The window the filter measures over by default.
inline constexpr int loudnessWindowMs = 20;

// The level of a mean square in dB below full scale; very quiet windows and digital silence
// read as `floorDb`.
inline constexpr double levelFloorDb = -120.0;
double levelDb(double meanSquare);

// The mean square at a level in dB (the inverse of levelDb).
double meanSquareAt(double db);

// Builds a Loudness from interleaved float samples that arrive in pieces of any size.
class LoudnessMeter
{
public:
    LoudnessMeter(int sampleRate, int channels);

    void add(const float *samples, qsizetype count);
    // The loudness of everything added; a last partial window counts with its own length.
    Loudness finish();

private:
    Loudness m_loudness;
    qint64 m_windowSamples; // samples of all channels per full window
    qint64 m_inWindow = 0;
    qint64 m_samples = 0;
    double m_sum = 0.0;
};
