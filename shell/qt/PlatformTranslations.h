#pragma once

namespace slanter {

// Qt's own texts (the file dialogs, their questions, the buttons of the message boxes)
// in the run's language. Qt speaks English by itself; for a Japanese run its Japanese
// catalogue is installed on the application. Needs the application object. Answers
// whether Qt now speaks Japanese; false for English runs and when the catalogue is
// missing, which leaves Qt's texts English.
bool LoadPlatformTranslations(bool japanese);

// Before the application object is made: a run that the command line makes Japanese on a
// system of another language takes the Japanese locale for the system's, so that what Qt
// formats by the system (the dates in the file dialogs) follows the run's language.
void FollowLanguageSwitch(int argc, char** argv);

// Takes them away again: Qt speaks English.
void UnloadPlatformTranslations();

} // namespace slanter
