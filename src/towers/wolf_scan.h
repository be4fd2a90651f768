#pragma once
// What the towers' target searches read of the wolves, packed: every wolf's
// position and whether it can be a target, in list order, and the wolves by
// the cells of the step they are on. No wolf's update changes another wolf,
// and nothing a tower does moves one, so the tick notes each wolf right after
// its update and all its towers search that (between open and close); outside
// a tick each search takes it afresh. Either way a search sees exactly what
// walking the wolf list would show, in the same order.

#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

class WolfScan
{
public:
    // The wolf list's index of every candidate of an arrow or ice tower at a
    // cell: living wolves (unslowed ones only, if asked) strictly within 5.5
    // cells, in list order.
    // They stay valid until the next search.
    struct Indices
    {
        const std::size_t* first;
        std::size_t count;
        bool empty() const { return count == 0; }
        std::size_t size() const { return count; }
        std::size_t operator[](std::size_t i) const { return first[i]; }
    };
    Indices withinReach(sf::Vector2i tower, bool onlyUnslowed);
    // The wolf list's index of every wolf whose step leaves or enters one of
    // the four cells beside a tower, in list order; the slap tower tests them.
    const std::vector<std::size_t>& besideCell(sf::Vector2i tower);

    // A wolf's step as noted: the cell it leaves, the one it enters, how far
    // it has come; and whether it can be a target (neither dying nor dead).
    struct Step
    {
        sf::Vector2i leaving, entering;
        float progress;
    };
    const Step& step(std::size_t index) const { return steps_[index]; }
    bool canBeTarget(std::size_t index) const { return kind_[index] & 1; }

    // The tick's wolves and towers take their turn between these two; each
    // wolf is noted after its update, in list order.
    void open(std::size_t wolfCount);
    void note(std::size_t index, const class Wolf& wolf);
    void close();
    // A wolf's state changed during the towers' turn (a skunk tower's burst).
    void forget() { placesTaken_ = false; }

private:
    // Each part is taken when a search first needs it.
    void takePlaces();
    void takeSteps();

    void notePlace(std::size_t index, const Wolf& wolf);
    void noteStep(std::size_t index, const Wolf& wolf);
    void fileSteps(); // sorts the noted steps by cell
    void placeRoom(std::size_t wolfCount);
    void stepRoom(std::size_t wolfCount);

    bool open_ = false;
    bool placesTaken_ = false;
    bool stepsTaken_ = false; // the noted steps filed by cell
    std::size_t placeCount_ = 0, stepCount_ = 0; // the wolves noted in each part
    std::vector<float> x_, y_;
    std::vector<std::uint8_t> kind_; // bit 0: a possible target, bit 1: slowed
    std::vector<Step> steps_;
    std::vector<std::uint32_t> cellOf_;    // two per wolf: the cells of its step
    std::vector<std::uint32_t> cellStart_; // per grid cell, into byCell_
    std::vector<std::uint32_t> next_;
    std::vector<std::uint32_t> byCell_;
    std::vector<std::size_t> found_;
    std::vector<std::size_t> reach_; // room for every wolf, written over by each search of reach
};

extern WolfScan wolfScan;
