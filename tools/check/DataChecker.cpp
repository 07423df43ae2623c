#include "tools/check/DataChecker.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "components/Controllable.h"
#include "components/Hazards.h"
#include "components/IDAnnouncer.h"
#include "components/ObjectThrower.h"
#include "game/GameFiles.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"
#include "tools/check/CheckEngine.h"
#include "tools/check/CheckObserver.h"
#include "tools/check/WanderCheck.h"

namespace fs = std::filesystem;

namespace {

// The data files below one directory, as names relative to it, sorted.
// Hidden files (".gitkeep") are not data.
bool ListFiles(const std::string& directory, std::vector<std::string>& names, std::string& error) {
    std::error_code code;
    if (!fs::exists(directory, code)) {
        return true;
    }
    if (!fs::is_directory(directory, code)) {
        error = "\"" + directory + "\" is not a directory";
        return false;
    }
    fs::recursive_directory_iterator it(directory, code);
    for (; !code && it != fs::recursive_directory_iterator(); it.increment(code)) {
        const fs::path& path = it->path();
        if (path.filename().string().front() == '.') {
            if (it->is_directory(code)) {
                it.disable_recursion_pending();
            }
            continue;
        }
        if (it->is_regular_file(code)) {
            names.push_back(path.lexically_relative(directory).generic_string());
        }
    }
    if (code) {
        error = "cannot list \"" + directory + "\": " + code.message();
        return false;
    }
    std::sort(names.begin(), names.end());
    return true;
}

bool CanOpen(const std::string& path) { return std::ifstream(path).good(); }

bool IsPlayer(const GameObject& object) {
    for (const auto& component : object.components) {
        if (component->typeName == IDAnnouncer::kTypeName && static_cast<const IDAnnouncer*>(component.get())->player) {
            return true;
        }
    }
    return false;
}

bool IsPlayable(const Level& level) {
    for (const GameObject* object = level.objects.head; object != nullptr; object = object->next) {
        if (object->Get<IDAnnouncer>() != nullptr || object->Get<Controllable>() != nullptr) {
            return true;
        }
    }
    return false;
}

std::string WithSlash(std::string root) {
    if (!root.empty() && root.back() != '/') {
        root += '/';
    }
    return root;
}

void CheckNamedFiles(CheckObserver& observer) {
    for (const GameFiles::File& file : GameFiles::All()) {
        const std::string path = observer.PathOf(file.kind, file.name);
        std::error_code error;
        if (!fs::is_regular_file(path, error)) {
            static const char* const kinds[] = {"archetype", "level", "image"};
            observer.Report(path, 0,
                            std::string("missing ") + kinds[static_cast<int>(file.kind)] + " file \"" +
                                observer.Relative(path) + "\", which the game opens itself");
        } else if (file.kind == FileKind::Image) {
            observer.CheckFile(file.kind, file.name, path, 0);
        }
    }
}

// Notes the archetypes the game builds for this object on their own: what
// it throws, what it leaves when killed and what it leaves on its victims.
void NoteBuiltAlone(const GameObject& object, std::set<std::string>& names) {
    const auto note = [&names](const std::string& name) {
        if (!name.empty()) {
            names.insert(name);
        }
    };
    if (const auto* thrower = object.Get<ObjectThrower>()) {
        note(thrower->object);
    }
    if (const auto* killable = object.Get<Killable>()) {
        note(killable->remains);
    }
    if (const auto* deadly = object.Get<Deadly>()) {
        note(deadly->mark);
    }
}

void CheckArchetype(CheckObserver& observer, const std::string& name, CheckResult& result,
                    std::set<std::string>& thrown) {
    const std::string path = observer.PathOf(FileKind::Archetype, name);
    GameObject* object = gFactory->CreateObject(name);
    if (object == nullptr) {
        result.errors.push_back("cannot read \"" + observer.Relative(path) + "\"");
        return;
    }
    for (const GameFiles::File& file : GameFiles::All()) {
        if (file.kind != FileKind::Archetype || name != file.name) {
            continue;
        }
        for (const char* component : file.components) {
            if (object->GetComponent(component) == nullptr) {
                observer.Report(path, 0,
                                "no " + std::string(component) + " component, which the game relies on in " + name);
            }
        }
    }
    NoteBuiltAlone(*object, thrown);
    object->Destroy();
    CheckEngine::Flush();
}

void CheckPlayers(CheckObserver& observer, const Level& level, const std::string& path) {
    std::int64_t first = -1;
    int players = 0;
    for (const GameObject* object = level.objects.head; object != nullptr; object = object->next) {
        if (!IsPlayer(*object)) {
            continue;
        }
        const std::int64_t entry = observer.EntryOffset(object->id);
        if (++players == 1) {
            first = entry;
            continue;
        }
        const SourceText::Location at = observer.Locate(path, first);
        observer.Report(path, entry,
                        "another player announcer (the first is at " + std::to_string(at.line) + ":" +
                            std::to_string(at.column) + "); a playable level needs exactly one");
    }
    if (players == 0) {
        observer.Report(path, 0, "playable level without a player announcer (an IDAnnouncer with player true)");
    }
}

// A sprite covers its Position's rectangle, twice the size (half extents)
// on each axis. Also notes what the object throws: projectiles are built
// from their archetypes alone.
void CheckDrawnImage(CheckObserver& observer, const GameObject& object, const std::string& levelPath,
                     std::set<std::string>& thrown) {
    const Sprite* sprite = object.Get<Sprite>();
    const Position* position = object.Get<Position>();
    if (sprite != nullptr && position != nullptr) {
        observer.CheckDrawnImage(object.id, sprite->name, 2.0f * std::abs(position->size.x),
                                 2.0f * std::abs(position->size.y), levelPath);
    }
    NoteBuiltAlone(object, thrown);
}

// The objects the game builds from an archetype alone: what is thrown, what
// a death leaves and what the code creates (the end screen's text.txt excepted, whose image
// the code replaces).
void CheckArchetypeImages(CheckObserver& observer, std::set<std::string> names) {
    for (const GameFiles::File& file : GameFiles::All()) {
        if (file.kind == FileKind::Archetype && std::string(file.name) != GameFiles::kEndText) {
            names.insert(file.name);
        }
    }
    std::set<std::string> ignored;
    for (const std::string& name : names) {
        observer.BeginArchetypes(*gFactory);
        GameObject* object = gFactory->CreateObject(name);
        observer.EndLevel();
        if (object != nullptr) {
            CheckDrawnImage(observer, *object, {}, ignored);
            object->Destroy();
            CheckEngine::Flush();
        }
    }
}

void CheckLevel(CheckObserver& observer, const std::string& name, CheckResult& result, std::set<std::string>& thrown) {
    const std::string path = observer.PathOf(FileKind::Level, name);
    if (!CanOpen(path)) {
        result.errors.push_back("cannot read \"" + observer.Relative(path) + "\"");
        return;
    }
    {
        Level level(name);
        observer.BeginLevel(path, *gFactory);
        level.Load();
        observer.EndLevel();
        for (const GameObject* object = level.objects.head; object != nullptr; object = object->next) {
            CheckDrawnImage(observer, *object, path, thrown);
        }
        CheckWandering(observer, level, path);
        if (!IsScreenLevel(name) && IsPlayable(level)) {
            CheckPlayers(observer, level, path);
        }
        // The destructor requests the deletion of every object.
    }
    CheckEngine::Flush();
}

}  // namespace

bool IsScreenLevel(const std::string& levelFile) {
    return levelFile == GameFiles::kMenuLevel || levelFile == GameFiles::kEndLevel;
}

CheckResult CheckData(const std::string& rootArgument, bool all) {
    CheckResult result;
    const std::string root = WithSlash(rootArgument);
    std::error_code error;
    const std::string shownRoot = root.empty() ? "the current directory" : "\"" + root + "\"";
    if (!fs::is_directory(root + "Data", error)) {
        result.exitCode = 2;
        result.errors.push_back("no Data/ directory in " + shownRoot);
        return result;
    }
    std::vector<std::string> archetypes;
    std::vector<std::string> levels;
    std::string listError;
    if (!ListFiles(root + "Data/Archetypes", archetypes, listError) ||
        !ListFiles(root + "Data/Levels", levels, listError)) {
        result.exitCode = 2;
        result.errors.push_back(listError);
        return result;
    }

    CheckObserver observer(root, all ? 0 : kReportsPerFile);
    {
        CheckEngine engine(root);
        if (!engine.Start()) {
            result.exitCode = 2;
            result.errors.push_back("cannot start the headless engine");
            return result;
        }
        gFactory->SetDataObserver(&observer);
        CheckNamedFiles(observer);
        std::set<std::string> thrown;
        for (const std::string& name : archetypes) {
            CheckArchetype(observer, name, result, thrown);
        }
        for (const std::string& name : levels) {
            CheckLevel(observer, name, result, thrown);
        }
        CheckArchetypeImages(observer, thrown);
    }
    result.problems = observer.Diagnostics().Lines();
    result.problemCount = observer.Diagnostics().Count();
    if (!result.errors.empty()) {
        result.exitCode = 2;
    } else {
        result.exitCode = result.problemCount == 0 ? 0 : 1;
    }
    return result;
}
