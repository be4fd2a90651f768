// Replays a fuzz corpus without libFuzzer: every file of the given folders
// goes through the same exercise as under the fuzzer, in a normal build (and
// in the sanitizer build). A crash, a sanitizer report or a broken World
// invariant ends the run with a non-zero status; otherwise it prints one line
// per input (refused with the reason, or played) and exits 0. The inputs are
// level files, or with --pictures or --sounds those of the data file fuzzers.
// With --expect FILE, each input's line must also be the one FILE gives for
// it (lines of the same form; # starts a comment): a picture or sound that flips
// from accepted to refused, or is refused for another reason, fails the run.

#include "data_file_exercise.h"
#include "map_exercise.h"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    std::string kind;
    fs::path expectations;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--pictures" || argument == "--sounds")
            kind = argument;
        else if (argument == "--expect" && i + 1 < argc)
            expectations = argv[++i];
        else if (fs::is_directory(argument)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(argument)) {
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
            }
        } else {
            inputs.push_back(argument);
        }
    }
    if (inputs.empty()) {
        std::cout << "usage: " << argv[0]
                  << " [--pictures | --sounds] [--expect FILE] CORPUS_FOLDER_OR_FILE...; no inputs found\n";
        return 1;
    }
    std::sort(inputs.begin(), inputs.end());
    std::map<std::string, std::string> expected; // each input's line as printed below
    if (!expectations.empty()) {
        std::ifstream file(expectations);
        if (!file) {
            std::cout << "cannot read the expected verdicts in " << expectations << '\n';
            return 1;
        }
        for (std::string line; std::getline(file, line);) {
            if (const std::size_t colon = line.find(": "); line[0] != '#' && colon != std::string::npos)
                expected[line.substr(0, colon)] = line.substr(colon + 2);
        }
    }

    // The loader's own complaints would repeat the reasons printed below,
    // and the library's those of the lines "accepted, then refused".
    std::streambuf* errors = std::cerr.rdbuf(nullptr);
    sf::err().rdbuf(nullptr);
    const bool dataFiles = !kind.empty();
    int loaded = 0;
    std::vector<std::string> unexpected;
    for (const fs::path& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::cerr.rdbuf(errors);
            std::cerr << "cannot read " << path << '\n';
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const std::string name = path.filename().string();
        std::cout << name << ": " << std::flush;
        std::string verdict;
        if (dataFiles) {
            const DataFileExercise outcome = kind == "--pictures" ? exercisePicture(bytes) : exerciseSound(bytes);
            loaded += outcome.accepted;
            verdict = outcome.accepted ? outcome.read ? "accepted and read" : "accepted, then refused by the library"
                                       : "refused: " + outcome.message;
        } else {
            const MapExercise outcome = exerciseMap(bytes);
            loaded += outcome.loaded;
            verdict = outcome.loaded ? "played " + std::to_string(outcome.ticks) + " ticks" +
                                           (outcome.won ? ", won" : outcome.lost ? ", lost" : "")
                                     : "refused: " + outcome.message;
        }
        std::cout << verdict << '\n';
        if (expectations.empty())
            continue;
        const auto wanted = expected.find(name);
        if (wanted == expected.end()) {
            unexpected.push_back(name + " has no expected verdict in " + expectations.string());
            continue;
        }
        if (wanted->second != verdict)
            unexpected.push_back(name + ": expected \"" + wanted->second + "\", not \"" + verdict + '"');
        expected.erase(wanted);
    }
    for (const auto& [name, verdict] : expected)
        unexpected.push_back(name + " is expected (" + verdict + ") but is not among the inputs");
    std::cout << inputs.size() << " inputs replayed, " << loaded << (dataFiles ? " accepted, " : " played, ")
              << inputs.size() - loaded << " refused\n";
    for (const std::string& line : unexpected)
        std::cout << "unexpected: " << line << '\n';
    return unexpected.empty() ? 0 : 1;
}
