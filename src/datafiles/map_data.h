#pragma once
// A level file: the terrain of the 16 x 9 board and the wave timeline that
// sets, period by period, how fast wolves of each kind arrive.
//
// Format: 144 whitespace-separated integer terrain codes, the bottom board row
// first (0 low ground, 1 high ground, 2 home; any other code keeps what that
// position held before), then wave records of 19 numbers each: a duration in
// seconds, then the six wolf kinds' peak rates, then their rise times, then
// their start offsets (kinds in wolf kind order). A record that the end of
// the file cuts short is dropped, so every record line ends with a line break.

#include "datafiles/map_refusal.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

constexpr int boardColumns = 16;
constexpr int boardRows = 9;
constexpr int wolfKindCount = 6;

struct WaveRecord
{
    float duration = 0.f;
    float peakRate[wolfKindCount] = {};
    float riseTime[wolfKindCount] = {};
    float startOffset[wolfKindCount] = {};
};

// The wave records in file order. Every change through it, and every copy,
// gives the list a new stamp, so that what the World works out from the
// durations (where the level clock stands among them) is worked out again.
// Take a new reference for each change rather than keeping one.
class WaveList
{
public:
    WaveList() = default;
    WaveList(std::initializer_list<WaveRecord> records) : records_(records) {}
    WaveList(const WaveList& other) : records_(other.records_) {}
    WaveList(WaveList&& other) noexcept : records_(std::move(other.records_)) { other.restamp(); }
    WaveList& operator=(const WaveList& other)
    {
        records_ = other.records_;
        restamp();
        return *this;
    }
    WaveList& operator=(WaveList&& other) noexcept
    {
        records_ = std::move(other.records_);
        restamp();
        other.restamp();
        return *this;
    }
    WaveList& operator=(std::initializer_list<WaveRecord> records)
    {
        records_ = records;
        restamp();
        return *this;
    }

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    std::vector<WaveRecord>::const_iterator begin() const { return records_.begin(); }
    std::vector<WaveRecord>::const_iterator end() const { return records_.end(); }
    const WaveRecord& operator[](std::size_t i) const { return records_[i]; }
    const WaveRecord& front() const { return records_.front(); }

    std::vector<WaveRecord>::iterator begin() { return restamp(), records_.begin(); }
    std::vector<WaveRecord>::iterator end() { return restamp(), records_.end(); }
    WaveRecord& operator[](std::size_t i) { return restamp(), records_[i]; }
    void push_back(const WaveRecord& record) { restamp(), records_.push_back(record); }
    void clear() { restamp(), records_.clear(); }

    std::uint64_t stamp() const { return stamp_; }

private:
    static std::uint64_t newStamp();
    void restamp() { stamp_ = newStamp(); }

    std::vector<WaveRecord> records_;
    std::uint64_t stamp_ = newStamp();
};

struct MapData
{
    // Stored terrain per [file column][file row]: 0 low, 1 high, 3 home.
    std::int32_t terrainCodes[boardColumns][boardRows] = {};
    WaveList waves;
    float totalWaveTime = 0.f; // sum of every record's duration, seconds
};

// Why a map could not be read, in English and in Chinese; empty when it could.
struct MapReadResult
{
    MapReadResult() = default;
    MapReadResult(Refusal why) : error(std::move(why.english)), screenError(std::move(why.chinese)) {}
    std::string error;
    std::wstring screenError;
    bool ok() const { return error.empty(); }
};

// Reads map text into data. Terrain positions with an unknown code keep the
// value data held before. On failure data is left as it was.
MapReadResult readMap(std::string_view text, MapData& data);
// The same for a file; the error names what went wrong (not the path).
MapReadResult readMapFile(const std::string& path, MapData& data);
