#include "tools/kivctl/CommandLine.h"

#include "KivlinkLib.h"

namespace {

// A word of the command line and how many operands follow it.
template <class Kind>
struct WordShape {
    Kind kind;
    const wchar_t* name;
    size_t minimumOperands;
    size_t maximumOperands;
};

using CommandShape = WordShape<KivctlCommand>;

constexpr CommandShape kCommands[] = {
    {KivctlCommand::Help, L"help", 0, 0},
    {KivctlCommand::Devices, L"devices", 0, 0},
    {KivctlCommand::Drives, L"drives", 0, 0},
    {KivctlCommand::List, L"ls", 1, 1},
    {KivctlCommand::Info, L"info", 0, 1},
    {KivctlCommand::Put, L"put", 2, 2},
    {KivctlCommand::Get, L"get", 2, 2},
    {KivctlCommand::Copy, L"cp", 2, 2},
    {KivctlCommand::Move, L"mv", 2, 2},
    {KivctlCommand::Remove, L"rm", 1, 1},
    {KivctlCommand::MakeFolder, L"mkdir", 1, 1},
    {KivctlCommand::Format, L"format", 1, 1},
    {KivctlCommand::Backup, L"backup", 2, 2},
    {KivctlCommand::Restore, L"restore", 2, 2},
    {KivctlCommand::Watch, L"watch", 0, 0},
    {KivctlCommand::Cat, L"cat", 1, 1},
    {KivctlCommand::WatchFolder, L"watch-dir", 1, 1},
    {KivctlCommand::Status, L"status", 0, 0},
    {KivctlCommand::Port, L"port", 1, 2},
};

// The port actions with the ports after the action word: set needs one, reset may name one,
// suspend and resume name none.
constexpr WordShape<KivctlPortAction> kPortActions[] = {
    {KivctlPortAction::Set, L"set", 1, 1},
    {KivctlPortAction::Reset, L"reset", 0, 1},
    {KivctlPortAction::Suspend, L"suspend", 0, 0},
    {KivctlPortAction::Resume, L"resume", 0, 0},
};

bool ParsePortAction(KivctlCommandLine& result, std::wstring& error)
{
    const std::wstring& word = result.operands[0];
    for (const WordShape<KivctlPortAction>& shape : kPortActions) {
        if (word != shape.name)
            continue;
        const size_t ports = result.operands.size() - 1;
        if (ports < shape.minimumOperands) {
            error = std::wstring(L"port ") + shape.name + L": missing port";
            return false;
        }
        if (ports > shape.maximumOperands) {
            error = std::wstring(L"port ") + shape.name + L": too many operands";
            return false;
        }
        result.portAction = shape.kind;
        result.port = ports ? result.operands[1] : std::wstring();
        return true;
    }
    error = L"port: unknown action " + word + L" (set, reset, suspend or resume)";
    return false;
}

const CommandShape* FindCommand(const std::wstring& name)
{
    for (const CommandShape& shape : kCommands) {
        if (name == shape.name) {
            return &shape;
        }
    }
    return nullptr;
}

const CommandShape* ShapeOf(KivctlCommand command)
{
    for (const CommandShape& shape : kCommands) {
        if (shape.kind == command) {
            return &shape;
        }
    }
    return nullptr;
}

bool IsTransfer(KivctlCommand command)
{
    return command == KivctlCommand::Put || command == KivctlCommand::Get || command == KivctlCommand::Copy ||
           command == KivctlCommand::Move;
}

// The options that only some commands take, with the test of whether `command` takes it.
struct RestrictedOption {
    const wchar_t* name;
    bool KivctlCommandLine::*flag;
    bool (*applies)(KivctlCommand);
};

constexpr RestrictedOption kRestrictedOptions[] = {
    {L"-r", &KivctlCommandLine::recursive, [](KivctlCommand c) { return c == KivctlCommand::List; }},
    {L"--volume", &KivctlCommandLine::volume, [](KivctlCommand c) { return c == KivctlCommand::List; }},
    {L"--no-overwrite", &KivctlCommandLine::noOverwrite, IsTransfer},
    {L"--leave-if-different", &KivctlCommandLine::leaveIfDifferent, IsTransfer},
    {L"--move", &KivctlCommandLine::move, IsTransfer},
    {L"--async", &KivctlCommandLine::async, IsLongOperation},
    {L"--json", &KivctlCommandLine::json, [](KivctlCommand c) { return c == KivctlCommand::Status; }},
};

bool SetOption(const std::wstring& argument, KivctlCommandLine& result)
{
    if (argument == L"-h" || argument == L"--help") {
        result.help = true;
    } else if (argument == L"-r" || argument == L"--recursive") {
        result.recursive = true;
    } else if (argument == L"--volume") {
        result.volume = true;
    } else if (argument == L"--no-overwrite") {
        result.noOverwrite = true;
    } else if (argument == L"--leave-if-different") {
        result.leaveIfDifferent = true;
    } else if (argument == L"--move") {
        result.move = true;
    } else if (argument == L"--async") {
        result.async = true;
    } else if (argument == L"--json") {
        result.json = true;
    } else if (argument == L"-q" || argument == L"--quiet") {
        result.quiet = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

const wchar_t* CommandName(KivctlCommand command)
{
    const CommandShape* shape = ShapeOf(command);
    return shape ? shape->name : L"kivctl";
}

bool IsLongOperation(KivctlCommand command)
{
    return IsTransfer(command) || command == KivctlCommand::Format || command == KivctlCommand::Backup ||
           command == KivctlCommand::Restore;
}

bool ParseCommandLine(const std::vector<std::wstring>& arguments, KivctlCommandLine& result, std::wstring& error)
{
    result = KivctlCommandLine{};
    error.clear();
    std::wstring commandWord;
    bool optionsEnded = false;
    std::wstring firstProblem;
    for (const std::wstring& argument : arguments) {
        const bool looksLikeOption = !optionsEnded && argument.size() > 1 && argument[0] == L'-';
        if (looksLikeOption && argument == L"--") {
            optionsEnded = true;
        } else if (looksLikeOption) {
            if (!SetOption(argument, result) && firstProblem.empty()) {
                firstProblem = L"unknown option " + argument;
            }
        } else if (commandWord.empty()) {
            commandWord = argument;
        } else {
            result.operands.push_back(argument);
        }
    }
    if (result.help) {
        result.command = KivctlCommand::Help;
        result.operands.clear();
        return true;
    }
    if (!firstProblem.empty()) {
        error = firstProblem;
        return false;
    }
    if (commandWord.empty()) {
        error = L"no command given";
        return false;
    }
    const CommandShape* shape = FindCommand(commandWord);
    if (shape == nullptr) {
        error = L"unknown command " + commandWord;
        return false;
    }
    result.command = shape->kind;
    if (result.operands.size() < shape->minimumOperands) {
        error = std::wstring(shape->name) + L": missing operand";
        return false;
    }
    if (result.operands.size() > shape->maximumOperands) {
        error = std::wstring(shape->name) + L": too many operands";
        return false;
    }
    for (const RestrictedOption& option : kRestrictedOptions) {
        if (result.*(option.flag) && !option.applies(result.command)) {
            error = std::wstring(shape->name) + L": option " + option.name + L" does not apply";
            return false;
        }
    }
    // The one-volume listing has no recursive form.
    if (result.volume && result.recursive) {
        error = std::wstring(shape->name) + L": options --volume and -r do not go together";
        return false;
    }
    for (const std::wstring& operand : result.operands) {
        if (operand.empty()) {
            error = std::wstring(shape->name) + L": empty operand";
            return false;
        }
    }
    return result.command != KivctlCommand::Port || ParsePortAction(result, error);
}

KivctlClass ClassFor(const KivctlCommandLine& line)
{
    if (line.command == KivctlCommand::Status || line.command == KivctlCommand::Port)
        return KivctlClass::General;
    if (line.volume || line.command == KivctlCommand::Cat || line.command == KivctlCommand::WatchFolder)
        return KivctlClass::OneVolume;
    return KivctlClass::Volume2;
}

long ExecutionFlagsFor(const KivctlCommandLine& line, bool move)
{
    long flags = line.async ? 0 : eBlocked;
    if (line.noOverwrite) {
        flags |= eNoOverwrite;
    }
    if (line.leaveIfDifferent) {
        flags |= eLeaveIfDifferent;
    }
    if (line.move || move) {
        flags |= eMove;
    }
    return flags;
}
