// Reading command lines the way Windows starts them: which program the first
// word names, and, when that program is a system launcher (rundll32.exe, the
// script hosts, cmd.exe /c or /k, mshta.exe, regsvr32.exe, explorer.exe, or
// cmd's "start"), which file it is told to run. A worm hides behind these
// launchers, so the file behind the launcher is the worm, never the launcher.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrone {

enum class Launcher { None, Rundll32, ScriptHost, Cmd, Mshta, Regsvr32, Explorer, Start };

// The launcher a program name stands for, by its file part, with or without
// ".exe" and in any case ("RUNDLL32", "C:\WINDOWS\system32\cmd.exe"); None for
// every other name. "start" has no ".exe": it is built into cmd.exe.
Launcher LauncherNamed(std::string_view program);
// True when a process or file name is that of a system launcher. Such a name
// alone never decides that a process is terminated or a start-up value deleted.
bool IsSystemLauncherName(std::string_view name);

// One word of a command line: blanks separate words, double quotes group
// blanks into a word and are removed. Offsets point into the line.
struct CommandWord {
    std::string text;
    size_t begin = 0;  // first character of the word
    size_t end = 0;    // one past its last character
    bool quoted = false;
};
std::vector<CommandWord> SplitCommandWords(std::string_view line);

enum class LaunchRole {
    Program,         // the first word of a command, started directly
    SystemLauncher,  // the first word of a command, naming a system launcher
    Payload,         // a file that a system launcher is told to run
};

// A file a command line may start, written as the command writes it (quotes
// removed; relative, absolute or with environment variables).
struct LaunchedFile {
    std::string path;
    LaunchRole role = LaunchRole::Program;
    Launcher via = Launcher::None;  // the launcher that runs a payload
    int depth = 0;                  // 0: the command itself; more: commands a launcher runs
    // An unquoted first word read on past its blanks ("Sys Info.exe" of
    // Sys Info.exe -auto): Windows tries such longer names too, so they count
    // when a file of that name exists.
    bool guess = false;
};

// How deep commands inside commands are followed (cmd /c start cmd /c ...).
inline constexpr int kMaxLaunchDepth = 4;

// Every file a command line may start, following the system launchers. Where
// Windows' reading is ambiguous (cmd's outer quotes, start's title), every
// reading is listed, so that no spelling hides a payload.
std::vector<LaunchedFile> FilesLaunchedBy(std::string_view commandLine);

}  // namespace kestrone
