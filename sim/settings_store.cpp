#include "settings_store.h"

#include <algorithm>
#include <cctype>

namespace kvtsim {

namespace {

const char kMarker[] = "*SETP*";

bool parseNumber(const std::string &s, long &out)
{
    if (s.empty() || s.size() > 6)
        return false;
    long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

} // namespace

SettingsStore::SettingsStore(std::string password)
    : m_password(std::move(password))
{
    // Factory configuration of the simulated terminal.
    m_items = {
        {1, "1", "track.example.org,20332"},
        {2, "2", "internet.mts.ru,mts,mts"},
        {4, "4", ""},
        {5, "5", "300,15,20,60"},
        {6, "6", "0,60,10"},
        {7, "7", "internet.beeline.ru,beeline,beeline"},
        {8, "8", ""},
        {9, "9", "D,A,N"},
        {10, "10", "2,3,4,5,6,7,8,"},
        {11, "11", "7,30"},
        {12, "12", "113"},
        {15, "15", "0,0"},
    };
}

bool SettingsStore::isSettingsString(const std::string &line)
{
    return line.find(kMarker) != std::string::npos;
}

std::vector<SettingsStore::Item> SettingsStore::parseBody(const std::string &body)
{
    std::vector<Item> items;
    std::size_t pos = 0;
    while (pos <= body.size()) {
        std::size_t next = body.find('#', pos);
        if (next == std::string::npos)
            next = body.size();
        const std::string part = body.substr(pos, next - pos);
        pos = next + 1;
        const std::size_t eq = part.find('=');
        long number = 0;
        if (eq == std::string::npos || !parseNumber(part.substr(0, eq), number))
            continue;
        items.push_back({number, part.substr(0, eq), part.substr(eq + 1)});
    }
    return items;
}

void SettingsStore::corruptOne(std::vector<Item> &items)
{
    if (items.empty())
        return;
    auto it = std::find_if(items.begin(), items.end(), [](const Item &i) { return !i.values.empty(); });
    if (it == items.end()) {
        items.front().values += '0';
        return;
    }
    char &c = it->values.back();
    if (c >= '0' && c <= '9')
        c = static_cast<char>('0' + (c - '0' + 1) % 10);
    else if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
        c = static_cast<char>(c - 'A' + 'a');
    else
        it->values += '0';
}

SettingsStore::WriteResult SettingsStore::write(const std::string &line, bool corrupt)
{
    const std::size_t marker = line.find(kMarker);
    if (marker == std::string::npos || line.compare(0, marker, m_password) != 0 || marker != m_password.size())
        return WriteResult::WrongPassword;

    std::vector<Item> written = parseBody(line.substr(marker + sizeof kMarker - 1));
    if (corrupt)
        corruptOne(written);

    // Merge: a number written twice keeps its first place and its last value.
    std::vector<Item> merged;
    for (const Item &w : written) {
        auto same = std::find_if(merged.begin(), merged.end(), [&](const Item &m) { return m.number == w.number; });
        if (same != merged.end()) {
            same->numberText = w.numberText;
            same->values = w.values;
        } else {
            merged.push_back(w);
        }
    }
    for (const Item &old : m_items) {
        const bool rewritten = std::any_of(merged.begin(), merged.end(),
                                           [&](const Item &m) { return m.number == old.number; });
        if (!rewritten)
            merged.push_back(old);
    }
    m_items = std::move(merged);

    for (const Item &w : written)
        if (w.number == 3) {
            const std::string newPassword = w.values.substr(0, w.values.find(','));
            if (!newPassword.empty() && newPassword.find(kMarker) == std::string::npos)
                m_password = newPassword;
        }
    return WriteResult::Stored;
}

std::string SettingsStore::text(bool reordered) const
{
    std::vector<Item> items = m_items;
    if (reordered) {
        std::stable_sort(items.begin(), items.end(),
                         [](const Item &a, const Item &b) { return a.number > b.number; });
        items.push_back({14, "14", "1"});
    }
    std::string t;
    for (const Item &i : items) {
        t += '#';
        t += i.numberText;
        t += '=';
        t += i.values;
    }
    return t;
}

std::string SettingsStore::value(long number, std::size_t k, const std::string &def) const
{
    for (const Item &i : m_items) {
        if (i.number != number)
            continue;
        std::size_t start = 0;
        for (std::size_t n = 1;; ++n) {
            const std::size_t comma = i.values.find(',', start);
            if (n == k)
                return i.values.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (comma == std::string::npos)
                return def;
            start = comma + 1;
        }
    }
    return def;
}

} // namespace kvtsim
