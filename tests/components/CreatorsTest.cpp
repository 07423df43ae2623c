#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "GameplayData.h"
#include "objects/Component.h"
#include "objects/Factory.h"
#include "support/GameScene.h"

namespace {

// Every component class of the engine, by the kTypeName its header
// declares: read from the sources, so that a class nobody registers is
// missed here rather than in a player's data.
std::vector<std::string> DeclaredTypeNames() {
    static const std::regex declaration(R"re(kTypeName\s*=\s*"(\w+)")re");
    std::vector<std::string> names;
    for (const char* folder : {"core", "objects", "physics", "graphics", "game", "components", "ai"}) {
        for (const auto& entry : std::filesystem::directory_iterator(SourceRoot() + folder)) {
            if (entry.path().extension() != ".h") {
                continue;
            }
            std::ifstream file(entry.path());
            const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it) {
                names.push_back((*it)[1]);
            }
        }
    }
    return names;
}

TEST(Creators, EveryComponentClassCanBeBuiltByItsNameOnceTheGameHasStarted) {
    GameScene scene{GameplayData};
    ASSERT_TRUE(scene.Start(""));
    // The base of the AI components that steer towards a target: no type of
    // the data.
    const std::string base = "MovementTargetAI";
    std::size_t declared = 0;
    for (const std::string& name : DeclaredTypeNames()) {
        if (name == base) {
            continue;
        }
        ++declared;
        ASSERT_TRUE(gFactory->HasCreator(name)) << name << " is never registered";
        std::unique_ptr<Component> component(gFactory->creators.at(name)());
        ASSERT_NE(component, nullptr) << name;
        EXPECT_EQ(component->typeName, name);
        EXPECT_EQ(component->owner, nullptr);
    }
    // And nothing else is registered.
    EXPECT_EQ(gFactory->creators.size(), declared);
    EXPECT_FALSE(gFactory->HasCreator(base));
    EXPECT_FALSE(gFactory->HasCreator("Projectile"));
}

}  // namespace
