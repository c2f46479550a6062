#pragma once
// "RegServer" and "UnregServer" after "-" or "/", in any letter case; anything else runs the
// server, also a keyword with more text behind it.
enum class KivlinkCommand { RunServer, Register, Unregister };

KivlinkCommand ParseKivlinkCommandLine(const wchar_t* commandLine);
