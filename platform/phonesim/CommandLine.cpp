#include "platform/phonesim/CommandLine.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>

namespace phonesim {

namespace {

constexpr wchar_t kHelp[] =
    L"phonesim - a simulated Symbian phone behind the SymbianConnect COM library\n"
    L"\n"
    L"Usage: phonesim VERB [OPTIONS]\n"
    L"\n"
    L"  connect [--name N] [--model M] [--manufacturer X] [--identifier PORT] [--no-card]\n"
    L"          [--root DIR] [--label-c L] [--capacity-c BYTES] [--free-c BYTES]\n"
    L"          [--label-e L] [--capacity-e BYTES] [--free-e BYTES]\n"
    L"      Connects a phone. N is all decimal digits (default 354812013456789), model\n"
    L"      Tamlo, manufacturer Unknown, identifier (the port) COM4. Drive C: is the\n"
    L"      phone memory, E: the memory card (left out with --no-card). Each drive is\n"
    L"      backed by DIR\\N\\C and DIR\\N\\E (default DIR: %LOCALAPPDATA%\\Pellary\\PhoneSim);\n"
    L"      files already there are kept. BYTES may end in K, M, G or T (powers of 1024).\n"
    L"  disconnect [--name N]\n"
    L"      Disconnects the phone N, or every phone without --name.\n"
    L"  status\n"
    L"      One line per connected phone: name, model, manufacturer, identifier and\n"
    L"      each drive with the PC folder behind it.\n"
    L"  rate [BYTES_PER_SECOND]\n"
    L"      Sets the transfer rate of copies, backups and restores (0 = unlimited), or\n"
    L"      shows it.\n"
    L"  fault stall MS              the next long operation goes silent for MS ms half way\n"
    L"  fault repeat-progress N     ... repeats its progress value N more times half way\n"
    L"  fault fail-next HRESULT     ... fails half way with HRESULT (0x... or decimal)\n"
    L"  fault short-file            the next copy completes with success but half the file\n"
    L"  fault disconnect-midway     the phone disconnects half way through the next one\n"
    L"  fault vanish-midway         ... and the operation never raises another event\n"
    L"  fault stale-sizes           until cleared, file objects keep the size they were\n"
    L"                              made with (not taken by an operation)\n"
    L"  fault early-event [MS]      its first event comes before the start call returns\n"
    L"                              the request id (at most MS ms, default 300, before)\n"
    L"  fault clear                 disarms every fault\n"
    L"  fault                       lists the armed faults\n"
    L"      Each fault is taken by the next long operation it applies to.\n"
    L"  battery [PERCENT]           sets (0 to 100) or shows the phones' battery charge\n"
    L"  signal [PERCENT]            ... their signal level, as MessageCentre reports them\n"
    L"  mtm-revision [N]            ... the revision (0 to 65535) of the message browser\n"
    L"                              module's version that MessageCentre answers\n"
    L"  readings                    the battery-and-signal readings MessageCentre has\n"
    L"                              answered since the simulator started\n"
    L"  ports [reset]               the ports of SmRouterController and their state, one\n"
    L"                              per line; reset disables every one of them\n"
    L"  /RegServer, /UnregServer\n"
    L"      Registers or removes the COM classes and the type library.\n"
    L"  serve (or -Embedding, as COM starts it)\n"
    L"      Runs the simulator's server; it ends 2 seconds after its last client has\n"
    L"      gone while no phone is connected.\n"
    L"  --help\n"
    L"\n"
    L"Control verbs talk to the running simulator (COM starts it when none runs), so\n"
    L"every client sees the same phones. Exit codes: 0 done, 1 refused by the simulator,\n"
    L"2 usage error.\n";

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(towlower(c));
    }
    return text;
}

// "/RegServer", "-regserver" and "RegServer" alike.
std::wstring SwitchWord(const std::wstring& argument)
{
    if (!argument.empty() && (argument[0] == L'/' || argument[0] == L'-')) {
        return Lower(argument.substr(argument.size() > 1 && argument[1] == L'-' ? 2 : 1));
    }
    return Lower(argument);
}

bool ParseLong(const std::wstring& text, LONG& value)
{
    unsigned long long parsed = 0;
    if (!ParseByteCount(text, parsed) || parsed > 0x7FFFFFFF) {
        return false;
    }
    value = static_cast<LONG>(parsed);
    return true;
}

class Arguments {
public:
    Arguments(const std::vector<std::wstring>& list, size_t start) : m_list(list), m_next(start) {}
    bool Done() const { return m_next >= m_list.size(); }
    const std::wstring& Take() { return m_list[m_next++]; }
    bool TakeValue(const std::wstring& option, std::wstring& value, std::wstring& error)
    {
        if (Done()) {
            error = option + L" needs a value";
            return false;
        }
        value = Take();
        return true;
    }

private:
    const std::vector<std::wstring>& m_list;
    size_t m_next;
};

bool ParseConnect(Arguments& arguments, Command& command, std::wstring& error)
{
    while (!arguments.Done()) {
        const std::wstring option = Lower(arguments.Take());
        std::wstring value;
        if (option == L"--no-card") {
            command.withCard = false;
            continue;
        }
        if (!arguments.TakeValue(option, value, error)) {
            return false;
        }
        if (option == L"--name") {
            command.name = value;
        } else if (option == L"--model") {
            command.model = value;
        } else if (option == L"--manufacturer") {
            command.manufacturer = value;
        } else if (option == L"--identifier") {
            command.identifier = value;
        } else if (option == L"--root") {
            command.root = value;
        } else if (option == L"--label-c" || option == L"--label-e") {
            (option.back() == L'c' ? command.phoneMemory : command.memoryCard).label = value;
        } else if (option == L"--capacity-c" || option == L"--capacity-e" || option == L"--free-c" ||
                   option == L"--free-e") {
            unsigned long long bytes = 0;
            if (!ParseByteCount(value, bytes)) {
                error = L"not a byte count: " + value;
                return false;
            }
            DriveOptions& drive = option.back() == L'c' ? command.phoneMemory : command.memoryCard;
            (option.rfind(L"--free", 0) == 0 ? drive.free : drive.capacity) = bytes;
        } else {
            error = L"unknown option for connect: " + option;
            return false;
        }
    }
    if (!command.name.empty() && command.name.find_first_not_of(L"0123456789") != std::wstring::npos) {
        error = L"a phone name is all decimal digits: " + command.name;
        return false;
    }
    return true;
}

bool ParseFault(Arguments& arguments, Command& command, std::wstring& error)
{
    if (arguments.Done()) {
        return true;
    }
    command.fault = Lower(arguments.Take());
    const std::wstring& fault = command.fault;
    std::wstring value;
    if (fault == L"stall" || fault == L"repeat-progress") {
        if (!arguments.TakeValue(fault, value, error)) {
            return false;
        }
        if (!ParseLong(value, command.faultValue) || command.faultValue == 0) {
            error = L"not a positive number: " + value;
            return false;
        }
    } else if (fault == L"fail-next") {
        if (!arguments.TakeValue(fault, value, error)) {
            return false;
        }
        if (!ParseHResult(value, command.faultValue) || command.faultValue >= 0) {
            error = L"not a failure HRESULT: " + value;
            return false;
        }
    } else if (fault == L"early-event") {
        if (!arguments.Done() && !ParseLong(arguments.Take(), command.faultValue)) {
            error = L"not a number of milliseconds";
            return false;
        }
    } else if (fault != L"short-file" && fault != L"disconnect-midway" && fault != L"vanish-midway" &&
               fault != L"stale-sizes" && fault != L"clear") {
        error = L"unknown fault: " + fault;
        return false;
    }
    if (!arguments.Done()) {
        error = L"too many arguments for fault " + fault;
        return false;
    }
    return true;
}

constexpr LONG kMaxPercent = 100;
constexpr LONG kMaxRevision = 0xFFFF;

bool ParseCondition(const std::wstring& verb, Arguments& arguments, Command& command, std::wstring& error)
{
    if (arguments.Done()) {
        return true;
    }
    const std::wstring value = arguments.Take();
    const LONG most = command.condition == conditionMtmRevision ? kMaxRevision : kMaxPercent;
    unsigned long long parsed = 0;
    // Byte counts' suffixes make no sense here.
    if (value.find_first_not_of(L"0123456789") != std::wstring::npos || !ParseByteCount(value, parsed) ||
        parsed > static_cast<unsigned long long>(most) || !arguments.Done()) {
        error = verb + L" takes one number from 0 to " + std::to_wstring(most);
        return false;
    }
    command.conditionValue = static_cast<LONG>(parsed);
    return true;
}

}  // namespace

bool ParseByteCount(const std::wstring& text, unsigned long long& value)
{
    if (text.empty() || !iswdigit(text[0])) {
        return false;
    }
    unsigned long long number = 0;
    size_t position = 0;
    for (; position < text.size() && iswdigit(text[position]); ++position) {
        const unsigned digit = static_cast<unsigned>(text[position] - L'0');
        if (number > (~0ULL - digit) / 10) {
            return false;
        }
        number = number * 10 + digit;
    }
    unsigned shift = 0;
    if (position < text.size()) {
        switch (towupper(text[position])) {
        case L'K':
            shift = 10;
            break;
        case L'M':
            shift = 20;
            break;
        case L'G':
            shift = 30;
            break;
        case L'T':
            shift = 40;
            break;
        default:
            return false;
        }
        if (position + 1 != text.size() || (number >> (64 - shift)) != 0) {
            return false;
        }
    }
    value = number << shift;
    return true;
}

bool ParseHResult(const std::wstring& text, LONG& value)
{
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        if (text.size() > 10) {
            return false;
        }
        unsigned long parsed = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            if (!iswxdigit(text[i])) {
                return false;
            }
            const wchar_t c = static_cast<wchar_t>(towlower(text[i]));
            parsed = parsed * 16 + static_cast<unsigned long>(c <= L'9' ? c - L'0' : c - L'a' + 10);
        }
        value = static_cast<LONG>(parsed);
        return true;
    }
    wchar_t* end = nullptr;
    errno = 0;
    const long long parsed = wcstoll(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || errno != 0 || parsed < -0x80000000LL || parsed > 0xFFFFFFFFLL) {
        return false;
    }
    value = static_cast<LONG>(static_cast<unsigned long>(parsed));
    return true;
}

bool ParseCommandLine(const std::vector<std::wstring>& arguments, Command& command, std::wstring& error)
{
    command = Command{};
    if (arguments.empty()) {
        command.verb = Verb::Help;
        return true;
    }
    const std::wstring first = arguments[0];
    const std::wstring word = SwitchWord(first);
    Arguments rest(arguments, 1);
    if (word == L"help" || word == L"h" || word == L"?") {
        command.verb = Verb::Help;
        return true;
    }
    if (word == L"regserver") {
        command.verb = Verb::Register;
        return true;
    }
    if (word == L"unregserver") {
        command.verb = Verb::Unregister;
        return true;
    }
    if (word == L"embedding" || word == L"automation" || (first == L"serve")) {
        command.verb = Verb::Serve;
        return true;
    }
    const std::wstring verb = Lower(first);
    if (verb == L"connect") {
        command.verb = Verb::Connect;
        return ParseConnect(rest, command, error);
    }
    if (verb == L"disconnect") {
        command.verb = Verb::Disconnect;
        while (!rest.Done()) {
            const std::wstring option = Lower(rest.Take());
            if (option != L"--name") {
                error = L"unknown option for disconnect: " + option;
                return false;
            }
            if (!rest.TakeValue(option, command.name, error)) {
                return false;
            }
        }
        return true;
    }
    if (verb == L"status") {
        command.verb = Verb::Status;
        if (!rest.Done()) {
            error = L"status takes no arguments";
            return false;
        }
        return true;
    }
    if (verb == L"rate") {
        command.verb = Verb::Rate;
        if (!rest.Done()) {
            LONG rate = 0;
            const std::wstring value = rest.Take();
            if (!ParseLong(value, rate) || !rest.Done()) {
                error = L"rate takes one number of bytes per second (at most 2G - 1)";
                return false;
            }
            command.rate = rate;
        }
        return true;
    }
    if (verb == L"fault") {
        command.verb = Verb::Fault;
        return ParseFault(rest, command, error);
    }
    if (verb == L"battery" || verb == L"signal" || verb == L"mtm-revision") {
        command.verb = Verb::Condition;
        command.condition = verb == L"battery"  ? conditionBattery
                            : verb == L"signal" ? conditionSignal
                                                : conditionMtmRevision;
        return ParseCondition(verb, rest, command, error);
    }
    if (verb == L"readings") {
        command.verb = Verb::Readings;
        if (!rest.Done()) {
            error = L"readings takes no arguments";
            return false;
        }
        return true;
    }
    if (verb == L"ports") {
        command.verb = Verb::Ports;
        if (!rest.Done()) {
            command.resetPorts = Lower(rest.Take()) == L"reset";
            if (!command.resetPorts || !rest.Done()) {
                error = L"ports takes nothing or reset";
                return false;
            }
        }
        return true;
    }
    error = L"unknown verb: " + first;
    return false;
}

const wchar_t* HelpText() noexcept
{
    return kHelp;
}

}  // namespace phonesim
