#include "game/LevelCommand.h"

#include <string>

#include "core/Messages.h"
#include "objects/DataReader.h"

namespace {
void ReportCutOff(DataReader& in, const DataPosition& start, const std::string& command) {
    if (in.Observer() != nullptr && !in.ValueFailed()) {
        in.Observer()->OnUnterminated(start, command);
    }
}

// A token of a level command block that the command does not use.
void ReportDropped(DataReader& in, const std::string& word, const std::string& command) {
    if (in.Observer() != nullptr) {
        in.Observer()->OnSkippedToken(in.LastPosition(), word, command);
    }
}
}  // namespace

std::unique_ptr<Message> ParseLevelCommand(DataReader& in) {
    std::string command;
    if (!in.ReadWord(command)) {
        return nullptr;
    }
    const DataPosition start = in.LastPosition();
    std::string word;
    if (command == "Quit") {
        bool closed = false;
        while (in.ReadWord(word)) {
            if (IsEnd(word)) {
                closed = true;
                break;
            }
        }
        if (!closed) {
            ReportCutOff(in, start, command);
        }
        return std::make_unique<Message>(MsgQuit);
    }
    if (command != "LoadLevel" && command != "SwitchLevel") {
        if (in.Observer() != nullptr) {
            in.Observer()->OnSkippedToken(start, command, "Message");
        }
        return nullptr;
    }
    const MessageId id = command == "LoadLevel" ? MsgLoadLevel : MsgSwitchLevel;
    std::string fileName;
    DataPosition filePosition;
    bool closed = false;
    while (in.ReadWord(word)) {
        if (IsEnd(word)) {
            closed = true;
            break;
        }
        if (word != "string") {
            ReportDropped(in, word, command);
            continue;
        }
        if (!in.ReadWord(word)) {
            break;
        }
        if (word != "level") {
            ReportDropped(in, word, command);
            continue;
        }
        if (!in.ReadWord(word)) {
            break;
        }
        fileName = word;
        filePosition = in.LastPosition();
    }
    if (!closed) {
        // A cut-off block still yields its command: the file name read so
        // far is kept, as everywhere a block is cut off.
        ReportCutOff(in, start, command);
    }
    if (in.Observer() != nullptr) {
        // No "string level" pair: the game would open the empty name.
        in.Observer()->OnFileReference(filePosition.file != nullptr ? filePosition : start, FileKind::Level, fileName);
    }
    return std::make_unique<LevelMessage>(id, fileName);
}
