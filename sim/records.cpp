#include "records.h"

#include <cstdio>

namespace kvtsim {

std::string recordLine(const std::string &name, std::initializer_list<std::string> fields)
{
    std::string line;
    line.reserve(16 + name.size());
    line += '>';
    line += name;
    line += '=';
    int index = 0;
    for (const std::string &f : fields) {
        if (index == 5)
            break;
        if (index > 0)
            line += ';';
        for (char c : f)
            line += (c == ';' || c == '\r' || c == '\n' || c == '\0') ? '_' : c;
        ++index;
    }
    line += "\r\n";
    return line;
}

std::string settingsRecordLine(const std::string &settingsText)
{
    std::string line = ">ST=";
    for (char c : settingsText)
        line += (c == '\r' || c == '\n') ? '_' : c;
    line += "\r\n";
    return line;
}

std::string num(long long v)
{
    return std::to_string(v);
}

std::string fixed(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    // No "-0.0": a value that rounds to zero is shown without a sign.
    std::string s = buf;
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

} // namespace kvtsim
