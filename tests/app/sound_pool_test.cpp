#include "app/assets.h"
#include "app/run.h"

#include <gtest/gtest.h>

namespace {

class SoundPool : public testing::Test
{
protected:
    void SetUp() override
    {
        soundPool.clear();
        soundPool.resize(100);
    }
    void TearDown() override { soundPool.clear(); }

    static int playingCount()
    {
        int playing = 0;
        for (const sf::Sound& sound : soundPool)
            playing += sound.getStatus() == sf::Sound::Playing;
        return playing;
    }
};

} // namespace

TEST_F(SoundPool, EffectsTakeTheLowestIdleSounds)
{
    playEffect(towerShootSound);
    playEffect(explodeSound);
    EXPECT_EQ(soundPool[0].getBuffer(), &towerShootSound);
    EXPECT_EQ(soundPool[1].getBuffer(), &explodeSound);
    EXPECT_EQ(soundPool[0].getStatus(), sf::Sound::Playing);
    EXPECT_EQ(soundPool[1].getStatus(), sf::Sound::Playing);
    EXPECT_FLOAT_EQ(soundPool[0].getVolume(), 10.f);
    EXPECT_EQ(soundPool[2].getBuffer(), nullptr);
    EXPECT_EQ(playingCount(), 2);

    // A finished sound is reused before any later one.
    soundPool[0].stop();
    playEffect(towerCollapseSound);
    EXPECT_EQ(soundPool[0].getBuffer(), &towerCollapseSound);
    EXPECT_EQ(soundPool[2].getBuffer(), nullptr);
}

TEST_F(SoundPool, DropsAnEffectWhenEverySoundIsBusy)
{
    for (int i = 0; i < 100; ++i)
        playEffect(towerShootSound);
    ASSERT_EQ(playingCount(), 100);

    playEffect(explodeSound);
    EXPECT_EQ(playingCount(), 100);
    for (const sf::Sound& sound : soundPool)
        EXPECT_EQ(sound.getBuffer(), &towerShootSound);
}

TEST(Initialize, OpensTheWindowAndSizesThePool)
{
    soundPool.resize(150);
    initialize();
    EXPECT_TRUE(window.isOpen());
    EXPECT_EQ(window.getSize(), sf::Vector2u(800, 600));
    int moved = 0; // clicks are read through the window's view: at this size, the pixel itself
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x)
            moved += viewPoint({x, y}) != sf::Vector2i(x, y);
    }
    EXPECT_EQ(moved, 0);
    // Centred on the desktop, so all of it shows on any screen of 800 x 600 or more.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    EXPECT_EQ(window.getPosition(), sf::Vector2i((static_cast<int>(desktop.width) - 800) / 2,
                                                 (static_cast<int>(desktop.height) - 600) / 2));
    EXPECT_EQ(soundPool.size(), 100u);
    EXPECT_TRUE(font.getInfo().family.size() > 0);
    window.close();
    soundPool.clear();
}
