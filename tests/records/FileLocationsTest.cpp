#include "records/FileLocations.h"
#include "FileTestSupport.h"
#include "records/AtomicFile.h"

#include <gtest/gtest.h>

#include <map>

using namespace kalvoro::records;

namespace {

struct TFakeEnvironment {
    std::map<std::string, std::string> variables;
    TEnvironment Lookup() const
    {
        return [this](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        };
    }
};

const auto AnyFolderWritable = [](const std::string&) { return true; };
const auto NoFolderWritable = [](const std::string&) { return false; };

} // namespace

TEST(FileLocations, APortableCopyKeepsEverythingInItsOwnFolder)
{
    const TFakeEnvironment environment { { { "HOME", "/home/player" } } };
    const TFileLocations locations
        = ChooseFileLocations("/opt/games/kalvoro", "/usr/bin", environment.Lookup(), AnyFolderWritable);
    EXPECT_TRUE(locations.Portable);
    EXPECT_EQ(locations.SettingsFolder, "/opt/games/kalvoro");
    EXPECT_EQ(locations.DataFolder, "/opt/games/kalvoro");
}

TEST(FileLocations, AnInstalledOrReadOnlyProgramUsesTheUsersFolders)
{
    const TFakeEnvironment xdg { { { "HOME", "/home/player" }, { "XDG_CONFIG_HOME", "/home/player/cfg" },
        { "XDG_DATA_HOME", "/data/player" } } };
    for (const auto& locations :
        { ChooseFileLocations("/usr/bin", "/usr/bin", xdg.Lookup(), AnyFolderWritable),
            ChooseFileLocations("/usr/bin/", "/usr/bin", xdg.Lookup(), AnyFolderWritable),
            ChooseFileLocations("/mnt/cdrom", "/usr/bin", xdg.Lookup(), NoFolderWritable) }) {
        EXPECT_FALSE(locations.Portable);
        EXPECT_EQ(locations.SettingsFolder, "/home/player/cfg/kalvoro");
        EXPECT_EQ(locations.DataFolder, "/data/player/kalvoro");
    }
    // Without the variables, or with relative ones (which must be ignored), the defaults under the home.
    const TFakeEnvironment plain { { { "HOME", "/home/player" }, { "XDG_DATA_HOME", "relative/data" } } };
    const auto locations = ChooseFileLocations("/usr/bin", "/usr/bin", plain.Lookup(), AnyFolderWritable);
    EXPECT_EQ(locations.SettingsFolder, "/home/player/.config/kalvoro");
    EXPECT_EQ(locations.DataFolder, "/home/player/.local/share/kalvoro");
    EXPECT_NE(DescribeFileLocations(locations).find("/home/player/.config/kalvoro"), std::string::npos);
}

TEST(FileLocations, AFolderThatCannotBeCreatedIsReportedByName)
{
    TTempFolder folder;
    std::ofstream(folder.File("plain-file")) << "x";
    try {
        CreateFolder(folder.File("plain-file/kalvoro"));
        FAIL() << "a folder under a plain file cannot exist";
    } catch (const TFileError& error) {
        EXPECT_NE(std::string(error.what()).find("plain-file/kalvoro"), std::string::npos);
    }
}
