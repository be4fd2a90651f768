#include "datafiles/map_refusal.h"

namespace {

template <class Char>
std::basic_string<Char> fill(const Char* pattern, std::initializer_list<RefusalDetail> details,
                             std::basic_string<Char> RefusalDetail::*language)
{
    std::basic_string<Char> text;
    auto detail = details.begin();
    for (const Char* c = pattern; *c; ++c) {
        if (c[0] == Char('{') && c[1] == Char('}') && detail != details.end()) {
            text += (*detail++).*language;
            ++c;
        } else {
            text += *c;
        }
    }
    return text;
}

} // namespace

RefusalDetail::RefusalDetail(const std::string& ascii) : english(ascii), chinese(ascii.begin(), ascii.end()) {}

Refusal refuse(const RefusalText& text, std::initializer_list<RefusalDetail> details)
{
    return {fill(text.english, details, &RefusalDetail::english),
            fill(text.chinese, details, &RefusalDetail::chinese)};
}
