// The terminal's stored settings and the settings string that writes them.
#pragma once

#include <string>
#include <vector>

namespace kvtsim {

class SettingsStore {
public:
    struct Item {
        long number;
        std::string numberText; // the number as written ("01" stays "01")
        std::string values;     // everything after the first "=", raw bytes
    };

    enum class WriteResult { Stored, WrongPassword };

    explicit SettingsStore(std::string password);

    // True for a line that carries the "*SETP*" marker.
    static bool isSettingsString(const std::string &line);

    // Splits a settings body into items: the text is cut at every "#", each
    // piece must be a decimal setting number, "=" and its values. Pieces that
    // are empty, have no "=" or no valid number are skipped.
    static std::vector<Item> parseBody(const std::string &body);

    // Handles "password*SETP*body". With the right password the items are
    // merged by setting number: the written items come first, in the order
    // written, followed by the stored items the write did not mention. This
    // keeps the written body intact inside the settings text the terminal
    // reports afterwards. Item 3 also changes the access password (an empty
    // new password is ignored). With corrupt set, one value is altered before
    // it is stored.
    WriteResult write(const std::string &line, bool corrupt);

    // The settings text reported in field 1 of the ST record; reordered: the items last
    // setting number first, followed by an item of the terminal's own (#14=1).
    std::string text(bool reordered = false) const;

    // Value k (1-based) of item n, or def when the item or value is missing.
    std::string value(long number, std::size_t k, const std::string &def = std::string()) const;

    const std::string &password() const { return m_password; }
    const std::vector<Item> &items() const { return m_items; }

private:
    static void corruptOne(std::vector<Item> &items);

    std::string m_password;
    std::vector<Item> m_items;
};

} // namespace kvtsim
