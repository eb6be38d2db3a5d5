#include "scan/launch_command.h"

#include <set>
#include <tuple>

#include "core/text.h"

namespace kestrone {

namespace {

// Guessed longer names of an unquoted first word: at most this many.
constexpr size_t kMaxGuesses = 8;

bool IsBlankChar(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsSwitch(const std::string& word) {
    return !word.empty() && (word[0] == '/' || word[0] == '-');
}

void Collect(std::string_view line, int depth, std::vector<LaunchedFile>& out);

// cmd's command text: one or more commands joined by &, &&, | or ||.
void CollectCommandSequence(std::string_view text, int depth, std::vector<LaunchedFile>& out) {
    bool inQuote = false;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"') inQuote = !inQuote;
        if (i < text.size() && (inQuote || (text[i] != '&' && text[i] != '|'))) continue;
        std::string command = Trim(text.substr(start, i - start));
        // "@" silences a command and "(" ")" group them; neither is part of a name.
        while (!command.empty() && (command[0] == '@' || command[0] == '('))
            command = Trim(command.substr(1));
        while (!command.empty() && command.back() == ')') command.pop_back();
        if (!command.empty()) Collect(command, depth, out);
        start = i + 1;
    }
}

// cmd /c "..." drops its outer quotes in most cases and keeps them in some;
// both readings are followed.
void CollectCmdText(std::string_view text, int depth, std::vector<LaunchedFile>& out) {
    std::string trimmed = Trim(text);
    CollectCommandSequence(trimmed, depth, out);
    if (trimmed.size() >= 2 && trimmed.front() == '"') {
        std::string unquoted = trimmed.substr(1);
        size_t last = unquoted.rfind('"');
        if (last != std::string::npos) unquoted.erase(last, 1);
        CollectCommandSequence(unquoted, depth, out);
    }
}

void FollowCmd(std::string_view args, int depth, std::vector<LaunchedFile>& out) {
    for (const CommandWord& word : SplitCommandWords(args)) {
        std::string lower = LowerCase(word.text);
        if (lower == "/c" || lower == "/k") {
            CollectCmdText(args.substr(word.end), depth + 1, out);
            return;
        }
        if (!IsSwitch(word.text)) return;  // no command: an interactive prompt
    }
}

// start ["title"] [/switches] command: a first quoted word is the title, but
// worms also quote the program itself, so both readings are followed.
void FollowStart(std::string_view args, int depth, std::vector<LaunchedFile>& out) {
    std::vector<CommandWord> words = SplitCommandWords(args);
    for (size_t first = 0; first < 2 && first < words.size(); ++first) {
        if (first == 1 && !words[0].quoted) break;
        size_t i = first;
        while (i < words.size() && words[i].text.size() > 1 && words[i].text[0] == '/') {
            i += LowerCase(words[i].text) == "/d" ? 2 : 1;  // /D takes the folder as a word
        }
        if (i < words.size()) Collect(args.substr(words[i].begin), depth + 1, out);
    }
}

// The first argument that is not a switch: the file the launcher runs.
void FirstArgumentIsPayload(std::string_view args, Launcher via, int depth,
                            std::vector<LaunchedFile>& out) {
    for (const CommandWord& word : SplitCommandWords(args)) {
        if (IsSwitch(word.text) && !word.quoted) continue;
        std::string path = word.text;
        // rundll32 takes "module,entry"; the module is the file.
        if (via == Launcher::Rundll32) path = Trim(path.substr(0, path.find(',')));
        if (!path.empty()) out.push_back({path, LaunchRole::Payload, via, depth, false});
        return;
    }
}

void FollowLauncher(Launcher launcher, std::string_view args, int depth,
                    std::vector<LaunchedFile>& out) {
    switch (launcher) {
        case Launcher::Cmd:
            FollowCmd(args, depth, out);
            break;
        case Launcher::Start:
            FollowStart(args, depth, out);
            break;
        case Launcher::None:
            break;
        default:
            FirstArgumentIsPayload(args, launcher, depth, out);
            break;
    }
}

// Longer readings of an unquoted first word that blanks cut short.
void AddGuesses(std::string_view line, const std::vector<CommandWord>& words, int depth,
                std::vector<LaunchedFile>& out) {
    if (words[0].quoted) return;
    for (size_t k = 1; k < words.size() && k <= kMaxGuesses && !words[k].quoted; ++k) {
        std::string longer(line.substr(words[0].begin, words[k].end - words[0].begin));
        out.push_back({longer, LaunchRole::Program, Launcher::None, depth, true});
    }
}

void Collect(std::string_view line, int depth, std::vector<LaunchedFile>& out) {
    if (depth > kMaxLaunchDepth) return;
    std::vector<CommandWord> words = SplitCommandWords(line);
    if (words.empty()) return;
    std::string program = words[0].text;
    size_t argsAt = words[0].end;
    // "cmd/c ..." written without a blank still starts cmd.
    size_t slash = program.find('/');
    if (!words[0].quoted && slash != std::string::npos && slash > 0 &&
        LauncherNamed(std::string_view(program).substr(0, slash)) != Launcher::None) {
        argsAt = words[0].begin + slash;
        program.resize(slash);
    }
    Launcher launcher = LauncherNamed(program);
    if (launcher == Launcher::None) {
        out.push_back({program, LaunchRole::Program, Launcher::None, depth, false});
        AddGuesses(line, words, depth, out);
        return;
    }
    out.push_back({program, LaunchRole::SystemLauncher, launcher, depth, false});
    FollowLauncher(launcher, line.substr(argsAt), depth, out);
}

using LaunchKey = std::tuple<std::string, LaunchRole, Launcher, int, bool>;

LaunchKey KeyOf(const LaunchedFile& file) {
    return {file.path, file.role, file.via, file.depth, file.guess};
}

}  // namespace

Launcher LauncherNamed(std::string_view program) {
    size_t slash = program.find_last_of("\\/");
    std::string name =
        LowerCase(slash == std::string_view::npos ? program : program.substr(slash + 1));
    if (name == "start") return Launcher::Start;
    if (EndsWith(name, ".exe")) name.resize(name.size() - 4);
    if (name == "rundll32") return Launcher::Rundll32;
    if (name == "wscript" || name == "cscript") return Launcher::ScriptHost;
    if (name == "cmd") return Launcher::Cmd;
    if (name == "mshta") return Launcher::Mshta;
    if (name == "regsvr32") return Launcher::Regsvr32;
    if (name == "explorer") return Launcher::Explorer;
    return Launcher::None;
}

bool IsSystemLauncherName(std::string_view name) {
    return LauncherNamed(name) != Launcher::None;
}

std::vector<CommandWord> SplitCommandWords(std::string_view line) {
    std::vector<CommandWord> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlankChar(line[i])) ++i;
        if (i == line.size()) break;
        CommandWord word;
        word.begin = i;
        bool inQuote = false;
        for (; i < line.size() && (inQuote || !IsBlankChar(line[i])); ++i) {
            if (line[i] == '"') {
                inQuote = !inQuote;
                word.quoted = true;
            } else {
                word.text += line[i];
            }
        }
        word.end = i;
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<LaunchedFile> FilesLaunchedBy(std::string_view commandLine) {
    std::vector<LaunchedFile> found;
    Collect(commandLine, 0, found);
    // Several readings of one line name the same files; each is listed once.
    std::vector<LaunchedFile> unique;
    std::set<LaunchKey> seen;
    for (LaunchedFile& file : found) {
        if (seen.insert(KeyOf(file)).second) unique.push_back(std::move(file));
    }
    return unique;
}

}  // namespace kestrone
