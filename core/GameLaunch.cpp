#include "core/GameLaunch.h"

#include "core/CommandLine.h"
#include "core/DataLocation.h"

GameLaunch GameLaunch::Prepare(const std::vector<std::string>& arguments, const std::string& workingDirectory,
                               const std::string& executable) {
    GameLaunch launch;
    const CommandLine line = CommandLine::Parse(arguments);
    switch (line.action) {
    case CommandLine::Action::Help: launch.text = CommandLine::Usage(); return launch;
    case CommandLine::Action::Version: launch.text = CommandLine::Version(); return launch;
    case CommandLine::Action::Invalid:
        launch.exitStatus = 2;
        launch.problem = true;
        launch.text = "velmor: " + line.problem + "\n" + CommandLine::Usage();
        return launch;
    case CommandLine::Action::Play: break;
    }
    const DataLocation::Result data = DataLocation(line.dataFolder, workingDirectory, executable).Find();
    if (!data.Found()) {
        launch.exitStatus = 1;
        launch.problem = true;
        launch.text = data.error + "\n";
        return launch;
    }
    launch.play = true;
    launch.options.dataFolder = data.folder;
    return launch;
}
