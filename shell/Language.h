#pragma once

#include <functional>
#include <string>
#include <vector>

namespace slanter {

// The command line as one text: the arguments after the program's own name, joined by
// blanks. The program's path is left out, because on this platform a folder such as
// /home/me/japanese/ would otherwise read as a switch.
std::string CommandLineText(const std::vector<std::string>& arguments);

// Whether the upper-cased command line holds the switch (e.g. "/REGISTRY") anywhere, so
// any case and any longer word beginning with it count too.
bool HasSwitch(const std::string& commandLine, const std::string& switchText);

// The language of the run: "/JAPANESE" wins, then "/ENGLISH", then the system's own
// language, which is asked only when neither switch is given.
bool ChooseJapanese(const std::string& commandLine, const std::function<bool()>& systemIsJapanese);

// The help and companion text files beside the program, by language.
std::string HelpFileNameFor(const std::string& workFolder, const std::string& programName,
                            bool japanese);
std::string TextFileNameFor(const std::string& workFolder, const std::string& programName,
                            bool japanese);

} // namespace slanter
