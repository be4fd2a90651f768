#include "datafiles/file_kind.h"

namespace fs = std::filesystem;

Refusal checkRegularFile(const std::string& path)
{
    std::error_code error;
    switch (fs::status(path, error).type()) {
    case fs::file_type::regular: return {};
    case fs::file_type::directory: return refuse(refusals::notRegular, {refusals::folder});
    case fs::file_type::fifo: return refuse(refusals::notRegular, {refusals::fifo});
    case fs::file_type::block:
    case fs::file_type::character: return refuse(refusals::notRegular, {refusals::device});
    case fs::file_type::socket: return refuse(refusals::notRegular, {refusals::socket});
    case fs::file_type::not_found:
    case fs::file_type::none: return refuse(refusals::cannotOpen);
    default: return refuse(refusals::notRegular, {refusals::specialFile});
    }
}

std::string checkDataFile(const std::string& path)
{
    std::error_code error;
    if (!fs::exists(path, error))
        return {};
    return checkRegularFile(path).english;
}

bool holdsGameData(const fs::path& folder)
{
    std::error_code error;
    for (const char* entry : {"map", "image", "sound"}) {
        if (!fs::is_directory(folder / entry, error))
            return false;
    }
    return fs::exists(folder / "hei.ttf", error);
}
