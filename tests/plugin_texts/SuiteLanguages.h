// The suite's languages as the language-module codes know them, so that the checks do not keep
// a list of their own.
#pragma once

#include <windows.h>

#include <vector>

inline constexpr LANGID kNeutralLanguage = 0;
inline constexpr LANGID kAmericanEnglish = 1033;

// Every LANGID with a language code of its own, in ascending order.
const std::vector<LANGID>& SuiteLanguages();
