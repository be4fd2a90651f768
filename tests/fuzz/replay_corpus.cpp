// Replays a fuzz corpus without libFuzzer: every file of the given folders
// goes through the same exercise as under the fuzzer, in a normal build (and
// in the sanitizer build). A crash, a sanitizer report or a broken World
// invariant ends the run with a non-zero status; otherwise it prints one line
// per input (refused with the reason, or played) and exits 0. The inputs are
// level files, or with --pictures, --sounds or --recordings those of the
// other fuzzers.

#include "data_file_exercise.h"
#include "map_exercise.h"
#include "recording_exercise.h"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    const std::string kind = argc > 1 ? argv[1] : "";
    const int first = kind == "--pictures" || kind == "--sounds" || kind == "--recordings" ? 2 : 1;
    if (argc <= first) {
        std::cout << "usage: " << argv[0] << " [--pictures | --sounds | --recordings] CORPUS_FOLDER_OR_FILE...\n";
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = first; i < argc; ++i) {
        const fs::path path(argv[i]);
        if (fs::is_directory(path)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
            }
        } else {
            inputs.push_back(path);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::cout << "no inputs found\n";
        return 1;
    }

    // The loader's own complaints would repeat the reasons printed below,
    // and the library's those of the lines "accepted, then refused".
    std::streambuf* errors = std::cerr.rdbuf(nullptr);
    sf::err().rdbuf(nullptr);
    int loaded = 0;
    for (const fs::path& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::cerr.rdbuf(errors);
            std::cerr << "cannot read " << path << '\n';
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::cout << path.filename().string() << ": " << std::flush;
        if (kind == "--recordings") {
            const RecordingExercise outcome = exerciseRecording(bytes);
            loaded += outcome.accepted;
            std::cout << (outcome.accepted ? outcome.status == 0 ? "played as recorded" : "played, not as recorded"
                                           : "refused: " + outcome.message)
                      << '\n';
            continue;
        }
        if (first == 2) {
            const DataFileExercise outcome = kind == "--pictures" ? exercisePicture(bytes) : exerciseSound(bytes);
            loaded += outcome.accepted;
            std::cout << (outcome.accepted ? outcome.read ? "accepted and read" : "accepted, then refused by the library"
                                           : "refused: " + outcome.message)
                      << '\n';
            continue;
        }
        const MapExercise outcome = exerciseMap(bytes);
        if (outcome.loaded) {
            ++loaded;
            std::cout << "played " << outcome.ticks << " ticks"
                      << (outcome.won ? ", won" : outcome.lost ? ", lost" : "") << '\n';
        } else {
            std::cout << "refused: " << outcome.message << '\n';
        }
    }
    std::cout << inputs.size() << " inputs replayed, " << loaded << (first == 2 ? " accepted, " : " played, ")
              << inputs.size() - loaded << " refused\n";
    return 0;
}
