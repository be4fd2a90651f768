#include "app/random_outputs.h"

#include <algorithm>

namespace {

using Word = std::mt19937::result_type;
constexpr std::size_t n = std::mt19937::state_size, m = std::mt19937::shift_size;
using Words = Word[n];

// The standard library keeps the engine's words and its place in them
// private. An explicit instantiation may name private members (access is not
// checked there), which lets these two functions reach them; the engine's
// own arithmetic below is the standard's, so its sequence is unchanged.
Words& wordsOf(std::mt19937& engine);
std::size_t& placeOf(std::mt19937& engine);
template <Words std::mt19937::*words, std::size_t std::mt19937::*place> struct Reach
{
    friend Words& wordsOf(std::mt19937& engine) { return engine.*words; }
    friend std::size_t& placeOf(std::mt19937& engine) { return engine.*place; }
};
template struct Reach<&std::mt19937::_M_x, &std::mt19937::_M_p>;

// The next 624 words of the recurrence, as the engine makes them.
void refill(Words& x)
{
    constexpr Word upper = ~Word() << std::mt19937::mask_bits;
    constexpr Word lower = ~upper;
    constexpr Word matrix = std::mt19937::xor_mask;
    auto twist = [](Word from, Word next, Word far) {
        const Word y = (from & upper) | (next & lower);
        return far ^ (y >> 1) ^ ((0 - (y & 1)) & matrix);
    };
    for (std::size_t k = 0; k < n - m; ++k)
        x[k] = twist(x[k], x[k + 1], x[k + m]);
    for (std::size_t k = n - m; k < n - 1; ++k)
        x[k] = twist(x[k], x[k + 1], x[k + m - n]);
    x[n - 1] = twist(x[n - 1], x[0], x[m - 1]);
}

static_assert(std::mt19937::word_size == 32);

} // namespace

void skipOutputs(std::mt19937& engine, std::size_t count)
{
    Words& x = wordsOf(engine);
    std::size_t& place = placeOf(engine);
    while (count > 0) {
        // The engine refills when a call finds every word used, not before.
        if (place >= n) {
            refill(x);
            place = 0;
        }
        const std::size_t taken = std::min(count, n - place);
        place += taken;
        count -= taken;
    }
}
