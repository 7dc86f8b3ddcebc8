#include "cli/CliProgram.h"

#include <algorithm>

#include "app/Helpers.h"
#include "cli/CliListings.h"
#include "session/FileCommands.h"
#include "session/LaunchCommands.h"
#include "session/ProfileCommands.h"
#include "session/UpdateCommands.h"

namespace {
const char* const kUsageText =
    "Usage: corvane-cli COMMAND [ARGUMENTS]\n"
    "  emulators [--json]                        the registered emulators\n"
    "  plugins [EMULATOR] [--json]               the plug-ins of an emulator's folder\n"
    "                                            (without EMULATOR: Corvane's own folders)\n"
    "  select EMULATOR KIND FILE [KIND FILE]...  writes the plug-ins chosen into the emulator's settings\n"
    "                                            (KIND: gpu spu cdr pad1 pad2 for PSX, gfx snd pad rsp for N64)\n"
    "  launch EMULATOR [--cd] [--image FILE] [--no-profile]\n"
    "                                            starts the emulator after loading the game's profile\n"
    "                                            and ends with the emulator's exit code\n"
    "  profiles [--json]                         the saved configuration profiles\n"
    "  load-profile NAME                         loads a profile into the registry\n"
    "  import EMULATOR FILE...                   copies plug-ins or zip archives into the emulator's folder\n"
    "  updates [--json]                          the plug-in updates the update service offers\n"
    "  updates --install [--yes]                 installs them, asking for each unless --yes\n"
    "  help                                      this text\n"
    "EMULATOR: an emulator's name as in Corvane's list, or its number.\n"
    "Exit codes: 0 done, 1 failed, 2 usage, 3 the emulator could not start; a launch gives the emulator's.\n";

struct KindWord {
    const char* word;
    EmuSystem system;
    PluginKind kind;
    std::optional<Pad> pad;
};
constexpr KindWord kKinds[] = {
    {"gpu", EmuSystem::PSX, PluginKind::GPU, {}},      {"spu", EmuSystem::PSX, PluginKind::SPU, {}},
    {"cdr", EmuSystem::PSX, PluginKind::CDR, {}},      {"pad1", EmuSystem::PSX, PluginKind::PAD, Pad::One},
    {"pad2", EmuSystem::PSX, PluginKind::PAD, Pad::Two}, {"gfx", EmuSystem::N64, PluginKind::GFX, {}},
    {"snd", EmuSystem::N64, PluginKind::SND, {}},      {"pad", EmuSystem::N64, PluginKind::N64PAD, {}},
    {"rsp", EmuSystem::N64, PluginKind::RSP, {}}};

const KindWord* KindNamed(const std::string& word, EmuSystem system) {
    for (const KindWord& kind : kKinds)
        if (kind.word == LowerCase(word) && kind.system == system) return &kind;
    return nullptr;
}

bool IsNumber(const std::string& word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

CliProgram::CliProgram(Services& services, IConsole& console, IPluginProbe* probe)
    : services_(services), console_(console), user_(console), session_(services, flags_, user_) {
    if (probe) session_.setProbe(*probe);
    // The window's own store and journal are the window's while it runs:
    // what this run learns stays in memory.
    if (services.environment.windowRunning()) session_.probeStore().setReadOnly(true);
}

std::optional<CliProgram::Options> CliProgram::parse(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--json") options.json = true;
        else if (word == "--yes") options.yes = true;
        else if (word == "--cd") options.cd = true;
        else if (word == "--no-profile") options.noProfile = true;
        else if (word == "--install") options.install = true;
        else if (word == "--image" && i + 1 < arguments.size()) options.image = arguments[++i];
        else if (word == "--help") options.words.insert(options.words.begin(), "help");
        else if (word.rfind("--", 0) == 0) return std::nullopt;
        else options.words.push_back(word);
    }
    if (options.words.empty()) return std::nullopt;
    return options;
}

int CliProgram::usage() {
    console_.err(kUsageText);
    return kUsage;
}

int CliProgram::failed(const std::string& title, const std::string& text) {
    user_.tell(title, text, MessageIcon::Critical);
    return kFailed;
}

int CliProgram::run(const std::vector<std::string>& arguments) {
    const auto options = parse(arguments);
    if (!options) return usage();
    if (options->words[0] == "help") {
        console_.out(kUsageText);
        return kDone;
    }
    session_.open("");
    return dispatch(*options);
}

int CliProgram::dispatch(const Options& options) {
    const std::string& command = options.words[0];
    const std::size_t count = options.words.size();
    if (command == "emulators" && count == 1) {
        session_.loadEmulators(0);
        console_.out(EmulatorsListing(session_, options.json));
        return kDone;
    }
    if (command == "plugins" && count <= 2) return plugins(options);
    if (command == "select" && count >= 4 && count % 2 == 0) return select(options);
    if (command == "launch" && count == 2 && !(options.cd && options.image)) return launch(options);
    if (command == "profiles" && count == 1) {
        console_.out(ProfilesListing(session_, options.json));
        return kDone;
    }
    if (command == "load-profile" && count == 2) return loadProfile(options);
    if (command == "import" && count >= 3) return import(options);
    if (command == "updates" && count == 1) return updates(options);
    return usage();
}

std::optional<int> CliProgram::emulator(const std::string& word) {
    session_.loadEmulators(0);
    const EmulatorDatabase& emulators = session_.emulators();
    if (IsNumber(word) && emulators.Has(std::stoi(word))) return std::stoi(word);
    for (int number = 1; number <= emulators.Count(); ++number)
        if (emulators.Entry(number).Name == word) return number;
    for (int number = 1; number <= emulators.Count(); ++number)
        if (LowerCase(emulators.Entry(number).Name) == LowerCase(word)) return number;
    failed("Unknown Emulator", "No emulator in Corvane's list is named or numbered '" + word + "'.");
    return std::nullopt;
}

int CliProgram::plugins(const Options& options) {
    int number = 0;
    if (options.words.size() == 2) {
        const auto found = emulator(options.words[1]);
        if (!found) return kFailed;
        number = *found;
    }
    session_.loadFor(number);
    console_.out(PluginsListing(session_, options.json));
    return kDone;
}

int CliProgram::select(const Options& options) {
    const auto number = emulator(options.words[1]);
    if (!number) return kFailed;
    const EmulatorEntry entry = session_.emulators().Entry(*number);
    const EmulatorType* type = TypeNamed(entry.Type, entry.System);
    if (type && type->kind == EmulatorKind::Folder)
        return failed("Nothing to Apply", "'" + entry.Name + "' is a plug-in folder: it keeps no choice of plug-ins.");
    session_.loadFor(*number);
    if (type && RegistryKeyOf(*type, session_.versionKeys()).empty())
        return failed("Nothing to Apply", "Corvane found no settings of " + entry.Type + " to write to.");
    // Every pair is checked before anything is chosen: a wrong one changes
    // nothing.
    std::vector<std::pair<const KindWord*, int>> chosen;
    for (std::size_t i = 2; i < options.words.size(); i += 2) {
        const KindWord* kind = KindNamed(options.words[i], entry.System);
        if (!kind) return usage();
        const PluginCatalogue& catalogue = session_.lists().catalogue(entry.System);
        const int row = FindPluginRow(catalogue.list(kind->kind), options.words[i + 1], entry.System == EmuSystem::PSX);
        if (row < 0)
            return failed("Plugin Not Found", options.words[i + 1] + " is no " + kind->word + " plug-in in " +
                                                  catalogue.folder + ".");
        chosen.emplace_back(kind, row);
    }
    for (const auto& [kind, row] : chosen) {
        if (kind->pad) session_.showPad(*kind->pad);
        session_.choosePlugin(kind->kind, row);
    }
    session_.apply();
    return result();
}

int CliProgram::launch(const Options& options) {
    const auto number = emulator(options.words[1]);
    if (!number) return kFailed;
    session_.loadEmulators(*number);
    flags_.blNoConfigAutoLoad = options.noProfile;
    const LaunchKind kind = options.image ? LaunchKind::Image : options.cd ? LaunchKind::CD : LaunchKind::Plain;
    if (options.image && (!services_.files.anyMatch(*options.image) || services_.files.isDirectory(*options.image)))
        return failed("File Not Found", "There is no file " + *options.image + " to launch.");
    const auto outcome = session_.launches().launch(kind, options.image.value_or(""));
    if (!outcome)
        return failed("Launch Not Offered", "'" + session_.selectedEmulator()->Name + "' cannot be started that way.");
    return outcome->started ? static_cast<int>(outcome->exitCode) : kNotStarted;
}

int CliProgram::loadProfile(const Options& options) {
    std::string name = options.words[1];
    // The name as the Load dialog shows it, or without its ".cfg".
    const std::string folder = QualifyPath(session_.programFolder()) + "Configurations\\";
    if (!services_.files.anyMatch(folder + name) && services_.files.anyMatch(folder + name + ".cfg")) name += ".cfg";
    return session_.profiles().load(name) ? kDone : kFailed;
}

int CliProgram::import(const Options& options) {
    const auto number = emulator(options.words[1]);
    if (!number) return kFailed;
    session_.loadFor(*number);
    const EmuSystem system = session_.emulators().Entry(*number).System;
    for (std::size_t i = 2; i < options.words.size(); ++i) {
        const std::string& file = options.words[i];
        if (!services_.files.anyMatch(file) || services_.files.isDirectory(file)) {
            failed("Error While Importing", "There is no file " + file + " to import.");
            continue;
        }
        if (LowerCase(file.substr(file.size() < 4 ? 0 : file.size() - 4)) == ".zip")
            session_.files().importZip(file, system);
        else
            session_.files().importFiles({file}, system);
    }
    return result();
}

int CliProgram::updates(const Options& options) {
    session_.load();
    if (!session_.updates().check(false)) return kFailed;
    console_.out(UpdatesListing(session_, options.json));
    if (!options.install) return result();
    if (options.yes) user_.answerYes();
    session_.updates().query();
    return result();
}
