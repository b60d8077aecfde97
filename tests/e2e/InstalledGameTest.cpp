// The installed launchers, started from / the way a player starts them by
// name: the window carries the program's name, the program finds its files
// through the launcher, and quitting ends it with status 0. The install test
// (tests/install/check-install.sh) sets BRELLOW_INSTALLED_PREFIX to an install
// tree, a moved one or a package unpacked under a root; otherwise these skip.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/GameProcess.h"
#include "support/XSession.h"

namespace {

class InstalledGame : public ::testing::Test {
protected:
    void SetUp() override {
        const char* prefix = std::getenv("BRELLOW_INSTALLED_PREFIX");
        if (!prefix) GTEST_SKIP() << "BRELLOW_INSTALLED_PREFIX names no install tree";
        prefix_ = prefix;
    }

    // Starts games/<name> from /, waits for its first picture, taps quitKey.
    void startFromRootAndQuitWith(const std::string& name, const std::string& quitKey) {
        GameProcess process({prefix_ + "/games/" + name}, "/");
        XSession x;
        Window window = x.waitForWindow(name);
        ASSERT_NE(window, 0u) << process.standardError();
        // Keys reach the program once it draws; the window is black before.
        for (int tries = 0; tries < 300; ++tries) {
            Screenshot::Pixel p = x.capture(window).mean(0, 0, 1024, 768);
            if (p.r + p.g + p.b > 15) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        x.tapKey(window, quitKey);
        ASSERT_TRUE(process.waitForExit(15000)) << name << " did not end on " << quitKey;
        EXPECT_EQ(process.exitStatus(), 0) << process.standardError();
        EXPECT_EQ(process.standardError(), "");
        ASSERT_FALSE(process.outputLines().empty());
        EXPECT_EQ(process.outputLines().front(), "Brellow 4 initialized.  Hi.");
    }

    std::string prefix_;
};

TEST_F(InstalledGame, BrellowFromRootIsTitledByItsNameAndQuitsWithQ) {
    startFromRootAndQuitWith("brellow", "q");
}

TEST_F(InstalledGame, BrellowMenuFromRootIsTitledByItsNameAndExitsWithEscape) {
    startFromRootAndQuitWith("brellow-menu", "Escape");
}

}  // namespace
