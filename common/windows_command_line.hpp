// The arguments of a Windows command line, quoted so that the C run-time of the started program
// splits them again as they were; for the Windows platform file and the Windows test support.
#pragma once

#include <string>

// One argument: quotes around it when it holds a blank or a quote, backslashes doubled before a
// quote.
inline std::wstring quotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring result = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        result.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        result += c;
    }
    result.append(2 * backslashes, L'\\');
    return result + L"\"";
}
