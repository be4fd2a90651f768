// The start-up guard: standard streams, broken pipes, the display and the
// data folder, each as a broken machine or a careless start presents them.

#include "app/startup.h"
#include "support/free_display.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(Startup, AClosedStandardErrorIsOpenedOnDevNull)
{
    const int saved = dup(2);
    close(2);
    openStandardStreams();
    EXPECT_EQ(fs::read_symlink("/proc/self/fd/2"), "/dev/null");
    dup2(saved, 2);
    close(saved);
}

TEST(Startup, WritingToAPipeNobodyReadsFailsInsteadOfKilling)
{
    // The whole start-up guard as well as its step.
    for (void (*prepare)() : {ignoreBrokenPipes, prepareProcess}) {
        std::signal(SIGPIPE, SIG_DFL);
        prepare();
        struct sigaction action;
        sigaction(SIGPIPE, nullptr, &action);
        ASSERT_EQ(action.sa_handler, SIG_IGN) << "a write to the pipe below would end the tests";
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        close(ends[0]);
        EXPECT_EQ(write(ends[1], "x", 1), -1);
        EXPECT_EQ(errno, EPIPE);
        close(ends[1]);
    }
}

TEST(Startup, ADeadDisplayIsNamed)
{
    const std::string display = std::getenv("DISPLAY");
    EXPECT_EQ(checkDisplay(), "");
    const std::string dead = freeDisplayName();
    setenv("DISPLAY", dead.c_str(), 1);
    EXPECT_NE(checkDisplay().find("cannot open the display \"" + dead + "\""), std::string::npos);
    setenv("DISPLAY", display.c_str(), 1);
}

TEST(Startup, TheDataIsFoundInTheWorkingFolderElseBesideTheProgram)
{
    const fs::path start = fs::current_path();
    const fs::path root = fs::temp_directory_path() / ("brambleholt-start-" + std::to_string(getpid()));
    const fs::path elsewhere = root / "elsewhere", program = root / "program", other = root / "other",
                   partial = root / "partial";
    fs::create_directories(elsewhere);
    for (const fs::path& folder : {program, other, partial}) {
        for (const char* part : {"map", "image", "sound"})
            fs::create_directories(folder / part);
        std::ofstream(folder / "hei.ttf") << "font";
    }
    fs::remove(partial / "hei.ttf"); // all but the font: not the game's data

    struct Case
    {
        fs::path working, programFolder, expectedFolder;
        bool complains;
    };
    const Case cases[] = {
        {other, program, other, false},         // the designed lookup comes first
        {elsewhere, program, program, false},   // started from elsewhere
        {partial, program, program, false},     // started where only some of it is
        {elsewhere, elsewhere, elsewhere, true}, // no data anywhere
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.working.string());
        fs::current_path(c.working);
        const std::string message = findDataFolder(c.programFolder);
        EXPECT_EQ(fs::current_path(), c.expectedFolder);
        EXPECT_EQ(!message.empty(), c.complains);
        if (c.complains) {
            EXPECT_NE(message.find(c.working.string()), std::string::npos) << message;
        }
    }
    fs::current_path(start);
    fs::remove_all(root);
}

TEST(Startup, TheTestsHaveTheSilentAudioDevice)
{
    // ALSOFT_DRIVERS=null: a device that plays silently, so effects are started.
    EXPECT_TRUE(audioDeviceOpen());
}
