#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/FileFound.h"

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

// Whether a language name, as a system writes it in its own language, is Japanese's: it
// begins with "日本", as a Japanese system names Japanese.
bool IsJapaneseLanguageName(const std::string& name);

// The help document of the language: ProgramName + ".html", or + "E.html" for English,
// beside the program; an installed program finds it in the data folder beside its own
// folder (share/slanter beside bin). Where neither is, the name beside the program.
std::string HelpFileNameFor(const std::string& workFolder, const std::string& programName,
                            bool japanese, const NamesAFile& namesAFile = FileFound);
// The companion text file beside the program, by language.
std::string TextFileNameFor(const std::string& workFolder, const std::string& programName,
                            bool japanese);

} // namespace slanter
