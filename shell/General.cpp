#include "shell/General.h"

#include "engine/ExtendedPrecision.h"
#include "shell/Language.h"
#include "shell/ProgramIdentity.h"

namespace slanter {

std::string WorkFolder;
std::string ProgramName;
std::string Title;
std::string Description;
int MajorVersion = 0;
int MinorVersion = 0;
int Revision = 0;
std::string HelpFileName;
std::string TextFileName;
bool SettingsWritable = false;

void InitGeneral(const ProgramStart& start) {
    // The desktop program's first call into the core, before any arithmetic of the engine.
    UseExtendedPrecision();
    SettingsWritable = true;
    WorkFolder = ProgramFolderOf(start.programFile);
    ProgramName = ProgramNameOf(start.programFile);
    Japanese = ChooseJapanese(start.commandLine, start.systemIsJapanese);
    HelpFileName = HelpFileNameFor(WorkFolder, ProgramName, Japanese);
    TextFileName = TextFileNameFor(WorkFolder, ProgramName, Japanese);
}

void SetProgramInfo() {
    Description = DescriptionText(Japanese);
    Title = kTitle;
    MajorVersion = kMajorVersion;
    MinorVersion = kMinorVersion;
    Revision = kRevision;
}

} // namespace slanter
