#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "GameplayData.h"
#include "harness/GameScene.h"
#include "objects/Component.h"
#include "objects/Factory.h"

namespace {

// Every component class of the engine, by the kTypeName its header
// declares: read from the sources, so that one nobody registers fails here.
std::vector<std::string> DeclaredTypeNames() {
    static const std::regex declaration(R"re(kTypeName\s*=\s*"(\w+)")re");
    std::vector<std::string> names;
    for (const char* folder : {"core", "objects", "physics", "graphics", "game", "components", "ai"}) {
        for (const auto& entry : std::filesystem::directory_iterator(SourceRoot() + folder)) {
            std::ifstream file(entry.path());
            const std::string text{std::istreambuf_iterator<char>(file), {}};
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
    std::size_t registered = 0;
    for (const std::string& name : DeclaredTypeNames()) {
        if (name == "MovementTargetAI") {  // the steering AIs' base, no type of the data
            EXPECT_FALSE(gFactory->HasCreator(name));
            continue;
        }
        ASSERT_TRUE(gFactory->HasCreator(name)) << name << " is never registered";
        std::unique_ptr<Component> component(gFactory->creators.at(name)());
        ASSERT_NE(component, nullptr) << name;
        EXPECT_EQ(component->typeName, name);
        EXPECT_EQ(component->owner, nullptr);
        ++registered;
    }
    // And nothing else, such as the projectiles' base.
    EXPECT_EQ(gFactory->creators.size(), registered);
}

}  // namespace
