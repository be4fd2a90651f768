// Sound effects, synthesised: 44.1 kHz, 16-bit mono, all under a second.

#include "assets.h"
#include "pixgrid.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

using Wave = std::vector<double>;

Wave silence(double seconds) { return Wave(static_cast<size_t>(seconds * kRate), 0.0); }

// White noise in [-1, 1] from the shared deterministic generator.
double noise(Rng& rng) { return rng.unit() * 2.0 - 1.0; }

// One-pole low-pass, cutoff in Hz.
struct LowPass {
  double y = 0;
  double step(double x, double cutoff) {
    const double a = 1.0 - std::exp(-2.0 * kPi * cutoff / kRate);
    y += a * (x - y);
    return y;
  }
};

// Fast attack, and a short fade at the very end so nothing clicks; then scale to -3 dBFS.
std::vector<sf::Int16> finish(Wave w, double attack, double fade) {
  const size_t n = w.size();
  const size_t a = static_cast<size_t>(attack * kRate), f = static_cast<size_t>(fade * kRate);
  for (size_t i = 0; i < a && i < n; ++i) w[i] *= static_cast<double>(i) / a;
  for (size_t i = 0; i < f && i < n; ++i) w[n - 1 - i] *= static_cast<double>(i) / f;
  // Remove any DC offset the filters left, so the waveform sits centred.
  double mean = 0;
  for (double v : w) mean += v;
  mean /= std::max<size_t>(1, n);
  double peak = 0;
  for (double& v : w) {
    v -= mean;
    peak = std::max(peak, std::fabs(v));
  }
  const double gain = peak > 0 ? std::pow(10.0, -3.0 / 20.0) / peak : 0.0;
  std::vector<sf::Int16> out(n);
  for (size_t i = 0; i < n; ++i) {
    // The re-centring can nudge the ends off zero; keep the fade honest.
    double v = w[i] * gain;
    if (i < a) v *= static_cast<double>(i) / std::max<size_t>(1, a);
    if (n - 1 - i < f) v *= static_cast<double>(n - 1 - i) / std::max<size_t>(1, f);
    out[i] = static_cast<sf::Int16>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
  }
  return out;
}

// A bow string: a plucked string (Karplus-Strong) whose pitch sags as the string settles,
// plus the dry snap of release.
Wave bowShot() {
  Wave w = silence(0.42);
  Rng rng(0xB0);
  const double startHz = 720, endHz = 380;
  std::vector<double> line(static_cast<size_t>(kRate / endHz) + 2);
  double sum = 0;
  for (double& v : line) sum += (v = noise(rng));
  for (double& v : line) v -= sum / line.size();  // no DC in the pluck
  double pos = 0;
  double dcIn = 0, dcOut = 0;  // blocks any drift the delay line picks up
  double prev = 0;
  LowPass snap;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = i / kRate;
    const double hz = endHz + (startHz - endHz) * std::exp(-t / 0.07);
    const double len = kRate / hz;
    // Read the delay line with its length tracking the falling pitch.
    const size_t size = line.size();
    const double readPos = std::fmod(pos - len + size * 4, static_cast<double>(size));
    const size_t i0 = static_cast<size_t>(readPos) % size, i1 = (i0 + 1) % size;
    const double frac = readPos - std::floor(readPos);
    const double out = line[i0] * (1 - frac) + line[i1] * frac;
    const double fed = 0.5 * (out + prev) * 0.996;
    prev = out;
    line[static_cast<size_t>(pos) % size] = fed;
    pos += 1;
    dcOut = out - dcIn + 0.995 * dcOut;
    dcIn = out;
    const double body = dcOut * std::exp(-t / 0.12);
    const double click = t < 0.012 ? snap.step(noise(rng), 3000) * (1 - t / 0.012) : 0.0;
    w[i] = body + 0.8 * click;
  }
  return w;
}

// Stones crumbling: a low rumble of filtered noise, slow thuds, and a crackle of bits falling.
Wave collapse() {
  Wave w = silence(0.9);
  Rng rng(0xC011A);
  LowPass rumble1, rumble2, crackTone;
  double crack = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = i / kRate;
    const double env = std::min(1.0, t / 0.03) * std::exp(-t / 0.35);
    const double low = rumble2.step(rumble1.step(noise(rng), 180), 120) * 6.0;
    const double thud = std::sin(2 * kPi * (48 + 10 * std::exp(-t / 0.2)) * t) *
                        (std::exp(-t / 0.12) + 0.6 * std::exp(-std::max(0.0, t - 0.28) / 0.1) * (t > 0.28));
    // Crackle: sparse clicks, thinning out as the pile settles.
    if (rng.unit() < 0.004 * std::exp(-t / 0.4)) crack = 0.8 + 0.4 * rng.unit();
    crack *= 0.93;
    const double bits = (crack * noise(rng)) - crackTone.step(crack * noise(rng), 900);
    w[i] = env * (low + 0.5 * thud) + 0.45 * bits * std::exp(-t / 0.5);
  }
  return w;
}

// An explosion: a low thump falling in pitch, under a burst of noise whose brightness dies away.
Wave explosion() {
  Wave w = silence(0.85);
  Rng rng(0xB00);
  LowPass a, b;
  double phase = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    const double t = i / kRate;
    const double cutoff = 180 + 5000 * std::exp(-t / 0.06);
    const double burst = b.step(a.step(noise(rng), cutoff), cutoff) * std::exp(-t / 0.22);
    phase += 2 * kPi * (38 + 70 * std::exp(-t / 0.05)) / kRate;
    const double thump = std::sin(phase) * std::exp(-t / 0.18);
    w[i] = 1.4 * burst + 0.9 * thump;
  }
  return w;
}

}  // namespace

std::vector<Sound> makeSounds() {
  return {
      {"sound/tower_shoot.wav", finish(bowShot(), 0.002, 0.02)},
      {"sound/tower_collapse.wav", finish(collapse(), 0.004, 0.04)},
      {"sound/explode.wav", finish(explosion(), 0.001, 0.04)},
  };
}

}  // namespace assetgen
