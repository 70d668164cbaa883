// Record lines as the terminal sends them: ">NAME=f1;f2;...;f5" CR LF.
#pragma once

#include <initializer_list>
#include <string>

namespace kvtsim {

// Builds one record line with up to five fields. Field text that would break
// the line grammar (";", CR, LF) is replaced by "_"; a sixth and later field
// is dropped.
std::string recordLine(const std::string &name, std::initializer_list<std::string> fields);

// The settings record: the settings text goes into field 1 unchanged, the way
// the terminal reports it (a ";" in a stored value therefore ends field 1).
std::string settingsRecordLine(const std::string &settingsText);

// Number formatting for field values (always "C" style: "." as decimal point).
std::string num(long long v);
std::string fixed(double v, int decimals);

} // namespace kvtsim
