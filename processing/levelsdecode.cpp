#include "processing/levelsdecode.h"

#include "platform/childprocess.h"
#include "processing/consolerunner.h"
#include "processing/silencecommand.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace
{
constexpr qsizetype chunkSize = 1 << 16;
constexpr int cancelCheckMs = 100;

QStringList decodeArguments(const QString &path)
{
    // WAV rather than bare samples, because its header tells the rate and the channels; the
    // samples keep the file's own rate and channels, as the conversion's filter sees them.
    // Without flushing after each packet ffmpeg writes whole buffers, far fewer and cheaper
    // writes into the pipe.
    return {QStringLiteral("-nostdin"),
            QStringLiteral("-v"),
            QStringLiteral("error"),
            QStringLiteral("-i"),
            path,
            QStringLiteral("-map"),
            QStringLiteral("0:a:0"),
            QStringLiteral("-c:a"),
            QStringLiteral("pcm_f32le"),
            QStringLiteral("-fflags"),
            QStringLiteral("+bitexact"),
            QStringLiteral("-flush_packets"),
            QStringLiteral("0"),
            QStringLiteral("-f"),
            QStringLiteral("wav"),
            QStringLiteral("-")};
}

// Reads the child's output into a growing buffer of which the front is consumed.
class OutputReader
{
public:
    OutputReader(platform::ChildProcess &child, const std::atomic<bool> &cancel)
        : m_child(child), m_cancel(cancel)
    {
    }

    // Makes at least `count` bytes available; false at the end of the output or when cancelled.
    bool fill(qsizetype count)
    {
        while (available() < count) {
            if (m_cancel.load(std::memory_order_relaxed))
                return false;
            compact();
            const qsizetype old = qsizetype(m_buffer.size());
            m_buffer.resize(size_t(old + chunkSize));
            const qsizetype got = m_child.read(m_buffer.data() + old, chunkSize, cancelCheckMs);
            m_buffer.resize(size_t(old + std::max<qsizetype>(got, 0)));
            if (got == 0)
                return false;
        }
        return true;
    }
    qsizetype available() const { return qsizetype(m_buffer.size()) - m_front; }
    const char *data() const { return m_buffer.data() + m_front; }
    void consume(qsizetype count) { m_front += count; }

private:
    void compact()
    {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + m_front);
        m_front = 0;
    }

    platform::ChildProcess &m_child;
    const std::atomic<bool> &m_cancel;
    std::vector<char> m_buffer;
    qsizetype m_front = 0;
};

struct WavFormat {
    int channels = 0;
    int sampleRate = 0;
};

// Walks the chunks of the WAV header up to the samples; nothing when it is not 32-bit audio.
std::optional<WavFormat> readWavHeader(OutputReader &reader)
{
    if (!reader.fill(12) || std::memcmp(reader.data(), "RIFF", 4) != 0 ||
        std::memcmp(reader.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    reader.consume(12);
    std::optional<WavFormat> format;
    while (reader.fill(8)) {
        const QByteArray id(reader.data(), 4);
        const quint32 size = qFromLittleEndian<quint32>(reader.data() + 4);
        reader.consume(8);
        if (id == "data")
            return format;
        if (size > (1u << 20) || !reader.fill(size + (size & 1)))
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            const int channels = qFromLittleEndian<quint16>(reader.data() + 2);
            const int rate = int(qFromLittleEndian<quint32>(reader.data() + 4));
            const int bits = qFromLittleEndian<quint16>(reader.data() + 14);
            if (channels > 0 && rate > 0 && bits == 32)
                format = WavFormat{channels, rate};
        }
        reader.consume(size + (size & 1));
    }
    return std::nullopt;
}

LevelsResult measure(OutputReader &reader, const std::atomic<bool> &cancel)
{
    const std::optional<WavFormat> format = readWavHeader(reader);
    if (!format)
        return {std::nullopt, cancel ? QString() : levelsUnreadable};
    LoudnessMeter meter(format->sampleRate, format->channels);
    std::vector<float> samples;
    while (reader.fill(sizeof(float))) {
        const qsizetype count = reader.available() / qsizetype(sizeof(float));
        samples.resize(size_t(count));
        std::memcpy(samples.data(), reader.data(), size_t(count) * sizeof(float));
        reader.consume(count * qsizetype(sizeof(float)));
        meter.add(samples.data(), count);
    }
    if (cancel)
        return {};
    Loudness loudness = meter.finish();
    if (loudness.frames == 0)
        return {std::nullopt, levelsUnreadable};
    return {std::move(loudness), QString()};
}
} // namespace

LevelsResult decodeLevels(const QString &path, const QString &workingFolder,
                          const std::atomic<bool> &cancel)
{
    const QString program = findProgram(ffmpegProgram, workingFolder);
    if (program.isEmpty())
        return {std::nullopt, ffmpegProgram + QStringLiteral(": command not found")};
    platform::ChildProcess child;
    if (child.start(program, decodeArguments(path), workingFolder,
                    platform::ChildProcess::ErrorOutput::Discarded) != 0)
        return {std::nullopt, levelsUnreadable};
    // A child still writing when we stop reading ends on the closed pipe (see ChildProcess).
    OutputReader reader(child, cancel);
    return measure(reader, cancel);
}
