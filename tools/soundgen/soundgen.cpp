// Writes the time-signal chime "default.wav": two bell-like tones, a major third
// apart, each with a soft attack and an exponential decay; 16-bit PCM, mono,
// 22050 Hz, 1.5 seconds. The output is the same bytes on every run.
//
// Usage: soundgen <output.wav>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int SampleRate = 22050;
constexpr double Duration = 1.5;

struct Tone
{
    double start;     // seconds
    double frequency; // Hz
    double decay;     // seconds to fall to 1/e
    double level;
};

// A struck bell: the fundamental with a few softer partials that die sooner.
double bell(const Tone& tone, double t)
{
    const double local = t - tone.start;
    if (local < 0.0)
        return 0.0;
    const double attack = std::min(1.0, local / 0.006);
    struct Partial
    {
        double ratio, gain, decayScale;
    };
    constexpr Partial partials[] = {
        {1.0, 1.0, 1.0}, {2.0, 0.32, 0.55}, {3.0, 0.12, 0.35}, {4.2, 0.05, 0.2}};
    double v = 0.0;
    for (const Partial& p : partials)
        v += p.gain * std::exp(-local / (tone.decay * p.decayScale)) *
             std::sin(2.0 * std::numbers::pi * tone.frequency * p.ratio * local);
    return tone.level * attack * v;
}

void put16(std::vector<unsigned char>& out, std::uint16_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void putTag(std::vector<unsigned char>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen <output.wav>\n");
        return 2;
    }

    // E5 then C5: "ding-dong".
    const Tone tones[] = {{0.0, 659.26, 0.42, 0.55}, {0.46, 523.25, 0.50, 0.55}};
    const int count = static_cast<int>(SampleRate * Duration);
    std::vector<double> samples(count);
    double peak = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / SampleRate;
        double v = 0.0;
        for (const Tone& tone : tones)
            v += bell(tone, t);
        // The last 80 ms fade to silence so the sound ends without a click.
        const double tail = Duration - t;
        if (tail < 0.08)
            v *= tail / 0.08;
        samples[i] = v;
        peak = std::max(peak, std::abs(v));
    }
    const double scale = peak > 0.0 ? 0.70 * 32767.0 / peak : 0.0; // about -3 dBFS

    std::vector<unsigned char> wav;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(count) * 2;
    putTag(wav, "RIFF");
    put32(wav, 36 + dataBytes);
    putTag(wav, "WAVE");
    putTag(wav, "fmt ");
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, SampleRate);
    put32(wav, SampleRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    putTag(wav, "data");
    put32(wav, dataBytes);
    for (double v : samples) {
        const long s = std::lround(v * scale);
        put16(wav, static_cast<std::uint16_t>(
                       static_cast<std::int16_t>(std::clamp(s, -32768L, 32767L))));
    }

    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
