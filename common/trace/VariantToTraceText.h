// A VARIANT as text for a trace line.
#pragma once
#include <oaidl.h>
#include <string>

std::string VariantToTraceText(const VARIANT* value);
