// phonesim.exe's command line: registration, serving, and the control verbs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "SymbianConnect.h"

namespace phonesim {

enum class Verb {
    Help,
    Register,
    Unregister,
    Serve,
    Connect,
    Disconnect,
    Status,
    Rate,
    Fault,
    Condition,
    Readings,
    Ports
};

struct DriveOptions {
    std::optional<std::wstring> label;
    std::optional<unsigned long long> capacity;
    std::optional<unsigned long long> free;
    bool Any() const noexcept { return label || capacity || free; }
};

struct Command {
    Verb verb = Verb::Help;
    // connect, disconnect
    std::wstring name;
    std::wstring model;
    std::wstring manufacturer;
    std::wstring identifier;
    bool withCard = true;
    std::wstring root;
    DriveOptions phoneMemory;
    DriveOptions memoryCard;
    // rate (none: show the rate)
    std::optional<LONG> rate;
    // fault: empty for the list of armed faults; "clear" or a fault's name
    std::wstring fault;
    LONG faultValue = 0;
    // battery, signal, mtm-revision: which, and the value to set (none: show it)
    PhoneSimCondition condition = conditionBattery;
    std::optional<LONG> conditionValue;
    // ports: put every port back to disabled
    bool resetPorts = false;
};

// `arguments` without the program name. False with a message for a usage error.
bool ParseCommandLine(const std::vector<std::wstring>& arguments, Command& command, std::wstring& error);

// A byte count: decimal digits with an optional K, M, G or T (powers of 1024).
bool ParseByteCount(const std::wstring& text, unsigned long long& value);
// An HRESULT: 0x and hexadecimal digits, or a decimal number (negative allowed).
bool ParseHResult(const std::wstring& text, LONG& value);

const wchar_t* HelpText() noexcept;

}  // namespace phonesim
