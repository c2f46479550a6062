// kivctl's command line: the command, its operands and its options. Parsing is pure, so
// that every rule about what may be combined is tested without a server.
#pragma once

#include <string>
#include <vector>

enum class KivctlCommand {
    None,
    Help,
    Devices,
    Drives,
    List,
    Info,
    Put,
    Get,
    Copy,
    Move,
    Remove,
    MakeFolder,
    Format,
    Backup,
    Restore,
    Watch,
    Cat,
    WatchFolder,
    Status,
    Port,
};

// What "port" does with the router's ports.
enum class KivctlPortAction {
    None,
    Set,
    Reset,
    Suspend,
    Resume,
};

struct KivctlCommandLine {
    KivctlCommand command = KivctlCommand::None;
    std::vector<std::wstring> operands;
    bool help = false;
    bool recursive = false;
    // ls through the one-volume interface (KivMobilePhone) instead of KivVolume2.
    bool volume = false;
    bool noOverwrite = false;
    bool leaveIfDifferent = false;
    bool move = false;
    bool async = false;
    bool quiet = false;
    // status: one JSON object instead of lines.
    bool json = false;
    // port: the action, and its port when given (empty: reset means the last port set).
    KivctlPortAction portAction = KivctlPortAction::None;
    std::wstring port;
};

// The command's name as typed ("ls", "put"), for messages.
const wchar_t* CommandName(KivctlCommand command);

// Parses the arguments after the program name. On failure returns false and a one-line
// explanation in `error`. "--help" anywhere wins over every other mistake.
bool ParseCommandLine(const std::vector<std::wstring>& arguments, KivctlCommandLine& result, std::wstring& error);

// The ExecutionFlags word for a long operation: eBlocked unless --async, plus the options.
// `move` forces eMove (mv).
long ExecutionFlagsFor(const KivctlCommandLine& line, bool move);

// Whether the command starts one of the server's long operations (progress, cancel, --async).
bool IsLongOperation(KivctlCommand command);

// The Kivlink class a command works on.
enum class KivctlClass { Volume2, OneVolume, General };
KivctlClass ClassFor(const KivctlCommandLine& line);
