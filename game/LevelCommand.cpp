#include "game/LevelCommand.h"

#include <string>

#include "core/Messages.h"
#include "objects/BlockReader.h"
#include "objects/DataReader.h"

std::unique_ptr<Message> ParseLevelCommand(DataReader& in) {
    std::string command;
    if (!in.ReadWord(command)) {
        return nullptr;
    }
    const DataPosition start = in.LastPosition();
    if (command == "Quit") {
        SkipBlock(in, command);
        return std::make_unique<Message>(MsgQuit);
    }
    if (command != "LoadLevel" && command != "SwitchLevel") {
        if (in.Observer() != nullptr) {
            in.Observer()->OnSkippedToken(start, command, "Message");
        }
        return nullptr;
    }
    // The last "string level" wins, as any key read twice; a cut-off block
    // still yields its command with the name read so far.
    std::string fileName;
    BlockReader(command).FileName("level", fileName, FileKind::Level).Read(in);
    if (fileName.empty() && in.Observer() != nullptr) {
        // No "string level" pair: the game would open the empty name.
        in.Observer()->OnFileReference(start, FileKind::Level, fileName);
    }
    return std::make_unique<LevelMessage>(command == "LoadLevel" ? MsgLoadLevel : MsgSwitchLevel, fileName);
}
