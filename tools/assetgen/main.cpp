// assetgen: paints and synthesises every image and sound of Brambleholt.
//
//   assetgen <outdir>              writes <outdir>/image, <outdir>/sound and <outdir>/icon
//   assetgen --sheet <file.png>    one picture with the whole art set, for review
//   assetgen --board <file.png>    a mock board at game scale, for review
// Each may start with --font <file>: the font the Chinese lettering is set in.

#include "assets.h"
#include "fontlettering.h"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

bool ensureParent(const fs::path& file) {
  std::error_code ec;
  fs::create_directories(file.parent_path().empty() ? fs::path(".") : file.parent_path(), ec);
  if (ec) {
    std::cerr << "assetgen: cannot create folder " << file.parent_path() << ": " << ec.message() << "\n";
    return false;
  }
  return true;
}

bool writePng(const sf::Image& image, const fs::path& file) {
  if (!ensureParent(file)) return false;
  if (!image.saveToFile(file.string())) {
    std::cerr << "assetgen: cannot write " << file << "\n";
    return false;
  }
  return true;
}

bool writeWav(const Sound& sound, const fs::path& file) {
  if (!ensureParent(file)) return false;
  {
    sf::OutputSoundFile out;
    if (!out.openFromFile(file.string(), kSampleRate, 1)) {
      std::cerr << "assetgen: cannot write " << file << "\n";
      return false;
    }
    out.write(sound.samples.data(), sound.samples.size());
  }  // closing the file finishes its header
  // The writer cannot report a short write, so check what landed on disk.
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  const auto expected = 44 + 2 * sound.samples.size();
  if (ec || size != expected) {
    std::cerr << "assetgen: " << file << " came out truncated\n";
    return false;
  }
  return true;
}

int usage() {
  std::cerr << "usage: assetgen [--font <file>] <outdir>\n"
               "       assetgen [--font <file>] --sheet <file.png>\n"
               "       assetgen [--font <file>] --board <file.png>\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc >= 3 && std::string(argv[1]) == "--font") {
      useFontFile(argv[2]);
      argc -= 2;
      argv += 2;
    }
    if (argc == 3 && std::string(argv[1]) == "--sheet")
      return writePng(contactSheet(allPictures()), argv[2]) ? 0 : 1;
    if (argc == 3 && std::string(argv[1]) == "--board")
      return writePng(boardPreview(allPictures()), argv[2]) ? 0 : 1;
    if (argc != 2 || std::string(argv[1]).rfind("--", 0) == 0) return usage();

    const fs::path out = argv[1];
    int written = 0;
    for (const Picture& p : allPictures()) {
      if (!writePng(p.image, out / p.path)) return 1;
      ++written;
    }
    for (const Sound& s : makeSounds()) {
      if (!writeWav(s, out / s.path)) return 1;
      ++written;
    }
    std::cout << "assetgen: wrote " << written << " files to " << out.string() << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "assetgen: " << e.what() << "\n";
    return 1;
  }
}
