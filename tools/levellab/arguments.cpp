#include "arguments.h"

#include <cstdlib>

std::optional<float> numberWithin(const char* text, float low, float high)
{
    if (!text)
        return std::nullopt;
    char* end = nullptr;
    const float value = std::strtof(text, &end);
    if (end == text || *end != '\0' || !(value >= low && value <= high))
        return std::nullopt;
    return value;
}
