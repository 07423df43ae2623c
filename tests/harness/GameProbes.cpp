#include "harness/GameProbes.h"

#include "core/Core.h"
#include "core/Messages.h"
#include "game/Level.h"
#include "objects/BlockReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"

namespace {
void Run(std::map<std::int32_t, std::function<void(Component&)>>& hooks, std::int32_t tag, Component& self) {
    auto it = hooks.find(tag);
    if (it != hooks.end()) {
        std::function<void(Component&)> hook = it->second;
        hook(self);
    }
}
}  // namespace

ListProbe::~ListProbe() {
    GameLog::events.push_back("dtor " + std::to_string(tag));
    Run(GameLog::onDestroy, tag, *this);
    link_.Leave(*this);
}

void ListProbe::Initialize() {
    joined = owner != nullptr ? owner->level : nullptr;
    link_.Join(*this, mouse ? &Level::mouseListeners : &Level::updateList);
}

void ListProbe::Serialize(DataReader& in) { BlockReader(kTypeName).Int("tag", tag).Bool("mouse", mouse).Read(in); }

void ListProbe::Update(float /*dt*/) {
    GameLog::events.push_back("update " + std::to_string(tag));
    Run(GameLog::onUpdate, tag, *this);
}

void ListProbe::SendMessage(Message* message) {
    if (message->id == MsgMouseButton) {
        GameLog::events.push_back("mouse " + std::to_string(tag));
    } else {
        GameLog::events.push_back("message " + std::to_string(tag) + " " + std::to_string(message->id));
    }
}

void ProbeCursor::Serialize(DataReader& in) { BlockReader(kTypeName).Int("tag", tag).Read(in); }

void ProbeCursor::SendMessage(Message* message) {
    if (message->id == MsgMouseButton) {
        GameLog::events.push_back("cursor " + std::to_string(tag));
    }
}

void RegisterGameProbes() {
    gFactory->Register<ListProbe>();
    gFactory->Register<ProbeCursor>();
}

MessageRecorder& InstallFrameWatch() {
    auto watch = std::make_unique<MessageRecorder>();
    MessageRecorder& result = *watch;
    gCore->systems.insert(gCore->systems.begin() + 1, std::move(watch));
    return result;
}
